#pragma once

#include <QMessageBox>

// A message box centred on the work area of its owner's screen, as our other
// windows are. Qt centres it on its owner instead, and a main window that is
// still settling into its maximised size gives a centre it no longer has.
class CentredMessageBox : public QMessageBox
{
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent *event) override;
};

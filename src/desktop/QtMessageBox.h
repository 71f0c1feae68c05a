#pragma once

#include "interfaces/Dialogs.h"

class QtMessageBox : public MessageBox
{
public:
    void show(QWidget *owner, const QString &text) override;
    Answer ask(QWidget *owner, const QString &text) override;
};

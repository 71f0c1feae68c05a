#pragma once

#include "board/Variant.h"
#include "interfaces/Picture.h"

#include <QWidget>

class QLabel;
class QPushButton;
class QTimer;

// The About box: name, version and description over a picture that changes
// every six seconds. Not topmost; the main window stays usable.
class frmAbout : public QWidget
{
    Q_OBJECT
public:
    explicit frmAbout(QWidget *parent);

    // Load steps; the window is then shown by the caller.
    void Form_Load();

    QWidget *control(const char *name) const;
    // The background picture (resource 1001 or 1000).
    const Picture &picture() const { return m_picture; }

    QLabel *lblDescription = nullptr;
    QLabel *lblDisclaimer = nullptr;
    QLabel *Picture1 = nullptr;
    QLabel *lblVersion = nullptr;
    QLabel *Label1 = nullptr;
    QPushButton *cmdOK = nullptr;
    QTimer *Timer1 = nullptr;

    board::Variant Snoggle;
    qint16 d = -1;

    // One tick of Timer1; public so a test can run the cycle without waiting.
    void Timer1_Timer();
    void cmdOK_Click();

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void StepPicture();
    void setPicture(int resource);

    Picture m_picture;
};

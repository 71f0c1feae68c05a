#pragma once

#include "interfaces/Picture.h"

#include <QDialog>

#include <array>

class LineControl;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTimer;

// The help window: 63 topics in a list and the chosen one's text in a speech
// bubble from the figure in the background. Until the first choice the
// figure sleeps and "z", "Z", bold "Z" come and go in a seven-tick loop.
class Help : public QDialog
{
    Q_OBJECT
public:
    explicit Help(QWidget *parent);

    // Load steps; the window is then shown by the caller.
    void Form_Load();

    QWidget *control(const char *name, int index = -1) const;
    // The background picture (resource 2003 asleep, 2004 awake).
    const Picture &picture() const { return m_picture; }

    QListWidget *List1 = nullptr;
    QPlainTextEdit *Text1 = nullptr;
    QPushButton *Command1 = nullptr;
    std::array<QLabel *, 3> Label1{};
    LineControl *Line1 = nullptr;
    LineControl *Line2 = nullptr;
    LineControl *Line3 = nullptr;
    LineControl *Line4 = nullptr;
    LineControl *Line5 = nullptr;
    LineControl *Line6 = nullptr;
    QTimer *Timer1 = nullptr;

    qint16 IntroOn = 1;
    qint16 StepCount = -1;
    bool EraseEach = false;
    qint16 FadeIndex = -1;

    // One tick of Timer1; public so a test can run the animation without waiting.
    void Timer1_Timer();
    void List1_Click();
    void Command1_Click();

protected:
    void paintEvent(QPaintEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void FillTopics();
    void StepIntro();
    void ShowTopic();
    void setPicture(int resource);
    std::array<LineControl *, 6> lines() const { return {Line1, Line2, Line3, Line4, Line5, Line6}; }

    Picture m_picture;
};

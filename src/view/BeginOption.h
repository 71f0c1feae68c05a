#pragma once

#include <QWidget>

#include <array>

class Form1;
class ImageBox;
class QLabel;
class QPushButton;

// The layout choice shown over the main window at start. Only nine scenes a
// page exist; the two larger layouts are shown disabled.
class BeginOption : public QWidget
{
    Q_OBJECT
public:
    explicit BeginOption(Form1 &form1);

    void Form_Load();

    ImageBox *Picture1 = nullptr;
    QPushButton *Command7 = nullptr;
    std::array<ImageBox *, 2> Picture2{};
    std::array<QPushButton *, 2> Command6{};
    QLabel *Label1 = nullptr;
    QPushButton *Command1 = nullptr;

    void Command7_Click();
    void Picture1_Click();
    void Command1_Click();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void enableMain();
    Form1 &m_form1;
};

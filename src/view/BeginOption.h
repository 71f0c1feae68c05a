#pragma once

#include <QDialog>

#include <array>

class ImageBox;
class QLabel;
class QPushButton;

// The layout choice shown over the main window at start, which takes no
// input meanwhile. Only nine scenes a page exist; the two larger layouts are
// shown disabled.
class BeginOption : public QDialog
{
    Q_OBJECT
public:
    explicit BeginOption(QWidget *parent);

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

Q_SIGNALS:
    // Nine scenes a page were chosen: the main window loads a board.
    void layoutChosen();
};

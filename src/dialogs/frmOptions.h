#pragma once

#include <QDialog>

#include <array>

namespace board {
class SceneBoard;
}
class QButtonGroup;
class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;
class QRadioButton;

// The options window: the three display switches and the five colour
// schemes. Switches write their setting at once and schemes recolour the main
// window at once; borders and tips are applied only by OK or Go Defaults.
// The main window takes no input while it is open.
class frmOptions : public QDialog
{
    Q_OBJECT
public:
    frmOptions(board::SceneBoard &board, QWidget *parent);

    // Load steps; the window is then shown by the caller.
    void Form_Load();

    // A control by its design name and array index (-1 for a single control).
    QWidget *control(const char *name, int index = -1) const;

    QCheckBox *Check0 = nullptr;
    QCheckBox *Check1 = nullptr;
    QCheckBox *Check2 = nullptr;
    QFrame *Shape1 = nullptr;
    std::array<QLabel *, 11> Label1{};
    QLabel *Label2 = nullptr;
    std::array<QRadioButton *, 6> Option1{};
    QPushButton *Command1 = nullptr;
    QPushButton *cmdOK = nullptr;

    void Check0_Click();
    void Check1_Click();
    void Check2_Click();
    void Option1_Click();
    void cmdOK_Click();
    void Command1_Click();

Q_SIGNALS:
    // The settings or colours changed: the main window shows them again.
    void boardChanged();
    // OK or Go Defaults: the Script Editor's tips on or off.
    void toolTipsApplied(bool on);

private:
    void ResetControls();
    void applyScheme(int k);

    board::SceneBoard &m_board;
    QButtonGroup *m_group = nullptr;
};

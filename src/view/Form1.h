#pragma once

#include "board/SceneBoard.h"
#include "board/ScriptListAccess.h"
#include "interfaces/Platform.h"
#include "printing/PrintSheets.h"
#include "scripts/RecoveryStore.h"
#include "view/BeginOption.h"
#include "view/FormLayout.h"
#include "view/Quorvadine.h"

#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <QTimer>

#include <array>
#include <memory>
#include <tuple>

class QAction;
class QFrame;
class QKeyEvent;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class ImageBox;
class ScriptEditor;
class frmOptions;
class Help;
class frmAbout;
class PrintPreviewDialog;


// The main window: the hub that owns the scene board and the display
// settings and shows the current page, the view panel and the menu bar.
class Form1 : public QMainWindow, private board::BoardHost
{
    Q_OBJECT
public:
    explicit Form1(const Platform &platform, QWidget *parent = nullptr);
    ~Form1() override;

    // Load step, then shown maximised with the layout choice over it.
    void start();

    board::SceneBoard &board() { return m_board; }
    const Platform &platform() const { return m_platform; }

    // Re-reads the board's state into the controls (one place for every
    // caption, picture, colour and enabled state the board drives).
    void updateFromBoard();

    // Secondary windows: each exists at most once, is created on first use
    // and is only brought to the front when shown again. Null while it does
    // not exist.
    BeginOption *beginOption() const;
    frmOptions *options() const;
    Help *help() const;
    frmAbout *about() const;
    ScriptEditor *scriptEditor() const;
    PrintPreviewDialog *printPreviewDialog() const;
    Quorvadine *closeUp() const;
    // The Script Editor's script list; reaching it creates the editor, hidden.
    virtual board::ScriptListAccess &scriptList();
    // The print sheets: made at their first filling, kept until the window closes.
    PrintSheets &printSheets();
    bool hasPrintSheets() const { return m_printSheets != nullptr; }

    // Controls, by their design names.
    std::array<ImageBox *, 9> Image1{};
    std::array<QLabel *, 9> SceneLabel{};
    QFrame *Frame1 = nullptr;
    ImageBox *PictureLabelLogo = nullptr;
    ImageBox *BigPreview = nullptr;
    QLabel *FatViewSceneLabel = nullptr;
    QPlainTextEdit *SceneText = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;
    QPushButton *Command3 = nullptr;
    QPushButton *Command4 = nullptr;
    QPushButton *Command5 = nullptr;
    QPushButton *Command6 = nullptr;
    QLabel *FrameTotal = nullptr;
    QLabel *PageCurrent = nullptr;

    // The menus and their items, by their design names.
    QMenu *mFile = nullptr;
    QMenu *mView = nullptr;
    QMenu *mTools = nullptr;
    QMenu *mHelp = nullptr;
    QMenu *sCloseUp = nullptr; // "Close Up Current", the submenu of positions
    QAction *sOpen = nullptr;
    QAction *sPrint = nullptr;
    QAction *sExit = nullptr;
    QAction *sPosition1 = nullptr;
    QAction *sPosition2 = nullptr;
    QAction *sPosition3 = nullptr;
    QAction *sPosition4 = nullptr;
    QAction *sPosition5 = nullptr;
    QAction *sPosition6 = nullptr;
    QAction *sPosition7 = nullptr;
    QAction *sPosition8 = nullptr;
    QAction *sPosition9 = nullptr;
    QAction *sOptions = nullptr;
    QAction *sScriptEditor = nullptr;
    QAction *sHelp = nullptr;
    QAction *sAbout = nullptr;

    void sOpen_Click();
    void sExit_Click();
    void sScriptEditor_Click();

    // Scene selection from the grid, the position items and the panel buttons.
    void Image1_Click(int index);
    void sPosition_Click(int number); // 1..9
    void BigPreview_Click();
    void showCloseUp();

    // Layout for the screen resolution: runs on every size change of the
    // window, with its inner area in twips.
    void Form_Resize(QSizeF innerTwips);
    QSizeF innerTwips() const;
    void sOptions_Click();
    void sHelp_Click();
    void sAbout_Click();
    void Command6_Click();
    void PictureLabelLogo_Click();
    void sPrint_Click();

    // Logout: with `mayAsk` the unsaved-scripts question, as at quitting;
    // without it the recovery copy stays for the next start. False: the
    // user keeps the session.
    bool endSession(bool mayAsk);

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // BoardHost
    void discardScriptEditor() override;
    QSize sceneBoxPixels() const override;
    QSize previewPixels() const override;
    void boardChanged() override { updateFromBoard(); }

    // The secondary window of type W, made on first use.
    template <typename W>
    W *window();
    void createControls();
    void createMenus();
    std::array<QAction *, 9> positions() const;
    // The board's keys, on a focused scene box only: arrows move the focus
    // between the boxes, the page keys page. True when the key was one.
    bool boardKey(int index, const QKeyEvent *key);
    // Focus on the board once a board is shown.
    void focusBoard();
    void describeBoard();
    void applyGeometry();
    void decodeAtBoxSize();
    void keepDesignSize();
    void Form_Unload();
    bool scriptsMayGo();
    bool offerRecovery();
    void keepRecoveryCopy(bool unsaved);
    void dropRecoveryCopy();
    void watchSession();
    void loadDropped(const DialogResult &dropped);

    Platform m_platform;
    board::SceneBoard m_board;
    QWidget *m_inner = nullptr;
    int m_announcedPage = 0; // the page a screen reader was told of last
    // In the order the window closes them.
    std::tuple<QPointer<ScriptEditor>, QPointer<BeginOption>, QPointer<frmAbout>, QPointer<Help>,
               QPointer<PrintPreviewDialog>, QPointer<Quorvadine>, QPointer<frmOptions>>
        m_windows;
    layout::Geometry m_geometry;
    bool m_inAlert = false;
    bool m_awaitingDesignSize = false;
    QList<QSizeF> m_alertedSizes; // inner sizes the alert was shown for: never twice for one
    QSize m_designSize; // outer size without the frame; invalid until start
    QTimer m_settle;
    std::unique_ptr<PrintSheets> m_printSheets;
    bool m_unloading = false;
    RecoveryStore m_recovery;
    enum class SessionEnd { None, Asked, KeepCopy } m_sessionEnd = SessionEnd::None;
};

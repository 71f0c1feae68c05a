#pragma once

#include "board/Variant.h"
#include "board/WorkBuffer.h"
#include "interfaces/Picture.h"
#include "resources/ColourSchemes.h"
#include "resources/Colours.h"
#include "resources/TipTable.h"

#include <QSize>

#include <array>
#include <functional>

class PictureDialog;
struct DialogResult;
class MessageBox;
class MousePointer;
class PictureLoader;
class QWidget;

namespace board {

class ScriptListAccess;

struct PageButton
{
    bool enabled = true;
    ColourWord colour = colours::kGrey;
    friend bool operator==(const PageButton &, const PageButton &) = default;
};

struct SceneBox
{
    bool visible = false;
    Picture picture;
};

// A scene's picture decoded from its file again at `bound` (device pixels),
// so a larger view is sharp rather than an enlarged thumbnail. A file gone
// since gives the blank scene picture (101); a stored bitmap stays as it is.
Picture atSize(PictureLoader &loader, const Picture &shown, QSize bound);

// What the board needs from the main window around it.
class BoardHost
{
public:
    virtual ~BoardHost() = default;
    // Destroys the Script Editor with every script (a new set of pictures).
    virtual void discardScriptEditor() = 0;
    // The size a scene box is shown at, in device pixels: pictures are decoded to it.
    virtual QSize sceneBoxPixels() const = 0;
    // The size the big preview shows its picture at, in device pixels.
    virtual QSize previewPixels() const = 0;
    // The board's visible state changed; called before every message and after every operation.
    virtual void boardChanged() = 0;
};

// The scene board of the main window: its hidden work buffers, its public
// variables and the state of the controls they drive (scene boxes and labels,
// captions, page buttons, scene menus). The board is text: every page display
// cuts the names it needs off the working list again and asks the loader for
// the pictures again, which reads every file that changed since it was read.
class SceneBoard
{
public:
    struct Services
    {
        PictureDialog *pictures = nullptr;
        MessageBox *messages = nullptr;
        MousePointer *pointer = nullptr;
        PictureLoader *loader = nullptr;
        QWidget *owner = nullptr; // the window the open dialog and the messages belong to
    };

    static constexpr int kMinImages = 9;
    static constexpr int kMaxImages = 540;
    static constexpr int kLongestResult = 32000;
    static constexpr int kParked = -12000;

    SceneBoard(Services services, BoardHost &host);

    // Load step of the main window.
    void Form_Load();

    // Loading (open dialog, reset, counting, first page).
    void FirstStep();
    // The part of FirstStep after the open dialog, for a dialog text that
    // comes from elsewhere (a recovery copy, pictures dropped on the window).
    void LoadPictures(const DialogResult &result);
    // The dialog text of the pictures last loaded past the dialog.
    const QString &chosenPictures() const { return m_chosenPictures; }
    void BeginBoard();
    void CountSpaces();

    // Page display and paging.
    void ShowFirstPage();
    void ShowPage();
    void MoveUp();
    void Command4_Click();
    void Command5_Click();
    // Home and End: page 1, or the last page of the board.
    void GoToPage(int page);
    int lastPage() const { return (CountItUp.toInt() + 8) / 9; }

    // Close scene: the big preview shows the blank picture again; the
    // selection, the caption and the script box stay.
    void CloseScene();

    // Scene selection: grid position p (0..8) of the current page becomes
    // the current scene in the view panel.
    void SelectPosition(int p, ScriptListAccess &list);
    void ShowSceneScript(ScriptListAccess &list);
    void LastScene(ScriptListAccess &list); // "<<", clamped at 0
    void NextScene(ScriptListAccess &list); // ">>", clamped at 8

    bool hasBoard() const { return !RichTextBox3.Text().isEmpty(); }

    // The picture file of every scene, scene 1 first, named as the page
    // display names it (the cut name: A.B.JPG gives A.B.J); none without a board.
    QStringList scenePictures() const;
    // The same for a picture dialog's text (the folder, then the names).
    static QStringList scenePictures(const QString &dialogText);
    // How many images the counting finds in a picture dialog's text: the
    // last name counts whatever its type, every ".bmp", ".jpg" or ".gif"
    // anywhere in the text one more, up to one past the most a board holds.
    static int countImages(const QString &dialogText);
    // "Sc:" and the number, as a scene label shows scene `scene`.
    static QString sceneLabel(int scene);

    // Hidden buffers.
    WorkBuffer RichTextBox1, RichTextBox2, RichTextBox3, RichTextBox4, RichTextBox5, RichTextBox6;
    WorkBuffer Text1, Text2, Text3, Text4, Text5, Text6;

    // Public variables of the main window.
    Variant CountItUp, Zen, Amounted, DaCounter, InsertionPoint, labelnumber, n;
    Variant NoMore, FirstTime, Bad, Weirdo, StringKnown, d, GoShowOpenDialog;
    bool FirstScript = true;
    // The layout choice's flag: a layout was chosen.
    bool GoSmall = false;

    // Display settings.
    Variant AlertsAreOn, BordersAreOn;
    bool TipsAreOn = true;
    qint16 OptionOn = 5;

    // Controls the board drives.
    std::array<QString, 9> SceneLabel;
    std::array<SceneBox, 9> Image1;
    std::array<QString, 9> Image1ToolTip;
    QString Command1ToolTip = QString::fromUtf8(tips::tipFor(tips::Window::Form1, "Command1"));
    QString Command2ToolTip = QString::fromUtf8(tips::tipFor(tips::Window::Form1, "Command2"));
    QString Command3ToolTip = QString::fromUtf8(tips::tipFor(tips::Window::Form1, "Command3"));
    // Colours and borders the options window sets.
    ColourWord SceneLabelBackColor = schemes::kSchemes[schemes::kDefault].sceneLabel;
    ColourWord BackColor = schemes::kSchemes[schemes::kDefault].window;
    bool Image1Border = false;
    QString FrameTotal;
    QString PageCurrent;
    PageButton Command4, Command5;
    bool Command1Enabled = false, Command2Enabled = false;
    bool sPrintEnabled = true, sScriptEditorEnabled = true, sPositionEnabled = true;
    Picture TempPicHolder, BigPreview;
    QString SceneText;
    QString FatViewSceneLabel;

    // Helpers of the shared module.
    void StripLeadingSpace();
    void SkipToPage();
    void TakeFileName();
    void LoadSceneBox();

    qint16 fallbackShown() const { return FallbackShown; }

private:
    void ClearBoard();
    void ResetBoard();
    void restartValues();
    void setSceneMenusEnabled(bool enabled);
    void setPageButton(PageButton &button, bool enabled, ColourWord colour);
    void showMessage(const char *text, const QString &why = {});
    void missingPicture(int box, const QString &file);
    void loadQueuedPictures();
    static QString pathOf(const QString &folder, const QString &name);
    static QStringList picturesOf(const QString &folder, const QStringList &items);
    static int countInto(WorkBuffer &scratch, const QString &dialogText);
    void lookAhead();

    Services m_services;
    BoardHost &m_host;
    qint16 FallbackShown = 0;

    struct QueuedPicture
    {
        int box;
        QString file;
    };
    QList<QueuedPicture> m_queued;
    // Off while GoToPage passes pages it does not stop at.
    bool m_decodePage = true;
    QString m_chosenPictures;
};

} // namespace board

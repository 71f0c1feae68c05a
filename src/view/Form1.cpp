#include "view/Form1.h"

#include "desktop/PictureDrop.h"
#include "desktop/Session.h"
#include "desktop/WindowPolicy.h"
#include "dialogs/Help.h"
#include "dialogs/frmAbout.h"
#include "dialogs/frmOptions.h"
#include "interfaces/Dialogs.h"
#include "interfaces/Screen.h"
#include "printing/PrintPreviewDialog.h"
#include "resources/StoredBitmaps.h"
#include "resources/Texts.h"
#include "scripts/ScriptEditor.h"
#include "scripts/ScriptText.h"
#include "view/BeginOption.h"
#include "view/FormLayout.h"
#include "widgets/Accessible.h"
#include "widgets/DesignFont.h"
#include "widgets/FocusFrame.h"
#include "widgets/ImageBox.h"
#include "widgets/Palette.h"
#include "widgets/Twips.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QSessionManager>
#include <QShortcut>
#include <QWindow>

#include <algorithm>
#include <functional>
#include <type_traits>

namespace {
using texts::text;

// The main window's menu bar in display order: captions as designed, with the
// letter that opens them by keyboard marked, and the platform's standard key
// for the common commands. An entry with no action is a separator line, or
// (with `sCloseUp` as its name) the submenu of positions.
struct Menu
{
    QMenu *Form1::*menu;
    const char *name;
    const char *caption;
};

struct Item
{
    QMenu *Form1::*menu; // the menu it is in
    QAction *Form1::*action;
    const char *name;
    const char *caption;
    QKeySequence::StandardKey key;
};

constexpr std::array<Menu, 4> kMenus{{
    {&Form1::mFile, "mFile", "&File"},
    {&Form1::mView, "mView", "&View"},
    {&Form1::mTools, "mTools", "&Tools"},
    {&Form1::mHelp, "mHelp", "&Help"},
}};

constexpr auto kNone = QKeySequence::UnknownKey;
constexpr std::array<Item, 21> kItems{{
    {&Form1::mFile, &Form1::sOpen, "sOpen", "&New Quorvadine", QKeySequence::New},
    {&Form1::mFile, nullptr, "seperator", "-", kNone},
    {&Form1::mFile, &Form1::sPrint, "sPrint", "&Print...", QKeySequence::Print},
    {&Form1::mFile, nullptr, "septherator", "-", kNone},
    {&Form1::mFile, &Form1::sExit, "sExit", "E&xit", QKeySequence::Quit},
    {&Form1::mView, nullptr, "sCloseUp", "&Close Up Current", kNone},
    {&Form1::sCloseUp, &Form1::sPosition1, "sPosition1", "Position &1", kNone},
    {&Form1::sCloseUp, &Form1::sPosition2, "sPosition2", "Position &2", kNone},
    {&Form1::sCloseUp, &Form1::sPosition3, "sPosition3", "Position &3", kNone},
    {&Form1::sCloseUp, &Form1::sPosition4, "sPosition4", "Position &4", kNone},
    {&Form1::sCloseUp, &Form1::sPosition5, "sPosition5", "Position &5", kNone},
    {&Form1::sCloseUp, &Form1::sPosition6, "sPosition6", "Position &6", kNone},
    {&Form1::sCloseUp, &Form1::sPosition7, "sPosition7", "Position &7", kNone},
    {&Form1::sCloseUp, &Form1::sPosition8, "sPosition8", "Position &8", kNone},
    {&Form1::sCloseUp, &Form1::sPosition9, "sPosition9", "Position &9", kNone},
    {&Form1::mView, nullptr, "seperator5", "-", kNone},
    {&Form1::mView, &Form1::sOptions, "sOptions", "&Options", QKeySequence::Preferences},
    {&Form1::mTools, &Form1::sScriptEditor, "sScriptEditor", "&Script Editor", kNone},
    {&Form1::mHelp, &Form1::sHelp, "sHelp", "&Help", QKeySequence::HelpContents},
    {&Form1::mHelp, nullptr, "captioned", "-", kNone},
    {&Form1::mHelp, &Form1::sAbout, "sAbout", "&About Quorvadine", kNone},
}};

QPushButton *button(QWidget *parent, const char *name, const char *caption)
{
    auto *b = new QPushButton(text(caption), parent);
    b->setObjectName(QLatin1String(name));
    b->setFocusPolicy(Qt::TabFocus);
    b->setAutoDefault(true); // Enter presses the focused button
    return b;
}

QLabel *label(QWidget *parent, const char *name, const QString &caption)
{
    auto *l = new QLabel(caption, parent);
    l->setObjectName(QLatin1String(name));
    return l;
}
} // namespace

Form1::Form1(const Platform &platform, QWidget *parent)
    : QMainWindow(parent)
    , m_platform(platform)
    , m_board({platform.pictures, platform.messages, platform.pointer, platform.loader, this}, *this)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(text(texts::kMainCaption));
    setFont(designfont::of(font()));
    setWindowIcon(resources::appIcon());
    focusframe::install();
    accessible::install();
    new WindowPolicy(this);
    createControls();
    createMenus();
    picturedrop::install(this, text(texts::kPictureFilter), board::SceneBoard::kLongestResult,
                         [this](const DialogResult &dropped) { loadDropped(dropped); });
    m_settle.setSingleShot(true);
    m_settle.setInterval(250);
    connect(&m_settle, &QTimer::timeout, this, &Form1::keepDesignSize);
    m_geometry = layout::smallLayout();
    applyGeometry();
    updateFromBoard();
    watchSession();
}

Form1::~Form1()
{
    m_unloading = true;
    std::apply([](auto &...windows) { (delete windows.data(), ...); }, m_windows);
}

void Form1::createControls()
{
    m_inner = new QWidget(this);
    m_inner->setObjectName(QStringLiteral("inner"));
    palette::setBackground(m_inner, colours::kWindow);
    setCentralWidget(m_inner);

    for (int i = 0; i < 9; ++i) {
        SceneLabel[i] = label(m_inner, "SceneLabel", QString());
        palette::setBackground(SceneLabel[i], colours::kGrey);
        palette::setForeground(SceneLabel[i], colours::kBlack);
        Image1[i] = new ImageBox(m_inner);
        Image1[i]->setObjectName(QStringLiteral("Image1"));
        Image1[i]->setProperty("index", i);
        Image1[i]->setVisible(false);
        // The nine boxes are one stop of the Tab key: the box focused last.
        Image1[i]->setFocusPolicy(i == 0 ? Qt::StrongFocus : Qt::ClickFocus);
        Image1[i]->setSelectable(true);
        Image1[i]->installEventFilter(this);
    }

    Frame1 = new QFrame(m_inner);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameShape(QFrame::NoFrame);
    palette::setBackground(Frame1, colours::kPanel);

    PictureLabelLogo = new ImageBox(Frame1);
    PictureLabelLogo->setObjectName(QStringLiteral("PictureLabelLogo"));
    PictureLabelLogo->setPicture(Picture{resources::logo(), QString(), 0});
    BigPreview = new ImageBox(Frame1);
    BigPreview->setObjectName(QStringLiteral("BigPreview"));
    BigPreview->setCursor(resources::magnifierCursor());
    PictureLabelLogo->setAccessibleName(text(texts::kLogoName));
    BigPreview->setAccessibleName(text(texts::kPreviewName));
    FatViewSceneLabel = label(Frame1, "FatViewSceneLabel", QString());
    palette::setBackground(FatViewSceneLabel, colours::kBlack);
    palette::setForeground(FatViewSceneLabel, colours::kGrey);
    SceneText = new QPlainTextEdit(Frame1);
    SceneText->setObjectName(QStringLiteral("SceneText"));
    SceneText->setReadOnly(true);
    SceneText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    palette::setBackground(SceneText, colours::kWhite);
    SceneText->setAccessibleName(text(texts::kSceneTextName));
    Command1 = button(Frame1, "Command1", "<<");
    Command2 = button(Frame1, "Command2", ">>");
    Command6 = button(Frame1, "Command6", "Help");
    Command3 = button(Frame1, "Command3", "Close");
    Command5 = button(Frame1, "Command5", "<< page");
    Command4 = button(Frame1, "Command4", "page >>");
    FrameTotal = label(Frame1, "FrameTotal", QString());
    PageCurrent = label(Frame1, "PageCurrent", QString());
    for (QLabel *caption : {FrameTotal, PageCurrent})
        palette::setForeground(caption, colours::kWhite);
    for (QPushButton *b : {Command1, Command2, Command3, Command6})
        palette::setBackground(b, colours::kWindow);

    for (const layout::Place &place : layout::kFramePlaces) {
        if (auto *w = Frame1->findChild<QWidget *>(QLatin1String(place.name), Qt::FindDirectChildrenOnly))
            w->setGeometry(twips::rect(place.left, place.top, place.width, place.height));
    }

    for (int i = 0; i < 9; ++i)
        connect(Image1[i], &ImageBox::clicked, this, [this, i] { Image1_Click(i); });
    connect(BigPreview, &ImageBox::clicked, this, &Form1::BigPreview_Click);
    connect(Command1, &QPushButton::clicked, this, [this] { m_board.LastScene(scriptList()); });
    connect(Command2, &QPushButton::clicked, this, [this] { m_board.NextScene(scriptList()); });
    connect(Command3, &QPushButton::clicked, this, [this] { m_board.CloseScene(); });
    connect(Command4, &QPushButton::clicked, this, [this] { m_board.Command4_Click(); });
    connect(Command5, &QPushButton::clicked, this, [this] { m_board.Command5_Click(); });
    connect(Command6, &QPushButton::clicked, this, &Form1::Command6_Click);
    connect(PictureLabelLogo, &ImageBox::clicked, this, &Form1::PictureLabelLogo_Click);
}

void Form1::createMenus()
{
    QMenuBar *bar = menuBar();
    for (const Menu &entry : kMenus) {
        QMenu *m = bar->addMenu(text(entry.caption));
        m->setObjectName(QLatin1String(entry.name));
        this->*entry.menu = m;
    }
    for (const Item &entry : kItems) {
        QMenu *in = this->*entry.menu;
        if (entry.action) {
            QAction *a = in->addAction(text(entry.caption));
            a->setObjectName(QLatin1String(entry.name));
            a->setShortcuts(entry.key);
            this->*entry.action = a;
        } else if (qstrcmp(entry.caption, "-") == 0) {
            in->addSeparator()->setObjectName(QLatin1String(entry.name));
        } else {
            sCloseUp = in->addMenu(text(entry.caption));
            sCloseUp->setObjectName(QLatin1String(entry.name));
            sCloseUp->menuAction()->setObjectName(QLatin1String(entry.name));
        }
    }
    connect(sOpen, &QAction::triggered, this, &Form1::sOpen_Click);
    connect(sPrint, &QAction::triggered, this, &Form1::sPrint_Click);
    connect(sExit, &QAction::triggered, this, &Form1::sExit_Click);
    const std::array<QAction *, 9> items = positions();
    for (int number = 1; number <= 9; ++number)
        connect(items[number - 1], &QAction::triggered, this, [this, number] { sPosition_Click(number); });
    connect(sOptions, &QAction::triggered, this, &Form1::sOptions_Click);
    connect(sScriptEditor, &QAction::triggered, this, &Form1::sScriptEditor_Click);
    connect(sHelp, &QAction::triggered, this, &Form1::sHelp_Click);
    connect(sAbout, &QAction::triggered, this, &Form1::sAbout_Click);
    // F10 opens the first menu, as on most desktops.
    new QShortcut(QKeySequence(Qt::Key_F10), this, [this] { menuBar()->setActiveAction(mFile->menuAction()); });
}

std::array<QAction *, 9> Form1::positions() const
{
    return {sPosition1, sPosition2, sPosition3, sPosition4, sPosition5, sPosition6, sPosition7, sPosition8, sPosition9};
}

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    const auto box = std::find(Image1.begin(), Image1.end(), watched);
    if (box == Image1.end())
        return QMainWindow::eventFilter(watched, event);
    if (event->type() == QEvent::FocusIn) {
        for (ImageBox *other : Image1)
            other->setFocusPolicy(other == *box ? Qt::StrongFocus : Qt::ClickFocus);
    } else if (event->type() == QEvent::KeyPress) {
        return boardKey(int(box - Image1.begin()), static_cast<QKeyEvent *>(event));
    }
    return false;
}

bool Form1::boardKey(int index, const QKeyEvent *key)
{
    if (key->modifiers() & ~Qt::KeypadModifier)
        return false;
    // Each page key does what its button does, and nothing while the button is disabled.
    int to = index;
    switch (key->key()) {
    case Qt::Key_PageDown: Command4->click(); return true;
    case Qt::Key_PageUp: Command5->click(); return true;
    case Qt::Key_Home: m_board.GoToPage(1); return true;
    case Qt::Key_End: m_board.GoToPage(m_board.lastPage()); return true;
    case Qt::Key_Left: to = index - 1; break;
    case Qt::Key_Right: to = index + 1; break;
    case Qt::Key_Up: to = index - 3; break;
    case Qt::Key_Down: to = index + 3; break;
    default: return false;
    }
    if (to >= 0 && to < 9 && Image1[to]->isVisible())
        Image1[to]->setFocus(Qt::OtherFocusReason);
    return true;
}

void Form1::focusBoard()
{
    if (!m_board.hasBoard())
        return;
    const auto tabStop = std::find_if(Image1.begin(), Image1.end(),
                                      [](const ImageBox *box) { return box->focusPolicy() == Qt::StrongFocus; });
    if (tabStop != Image1.end() && (*tabStop)->isVisible())
        (*tabStop)->setFocus(Qt::OtherFocusReason);
}

void Form1::applyGeometry()
{
    for (int i = 0; i < 9; ++i) {
        const QRect &image = m_geometry.images[i];
        const QRect &label = m_geometry.labels[i];
        Image1[i]->setGeometry(twips::rect(image.x(), image.y(), image.width(), image.height()));
        SceneLabel[i]->setGeometry(twips::rect(label.x(), label.y(), label.width(), label.height()));
    }
    const QRect &frame = m_geometry.frame;
    Frame1->setGeometry(twips::rect(frame.x(), frame.y(), frame.width(), frame.height()));
}

QSizeF Form1::innerTwips() const
{
    const QSize inner = m_inner->size().grownBy(session::ownDecorations(windowHandle()));
    return QSizeF(inner.width() * twips::kPerPixel, inner.height() * twips::kPerPixel);
}

void Form1::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    // Only size changes of the shown window count, not the layout passes
    // Qt runs while the window is built.
    if (isVisible() && !m_inAlert)
        Form_Resize(innerTwips());
    // A window manager may still let an edge be dragged: once it has settled
    // (a maximise reports its size before its state), a restored window
    // that is not at its design size gets it back. A Wayland compositor
    // alone sizes windows: a tiling one keeps ours at its tile, the others
    // give the restored size back themselves. There the window takes the
    // size it is given, and a request of ours would only start a tug of war.
    if (isVisible() && m_designSize.isValid() && !session::isWayland())
        m_settle.start();
}

void Form1::keepDesignSize()
{
    if (windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen))
        return;
    // A busy machine may report a maximise's size well before its state: a
    // frame that fills the work area is that, not a drag, and is left alone.
    const QScreen *where = screen();
    if (where && frameGeometry().width() >= where->availableGeometry().width()
        && frameGeometry().height() >= where->availableGeometry().height())
        return;
    if (size() != m_designSize)
        resize(m_designSize);
}

void Form1::Form_Resize(QSizeF inner)
{
    board::SceneBoard &b = m_board;
    const QSize boxBefore = sceneBoxPixels();
    m_geometry = layout::smallLayout();
    b.Text5.setText(board::numberText(inner.width() / 2));
    b.Text6.setText(board::numberText(inner.height() / 2));

    // The window is taken back to its design size after the alert. When that
    // size change comes back still too large (a window manager that keeps
    // the window maximised, a tiling compositor that keeps its tile), the
    // layout goes on without alerting again, so the alert can never loop.
    const bool answerToAlert = m_awaitingDesignSize;
    m_awaitingDesignSize = false;
    if (layout::needsAlert(b.Text5.Text(), b.Text6.Text()) && b.AlertsAreOn.toBool() && !answerToAlert && !m_inAlert
        && layout::screenMayAlert(m_platform.screen->size()) && !m_alertedSizes.contains(inner)) {
        m_alertedSizes.append(inner);
        m_inAlert = true;
        m_platform.messages->show(this, QString::fromUtf8(texts::kUnsupportedResolution));
        // A maximised window will not take a new size: return it to normal first.
        setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowFullScreen));
        const QSize design(twips::toPixels(layout::kInnerWidth), twips::toPixels(layout::kInnerHeight));
        // A Wayland compositor ends a client that draws its maximised window at
        // another size before the compositor has restored it: there the design
        // size follows the compositor's answer (keepDesignSize).
        if (!session::isWayland())
            resize(design.width(), design.height() + (height() - m_inner->height()));
        // Most window systems answer the request later, with a resize of their own.
        m_awaitingDesignSize = m_inner->size() != design;
        m_inAlert = false;
        // The run the new size causes, done here on the design inner area so
        // it settles whatever the window system does with the request.
        Form_Resize(QSizeF(layout::kInnerWidth, layout::kInnerHeight));
    }
    if (layout::isMedium(b.Text5.Text()))
        layout::grow(m_geometry, layout::kMedium, layout::kMediumGrowWidth, layout::kMediumGrowHeight, layout::kMediumGrowFrame);
    if (layout::isLarge(b.Text5.Text(), b.Text6.Text()))
        layout::grow(m_geometry, layout::kLarge, layout::kLargeGrowWidth, layout::kLargeGrowHeight, layout::kLargeGrowFrame);
    applyGeometry();
    if (sceneBoxPixels() != boxBefore)
        decodeAtBoxSize();
}

void Form1::decodeAtBoxSize()
{
    // Pictures decoded for the old box size would show enlarged and blurred.
    // A file gone since the page was shown gives the blank picture, and no
    // second message.
    if (std::all_of(m_board.Image1.begin(), m_board.Image1.end(), [](const board::SceneBox &box) { return box.picture.file.isEmpty(); }))
        return;
    m_platform.pointer->setBusy(true);
    for (board::SceneBox &box : m_board.Image1)
        box.picture = board::atSize(*m_platform.loader, box.picture, sceneBoxPixels());
    m_platform.pointer->setBusy(false);
    updateFromBoard();
}

void Form1::start()
{
    m_board.Form_Load();
    // The design size is what the window returns to when it is restored, and
    // the smallest it gets: its border is fixed, it only maximises and restores.
    // Window managers maximise only windows they may resize (openbox drops
    // maximise when the Motif hints turn resizing off), so the window keeps
    // its size itself (resizeEvent).
    m_designSize = QSize(twips::toPixels(layout::kInnerWidth),
                         twips::toPixels(layout::kInnerHeight) + menuBar()->sizeHint().height());
    resize(m_designSize);
    setMinimumSize(m_designSize);
    showMaximized();
    if (offerRecovery())
        return;
    windowpolicy::show(window<BeginOption>());
}

// Every secondary window is made here on first use: created, its signals
// connected (windows talk to each other only through the main window) and
// its load step run. How windows show is the window policy's.
template <typename W>
W *Form1::window()
{
    QPointer<W> &made = std::get<QPointer<W>>(m_windows);
    if (made)
        return made;
    if constexpr (std::is_same_v<W, BeginOption>) {
        made = new BeginOption(this);
        connect(made, &BeginOption::layoutChosen, this, [this] {
            m_board.GoSmall = true;
            m_board.BeginBoard();
            windowpolicy::bringToFront(this);
            focusBoard();
        });
        made->Form_Load();
    } else if constexpr (std::is_same_v<W, ScriptEditor>) {
        made = new ScriptEditor(m_platform, this);
        connect(made, &ScriptEditor::sceneScriptWritten, this, [this](const QString &entry) {
            m_board.SceneText = entry;
            updateFromBoard();
        });
        connect(made, &ScriptEditor::closedByUser, this, [this] { m_board.GoShowOpenDialog = false; });
        connect(made, &ScriptEditor::unsavedScriptsChanged, this, &Form1::keepRecoveryCopy);
        // A script written or loaded: the scene boxes describe it.
        connect(made, &ScriptEditor::unsavedScriptsChanged, this, &Form1::describeBoard);
        made->Form_Load(m_board.Text2.Text());
    } else if constexpr (std::is_same_v<W, PrintPreviewDialog>) {
        made = new PrintPreviewDialog(m_platform, printSheets(), this);
        // Filling the sheets reads the scripts by selecting them: the Script
        // Editor's unwritten draft comes back afterwards, as at Save.
        board::ScriptListAccess &list = scriptList();
        scriptEditor()->keepingDraft([&] { made->Form_Load(m_board, list); });
    } else if constexpr (std::is_same_v<W, frmOptions>) {
        made = new frmOptions(m_board, this);
        connect(made, &frmOptions::boardChanged, this, &Form1::updateFromBoard);
        // Reaching the list creates the Script Editor, which keeps its tips
        // as state for when it is next shown.
        connect(made, &frmOptions::toolTipsApplied, this, [this](bool on) { scriptList().setToolTips(on); });
        made->Form_Load();
    } else if constexpr (std::is_same_v<W, Quorvadine>) {
        made = new Quorvadine(*m_platform.loader); // no owner: the main window may cover it
        made->Form_Load(m_board);
    } else {
        static_assert(std::is_same_v<W, Help> || std::is_same_v<W, frmAbout>);
        made = new W(this);
        made->Form_Load();
    }
    return made;
}

BeginOption *Form1::beginOption() const { return std::get<QPointer<BeginOption>>(m_windows); }
frmOptions *Form1::options() const { return std::get<QPointer<frmOptions>>(m_windows); }
Help *Form1::help() const { return std::get<QPointer<Help>>(m_windows); }
frmAbout *Form1::about() const { return std::get<QPointer<frmAbout>>(m_windows); }
ScriptEditor *Form1::scriptEditor() const { return std::get<QPointer<ScriptEditor>>(m_windows); }
PrintPreviewDialog *Form1::printPreviewDialog() const { return std::get<QPointer<PrintPreviewDialog>>(m_windows); }
Quorvadine *Form1::closeUp() const { return std::get<QPointer<Quorvadine>>(m_windows); }

void Form1::updateFromBoard()
{
    const board::SceneBoard &b = m_board;
    for (int i = 0; i < 9; ++i) {
        SceneLabel[i]->setText(b.SceneLabel[i]);
        Image1[i]->setVisible(b.Image1[i].visible);
        Image1[i]->setPicture(b.Image1[i].picture);
        Image1[i]->setToolTip(b.Image1ToolTip[i]);
        Image1[i]->setBorder(b.Image1Border);
        palette::setBackground(SceneLabel[i], b.SceneLabelBackColor);
    }
    palette::setBackground(m_inner, b.BackColor);
    Command1->setToolTip(b.Command1ToolTip);
    Command2->setToolTip(b.Command2ToolTip);
    Command3->setToolTip(b.Command3ToolTip);
    FrameTotal->setText(b.FrameTotal);
    PageCurrent->setText(b.PageCurrent);
    Command4->setEnabled(b.Command4.enabled);
    palette::setBackground(Command4, b.Command4.colour);
    Command5->setEnabled(b.Command5.enabled);
    palette::setBackground(Command5, b.Command5.colour);
    Command1->setEnabled(b.Command1Enabled);
    Command2->setEnabled(b.Command2Enabled);
    BigPreview->setPicture(b.BigPreview);
    FatViewSceneLabel->setText(b.FatViewSceneLabel);
    if (SceneText->toPlainText() != b.SceneText)
        SceneText->setPlainText(b.SceneText);
    sPrint->setEnabled(b.sPrintEnabled);
    sScriptEditor->setEnabled(b.sScriptEditorEnabled);
    for (QAction *position : positions())
        position->setEnabled(b.sPositionEnabled);
    describeBoard();
}

// What a screen reader reads of the board: each box by its scene's number,
// with the start of the scene's script; the current position selected; and
// each new page told.
void Form1::describeBoard()
{
    const board::SceneBoard &b = m_board;
    for (int i = 0; i < 9; ++i) {
        const QString scene = b.SceneLabel[i].section(u':', 1).trimmed();
        Image1[i]->setAccessibleName(text(texts::kSceneName).arg(scene));
        // Until the Script Editor is made, every scene is without a script.
        const QString script = scriptEditor() ? scriptEditor()->scriptOf(scene.toInt()) : text(scripts::kEmptyScript);
        Image1[i]->setAccessibleDescription(script.left(80));
        Image1[i]->setSelected(b.hasBoard() && b.d.toInt() == i);
    }
    const int page = b.hasBoard() ? b.Amounted.toInt() : 0;
    const QString pageOf = text(texts::kPageOf).arg(page).arg(b.lastPage());
    PageCurrent->setAccessibleName(page ? pageOf : QString());
    if (page && page != m_announcedPage)
        accessible::announce(this, pageOf);
    m_announcedPage = page;
}

QSize Form1::sceneBoxPixels() const
{
    return Image1[0]->size() * devicePixelRatio();
}

QSize Form1::previewPixels() const
{
    return BigPreview->size() * devicePixelRatio();
}

board::ScriptListAccess &Form1::scriptList()
{
    return *window<ScriptEditor>();
}

void Form1::discardScriptEditor()
{
    delete scriptEditor();
    // The scripts are gone, and their copy with them, except at a logout
    // that could not ask.
    if (m_sessionEnd != SessionEnd::KeepCopy)
        dropRecoveryCopy();
}

void Form1::Image1_Click(int index)
{
    m_board.SelectPosition(index, scriptList());
}

void Form1::sPosition_Click(int number)
{
    // The whole selection runs first, so a close-up that loads now takes it.
    m_board.SelectPosition(number - 1, scriptList());
    showCloseUp();
}

void Form1::BigPreview_Click()
{
    showCloseUp();
}

void Form1::showCloseUp()
{
    windowpolicy::show(window<Quorvadine>());
}

void Form1::sOpen_Click()
{
    if (!scriptsMayGo())
        return;
    m_board.FirstStep();
    focusBoard();
}

// Pictures dropped on the window load as if chosen in the picture dialog.
void Form1::loadDropped(const DialogResult &dropped)
{
    if (!scriptsMayGo())
        return;
    m_board.LoadPictures(dropped);
    focusBoard();
}

// Scripts written since the last Save or Load go only when the user says so:
// Yes saves them first (and a failed save keeps everything), No lets them
// go, Cancel keeps the board, the scripts and the windows as they are.
bool Form1::scriptsMayGo()
{
    if (!scriptEditor() || !scriptEditor()->hasUnsavedScripts())
        return true;
    switch (m_platform.messages->ask(this, texts::text(texts::kUnsavedScripts))) {
    case MessageBox::Answer::Yes:
        return scriptEditor()->Save();
    case MessageBox::Answer::No:
        return true;
    case MessageBox::Answer::Cancel:
        break;
    }
    return false;
}

void Form1::sScriptEditor_Click()
{
    m_board.GoShowOpenDialog = true;
    m_board.CloseScene();
    windowpolicy::show(window<ScriptEditor>());
}

void Form1::sPrint_Click()
{
    // Open since before the last "Print Setup": brought forward, not refilled.
    windowpolicy::show(window<PrintPreviewDialog>());
}

PrintSheets &Form1::printSheets()
{
    if (!m_printSheets)
        m_printSheets = std::make_unique<PrintSheets>();
    return *m_printSheets;
}

void Form1::sExit_Click()
{
    close();
}

void Form1::sOptions_Click()
{
    windowpolicy::show(window<frmOptions>());
}

void Form1::sHelp_Click()
{
    windowpolicy::show(window<Help>());
}

void Form1::sAbout_Click()
{
    windowpolicy::show(window<frmAbout>());
}

void Form1::Command6_Click()
{
    sHelp_Click();
}

void Form1::PictureLabelLogo_Click()
{
    sAbout_Click();
}

void Form1::closeEvent(QCloseEvent *event)
{
    if (!m_unloading && m_sessionEnd == SessionEnd::None && !scriptsMayGo()) {
        event->ignore();
        return;
    }
    Form_Unload();
    event->accept();
    QCoreApplication::quit();
}

void Form1::Form_Unload()
{
    if (m_unloading)
        return;
    m_unloading = true;
    // In the design's order; each open window runs its own unload step.
    discardScriptEditor();
    for (QWidget *open : std::initializer_list<QWidget *>{beginOption(), about(), help(), printPreviewDialog(), closeUp()})
        if (open)
            open->close();
    m_printSheets.reset();
    // Whatever is left, the options window included, goes without further steps.
    delete options();
}

// The recovery copy holds the scripts while no script file does: written at
// every script written, gone with a Save or Load, with the scripts
// themselves (a new board, quitting) and when the user says No at start.
// Only this program's own copy: another program's is never touched.
void Form1::keepRecoveryCopy(bool unsaved)
{
    if (!unsaved) {
        dropRecoveryCopy();
        return;
    }
    m_recovery.write({m_board.chosenPictures(), scriptEditor()->entryString()});
}

void Form1::dropRecoveryCopy()
{
    m_recovery.remove();
}

// Before the layout choice, one question for each copy that a program no
// longer running left behind, newest first: Yes loads its pictures and
// scripts as if they had been chosen and loaded, and the copy becomes this
// program's own; No throws it away; Cancel leaves it for the next start. A
// damaged copy is told of, its pictures offered when they can be read. True
// when a board is back.
bool Form1::offerRecovery()
{
    for (const RecoveryStore::Found &found : m_recovery.leftBehind()) {
        if (found.copy) {
            const MessageBox::Answer answer = m_platform.messages->ask(this, texts::text(texts::kRecoverScripts));
            if (answer == MessageBox::Answer::No)
                m_recovery.drop(found);
            if (answer != MessageBox::Answer::Yes)
                continue;
        } else {
            const QString message = QString::fromUtf8(found.pictures.isEmpty() ? texts::kRecoveryUnreadable
                                                                                : texts::kRecoveryPicturesOnly)
                                        .arg(found.fileName)
                                    + u'\n' + found.why;
            if (found.pictures.isEmpty())
                m_platform.messages->show(this, message);
            if (found.pictures.isEmpty() || m_platform.messages->ask(this, message) != MessageBox::Answer::Yes)
                continue;
        }
        m_board.LoadPictures(DialogResult{found.pictures});
        // Taken only with its board: without one the copy stays for the next start.
        if (found.copy && m_board.hasBoard()) {
            m_recovery.take(found);
            scriptList();
            scriptEditor()->restoreScripts(found.copy->entryString);
        }
        focusBoard();
        break;
    }
    m_recovery.release();
    return m_board.hasBoard();
}

bool Form1::endSession(bool mayAsk)
{
    if (!mayAsk) {
        m_sessionEnd = SessionEnd::KeepCopy;
        return true;
    }
    if (!scriptsMayGo())
        return false;
    // Answered: the windows close without asking again.
    m_sessionEnd = SessionEnd::Asked;
    return true;
}

void Form1::watchSession()
{
    // Qt closes the windows after this; the session manager lets a program
    // talk to the user only when it grants interaction.
    connect(qGuiApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager &manager) {
        if (!scriptEditor() || !scriptEditor()->hasUnsavedScripts())
            return;
        if (!endSession(manager.allowsInteraction()))
            manager.cancel();
        manager.release();
    });
}

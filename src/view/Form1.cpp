#include "view/Form1.h"

#include "board/Texts.h"
#include "platform/ImageBox.h"
#include "platform/Palette.h"
#include "platform/Twips.h"
#include "platform/WindowSystem.h"
#include "printing/PrintPreviewDialog.h"
#include "resources/StoredBitmaps.h"
#include "view/BeginOption.h"
#include "view/FormLayout.h"
#include "view/MenuTree.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWindow>

namespace {
QString text(const char *literal) { return QString::fromUtf8(literal); }

QPushButton *button(QWidget *parent, const char *name, const char *caption)
{
    auto *b = new QPushButton(text(caption), parent);
    b->setObjectName(QLatin1String(name));
    b->setFocusPolicy(Qt::TabFocus);
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
    , m_board({platform.pictures, platform.messages, platform.pointer, platform.loader}, *this)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(text(texts::kMainCaption));
    setWindowIcon(resources::appIcon());
    createControls();
    createMenus();
    applySmallLayout();
    updateFromBoard();
}

Form1::~Form1()
{
    m_unloading = true;
    delete m_beginOption;
    delete m_printPreviewDialog;
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
    FatViewSceneLabel = label(Frame1, "FatViewSceneLabel", QString());
    palette::setBackground(FatViewSceneLabel, colours::kBlack);
    palette::setForeground(FatViewSceneLabel, colours::kGrey);
    SceneText = new QPlainTextEdit(Frame1);
    SceneText->setObjectName(QStringLiteral("SceneText"));
    SceneText->setReadOnly(true);
    SceneText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    palette::setBackground(SceneText, colours::kWhite);
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

    connect(Command4, &QPushButton::clicked, this, [this] { m_board.Command4_Click(); });
    connect(Command5, &QPushButton::clicked, this, [this] { m_board.Command5_Click(); });
}

void Form1::createMenus()
{
    QMenuBar *bar = menuBar();
    for (const menus::Entry &entry : menus::kMenus) {
        QMenu *m = bar->addMenu(text(entry.caption));
        m->setObjectName(QLatin1String(entry.name));
        m_menus.insert(entry.name, m);
    }
    for (const menus::Entry &entry : menus::kItems) {
        QMenu *parentMenu = m_menus.value(entry.submenu ? entry.submenu : entry.menu);
        QAction *a = nullptr;
        if (qstrcmp(entry.caption, "-") == 0) {
            a = parentMenu->addSeparator();
        } else if (qstrcmp(entry.name, "sCloseUp") == 0) {
            QMenu *sub = parentMenu->addMenu(text(entry.caption));
            sub->setObjectName(QLatin1String(entry.name));
            m_menus.insert(entry.name, sub);
            a = sub->menuAction();
        } else {
            a = parentMenu->addAction(text(entry.caption));
        }
        a->setObjectName(QLatin1String(entry.name));
        m_actions.insert(entry.name, a);
    }
    connect(action("sOpen"), &QAction::triggered, this, &Form1::sOpen_Click);
    connect(action("sExit"), &QAction::triggered, this, &Form1::sExit_Click);
    connect(action("sPrint"), &QAction::triggered, this, &Form1::sPrint_Click);
}

void Form1::applySmallLayout()
{
    const layout::Column &c = layout::kSmall;
    for (int i = 0; i < 9; ++i) {
        const int row = i / 3, column = i % 3;
        Image1[i]->setGeometry(twips::rect(c.lefts[column], c.imageTops[row], c.imageWidth, c.imageHeight));
        SceneLabel[i]->setGeometry(twips::rect(c.lefts[column], c.labelTops[row], c.imageWidth, layout::kLabelHeight));
    }
    Frame1->setGeometry(twips::rect(c.frameLeft, layout::kFrameTop, c.frameWidth, layout::kFrameHeight));
}

void Form1::start()
{
    m_board.Form_Load();
    showMaximized();
    m_beginOption = new BeginOption(*this);
    m_beginOption->Form_Load();
    m_beginOption->show();
    if (windowHandle() && m_beginOption->windowHandle())
        m_beginOption->windowHandle()->setTransientParent(windowHandle());
}

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
    action("sPrint")->setEnabled(b.sPrintEnabled);
    action("sScriptEditor")->setEnabled(b.sScriptEditorEnabled);
    for (int i = 1; i <= 9; ++i)
        action(QByteArray("sPosition" + QByteArray::number(i)).constData())->setEnabled(b.sPositionEnabled);
}

QSize Form1::sceneBoxPixels() const
{
    return Image1[0]->size() * devicePixelRatio();
}

namespace {
// Until the Script Editor exists: a list that holds the header alone.
class HeaderOnlyList : public board::ScriptListAccess
{
public:
    int entryCount() override { return 1; }
    void selectEntry(int) override {}
    QString selectedEntryText() override { return QString(); }
    int selectedIndex() override { return -1; }
    void setToolTips(bool) override {}
};
} // namespace

board::ScriptListAccess &Form1::scriptList()
{
    static HeaderOnlyList list;
    return list;
}

void Form1::discardScriptEditor()
{
}

void Form1::sOpen_Click()
{
    m_board.FirstStep();
}

void Form1::sPrint_Click()
{
    if (m_printPreviewDialog) {
        // Open since before the last "Print Setup": brought forward, not refilled.
        m_printPreviewDialog->show();
        m_printPreviewDialog->raise();
        m_printPreviewDialog->activateWindow();
        return;
    }
    m_printPreviewDialog = new PrintPreviewDialog(*this);
    m_printPreviewDialog->Form_Load(scriptList());
    m_printPreviewDialog->show();
}

PrintPreviewDialog *Form1::printPreviewDialog() const
{
    return m_printPreviewDialog;
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

void Form1::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    event->accept();
    QCoreApplication::quit();
}

void Form1::Form_Unload()
{
    if (m_unloading)
        return;
    m_unloading = true;
    discardScriptEditor();
    if (m_beginOption)
        m_beginOption->close();
    if (m_printPreviewDialog)
        m_printPreviewDialog->close();
    m_printSheets.reset();
}

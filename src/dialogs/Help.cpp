#include "dialogs/Help.h"

#include "dialogs/DialogLayout.h"
#include "dialogs/DialogTexts.h"
#include "dialogs/HelpTopics.h"
#include "resources/StoredBitmaps.h"
#include "resources/Texts.h"
#include "widgets/DesignFont.h"
#include "widgets/LineControl.h"
#include "widgets/Palette.h"
#include "widgets/Twips.h"

#include <QCloseEvent>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

namespace {
using texts::text;

// The list keeps its titles in alphabetical order regardless of case, as
// users expect to find "empty" among the E's.
void insertSorted(QListWidget *list, const QString &title)
{
    int row = 0;
    while (row < list->count() && QString::compare(list->item(row)->text(), title, Qt::CaseInsensitive) <= 0)
        ++row;
    list->insertItem(row, title);
}
} // namespace

Help::Help(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                           | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("Help"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(text(dialogtexts::kHelpCaption));
    setFont(designfont::of(font()));
    palette::setBackground(this, colours::kWindow);
    setFixedSize(twips::toPixels(dialoglayout::kHelpClient.width), twips::toPixels(dialoglayout::kHelpClient.height));

    // Lines first: the letters and the text box lie above them.
    std::array<LineControl **, 6> lineSlots{&Line1, &Line2, &Line3, &Line4, &Line5, &Line6};
    for (std::size_t i = 0; i < lineSlots.size(); ++i) {
        const dialoglayout::LinePlace &p = dialoglayout::kHelpLines[i];
        *lineSlots[i] = new LineControl(this, p.x1, p.y1, p.x2, p.y2);
        (*lineSlots[i])->setObjectName(QLatin1String(p.name));
        (*lineSlots[i])->setVisible(false);
    }

    List1 = new QListWidget(this);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setSortingEnabled(false);
    List1->setSelectionMode(QAbstractItemView::SingleSelection);
    List1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    palette::setBackground(List1, colours::kWindow);
    palette::setForeground(List1, colours::kBlack);

    Text1 = new QPlainTextEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setReadOnly(true);
    Text1->setFrameShape(QFrame::NoFrame);
    palette::setBackground(Text1, colours::kWindow);
    palette::setForeground(Text1, colours::kBlack);
    Text1->setFont(designfont::of(Text1->font(), dialoglayout::kHelpTextPoints));

    Command1 = new QPushButton(text(dialogtexts::kClose), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    palette::setBackground(Command1, colours::kWindow);

    for (std::size_t i = 0; i < Label1.size(); ++i) {
        Label1[i] = new QLabel(text(dialogtexts::kSleepLetters[i]), this);
        Label1[i]->setObjectName(QStringLiteral("Label1"));
        palette::setBackground(Label1[i], colours::kWindow);
        palette::setForeground(Label1[i], colours::kBlack);
        Label1[i]->setVisible(false);
    }
    QFont bold = Label1[2]->font();
    bold.setBold(true);
    bold.setPointSizeF(8.25);
    Label1[2]->setFont(bold);

    for (const dialoglayout::Place &place : dialoglayout::kHelpPlaces)
        control(place.name, place.index)->setGeometry(twips::rect(place.left, place.top, place.width, place.height));
    List1->setAccessibleName(text(dialogtexts::kTopicsName));
    Text1->setAccessibleName(text(dialogtexts::kTopicTextName));
    setTabOrder(List1, Text1);
    setTabOrder(Text1, Command1);
    Command1->setDefault(true);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);

    connect(Timer1, &QTimer::timeout, this, &Help::Timer1_Timer);
    // A selection change, not a change of the current row: the list taking
    // focus makes a row current without the user choosing anything.
    connect(List1, &QListWidget::itemSelectionChanged, this, &Help::List1_Click);
    connect(Command1, &QPushButton::clicked, this, &Help::Command1_Click);
}

QWidget *Help::control(const char *name, int index) const
{
    const QByteArray n(name);
    if (n == "List1") return List1;
    if (n == "Text1") return Text1;
    if (n == "Command1") return Command1;
    if (n == "Label1" && index >= 0 && index < int(Label1.size())) return Label1[index];
    for (LineControl *line : lines()) {
        if (line->objectName() == QLatin1String(name))
            return line;
    }
    return nullptr;
}

void Help::Form_Load()
{
    IntroOn = 1;
    StepCount = -1;
    FadeIndex = -1;
    EraseEach = false;
    setPicture(2003);
    Text1->setEnabled(false);
    FillTopics();
    Timer1->start();
}

void Help::FillTopics()
{
    for (const help::Topic &topic : help::kTopics)
        insertSorted(List1, text(topic.title));
}

void Help::Timer1_Timer()
{
    if (IntroOn == 1)
        StepIntro();
}

void Help::StepIntro()
{
    StepCount = qint16(StepCount + 1);
    if (StepCount == 3) {
        EraseEach = true;
        FadeIndex = -1;
    }
    if (!EraseEach) {
        Label1[StepCount]->setVisible(true);
        return;
    }
    FadeIndex = qint16(FadeIndex + 1);
    if (FadeIndex == 3) {
        EraseEach = false;
        StepCount = -1;
        return;
    }
    Label1[FadeIndex]->setVisible(false);
}

void Help::List1_Click()
{
    IntroOn = 0;
    setPicture(2004);
    for (QLabel *letter : Label1)
        letter->setVisible(false);
    Text1->setEnabled(true);
    for (LineControl *line : lines())
        line->setVisible(true);
    ShowTopic();
}

void Help::ShowTopic()
{
    const QList<QListWidgetItem *> selected = List1->selectedItems();
    const QString chosen = selected.isEmpty() ? QString() : selected.first()->text();
    for (const help::Topic &topic : help::kTopics) {
        if (chosen == text(topic.title))
            Text1->setPlainText(text(topic.text));
    }
}

void Help::Command1_Click()
{
    close();
}

void Help::setPicture(int resource)
{
    m_picture = storedPicture(resource);
    update();
}

void Help::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), m_picture.image);
}

void Help::closeEvent(QCloseEvent *event)
{
    Timer1->stop();
    event->accept();
}

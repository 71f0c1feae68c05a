#include "scripts/ScriptEditor.h"

#include "board/SceneBoard.h"
#include "interfaces/Dialogs.h"
#include "resources/Texts.h"
#include "resources/TipTable.h"
#include "scripts/EditBay.h"
#include "scripts/ScriptEditorDesign.h"
#include "scripts/ScriptFile.h"
#include "scripts/ScriptText.h"
#include "widgets/DesignFont.h"
#include "widgets/Palette.h"
#include "widgets/Twips.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyledItemDelegate>

namespace {
using texts::text;

// Items show the start of their entry: a row holds some 80 characters, and
// eliding a long entry to that would lay it out whole at every paint.
class ClippedEntries : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        constexpr qsizetype kShown = 200;
        if (option->text.size() > kShown)
            option->text.truncate(option->text.at(kShown - 1).isHighSurrogate() ? kShown - 1 : kShown);
    }
};
} // namespace

ScriptEditor::ScriptEditor(const Platform &platform, QWidget *parent)
    : QWidget(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
    , m_platform(platform)
{
    setObjectName(QStringLiteral("ScriptEditor"));
    setWindowTitle(text(scriptdesign::kCaption));
    setFont(designfont::of(font()));
    palette::setBackground(this, scriptdesign::kBackground);
    setFixedSize(twips::toPixels(scriptdesign::kClientWidth), twips::toPixels(scriptdesign::kClientHeight));
    createControls();
}

void ScriptEditor::createControls()
{
    List1 = new QListWidget(this);
    List1->setSelectionMode(QAbstractItemView::SingleSelection);
    // One line each, as the design's list box shows them: a loaded file of
    // many entries is laid out at once instead of measured entry by entry.
    List1->setUniformItemSizes(true);
    List1->setItemDelegate(new ClippedEntries(List1));
    Label1 = new QLabel(this);
    Label1->setAlignment(Qt::AlignCenter);
    ScriptIndexLabel = new QLabel(this);
    ScriptTextBox = new EditBay(this);
    Command1 = new QPushButton(this);
    Command3 = new QPushButton(this);
    Command4 = new QPushButton(this);
    Command2 = new QPushButton(this);
    List1->setObjectName(QStringLiteral("List1"));
    Label1->setObjectName(QStringLiteral("Label1"));
    ScriptIndexLabel->setObjectName(QStringLiteral("ScriptIndexLabel"));
    ScriptTextBox->setObjectName(QStringLiteral("ScriptTextBox"));
    Command1->setObjectName(QStringLiteral("Command1"));
    Command3->setObjectName(QStringLiteral("Command3"));
    Command4->setObjectName(QStringLiteral("Command4"));
    Command2->setObjectName(QStringLiteral("Command2"));

    for (const scriptdesign::Control &c : scriptdesign::kControls) {
        auto *w = findChild<QWidget *>(QLatin1String(c.name), Qt::FindDirectChildrenOnly);
        w->setGeometry(twips::rect(c.left, c.top, c.width, c.height));
        palette::setBackground(w, c.background);
        palette::setForeground(w, c.foreground);
        if (auto *b = qobject_cast<QPushButton *>(w)) {
            b->setText(text(c.caption));
            b->setAutoDefault(true); // Enter presses the focused button
        }
        else if (auto *l = qobject_cast<QLabel *>(w))
            l->setText(text(c.caption));
    }
    for (const scriptdesign::Tip &tip : scriptdesign::kToolTips)
        findChild<QWidget *>(QLatin1String(tip.control), Qt::FindDirectChildrenOnly)->setToolTip(text(tip.first));
    Command1->setEnabled(false);
    List1->setAccessibleName(text(scriptdesign::kListName));
    ScriptTextBox->setAccessibleName(text(scriptdesign::kEditBayName));
    // Tab goes on to the next control: scripts hold no tabs typed by the user.
    ScriptTextBox->setTabChangesFocus(true);

    connect(List1, &QListWidget::itemSelectionChanged, this, [this] {
        if (selectedIndex() >= 0)
            List1_Click();
    });
    connect(Command1, &QPushButton::clicked, this, &ScriptEditor::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &ScriptEditor::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &ScriptEditor::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &ScriptEditor::Command4_Click);
}

void ScriptEditor::Form_Load(const QString &imageCount)
{
    RichTextBox1.Left = board::SceneBoard::kParked;
    const QSignalBlocker blocker(List1);
    List1->addItems(scripts::freshList(imageCount.isEmpty() ? 0 : imageCount.toInt()));
}

int ScriptEditor::entryCount()
{
    return List1->count();
}

void ScriptEditor::selectEntry(int n)
{
    if (n < 0 || n >= List1->count())
        return; // no such item: nothing to select, nothing to run
    {
        const QSignalBlocker blocker(List1);
        List1->setCurrentRow(n, QItemSelectionModel::ClearAndSelect);
    }
    List1_Click();
}

QString ScriptEditor::selectedEntryText()
{
    const int index = selectedIndex();
    return index < 0 ? QString() : List1->item(index)->text();
}

int ScriptEditor::selectedIndex()
{
    const QList<QListWidgetItem *> selected = List1->selectedItems();
    return selected.isEmpty() ? -1 : List1->row(selected.first());
}

void ScriptEditor::setToolTips(bool on)
{
    for (const scriptdesign::Tip &tip : scriptdesign::kToolTips) {
        findChild<QWidget *>(QLatin1String(tip.control), Qt::FindDirectChildrenOnly)
            ->setToolTip(on ? text(tips::tipFor(tips::Window::ScriptEditor, tip.control)) : QString());
    }
}

void ScriptEditor::clearSelection()
{
    const QSignalBlocker blocker(List1);
    List1->clearSelection();
    List1->setCurrentRow(-1);
}

void ScriptEditor::List1_Click()
{
    const int index = selectedIndex();
    if (index < 0)
        return;
    // A text comparison, as ever: an entry that reads "SCENES" counts as the header.
    if (List1->item(index)->text() == QLatin1String(scripts::kHeader)) {
        Command1->setEnabled(false);
        return;
    }
    ScriptIndexLabel->setText(text(scriptdesign::kScenePrefix) + QString::number(index));
    Command1->setEnabled(true);
    indexnumber = index;
    ScriptTextBox->setPlainText(scripts::StripEntryNumber(List1->item(index)->text()));
    ScriptTextBox->moveCursor(QTextCursor::Start);
}

void ScriptEditor::Command1_Click()
{
    const int selected = selectedIndex();
    const int target = indexnumber.toInt();
    if (selected < 1 || target < 1 || target > List1->count()) {
        // Nothing in the Edit bay belongs to an entry: there is nowhere to write.
        Command1->setEnabled(false);
        return;
    }
    const QString entry = indexnumber.toText() + u'.' + ScriptTextBox->toPlainText();
    ScriptTextBox->setPlainText(entry);
    Q_EMIT sceneScriptWritten(entry);
    {
        const QSignalBlocker blocker(List1);
        delete List1->takeItem(selected);
        List1->insertItem(qMin(target, List1->count()), entry);
    }
    clearSelection();
    Command1->setEnabled(false);
    ScriptTextBox->clear();
    indexnumber = 0;
    m_unsaved = true;
    Q_EMIT unsavedScriptsChanged(true);
}

void ScriptEditor::Command2_Click()
{
    hide();
    Q_EMIT closedByUser();
}

void ScriptEditor::closeEvent(QCloseEvent *event)
{
    // The close box does what Close does: hide, keeping every script.
    event->accept();
    Q_EMIT closedByUser();
}

void ScriptEditor::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        Command2_Click();
    else
        QWidget::keyPressEvent(event);
}

// Every entry's text in list order, read from the list: selecting each in
// turn, as the design walks it, would lay every entry out in the Edit bay
// and take minutes on a long file, then leave a draft replaced.
QString ScriptEditor::BuildScriptText()
{
    return entryString();
}

void ScriptEditor::ClearScriptList()
{
    const QSignalBlocker blocker(List1);
    while (List1->count() > 1)
        delete List1->takeItem(List1->count() - 1);
}

void ScriptEditor::ParseScriptText()
{
    const QStringList entries = scripts::ParseScriptText(RichTextBox1.Text());
    {
        const QSignalBlocker blocker(List1);
        List1->insertItems(1, entries);
    }
    indexnumber = int(entries.size());
    RichTextBox1.setText(QString());
}

void ScriptEditor::failed(const char *message, const QString &why)
{
    m_platform.pointer->setBusy(false);
    RichTextBox1.setText(QString());
    m_platform.messages->show(this, texts::withReason(message, why));
}

void ScriptEditor::Command4_Click()
{
    Save();
}

bool ScriptEditor::Save()
{
    const DialogResult chosen = m_platform.files->saveFile(this, text(scriptdesign::kSaveTitle), text(scriptdesign::kFilter));
    if (chosen.failed) {
        failed(texts::kSaveError);
        return false;
    }
    m_platform.pointer->setBusy(true);
    RichTextBox1.setText(BuildScriptText());
    atomicfile::Outcome outcome;
    const bool saved = scripts::saveScriptFile(scripts::scriptFileName(chosen.fileName), RichTextBox1.Text(), &outcome);
    if (!saved && !outcome.replaced) {
        failed(texts::kSaveError, outcome.why);
        return false;
    }
    m_platform.pointer->setBusy(false);
    RichTextBox1.setText(QString());
    // The file holds the scripts, though the disk did not confirm its name:
    // saved as far as can be told, but the user hears that it may not last.
    if (!saved)
        m_platform.messages->show(this, texts::withReason(texts::kSavedUnconfirmed, outcome.why));
    m_unsaved = false;
    Q_EMIT unsavedScriptsChanged(false);
    return true;
}

void ScriptEditor::Command3_Click()
{
    const DialogResult chosen = m_platform.files->openFile(this, text(scriptdesign::kLoadTitle), text(scriptdesign::kFilter));
    if (chosen.failed) {
        failed(texts::kLoadError);
        return;
    }
    m_platform.pointer->setBusy(true);
    const scripts::LoadedScript loaded = scripts::loadScriptFile(chosen.fileName);
    if (!loaded.ok) {
        failed(texts::kLoadError, loaded.why);
        return;
    }
    m_platform.pointer->setBusy(false);
    takeScriptText(loaded.text, false);
}

void ScriptEditor::takeScriptText(const QString &entryString, bool unsaved)
{
    RichTextBox1.setText(entryString);
    indexnumber = 0;
    Command1->setEnabled(false);
    // An empty document leaves the list as it was, its selection included.
    if (RichTextBox1.Text().isEmpty())
        return;
    // No entry is selected afterwards, so the write button could only write
    // into the wrong place.
    clearSelection();
    ClearScriptList();
    ParseScriptText();
    m_unsaved = unsaved;
    Q_EMIT unsavedScriptsChanged(unsaved);
}

QStringList ScriptEditor::entries() const
{
    QStringList items;
    for (int i = 0; i < List1->count(); ++i)
        items << List1->item(i)->text();
    return items;
}

QString ScriptEditor::entryString() const
{
    return scripts::BuildScriptText(entries().mid(1)); // past the header
}

QString ScriptEditor::scriptOf(int n) const
{
    return n >= 1 && n < List1->count() ? scripts::StripEntryNumber(List1->item(n)->text()) : QString();
}

void ScriptEditor::restoreScripts(const QString &entryString)
{
    takeScriptText(entryString, true);
}

void ScriptEditor::keepingDraft(const std::function<void()> &work)
{
    const EditState before = editState();
    work();
    restoreEditState(before);
}

ScriptEditor::EditState ScriptEditor::editState() const
{
    const QTextCursor cursor = ScriptTextBox->textCursor();
    const QList<QListWidgetItem *> selected = List1->selectedItems();
    return {selected.isEmpty() ? -1 : List1->row(selected.first()),
            ScriptIndexLabel->text(),
            ScriptTextBox->toPlainText(),
            cursor.position(),
            cursor.anchor(),
            Command1->isEnabled(),
            indexnumber};
}

void ScriptEditor::restoreEditState(const EditState &state)
{
    clearSelection();
    if (state.selected >= 0) {
        const QSignalBlocker blocker(List1);
        List1->setCurrentRow(state.selected, QItemSelectionModel::ClearAndSelect);
    }
    ScriptIndexLabel->setText(state.label);
    ScriptTextBox->setPlainText(state.bay);
    QTextCursor cursor = ScriptTextBox->textCursor();
    cursor.setPosition(state.anchor);
    cursor.setPosition(state.cursor, QTextCursor::KeepAnchor);
    ScriptTextBox->setTextCursor(cursor);
    Command1->setEnabled(state.writable);
    indexnumber = state.indexnumber;
}

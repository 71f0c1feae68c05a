#include "scripts/EditBay.h"

#include "scripts/ScriptText.h"

#include <QDropEvent>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextCursor>

#include <utility>

namespace {
// The characters a key press puts into the text, as the text box decides:
// nothing for Ctrl and Ctrl+Shift, which are shortcuts, or when the first
// character is not one it types; otherwise every character the event
// carries, whatever else is held (Alt, AltGr, Meta), controls left out.
QString typedText(const QKeyEvent *event)
{
    const QString text = event->text();
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if (text.isEmpty() || modifiers == Qt::ControlModifier
        || modifiers == (Qt::ControlModifier | Qt::ShiftModifier))
        return QString();
    const auto types = [](QChar c) {
        return c.isPrint() || c.isSurrogate() || c == u'\r' || c == u'\t'
               || c.category() == QChar::Other_Format || c.category() == QChar::Other_PrivateUse;
    };
    if (!types(text.front()))
        return QString();
    QString typed;
    for (QChar c : text) {
        if (types(c))
            typed += c;
    }
    return typed;
}
} // namespace

EditBay::EditBay(QWidget *parent)
    : QPlainTextEdit(parent)
{
}

void EditBay::selectMarker()
{
    if (toPlainText() == QLatin1String(scripts::kEmptyScript))
        selectAll();
}

void EditBay::focusInEvent(QFocusEvent *event)
{
    QPlainTextEdit::focusInEvent(event);
    selectMarker();
    // The click that gave the focus puts the cursor where it landed, after this.
    m_focusedByClick = event->reason() == Qt::MouseFocusReason;
}

void EditBay::mousePressEvent(QMouseEvent *event)
{
    QPlainTextEdit::mousePressEvent(event);
    if (std::exchange(m_focusedByClick, false))
        selectMarker();
}

qsizetype EditBay::room() const
{
    const QTextCursor cursor = textCursor();
    const qsizetype selected = cursor.selectionEnd() - cursor.selectionStart();
    return scripts::kMaxScriptLength - (toPlainText().size() - selected);
}

void EditBay::keyPressEvent(QKeyEvent *event)
{
    const QString typed = typedText(event);
    if (typed.isEmpty()) {
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    if (typed == QString(scripts::kSeparator)) {
        QTextCursor cursor = textCursor();
        const scripts::Range selection{cursor.selectionStart(), cursor.selectionEnd() - cursor.selectionStart()};
        const scripts::Range doomed = scripts::tildeKeyDeletion(toPlainText(), selection);
        cursor.setPosition(int(doomed.start));
        cursor.setPosition(int(doomed.start + doomed.length), QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
        setTextCursor(cursor);
        event->accept();
        return;
    }
    QString admitted = typed;
    admitted.remove(scripts::kSeparator);
    if (admitted.size() > room()) {
        event->accept(); // a keystroke goes in whole or not at all
        return;
    }
    if (admitted == event->text()) {
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    // Several characters at once, some of them "~" or controls.
    QTextCursor cursor = textCursor();
    cursor.insertText(admitted);
    setTextCursor(cursor);
    ensureCursorVisible();
    event->accept();
}

void EditBay::inputMethodEvent(QInputMethodEvent *event)
{
    if (!event->commitString().isEmpty()) {
        const QString admitted = scripts::admissibleInsertion(event->commitString(), room());
        event->setCommitString(admitted, event->replacementStart(), event->replacementLength());
    }
    QPlainTextEdit::inputMethodEvent(event);
}

void EditBay::insertFromMimeData(const QMimeData *source)
{
    if (!source || !source->hasText())
        return;
    QTextCursor cursor = textCursor();
    cursor.insertText(scripts::admissibleInsertion(source->text(), room()));
    setTextCursor(cursor);
    ensureCursorVisible();
}

bool EditBay::refuses(QDropEvent *event) const
{
    const QMimeData *data = event->mimeData();
    // A file manager's drag carries the files' addresses as text too.
    if (isReadOnly() || !data || !data->hasText() || data->hasUrls()
        || !event->possibleActions().testFlag(Qt::CopyAction)) {
        event->ignore();
        return true;
    }
    // Set before the text box sees a drop, so it keeps a dragged selection
    // of its own where it is, and again after, as it answers with the
    // action the source proposed.
    event->setDropAction(Qt::CopyAction);
    return false;
}

void EditBay::asCopy(QDropEvent *event)
{
    if (event->isAccepted())
        event->setDropAction(Qt::CopyAction);
}

void EditBay::dragEnterEvent(QDragEnterEvent *event)
{
    if (refuses(event))
        return;
    QPlainTextEdit::dragEnterEvent(event);
    asCopy(event);
}

void EditBay::dragMoveEvent(QDragMoveEvent *event)
{
    if (refuses(event))
        return;
    QPlainTextEdit::dragMoveEvent(event);
    asCopy(event);
}

void EditBay::dropEvent(QDropEvent *event)
{
    if (refuses(event))
        return;
    QPlainTextEdit::dropEvent(event); // inserts through insertFromMimeData
    asCopy(event);
}

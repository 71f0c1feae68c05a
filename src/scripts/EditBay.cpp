#include "scripts/EditBay.h"

#include "scripts/ScriptText.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextCursor>

namespace {
// The characters a key press would put into the text (shortcuts put none).
QString typedText(const QKeyEvent *event)
{
    if (event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))
        return QString();
    QString typed;
    for (QChar c : event->text()) {
        if (c.isPrint() || c == u'\r' || c == u'\t' || c.isSurrogate())
            typed += c;
    }
    return typed;
}
} // namespace

EditBay::EditBay(QWidget *parent)
    : QPlainTextEdit(parent)
{
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
    if (!typed.isEmpty() && typed.size() > room()) {
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
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

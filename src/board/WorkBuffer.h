#pragma once

#include <QString>

namespace board {

// A text with a caret and a selection. Every parsing step of the board runs on
// these six operations, so their exact behaviour (case-blind Find that searches
// only inside a selection, Span that stops before a character) is the board's
// behaviour. Positions count UTF-16 code units from 0.
class WorkBuffer
{
public:
    enum class Direction { Forward, Backward };

    QString Text() const { return m_text; }
    void setText(const QString &text);

    qsizetype SelStart() const { return m_selStart; }
    void setSelStart(qsizetype position);

    qsizetype SelLength() const { return m_selLength; }
    void setSelLength(qsizetype length);

    QString SelText() const { return m_text.mid(m_selStart, m_selLength); }
    void setSelText(const QString &replacement);

    // Case-blind search; true when a match became the selection. Without a
    // match caret and selection stay as they were.
    bool Find(const QString &needle);

    // Used only with a one-character set and negate = true: selects the run of
    // characters that are not `stop`, forward from SelStart or backward from
    // the caret.
    void Span(QChar stop, Direction direction);

    // Left edge in twips; the board parks its buffers out of sight.
    int Left = 0;

private:
    QString m_text;
    qsizetype m_selStart = 0;
    qsizetype m_selLength = 0;
};

} // namespace board

#include "board/WorkBuffer.h"

#include <algorithm>

namespace board {

void WorkBuffer::setText(const QString &text)
{
    m_text = text;
    m_selStart = 0;
    m_selLength = 0;
}

void WorkBuffer::setSelStart(qsizetype position)
{
    m_selStart = std::clamp<qsizetype>(position, 0, m_text.size());
    m_selLength = 0;
}

void WorkBuffer::setSelLength(qsizetype length)
{
    m_selLength = std::clamp<qsizetype>(length, 0, m_text.size() - m_selStart);
}

void WorkBuffer::setSelText(const QString &replacement)
{
    m_text.replace(m_selStart, m_selLength, replacement);
    m_selStart += replacement.size();
    m_selLength = 0;
}

bool WorkBuffer::Find(const QString &needle)
{
    const bool inSelection = m_selLength > 0;
    const QString haystack = inSelection ? SelText() : m_text;
    const qsizetype found = haystack.indexOf(needle, 0, Qt::CaseInsensitive);
    if (found < 0 || needle.isEmpty())
        return false;
    m_selStart = (inSelection ? m_selStart : 0) + found;
    m_selLength = needle.size();
    return true;
}

void WorkBuffer::Span(QChar stop, Direction direction)
{
    if (direction == Direction::Forward) {
        qsizetype end = m_text.indexOf(stop, m_selStart);
        if (end < 0)
            end = m_text.size();
        m_selLength = end - m_selStart;
        return;
    }
    const qsizetype caret = m_selStart;
    const qsizetype before = caret > 0 ? m_text.lastIndexOf(stop, caret - 1) : -1;
    m_selStart = before < 0 ? 0 : before + 1;
    m_selLength = caret - m_selStart;
}

} // namespace board

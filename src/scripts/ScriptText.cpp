#include "scripts/ScriptText.h"

#include "board/WorkBuffer.h"

namespace scripts {

QStringList freshList(int scenes)
{
    QStringList list{QString::fromLatin1(kHeader)};
    for (int n = 1; n <= scenes; ++n)
        list << QString::number(n) + u'.' + QLatin1String(kEmptyScript);
    return list;
}

QString StripEntryNumber(const QString &entry)
{
    board::WorkBuffer bay;
    bay.setText(entry);
    bay.Span(u'.', board::WorkBuffer::Direction::Forward);
    bay.setSelText(QString());
    if (bay.Find(QStringLiteral(".")))
        bay.setSelText(QString());
    return bay.Text();
}

QString BuildScriptText(const QStringList &entries)
{
    QString text;
    for (const QString &entry : entries)
        text += entry + kSeparator;
    return text;
}

QStringList ParseScriptText(const QString &text)
{
    // Splitting is what cutting piece after piece off the front of the
    // buffer amounts to, without its cost on long files.
    QStringList pieces = text.split(kSeparator);
    if (text.endsWith(kSeparator) || text.isEmpty())
        pieces.removeLast();
    return pieces;
}

Range tildeKeyDeletion(const QString &text, Range selection)
{
    board::WorkBuffer bay;
    bay.setText(text);
    bay.setSelStart(selection.start);
    bay.setSelLength(selection.length);
    bay.Find(QString(kSeparator));
    return {bay.SelStart(), bay.SelLength()};
}

QString admissibleInsertion(const QString &text, qsizetype room)
{
    QString result = text;
    result.remove(kSeparator);
    if (room <= 0)
        return QString();
    if (result.size() > room) {
        qsizetype cut = room;
        if (result.at(cut - 1).isHighSurrogate())
            --cut;
        result.truncate(cut);
    }
    return result;
}

} // namespace scripts

#include "interfaces/PictureList.h"

#include "interfaces/ShortNames.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace picturelist {

QStringList nameFilters(const QString &filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        filters << parts.at(i);
    return filters;
}

QStringList patterns(const QString &filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList patterns;
    for (qsizetype i = 1; i < parts.size(); i += 2)
        patterns << parts.at(i).split(u' ', Qt::SkipEmptyParts);
    return patterns;
}

namespace {
bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// The character at `i`, a pair of surrogates as one; `i` moves past it.
char32_t takeCharacter(const QString &text, qsizetype &i)
{
    const QChar c = text.at(i++);
    if (c.isHighSurrogate() && i < text.size() && text.at(i).isLowSurrogate())
        return QChar::surrogateToUcs4(c, text.at(i++));
    return c.unicode();
}

// The run of digits at `i`, without its leading zeros; `i` moves past it.
QStringView takeNumber(const QString &text, qsizetype &i)
{
    while (i < text.size() && text.at(i) == u'0' && i + 1 < text.size() && isDigit(text.at(i + 1)))
        ++i;
    const qsizetype start = i;
    while (i < text.size() && isDigit(text.at(i)))
        ++i;
    return QStringView(text).mid(start, i - start);
}
} // namespace

int naturalCompare(const QString &a, const QString &b)
{
    qsizetype i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (isDigit(a.at(i)) && isDigit(b.at(j))) {
            // Compared as text of digits, so no run is too long for a number.
            const QStringView x = takeNumber(a, i), y = takeNumber(b, j);
            if (x.size() != y.size())
                return x.size() < y.size() ? -1 : 1;
            if (const int c = x.compare(y))
                return c;
            continue;
        }
        const char32_t x = QChar::toCaseFolded(takeCharacter(a, i));
        const char32_t y = QChar::toCaseFolded(takeCharacter(b, j));
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (i < a.size() || j < b.size())
        return i < a.size() ? 1 : -1;
    // Equal but for case or leading zeros: the plain text decides, so the
    // order never depends on the order the names were clicked in.
    return a.compare(b);
}

QString resultText(QStringList files)
{
    if (files.isEmpty())
        return QString();
    std::stable_sort(files.begin(), files.end(), [](const QString &a, const QString &b) {
        return naturalCompare(QFileInfo(a).fileName(), QFileInfo(b).fileName()) < 0;
    });
    if (files.size() == 1) {
        const QFileInfo info(files.first());
        return shortnames::directory(info.absolutePath()) + u'/' + shortnames::fileName(info.fileName());
    }
    QString text = shortnames::directory(QFileInfo(files.first()).absolutePath());
    for (const QString &file : std::as_const(files))
        text += u' ' + shortnames::fileName(QFileInfo(file).fileName());
    return text;
}

Places picturesIn(const QStringList &places, const QStringList &patterns)
{
    Places found;
    const auto refuse = [&](Places::Refusal refusal, const QString &place) {
        return Places{{}, refusal, place};
    };
    for (const QString &place : places) {
        const QFileInfo info(place);
        if (info.isDir()) {
            if (places.size() != 1)
                return refuse(Places::Refusal::TwoFolders, place);
            const QDir folder(info.absoluteFilePath());
            for (const QString &name : folder.entryList(patterns, QDir::Files))
                found.files << folder.absoluteFilePath(name);
            return found;
        }
        if (!info.isFile())
            return refuse(Places::Refusal::NotFound, place);
        if (!QDir::match(patterns, info.fileName()))
            return refuse(Places::Refusal::NotPicture, place);
        if (!found.files.isEmpty() && QFileInfo(found.files.first()).absolutePath() != info.absolutePath())
            return refuse(Places::Refusal::TwoFolders, place);
        if (!found.files.contains(info.absoluteFilePath()))
            found.files << info.absoluteFilePath();
    }
    return found;
}

DialogResult result(const QStringList &files, int maxLength)
{
    QString text = resultText(files);
    if (text.size() > maxLength)
        return {QString(), true};
    return {text, false};
}

} // namespace picturelist

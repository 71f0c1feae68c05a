#pragma once

#include <QString>
#include <QStringList>

// The script list's texts as plain data: the entries of a fresh list, the
// Edit bay's view of an entry, and the entry string a script file holds.
namespace scripts {

inline constexpr char kHeader[] = "SCENES";
inline constexpr char kEmptyScript[] = "-empty-";
inline constexpr QChar kSeparator = u'~';
// The Edit bay takes at most this many typed or pasted characters (UTF-16 units).
inline constexpr int kMaxScriptLength = 300;

// "SCENES" and "1.-empty-" .. "N.-empty-"; the header alone for N <= 0.
QStringList freshList(int scenes);

// What the Edit bay shows of an entry: everything after the first ".";
// an entry without "." shows nothing.
QString StripEntryNumber(const QString &entry);

// Every entry followed by "~", in order; no header, no count, no line break.
QString BuildScriptText(const QStringList &entries);

// One entry for each "~"-terminated piece, plus one for any text after the
// last "~"; two separators in a row give an empty entry. The scene numbers
// are taken over as they stand.
QStringList ParseScriptText(const QString &text);

// Where the user's "~" key lands: the first "~" inside the selection (or in
// the whole text without one) becomes the selection, which is then deleted;
// with no "~" found the selection as it was is deleted. Positions are UTF-16.
struct Range
{
    qsizetype start = 0;
    qsizetype length = 0;
    friend bool operator==(const Range &, const Range &) = default;
};
Range tildeKeyDeletion(const QString &text, Range selection);

// Text that reaches the Edit bay other than by typing: without "~", cut to
// `room` units, never in the middle of a surrogate pair.
QString admissibleInsertion(const QString &text, qsizetype room);

} // namespace scripts

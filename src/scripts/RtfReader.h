#pragma once

#include <QByteArray>
#include <QString>

namespace rtf {

struct ReadResult
{
    bool ok = false;
    QString text;  // the document's plain text; empty unless ok
    QString error; // why the document was refused; empty when ok
};

// Groups open at once, the root group included. Real documents stay below a
// few dozen; the limit keeps hostile input from eating memory.
inline constexpr int kMaxGroupDepth = 10000;

// The most marks in a row on one letter that text is normalised with (see
// read()). Unicode bounds even pathological real text at 30, and putting a
// run of marks in canonical order takes time in the square of its length.
inline constexpr int kMostMarks = 30;

// RTF control words have at most 32 letters.
inline constexpr int kMaxControlWordLength = 32;

// Recovers the plain text of a rich-text document, ours or another program's:
// tables, pictures, headers, footers and every {\*...} destination are
// skipped and all formatting is ignored. Paragraph marks and \line give "\n",
// \tab gives "\t". The paragraph mark that ends the document is not text, so
// read(write(s)).text == s for every well-formed string s without control
// characters. \'hh and 8-bit bytes are decoded in the current font's
// \fcharset, else the document's \ansicpg, \mac, \pc or \pca page, double-byte
// pages included; an unknown page reads as Windows-1252. In the pages with
// combining marks (1255, 1258) a letter and its marks read as NFC, unless a
// run of more than kMostMarks marks makes that too costly: such text is left
// as the page decodes it. Control characters
// other than tab, U+FFFE, U+FFFF and lone surrogates are dropped: no entry
// can hold them. Runs in one pass without recursion, in time linear in the
// document's size; anything that is not a complete, balanced document gives
// ok = false.
ReadResult read(const QByteArray &document);

} // namespace rtf

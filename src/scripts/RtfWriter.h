#pragma once

#include <QByteArray>
#include <QString>

namespace rtf {

// A minimal rich-text document whose plain text is exactly `plainText`: "\n"
// becomes a paragraph mark, "\t" a tab, and everything outside printable ASCII
// is escaped, so the document itself is pure ASCII with short lines. Unpaired
// surrogates, which no reader could give back, are written as U+FFFD.
QByteArray write(const QString &plainText);
// The size of write(plainText), counted without writing; once the count is
// past `limit` it stops there, with a size above `limit`.
qsizetype writtenSize(const QString &plainText, qsizetype limit);

} // namespace rtf

#include "scripts/RtfWriter.h"

#include "scripts/CodePage.h"

#include <charconv>
#include <limits>

namespace rtf {

namespace {

// Word processors open this as plain 10-point Arial; \uc1 promises exactly one
// fallback character after every \u, which is always \'3f ("?"): some readers
// take a literal "?" and the letter after it as one token and lose the letter.
// The text starts on a line of its own.
constexpr char kHeader[] =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}}\n"
    "{\\*\\generator Quorvadine 1.0;}\\viewkind4\\uc1\\pard\\f0\\fs20 \n";

// Lines of the document are broken between tokens to stay within this length;
// a line break in the body is not text.
constexpr qsizetype kLineLength = 78;

// Appends the document's tokens to `out`, or without it only counts them.
class Emitter
{
public:
    explicit Emitter(QByteArray *out) : m_out(out), m_size(sizeof kHeader - 1), m_lineStart(m_size) {}

    qsizetype size() const { return m_size; }
    void token(QByteArrayView text)
    {
        if (m_size - m_lineStart + text.size() > kLineLength)
            newline();
        append(text);
    }

    void paragraph()
    {
        token("\\par");
        newline();
    }

    void newline()
    {
        append("\n");
        m_lineStart = m_size;
    }
    void append(QByteArrayView text)
    {
        if (m_out)
            m_out->append(text);
        m_size += text.size();
    }

    void unicode(char32_t codePoint)
    {
        if (codePoint > 0xFFFF) {
            const char32_t v = codePoint - 0x10000;
            unit(char16_t(0xD800 + (v >> 10)));
            unit(char16_t(0xDC00 + (v & 0x3FF)));
        } else {
            unit(char16_t(codePoint));
        }
    }

private:
    // \u takes a signed 16-bit number.
    void unit(char16_t c)
    {
        const int value = c > 32767 ? int(c) - 65536 : int(c);
        // Made on the stack: a text beyond Windows-1252 has one at every character.
        char escape[16] = {'\\', 'u'};
        char *end = std::to_chars(escape + 2, escape + 8, value).ptr;
        for (const char fallback : {'\\', '\'', '3', 'f'})
            *end++ = fallback;
        token(QByteArrayView(escape, end - escape));
    }

    QByteArray *m_out;
    qsizetype m_size;
    qsizetype m_lineStart;
};

// The document's size; to `out` when it is given. Counting stops once the
// size is past `limit`.
qsizetype writeInto(const QString &plainText, QByteArray *out, qsizetype limit)
{
    if (out)
        out->append(kHeader);
    Emitter doc(out);
    const qsizetype n = plainText.size();
    for (qsizetype i = 0; i < n && doc.size() <= limit; ++i) {
        const char16_t c = plainText.at(i).unicode();
        if (c == '\n') {
            doc.paragraph();
        } else if (c == '\t') {
            doc.token("\\tab ");
        } else if (c == '\\' || c == '{' || c == '}') {
            const char escaped[2] = {'\\', char(c)};
            doc.token(QByteArrayView(escaped, 2));
        } else if (c >= 0x20 && c < 0x7F) {
            const char literal = char(c);
            doc.token(QByteArrayView(&literal, 1));
        } else if (QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(plainText.at(i + 1).unicode())) {
            doc.unicode(QChar::surrogateToUcs4(c, plainText.at(i + 1).unicode()));
            ++i;
        } else if (QChar::isSurrogate(c)) {
            doc.unicode(0xFFFD);
        } else if (const int byte = codepage::toWindows1252(c); byte >= 0x80) {
            static constexpr char kHex[] = "0123456789abcdef";
            const char escaped[4] = {'\\', '\'', kHex[byte >> 4], kHex[byte & 0xF]};
            doc.token(QByteArrayView(escaped, 4));
        } else {
            // Control characters other than newline and tab, and everything
            // beyond Windows-1252.
            doc.unicode(c);
        }
    }
    // The mark that closes the last paragraph; readers take it as the end of
    // the text, not as a line break of its own.
    doc.paragraph();
    doc.append("}\n");
    return doc.size();
}

} // namespace

QByteArray write(const QString &plainText)
{
    QByteArray out;
    out.reserve(qsizetype(sizeof kHeader + 8) + plainText.size() * 2);
    writeInto(plainText, &out, std::numeric_limits<qsizetype>::max());
    return out;
}

qsizetype writtenSize(const QString &plainText, qsizetype limit)
{
    return writeInto(plainText, nullptr, limit);
}

} // namespace rtf

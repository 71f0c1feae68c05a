#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <string>
#include <vector>

// The code pages of rich-text documents, decoded through the C library's
// iconv, so every page the system knows is read without a table of our own.
namespace rtf::codepage {

inline constexpr int kWindows1252 = 1252;

// The code page a font's \fcharsetN stands for; 0 when the charset names no
// page of its own (default and symbol fonts), so the document's page holds.
int ofCharset(int charset);

// Whether `byte` starts a two-byte character in `page` (932, 936, 949, 950).
bool isLeadByte(int page, unsigned char byte);

// Whether `page`'s decoder holds a letter back until it sees whether a
// combining mark follows (1255, 1258), composing the two into one character.
// In such a page the ASCII letters are bases too, so they are decoded along
// with the bytes around them.
bool composes(int page);

// The Windows-1252 byte for `c`, or -1 when that page has none. The C1
// controls count as having none: they are never text.
int toWindows1252(char16_t c);

// Decodes byte runs; each code page is opened at most once per decoder, and
// one the system lacks is tried only once, however often a document names it.
class Decoder
{
public:
    Decoder() = default;
    Decoder(const Decoder &) = delete;
    Decoder &operator=(const Decoder &) = delete;
    ~Decoder();

    static constexpr char32_t kNone = 0xFFFFFFFF; // no character

    // The characters of `bytes` in `page`, each handed to `take` as it comes,
    // the run taken as complete: a character held back for a combining mark
    // comes out at its end. A page the system does not know is read as
    // Windows-1252. Bytes the page has no character for, and a lead byte
    // without its trail byte, are dropped.
    void decode(int page, const QByteArray &bytes, const std::function<void(char32_t)> &take);

private:
    struct Open
    {
        void *handle = nullptr; // iconv_t; nullptr until tried, iconv_t(-1) when the system lacks the page
        // A page of one byte to a character, without marks, decoded byte by
        // byte once: iconv is not called again for each of a document's runs.
        std::vector<char32_t> bytes; // by byte; kNone for a byte without a character
    };
    Open &open(int page);

    std::vector<Open> m_open; // by the page's place in the table of known pages
};

} // namespace rtf::codepage

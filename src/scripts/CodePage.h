#pragma once

#include <QByteArray>
#include <QString>

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

// The Windows-1252 byte for `c`, or -1 when that page has none. The C1
// controls count as having none: they are never text.
int toWindows1252(char16_t c);

// Decodes byte runs; each code page is opened once per decoder.
class Decoder
{
public:
    Decoder() = default;
    Decoder(const Decoder &) = delete;
    Decoder &operator=(const Decoder &) = delete;
    ~Decoder();

    // The characters of `bytes` in `page`; a page the system does not know is
    // read as Windows-1252. Bytes the page has no character for, and a lead
    // byte without its trail byte, are dropped.
    std::u32string decode(int page, const QByteArray &bytes);

private:
    void *open(int page);

    struct Open
    {
        int page;
        void *handle; // iconv_t
        bool owned;   // false for a page read as Windows-1252
    };
    std::vector<Open> m_open;
};

} // namespace rtf::codepage

#pragma once

namespace rtf {

// Windows-1252, the code page our documents declare and the one a reader
// falls back to. Bytes below 0x80 and from 0xA0 up are Latin-1; the five
// unassigned bytes of 0x80..0x9F map to the C1 control of the same value, as
// browsers decode them, so every byte decodes to something.
inline constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

constexpr char16_t cp1252ToUnicode(unsigned char byte)
{
    return byte >= 0x80 && byte < 0xA0 ? kCp1252High[byte - 0x80] : char16_t(byte);
}

// The byte for `c`, or -1 when Windows-1252 has no byte for it. The C1
// controls count as having none: other programs may decode those bytes
// differently, so the writer spells them out as \u instead.
constexpr int unicodeToCp1252(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (int i = 0; i < 32; ++i) {
        if (kCp1252High[i] == c && c > 0x9F)
            return 0x80 + i;
    }
    return -1;
}

} // namespace rtf

#include "scripts/CodePage.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <vector>

namespace rtf::codepage {

namespace {

const iconv_t kNotOpen = iconv_t(-1);

// Code pages by the iconv name the system knows them under. Pages missing
// here, or missing from the system, are read as Windows-1252.
struct Name
{
    int page;
    const char *iconv;
};
constexpr Name kNames[] = {
    {437, "CP437"},     {737, "CP737"},     {775, "CP775"},     {850, "CP850"},
    {852, "CP852"},     {855, "CP855"},     {857, "CP857"},     {860, "CP860"},
    {861, "CP861"},     {862, "CP862"},     {863, "CP863"},     {864, "CP864"},
    {865, "CP865"},     {866, "CP866"},     {869, "CP869"},     {874, "CP874"},
    {932, "CP932"},     {936, "CP936"},     {949, "CP949"},     {950, "CP950"},
    {1250, "CP1250"},   {1251, "CP1251"},   {1252, "CP1252"},   {1253, "CP1253"},
    {1254, "CP1254"},   {1255, "CP1255"},   {1256, "CP1256"},   {1257, "CP1257"},
    {1258, "CP1258"},   {10000, "MACINTOSH"}, {10007, "MAC-CYRILLIC"}, {10029, "MAC-CENTRALEUROPE"},
    {20866, "KOI8-R"},  {21866, "KOI8-U"},  {28591, "ISO-8859-1"}, {28592, "ISO-8859-2"},
    {28595, "ISO-8859-5"}, {28597, "ISO-8859-7"}, {28605, "ISO-8859-15"},
};

// Font charsets as the Windows font table numbers them.
constexpr std::pair<int, int> kCharsets[] = {
    {0, 1252},   {77, 10000}, {128, 932}, {129, 949}, {134, 936}, {136, 950},  {161, 1253}, {162, 1254},
    {163, 1258}, {177, 1255}, {178, 1256}, {186, 1257}, {204, 1251}, {222, 874}, {238, 1250}, {254, 437},
    {255, 850},
};

const char *iconvName(int page)
{
    for (const Name &name : kNames) {
        if (name.page == page)
            return name.iconv;
    }
    return nullptr;
}

} // namespace

int ofCharset(int charset)
{
    for (const auto &[set, page] : kCharsets) {
        if (set == charset)
            return page;
    }
    return 0;
}

bool isLeadByte(int page, unsigned char byte)
{
    switch (page) {
    case 932:
        return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
    case 936:
    case 949:
    case 950:
        return byte >= 0x81 && byte <= 0xFE;
    default:
        return false;
    }
}

int toWindows1252(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    // The 32 bytes from 0x80, decoded once; unassigned ones are dropped, so
    // each decoded character is looked up by decoding byte by byte.
    static const std::array<char32_t, 32> kHigh = [] {
        std::array<char32_t, 32> high{};
        Decoder decoder;
        for (int i = 0; i < 32; ++i) {
            const std::u32string one = decoder.decode(kWindows1252, QByteArray(1, char(0x80 + i)));
            high[std::size_t(i)] = one.size() == 1 && one.front() > 0x9F ? one.front() : 0;
        }
        return high;
    }();
    const auto it = std::find(kHigh.begin(), kHigh.end(), char32_t(c));
    return it == kHigh.end() ? -1 : 0x80 + int(it - kHigh.begin());
}

Decoder::~Decoder()
{
    for (const Open &o : m_open) {
        if (o.owned && o.handle != kNotOpen)
            iconv_close(iconv_t(o.handle));
    }
}

void *Decoder::open(int page)
{
    for (const Open &o : m_open) {
        if (o.page == page)
            return o.handle;
    }
    const char *name = iconvName(page);
    const iconv_t handle = name ? iconv_open("UTF-32LE", name) : kNotOpen;
    if (handle == kNotOpen && page != kWindows1252) {
        void *fallback = open(kWindows1252);
        m_open.push_back({page, fallback, false});
        return fallback;
    }
    m_open.push_back({page, handle, true});
    return handle;
}

std::u32string Decoder::decode(int page, const QByteArray &bytes)
{
    std::u32string result;
    const iconv_t handle = iconv_t(open(page));
    if (handle == kNotOpen || bytes.isEmpty())
        return result;
    iconv(handle, nullptr, nullptr, nullptr, nullptr); // a fresh start for every run

    QByteArray input = bytes;
    char *in = input.data();
    size_t inLeft = size_t(input.size());
    // Four bytes out for each byte in is always enough for UTF-32.
    std::vector<char> output(inLeft * 4 + 4);
    while (inLeft > 0) {
        char *out = output.data();
        size_t outLeft = output.size();
        const size_t done = iconv(handle, &in, &inLeft, &out, &outLeft);
        for (const char *p = output.data(); p + 4 <= out; p += 4) {
            char32_t c = 0;
            for (int b = 3; b >= 0; --b)
                c = (c << 8) | (unsigned char)p[b];
            result.push_back(c);
        }
        if (done != size_t(-1))
            break;
        if (errno == EILSEQ) {
            // No character for this byte: drop it and go on after it.
            ++in;
            --inLeft;
            iconv(handle, nullptr, nullptr, nullptr, nullptr);
        } else {
            break; // a lead byte cut off at the end of the run
        }
    }
    return result;
}

} // namespace rtf::codepage

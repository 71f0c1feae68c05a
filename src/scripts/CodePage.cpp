#include "scripts/CodePage.h"

#include <QtEndian>

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <iterator>

namespace rtf::codepage {

namespace {

const iconv_t kNotOpen = iconv_t(-1);
constexpr char32_t kNone = Decoder::kNone;

// Code pages by the iconv name the system knows them under, sorted by page.
// Pages missing here, or missing from the system, are read as Windows-1252.
struct Name
{
    int page;
    const char *iconv;
    bool composes = false; // see composes(); glibc's decoders of these two hold letters back
};
constexpr Name kNames[] = {
    {437, "CP437"},     {737, "CP737"},     {775, "CP775"},     {850, "CP850"},
    {852, "CP852"},     {855, "CP855"},     {857, "CP857"},     {860, "CP860"},
    {861, "CP861"},     {862, "CP862"},     {863, "CP863"},     {864, "CP864"},
    {865, "CP865"},     {866, "CP866"},     {869, "CP869"},     {874, "CP874"},
    {932, "CP932"},     {936, "CP936"},     {949, "CP949"},     {950, "CP950"},
    {1250, "CP1250"},   {1251, "CP1251"},   {1252, "CP1252"},   {1253, "CP1253"},
    {1254, "CP1254"},   {1255, "CP1255", true}, {1256, "CP1256"}, {1257, "CP1257"},
    {1258, "CP1258", true}, {10000, "MACINTOSH"}, {10007, "MAC-CYRILLIC"}, {10029, "MAC-CENTRALEUROPE"},
    {20866, "KOI8-R"},  {21866, "KOI8-U"},  {28591, "ISO-8859-1"}, {28592, "ISO-8859-2"},
    {28595, "ISO-8859-5"}, {28597, "ISO-8859-7"}, {28605, "ISO-8859-15"},
};
constexpr bool byPage(const Name &a, const Name &b) { return a.page < b.page; }
static_assert(std::is_sorted(std::begin(kNames), std::end(kNames), byPage));

// The place of `page` in kNames, or -1.
int placeOf(int page)
{
    const auto it = std::lower_bound(std::begin(kNames), std::end(kNames), Name{page, nullptr}, byPage);
    return it != std::end(kNames) && it->page == page ? int(it - std::begin(kNames)) : -1;
}

// Font charsets as the Windows font table numbers them.
constexpr std::pair<int, int> kCharsets[] = {
    {0, 1252},   {77, 10000}, {128, 932}, {129, 949}, {134, 936}, {136, 950},  {161, 1253}, {162, 1254},
    {163, 1258}, {177, 1255}, {178, 1256}, {186, 1257}, {204, 1251}, {222, 874}, {238, 1250}, {254, 437},
    {255, 850},
};

// The character of each byte in a page of one byte to a character, kNone for
// a byte without one.
std::vector<char32_t> byteByByte(iconv_t handle)
{
    std::vector<char32_t> characters(256, kNone);
    for (int b = 0; b < 256; ++b) {
        char in = char(b);
        char *inPointer = &in;
        size_t inLeft = 1;
        char32_t out = 0;
        char *outPointer = reinterpret_cast<char *>(&out);
        size_t outLeft = sizeof out;
        iconv(handle, nullptr, nullptr, nullptr, nullptr);
        if (iconv(handle, &inPointer, &inLeft, &outPointer, &outLeft) != size_t(-1) && outLeft == 0)
            characters[size_t(b)] = qFromLittleEndian(out);
    }
    return characters;
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

bool composes(int page)
{
    const int place = placeOf(page);
    return place >= 0 && kNames[place].composes;
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
            std::u32string one;
            decoder.decode(kWindows1252, QByteArray(1, char(0x80 + i)), [&one](char32_t c) { one += c; });
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
        if (o.handle && iconv_t(o.handle) != kNotOpen)
            iconv_close(iconv_t(o.handle));
    }
}

Decoder::Open &Decoder::open(int page)
{
    int place = placeOf(page);
    if (place < 0)
        place = placeOf(kWindows1252);
    if (m_open.empty())
        m_open.resize(std::size(kNames));
    Open &o = m_open[size_t(place)];
    if (!o.handle) {
        o.handle = iconv_open("UTF-32LE", kNames[place].iconv);
        if (iconv_t(o.handle) != kNotOpen && !kNames[place].composes && !isLeadByte(kNames[place].page, 0x81))
            o.bytes = byteByByte(iconv_t(o.handle));
    }
    if (iconv_t(o.handle) == kNotOpen && kNames[place].page != kWindows1252)
        return open(kWindows1252);
    return o;
}

void Decoder::decode(int page, const QByteArray &bytes, const std::function<void(char32_t)> &take)
{
    const Open &o = open(page);
    const iconv_t handle = iconv_t(o.handle);
    if (handle == kNotOpen || bytes.isEmpty())
        return;
    if (!o.bytes.empty()) {
        for (const char b : bytes) {
            if (const char32_t c = o.bytes[(unsigned char)b]; c != kNone) // else no character: dropped
                take(c);
        }
        return;
    }
    iconv(handle, nullptr, nullptr, nullptr, nullptr); // a fresh start for every run

    // A small buffer, emptied whenever it fills: a run may be the whole file.
    char output[4096];
    const auto emptyOutput = [&](char *end) {
        for (const char *p = output; p + 4 <= end; p += 4) {
            char32_t c = 0;
            for (int b = 3; b >= 0; --b)
                c = (c << 8) | (unsigned char)p[b];
            take(c);
        }
    };
    // iconv does not write to its input, whatever its signature says.
    char *in = const_cast<char *>(bytes.constData());
    size_t inLeft = size_t(bytes.size());
    for (;;) {
        char *out = output;
        size_t outLeft = sizeof output;
        if (inLeft > 0 && iconv(handle, &in, &inLeft, &out, &outLeft) == size_t(-1)) {
            if (errno == EILSEQ) {
                // No character for this byte: let out what is held back, then
                // drop the byte and go on after it (when the buffer was too
                // full for that, the next round meets the byte again).
                if (iconv(handle, nullptr, nullptr, &out, &outLeft) != size_t(-1)) {
                    ++in;
                    --inLeft;
                }
            } else if (errno != E2BIG) {
                inLeft = 0; // a lead byte cut off at the end of the run
            }
        }
        // The run is complete: a letter held back for a mark that never came is text.
        const bool ended = inLeft == 0 && (iconv(handle, nullptr, nullptr, &out, &outLeft) != size_t(-1) || errno != E2BIG);
        emptyOutput(out);
        if (ended)
            return;
    }
}

} // namespace rtf::codepage

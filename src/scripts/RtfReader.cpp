#include "scripts/RtfReader.h"

#include "scripts/CodePage.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace rtf {

namespace {

enum class Action {
    Skip,          // a destination that holds no body text
    Character,     // stands for one character
    Paragraph,     // a paragraph mark: "\n", and the document's last one is dropped
    Binary,        // \binN: N raw bytes follow
    Unicode,       // \uN: one UTF-16 unit, then fallback characters
    FallbackCount, // \ucN
    DocumentPage,  // \ansi, \mac, \pc, \pca, \ansicpgN: the document's code page
    Font,          // \fN: the current font, or in the font table the font described
    DefaultFont,   // \deffN
    FontCharset,   // \fcharsetN in the font table
    FontPage,      // \cpgN in the font table
    Plain,         // \plain: back to the default font
};

struct ControlWord
{
    std::string_view name;
    Action action;
    char16_t character = 0; // Character; for DocumentPage the page the word names (0: its parameter)
};

// Sorted by name for the binary search in find(). Control words not listed
// are formatting and are ignored.
constexpr ControlWord kControlWords[] = {
    {"aftncn", Action::Skip},
    {"aftnsep", Action::Skip},
    {"aftnsepc", Action::Skip},
    {"annotation", Action::Skip},
    {"ansi", Action::DocumentPage, 1252},
    {"ansicpg", Action::DocumentPage, 0},
    {"atnauthor", Action::Skip},
    {"atnid", Action::Skip},
    {"author", Action::Skip},
    {"bin", Action::Binary},
    {"bkmkend", Action::Skip},
    {"bkmkstart", Action::Skip},
    {"bullet", Action::Character, 0x2022},
    {"buptim", Action::Skip},
    {"cell", Action::Character, '\t'},
    {"colortbl", Action::Skip},
    {"comment", Action::Skip},
    {"company", Action::Skip},
    {"cpg", Action::FontPage},
    {"creatim", Action::Skip},
    {"deff", Action::DefaultFont},
    {"doccomm", Action::Skip},
    {"docvar", Action::Skip},
    {"emdash", Action::Character, 0x2014},
    {"emspace", Action::Character, 0x2003},
    {"endash", Action::Character, 0x2013},
    {"enspace", Action::Character, 0x2002},
    {"f", Action::Font},
    {"falt", Action::Skip},
    {"fcharset", Action::FontCharset},
    {"file", Action::Skip},
    {"filetbl", Action::Skip},
    {"fldinst", Action::Skip},
    {"fontemb", Action::Skip},
    {"fontfile", Action::Skip},
    {"fonttbl", Action::Skip},
    {"footer", Action::Skip},
    {"footerf", Action::Skip},
    {"footerl", Action::Skip},
    {"footerr", Action::Skip},
    {"footnote", Action::Skip},
    {"ftncn", Action::Skip},
    {"ftnsep", Action::Skip},
    {"ftnsepc", Action::Skip},
    {"generator", Action::Skip},
    {"header", Action::Skip},
    {"headerf", Action::Skip},
    {"headerl", Action::Skip},
    {"headerr", Action::Skip},
    {"info", Action::Skip},
    {"keywords", Action::Skip},
    {"ldblquote", Action::Character, 0x201C},
    {"line", Action::Character, '\n'},
    {"listoverridetable", Action::Skip},
    {"listtable", Action::Skip},
    {"listtext", Action::Skip}, // list numbers, repeated for old readers
    {"lquote", Action::Character, 0x2018},
    {"ltrmark", Action::Character, 0x200E},
    {"mac", Action::DocumentPage, 10000},
    {"manager", Action::Skip},
    {"nestcell", Action::Character, '\t'},
    {"nestrow", Action::Character, '\n'},
    {"nonshppict", Action::Skip},
    {"objclass", Action::Skip},
    {"objdata", Action::Skip},
    {"objname", Action::Skip},
    {"operator", Action::Skip},
    {"page", Action::Character, '\n'},
    {"par", Action::Paragraph},
    {"pc", Action::DocumentPage, 437},
    {"pca", Action::DocumentPage, 850},
    {"pict", Action::Skip},
    {"plain", Action::Plain},
    {"pn", Action::Skip},
    {"pntext", Action::Skip}, // as listtext
    {"pntxta", Action::Skip},
    {"pntxtb", Action::Skip},
    {"printim", Action::Skip},
    {"private", Action::Skip},
    {"qmspace", Action::Character, 0x2005},
    {"rdblquote", Action::Character, 0x201D},
    {"revtbl", Action::Skip},
    {"revtim", Action::Skip},
    {"row", Action::Character, '\n'},
    {"rquote", Action::Character, 0x2019},
    {"rsidtbl", Action::Skip},
    {"rtlmark", Action::Character, 0x200F},
    {"sect", Action::Paragraph},
    {"shpinst", Action::Skip},
    {"stylesheet", Action::Skip},
    {"subject", Action::Skip},
    {"tab", Action::Character, '\t'},
    {"tc", Action::Skip},
    {"template", Action::Skip},
    {"title", Action::Skip},
    {"txe", Action::Skip},
    {"u", Action::Unicode},
    {"uc", Action::FallbackCount},
    {"userprops", Action::Skip},
    {"xe", Action::Skip},
    {"xmlnstbl", Action::Skip},
    {"zwbo", Action::Character, 0x200B},
    {"zwj", Action::Character, 0x200D},
    {"zwnbo", Action::Character, 0xFEFF},
    {"zwnj", Action::Character, 0x200C},
};

constexpr bool byName(const ControlWord &a, const ControlWord &b) { return a.name < b.name; }
static_assert(std::is_sorted(std::begin(kControlWords), std::end(kControlWords), byName));

const ControlWord *find(std::string_view name)
{
    const auto it = std::lower_bound(std::begin(kControlWords), std::end(kControlWords),
                                     ControlWord{name, Action::Skip}, byName);
    return it != std::end(kControlWords) && it->name == name ? it : nullptr;
}

constexpr bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
constexpr bool isDigit(char c) { return c >= '0' && c <= '9'; }

constexpr int hexValue(char c)
{
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// What a group inherits from its parent and loses again at its "}".
struct GroupState
{
    int fallbackCount = 1;   // \ucN
    bool skipped = false;    // inside a destination that holds no body text
    bool fontTable = false;  // inside \fonttbl
    int font = -1;           // \fN; -1: the default font
};

// What an entry can hold: tab, and no other C0 control, DEL, C1 control or
// U+FFFE / U+FFFF. Surrogates are paired up, or dropped, at the end.
constexpr bool admissible(char32_t c)
{
    if (c == '\t')
        return true;
    return c >= 0x20 && !(c >= 0x7F && c <= 0x9F) && c != 0xFFFE && c != 0xFFFF;
}

// A mark, or anything else that normalising may move or join to the
// character before it. The pages that compose are all in the Basic
// Multilingual Plane.
bool joinsBefore(QChar c)
{
    return c.isMark() || c.combiningClass() != 0;
}

// More than kMostMarks of them in a row: too costly to put in order.
bool hasLongMarkRun(QStringView text)
{
    int run = 0;
    for (const QChar c : text) {
        run = joinsBefore(c) ? run + 1 : 0;
        if (run > kMostMarks)
            return true;
    }
    return false;
}

// `text` in NFC. Qt takes time in the square of a text's length where it has
// much to compose or decompose, so the text goes in pieces of a few hundred
// characters, each cut before a letter, blank or sign: in the pages that
// compose, nothing joins such a character to what comes before it.
QString normalised(QStringView text)
{
    constexpr qsizetype kPiece = 256;
    QString result;
    result.reserve(text.size());
    for (qsizetype start = 0, end = 0; start < text.size(); start = end) {
        end = std::min(start + kPiece, text.size());
        while (end < text.size() && joinsBefore(text.at(end)))
            ++end;
        result += text.sliced(start, end - start).toString().normalized(QString::NormalizationForm_C);
    }
    return result;
}

class Parser
{
public:
    explicit Parser(const QByteArray &document)
        : m_data(document.constData()), m_size(document.size())
    {
    }

    ReadResult run();

private:
    bool fail(const QString &message);
    bool controlWord();
    bool controlSymbol(char symbol);
    void character(char32_t c);
    void byte(unsigned char b);
    void flushBytes();
    int codePage();
    void paragraph();

    const char *m_data;
    qsizetype m_size;
    qsizetype m_pos = 0;
    std::vector<GroupState> m_groups;
    qsizetype m_pendingFallback = 0; // fallback characters of the last \u still to drop
    bool m_endsWithParagraph = false;
    int m_documentPage = codepage::kWindows1252;
    int m_defaultFont = 0;
    // By font number; looked up for every byte, so found in constant time.
    std::unordered_map<int, int> m_fontPages;
    // codePage() for m_pageFont, until the font table or the document's page changes.
    bool m_pageKnown = false;
    int m_pageFont = 0;
    int m_page = 0;
    bool m_pageComposes = false;
    QByteArray m_bytes;       // \'hh and 8-bit bytes not yet decoded, all in one code page
    bool m_trailNext = false; // the last of m_bytes is a lead byte
    codepage::Decoder m_decoder;
    QString m_text;
    QString m_error;
};

bool Parser::fail(const QString &message)
{
    m_error = message;
    return false;
}

void Parser::character(char32_t c)
{
    if (m_pendingFallback > 0) {
        --m_pendingFallback;
        return;
    }
    if (m_groups.back().skipped)
        return;
    m_text.append(QChar::fromUcs4(c));
    m_endsWithParagraph = false;
}

int Parser::codePage()
{
    const int font = m_groups.back().font >= 0 ? m_groups.back().font : m_defaultFont;
    if (!m_pageKnown || font != m_pageFont) {
        const auto known = m_fontPages.find(font);
        m_page = known != m_fontPages.end() && known->second != 0 ? known->second : m_documentPage;
        m_pageComposes = codepage::composes(m_page);
        m_pageFont = font;
        m_pageKnown = true;
    }
    return m_page;
}

// A byte of text: from \'hh, an escaped or a literal character. Bytes are
// gathered and decoded together, so a double-byte character's two bytes,
// however each was written, become one character.
void Parser::byte(unsigned char b)
{
    if (m_pendingFallback > 0) {
        --m_pendingFallback;
        return;
    }
    if (m_groups.back().skipped)
        return;
    if (m_trailNext) {
        m_bytes.append(char(b));
        m_trailNext = false;
        return;
    }
    const int page = codePage();
    if (b < 0x80 && !m_pageComposes) {
        flushBytes();
        if (admissible(b))
            character(b);
        return;
    }
    m_bytes.append(char(b));
    m_trailNext = codepage::isLeadByte(page, b);
}

// Everything that is not a byte of text ends a run of bytes: the code page
// may change with it.
void Parser::flushBytes()
{
    m_trailNext = false;
    if (m_bytes.isEmpty())
        return;
    const int page = codePage();
    const qsizetype from = m_text.size();
    m_decoder.decode(page, m_bytes, [this](char32_t c) {
        if (admissible(c)) {
            m_text.append(QChar::fromUcs4(c));
            m_endsWithParagraph = false;
        }
    });
    m_bytes.clear();
    // The decoder joins a letter and its marks, for Hebrew into presentation
    // forms; the text is kept as the Edit bay holds the same typed: composed
    // the canonical way (NFC).
    if (m_pageComposes && m_text.size() > from && !hasLongMarkRun(QStringView(m_text).sliced(from))) {
        const QString run = normalised(QStringView(m_text).sliced(from));
        m_text.truncate(from);
        m_text += run;
    }
}

void Parser::paragraph()
{
    if (m_pendingFallback > 0) {
        --m_pendingFallback;
        return;
    }
    if (m_groups.back().skipped)
        return;
    m_text.append(QChar('\n'));
    m_endsWithParagraph = true;
}

// At a backslash followed by a letter.
bool Parser::controlWord()
{
    flushBytes();
    const qsizetype start = m_pos + 1;
    qsizetype end = start;
    while (end < m_size && isLetter(m_data[end])) {
        if (end - start == kMaxControlWordLength)
            return fail(QStringLiteral("Control word longer than %1 letters at byte %2.")
                            .arg(kMaxControlWordLength).arg(m_pos));
        ++end;
    }
    const std::string_view name(m_data + start, size_t(end - start));

    bool negative = false;
    if (end + 1 < m_size && m_data[end] == '-' && isDigit(m_data[end + 1])) {
        negative = true;
        ++end;
    }
    const bool hasParameter = end < m_size && isDigit(m_data[end]);
    // Parameters are 32-bit; the bound is checked per digit so the
    // accumulator itself never overflows.
    const std::int64_t limit = negative ? std::int64_t(INT32_MAX) + 1 : INT32_MAX;
    std::int64_t magnitude = 0;
    while (end < m_size && isDigit(m_data[end])) {
        magnitude = magnitude * 10 + (m_data[end] - '0');
        if (magnitude > limit)
            return fail(QStringLiteral("Numeric parameter out of range at byte %1.").arg(m_pos));
        ++end;
    }
    const std::int64_t parameter = negative ? -magnitude : magnitude;
    if (end < m_size && m_data[end] == ' ')
        ++end;
    m_pos = end;

    const ControlWord *word = find(name);
    if (word && word->action == Action::Binary) {
        // The data is skipped whatever group it is in: its bytes may look like
        // braces or backslashes.
        if (parameter < 0)
            return fail(QStringLiteral("Negative \\bin length at byte %1.").arg(start - 1));
        if (parameter > m_size - m_pos)
            return fail(QStringLiteral("The document ends inside binary data."));
        m_pos += qsizetype(parameter);
        if (m_pendingFallback > 0)
            --m_pendingFallback;
        return true;
    }
    if (m_pendingFallback > 0) {
        --m_pendingFallback;
        return true;
    }
    if (!word)
        return true;

    GroupState &group = m_groups.back();
    switch (word->action) {
    case Action::Skip:
        group.skipped = true;
        if (name == "fonttbl")
            group.fontTable = true;
        break;
    case Action::Character:
        character(word->character);
        break;
    case Action::Paragraph:
        paragraph();
        break;
    case Action::Unicode:
        if (!hasParameter)
            break;
        if (!group.skipped) {
            // Signed 16-bit by the format, but some writers use 0..65535.
            // A surrogate waits for its partner; one out of range is nothing.
            const std::int64_t unit = parameter < 0 ? parameter + 65536 : parameter;
            if (unit >= 0 && unit <= 0xFFFF && (QChar::isSurrogate(char16_t(unit)) || admissible(char32_t(unit)))) {
                m_text.append(QChar(char16_t(unit)));
                m_endsWithParagraph = false;
            }
        }
        m_pendingFallback = group.fallbackCount;
        break;
    case Action::DocumentPage:
        m_pageKnown = false;
        if (word->character != 0)
            m_documentPage = word->character;
        else if (hasParameter && parameter > 0)
            m_documentPage = int(parameter);
        break;
    case Action::Font:
        group.font = hasParameter ? int(std::max<std::int64_t>(parameter, 0)) : 0;
        break;
    case Action::DefaultFont:
        m_defaultFont = hasParameter ? int(std::max<std::int64_t>(parameter, 0)) : 0;
        break;
    case Action::FontCharset:
    case Action::FontPage:
        if (group.fontTable && hasParameter) {
            m_pageKnown = false;
            const int page = word->action == Action::FontCharset ? codepage::ofCharset(int(parameter)) : int(parameter);
            // \cpg names the page outright; \fcharset only when no \cpg did.
            const auto [known, added] = m_fontPages.try_emplace(std::max(group.font, 0), page);
            if (!added && (word->action == Action::FontPage || known->second == 0))
                known->second = page;
        }
        break;
    case Action::Plain:
        group.font = -1;
        break;
    case Action::FallbackCount:
        group.fallbackCount = hasParameter ? int(std::max<std::int64_t>(parameter, 0)) : 1;
        break;
    case Action::Binary:
        break;
    }
    return true;
}

// At a backslash followed by anything but a letter or "'".
bool Parser::controlSymbol(char symbol)
{
    m_pos += 2;
    switch (symbol) {
    case '\\':
    case '{':
    case '}':
        byte((unsigned char)symbol); // may be the trail byte of a double-byte character
        return true;
    default:
        break;
    }
    flushBytes();
    switch (symbol) {
    case '~': // non-breaking space
        character(0x00A0);
        return true;
    case '-': // optional hyphen
        character(0x00AD);
        return true;
    case '_': // non-breaking hyphen
        character(0x2011);
        return true;
    case '\r':
    case '\n': // an escaped line end is a paragraph mark
        paragraph();
        return true;
    default:
        break;
    }
    if (m_pendingFallback > 0) {
        --m_pendingFallback;
        return true;
    }
    if (symbol == '*')
        m_groups.back().skipped = true;
    return true;
}

ReadResult Parser::run()
{
    ReadResult result;
    if (m_size == 0) {
        result.error = QStringLiteral("The document is empty.");
        return result;
    }
    static constexpr std::string_view kMagic = "{\\rtf";
    if (m_size < qsizetype(kMagic.size()) || std::string_view(m_data, kMagic.size()) != kMagic
        || (m_size > qsizetype(kMagic.size()) && isLetter(m_data[kMagic.size()]))) {
        result.error = QStringLiteral("Not a rich text document: it does not start with {\\rtf.");
        return result;
    }

    bool ok = true;
    bool closed = false;
    while (ok && !closed && m_pos < m_size) {
        const char c = m_data[m_pos];
        switch (c) {
        case '{':
            if (m_groups.size() >= size_t(kMaxGroupDepth)) {
                ok = fail(QStringLiteral("Groups nested more than %1 deep at byte %2.")
                              .arg(kMaxGroupDepth).arg(m_pos));
                break;
            }
            flushBytes();
            m_groups.push_back(m_groups.empty() ? GroupState() : m_groups.back());
            m_pendingFallback = 0;
            ++m_pos;
            break;
        case '}':
            flushBytes();
            m_groups.pop_back(); // never empty here: the root group ends the loop
            m_pendingFallback = 0;
            closed = m_groups.empty();
            ++m_pos;
            break;
        case '\\':
            if (m_pos + 1 >= m_size) {
                ok = fail(QStringLiteral("The document ends inside a control word."));
            } else if (isLetter(m_data[m_pos + 1])) {
                ok = controlWord();
            } else if (m_data[m_pos + 1] == '\'') {
                const int high = m_pos + 2 < m_size ? hexValue(m_data[m_pos + 2]) : -1;
                const int low = m_pos + 3 < m_size ? hexValue(m_data[m_pos + 3]) : -1;
                if (high < 0 || low < 0) {
                    ok = fail(QStringLiteral("Bad \\' escape at byte %1.").arg(m_pos));
                    break;
                }
                m_pos += 4;
                byte((unsigned char)(high * 16 + low));
            } else {
                ok = controlSymbol(m_data[m_pos + 1]);
            }
            break;
        case '\r':
        case '\n':
            ++m_pos; // line ends in the document are not text
            break;
        default:
            ++m_pos;
            if (c == '\t') {
                flushBytes(); // the bytes before it come first
                character('\t');
            } else if ((unsigned char)c >= 0x20) {
                byte((unsigned char)c);
            }
            break;
        }
    }

    if (ok && !closed) {
        ok = fail(QStringLiteral("The document is incomplete: %1 group(s) still open at its end.")
                      .arg(m_groups.size()));
    }
    // Line ends and the NUL some editors append may follow the root group;
    // anything else means the groups do not balance or the file has more in it.
    for (; ok && m_pos < m_size; ++m_pos) {
        const char c = m_data[m_pos];
        if (c == '}')
            ok = fail(QStringLiteral("Unbalanced \"}\" at byte %1: no group is open.").arg(m_pos));
        else if (c != '\r' && c != '\n' && c != ' ' && c != '\t' && c != '\0')
            ok = fail(QStringLiteral("Data after the end of the document at byte %1.").arg(m_pos));
    }
    if (!ok) {
        result.error = m_error;
        return result;
    }

    if (m_endsWithParagraph)
        m_text.chop(1);
    // \u units that do not pair up into a character are of no use to anyone.
    // Taken out in place: the text may be most of the memory read takes.
    QChar *units = m_text.data();
    qsizetype kept = 0;
    for (qsizetype i = 0; i < m_text.size(); ++i) {
        const QChar unit = units[i];
        if (unit.isHighSurrogate() && i + 1 < m_text.size() && units[i + 1].isLowSurrogate()) {
            units[kept++] = unit;
            units[kept++] = units[++i];
        } else if (!unit.isSurrogate()) {
            units[kept++] = unit;
        }
    }
    m_text.truncate(kept);
    m_text.squeeze();
    result.ok = true;
    result.text = std::move(m_text);
    return result;
}

} // namespace

ReadResult read(const QByteArray &document)
{
    return Parser(document).run();
}

} // namespace rtf

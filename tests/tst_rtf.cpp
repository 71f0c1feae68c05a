#include "scripts/RtfReader.h"
#include "scripts/RtfWriter.h"

#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QtTest>

namespace {

// What every document of ours starts with, up to the first character of text.
const QByteArray kHeader = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}}\n"
                           "{\\*\\generator Quorvadine 1.0;}\\viewkind4\\uc1\\pard\\f0\\fs20 \n";

QString ucs4(std::initializer_list<char32_t> codePoints)
{
    return QString::fromUcs4(codePoints.begin(), qsizetype(codePoints.size()));
}

// A scene script of exactly 300 UTF-16 units: accents, 1252 punctuation, Greek, an emoji, RTF's own characters.
QString script300(int scene)
{
    QString s = QString::number(scene) + QStringLiteral(".Night falls on the café; “Wait—” she says… Ωμέγα 😀 {cut} \\ ");
    while (s.size() < 300)
        s += QStringLiteral("the camera pans slowly across the square. ");
    s.truncate(300);
    if (s.back().isHighSurrogate())
        s.back() = u'x';
    return s;
}

QByteArray fixture(const char *name)
{
    QFile file(QStringLiteral(QV_SOURCE_DIR "/tests/data/rtf/") + QLatin1String(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void row(const char *name, const QByteArray &document, const QString &text) { QTest::newRow(name) << document << text; }

} // namespace

class tst_rtf : public QObject
{
    Q_OBJECT

private slots:
    void writtenBytes_data();
    void writtenBytes();
    void roundTrip_data();
    void roundTrip();
    void otherWriters_data();
    void otherWriters();
    void badInput_data();
    void badInput();
    void fuzz();
    void readByOthers_data();
    void readByOthers();
};

void tst_rtf::writtenBytes_data()
{
    QTest::addColumn<QByteArray>("body"); // what follows the header
    QTest::addColumn<QString>("text");
    row("empty", "\\par\n}\n", QString());
    row("entry string", "1.-empty-~2.Night falls~3.-empty-~\\par\n}\n", "1.-empty-~2.Night falls~3.-empty-~");
    row("backslash and braces", "\\\\\\{\\}\\par\n}\n", "\\{}");
    row("windows-1252", "\\'e9\\'80\\'97\\'ff\\par\n}\n", "é€—ÿ");
    row("beyond windows-1252", "\\u937\\'3f\\u1078\\'3f\\par\n}\n", "Ωж");
    row("signed 16 bit", "\\u32767\\'3f\\u-32768\\'3f\\u-3\\'3f\\par\n}\n", ucs4({0x7FFF, 0x8000, 0xFFFD}));
    row("emoji as surrogate pair", "\\u-10179\\'3f\\u-8704\\'3f\\par\n}\n", "😀");
    row("c1 control is not a 1252 byte", "\\u129\\'3f\\par\n}\n", ucs4({0x81}));
    row("carriage return", "a\\u13\\'3fb\\par\n}\n", "a\rb");
    row("newline and tab", "a\\par\nb\\tab c\\par\n}\n", "a\nb\tc");
    row("trailing newline", "a\\par\n\\par\n}\n", "a\n");
    row("lone surrogate", "\\u-3\\'3fx\\par\n}\n", QString(QChar(0xD83D)) + u'x');
    // Lines are broken at 78 bytes, between escapes.
    row("long run broken", QByteArray(78, 'a') + '\n' + QByteArray(78, 'a') + '\n' + "aaaa\\par\n}\n", QString(160, u'a'));
    row("escape not split", QByteArray(75, 'a') + "\n\\'e9\\par\n}\n", QString(75, u'a') + u'é');
}

void tst_rtf::writtenBytes()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, body);
    QCOMPARE(rtf::write(text), kHeader + body);
}

void tst_rtf::roundTrip_data()
{
    QTest::addColumn<QString>("text");
    QString latin1Upper;
    for (char16_t c = 0xA0; c <= 0xFF; ++c)
        latin1Upper += QChar(c);
    QString long540;
    for (int i = 1; i <= 540; ++i)
        long540 += script300(i) + u'~';
    const QList<std::pair<const char *, QString>> rows = {
        {"empty", QString()},
        {"plain ascii", "The quick brown fox jumps over the lazy dog 0123456789 !\"#$%&'()*+,-./:;<=>?@[]^_`|~"},
        {"entry string", "1.-empty-~2.Night falls~3.-empty-~"},
        {"backslash", "\\"}, {"open brace", "{"}, {"close brace", "}"},
        {"text that looks like rtf", "{\\rtf1 {\\*\\x} \\par \\'e9 \\u8364?}}"},
        {"accents", "1.Café~2.Über~3.Niño~4.çàèìòù ÄÖÜß~"},
        {"windows-1252 punctuation", "€ “quoted” ‘single’ — – … • ™ Š Œ Ÿ ƒ ‰ †"},
        {"latin-1 upper half", latin1Upper},
        {"greek, cyrillic, cjk", "1.Νύχτα πέφτει~2.Ночь наступает~3.夜が来る~4.밤이 온다~5.夜幕降临~"},
        {"emoji", "1.🎬 Scene 😀~2.🇫🇷~"},
        {"signed 16 bit edges", ucs4({0x7FFF, 0x8000, 0xFFFD, 0x10000, 0x10FFFF})},
        {"question mark, letters and digits after unicode", "Ω?é? Ωmega 東2 é1"},
        {"newline", "a\nb"}, {"only newline", "\n"}, {"two trailing newlines", "x\n\n"},
        {"leading newline, space after newline", "\nx\n b"},
        {"tabs and spaces", "\t1.\tDawn\t x\t\t  "},
        {"300-character script", script300(1)},
        {"540 entries of 300 characters", long540},
    };
    for (const auto &[name, text] : rows)
        QTest::newRow(name) << text;
}

void tst_rtf::roundTrip()
{
    QFETCH(QString, text);
    const QByteArray document = rtf::write(text);
    const rtf::ReadResult result = rtf::read(document);
    QVERIFY2(result.ok, qPrintable(result.error));
    QCOMPARE(result.error, QString());
    QCOMPARE(result.text, text);
    // Plain ASCII in short lines, whatever the text.
    for (const QByteArray &line : document.split('\n')) {
        QVERIFY2(line.size() <= 78, line.constData());
        for (const char c : line)
            QVERIFY(c >= 0x20 && c < 0x7F);
    }
}

// Documents as other programs save them: tables, styles, info, pictures, fields, \u with varied fallbacks.
void tst_rtf::otherWriters_data()
{
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<QString>("text");
    row("pandoc: entries", fixture("entries.rtf"), "1.Dawn~2.Noon~3.Dusk~");
    row("pandoc: unicode", fixture("unicode.rtf"), "1.Café crème~2.Ελλάδα~3.Москва~4.東京~5.😀 “quoted” — done…~");
    row("pandoc: formatting", fixture("formatting.rtf"), "1.Dawn~2.Bright noon~3.Dusk falls~4.code and link~");
    row("pandoc: paragraphs", fixture("paragraphs.rtf"), "Scene one.\nScene two, with a\nhard break.");
    row("editor", QByteArray(
        "{\\rtf1\\ansi\\ansicpg1252\\deff0\\nouicompat\\deflang1033{\\fonttbl{\\f0\\fnil\\fcharset0 Calibri;}{\\f1"
        "\\fnil\\fcharset2 Symbol;}}\r\n{\\colortbl ;\\red255\\green0\\blue0;}\r\n{\\*\\generator Notepad Deluxe"
        " 10.0;}\\viewkind4\\uc1 \r\n\\pard\\sa200\\sl276\\slmult1\\f0\\fs22\\lang9 1.Caf\\'e9 \\u8364? 5~2.\\cf1"
        "\\b Night\\cf0\\b0  falls~\\par\r\n3.-empty-~\\par\r\n}\r\n") + QByteArray(1, '\0'),
        "1.Café € 5~2.Night falls~\n3.-empty-~");
    row("word processor", QByteArray(
        "{\\rtf1\\adeflang1025\\ansi\\ansicpg1252\\uc1\\adeff0\\deff0\\stshfdbch0\\deflang1033{\\fonttbl{\\f0"
        "\\fbidi \\froman\\fcharset0\\fprq2{\\*\\panose 02020603050405020304}Times New Roman;}{\\f1\\fnil"
        "\\fcharset2 Symbol;}}\n{\\colortbl;\\red0\\green0\\blue0;\\red255\\green0\\blue0;}\n{\\stylesheet{\\ql "
        "\\li0\\ri0\\widctlpar\\wrapdefault\\fs24\\lang1033 \\snext0 \\sqformat \\spriority0 Normal;}{\\*\\cs10 "
        "\\additive \\ssemihidden Default Paragraph Font;}}\n{\\*\\rsidtbl \\rsid1192520\\rsid6172838}{\\*"
        "\\generator Big Office Writer 16;}\n{\\info{\\title Storyboard notes}{\\author Someone}{\\operator"
        " Someone}{\\creatim\\yr2024\\mo3\\dy14\\hr9\\min30}{\\version2}{\\edmins1}{\\nofpages1}}\n{\\*\\xmlnstbl "
        "{\\xmlns1 http://schemas.example/word}}\n\\paperw12240\\paperh15840\\margl1440\\margr1440\\gutter0"
        "\\ltrsect\n{\\header \\pard\\plain Page header text\\par}{\\footer \\pard\\plain Footer text\\par}\n"
        "\\pard\\plain \\ltrpar\\ql \\li0\\ri0\\widctlpar\\rtlch\\fcs1 \\af0\\afs24 \\ltrch\\fcs0 \\fs24"
        "\\insrsid6172838 {\\rtlch\\fcs1 \\af0 \\ltrch\\fcs0 \\insrsid6172838 1.Dawn~2.}{\\b\\i\\cf2 Na\\'efve}{"
        " night~3.\\uc2\\u8220\\'93\\'94quoted\\u8221\\'94\\'94~}{4.Caf\\u233?~}{\\*\\bkmkstart b1}{\\*\\bkmkend"
        " b1}{\\pict\\wmetafile8\\picw100\\pich100\\bin6 }{\\'7x}{\\field{\\*\\fldinst {HYPERLINK "
        "\"http://example.com/\"}}{\\fldrslt {\\ul 5.link}}}~{\\footnote \\pard\\plain A footnote.\\par}\\par }"),
        "1.Dawn~2.Naïve night~3.“quoted”~4.Café~5.link~");
    row("office suite",
        "{\\rtf1\\ansi\\deff3\\adeflang1025\n{\\fonttbl{\\f0\\froman\\fprq2\\fcharset0 Times New Roman;}{\\f3"
        "\\fswiss\\fprq2\\fcharset0 Liberation Sans{\\*\\falt Arial};}}\n{\\colortbl;\\red0\\green0\\blue0;"
        "\\red128\\green128\\blue128;}\n{\\stylesheet{\\s0\\snext0\\ql\\widctlpar\\hyphpar0\\ltrpar\\cf0\\loch\\f3"
        "\\fs24\\lang2057 Normal;}}\n{\\*\\generator Free Office/7.4$Linux_X86_64}{\\info{\\creatim\\yr2024\\mo1"
        "\\dy2}{\\revtim\\yr2024}}{\\*\\userprops}\\deftab709\n\\viewscale100\n{\\*\\pgdsctbl\n{\\pgdsc0"
        "\\pgdscuse451\\pgwsxn11906\\pghsxn16838\\pgdscnxt0 Default Page Style;}}\n\\formshade{\\*\\pgdscno0}"
        "\\paperh16838\\paperw11906\\margl1134\\margr1134\\sectd\\sbknone\n{\\*\\ftnsep\\chftnsep}\\pgndec\\pard"
        "\\plain \\s0\\ql\\loch\\f3\\fs24\\lang2057{\\rtlch \\ltrch\\loch\\uc1 1.\\u915\\'3f\\u949\\'3f\\u953\\'3f"
        "\\u940\\'3f~2.Tab\\tab and\\line line~3.\\emdash\\endash\\~\\-\\_\\lquote\\rquote\\ldblquote\\rdblquote"
        "\\bullet~}\n\\par }",
        "1.Γειά~2.Tab\tand\nline~3.—–\u00a0\u00ad\u2011‘’“”•~");
    row("backslash and braces", "{\\rtf1 a\\\\b\\{c\\}d}", "a\\b{c}d");
    row("minimal without final paragraph", "{\\rtf1 1.Dawn~2.Noon}", "1.Dawn~2.Noon");
    row("only the last paragraph mark is dropped", "{\\rtf1 a\\par\\par}", "a\n");
    row("final line break stays", "{\\rtf1 a\\line}", "a\n");
    row("final paragraph mark inside a group", "{\\rtf1{\\pard a\\par}\n{\\*\\x}\\pard}", "a");
    row("escaped line end is a paragraph", "{\\rtf1 a\\\nb\\\r\nc}", "a\nb\nc");
    row("line ends are not text", "{\\rtf1 Ni\r\ngh\nt\\par\r\n}", "Night");
    row("raw 8-bit byte", "{\\rtf1 caf\xe9 \x80}", "café €");
    row("uppercase hex", "{\\rtf1 \\'C9\\'e9}", "Éé");
    row("unsigned unicode", "{\\rtf1 \\u50504?\\u-15032?}", "안안");
    row("surrogates recombine", "{\\rtf1 \\u-10179?\\u-8704?!}", "😀!");
    row("unsigned surrogates", "{\\rtf1 \\u55357?\\u56832?}", "😀");
    row("lone surrogate dropped", "{\\rtf1 \\u-10179?x\\u56832?}", "x");
    row("unicode out of 16 bits", "{\\rtf1 \\u99999?x}", "x");
    row("uc0", "{\\rtf1\\uc0\\u233 x}", "éx");
    row("uc1 fallback is a hex escape", "{\\rtf1\\u233\\'e9x}", "éx");
    row("uc3 fallback ends at a brace", "{\\rtf1\\uc3{\\u233 a}b}", "éb");
    row("uc is scoped to its group", "{\\rtf1{\\uc2\\u233 ab}\\u233 cd}", "ééd");
    row("huge uc", "{\\rtf1{\\uc2147483647\\u233 abc}d}", "éd");
    row("fallback skips a control word", "{\\rtf1\\uc1\\u233\\par x}", "éx");
    // Code pages: \ansicpg, the current font's \fcharset or \cpg, \mac, \pc, \pca.
    row("cyrillic, rich-text control",
        "{\\rtf1\\ansi\\ansicpg1251\\deff0\\nouicompat\\deflang1049{\\fonttbl{\\f0\\fnil\\fcharset204 Calibri;}}\r"
        "\n\\viewkind4\\uc1 \r\n\\pard\\sa200\\sl276\\slmult1\\f0\\fs22\\lang1049 1.\\'cd\\'ee\\'f7\\'fc~\\par\r"
        "\n}\r\n",
        "1.Ночь~");
    row("greek font in a western document",
        "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\froman\\fcharset0 Times;}{\\f1\\fswiss\\fcharset161"
        " Arial Greek;}}\\pard\\plain 1.caf\\'e9 {\\f1\\'cd\\'fd\\'f7\\'f4\\'e1} caf\\'e9\\f1 \\'e1\\plain\\'e1~"
        "\\par}",
        "1.café Νύχτα caféαá~");
    row("central european, \\cpg beats \\fcharset",
        "{\\rtf1\\ansi\\ansicpg1250\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0\\cpg1250 Arial;}}\\f0 \\'a3\\'f3d\\'9f}",
        "Łódź");
    row("japanese, lead and trail bytes",
        "{\\rtf1\\ansi\\ansicpg932\\deff0{\\fonttbl{\\f0\\fnil\\fcharset128 MS Mincho;}}\\f0\\lang1041 1.\\'96"
        "\\'e9\\'82\\'aa\\'97\\'88\\'82\\'e9\\'83\\\\~\\'83\\'5c~\\par}",
        "1.夜が来るソ~ソ~");
    row("japanese, word processor fallback skipped",
        "{\\rtf1\\ansi\\ansicpg1252\\uc1\\deff0{\\fonttbl{\\f0\\froman\\fcharset0 Times;}{\\f1\\fnil\\fcharset128"
        " Mincho;}}{\\f1\\uc2\\u22812\\'96\\'e9\\'82\\'aa}\\par}",
        "夜が");
    row("simplified chinese", "{\\rtf1\\ansi\\ansicpg936 \\'d2\\'b9\\'c4\\'bb\\'bd\\'b5\\'c1\\'d9}", "夜幕降临");
    row("korean", "{\\rtf1\\ansi\\ansicpg949 \\'b9\\'e3\\'c0\\'cc \\'bf\\'c2\\'b4\\'d9}", "밤이 온다");
    row("traditional chinese, literal trail byte", "{\\rtf1\\ansi\\ansicpg950 \\'a9]\\'b9\\'f5]}", "夜幕]");
    row("lead byte without trail", "{\\rtf1\\ansi\\ansicpg932 a{\\'96}b}", "ab");
    row("classic mac", "{\\rtf1\\mac caf\\'8e}", "café");
    row("dos pc", "{\\rtf1\\pc \\'82\\'9b}", "é¢");
    row("dos pca", "{\\rtf1\\pca \\'82\\'9b}", "éø");
    row("unknown code page falls back to 1252", "{\\rtf1\\ansi\\ansicpg99999 \\'e9\\'80}", "é€");
    // Control characters never reach an entry, however they are written.
    row("controls from \\u", rtf::write(ucs4({'a', 0x0, 0x1, 0xD, 0x1F, 0x7F, 0x81, 0x9F, 0xFFFE, 0xFFFF, 'b'})), "ab");
    row("controls from \\'hh and raw bytes",
        "{\\rtf1 a\\'00\\'01\\'0d\\'1f\\'7f\\'81\\'8d\\'9d\\'09b\x01\x7f" "c}",
        "a\tbc");
    row("binary data with braces", "{\\rtf1 a{\\pict\\bin5 }{\\\\}}b}", "ab");
    row("unknown destination", "{\\rtf1 a{\\*\\shppict{\\pict 0102}}{\\*\\foo {bar}}b}", "ab");
    row("32-letter control word", "{\\rtf1 \\abcdefghijklmnopqrstuvwxyzabcdef x}", "x");
    row("32-bit parameters", "{\\rtf1 \\fs2147483647\\fs-2147483648 x}", "x");
    row("minus without digits", "{\\rtf1 \\b-x}", "-x");
    row("100000 sibling groups", QByteArray("{\\rtf1 ") + QByteArray("{}").repeated(100000) + "x}", "x");
    row("trailing line end and NUL", QByteArray("{\\rtf1 x}\r\n\0", 12), "x");
}

void tst_rtf::otherWriters()
{
    QFETCH(QByteArray, document);
    const rtf::ReadResult result = rtf::read(document);
    QVERIFY2(result.ok, qPrintable(result.error));
    QTEST(result.text, "text");
}

void tst_rtf::badInput_data()
{
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<QString>("error");
    const QString notRtf = QStringLiteral("Not a rich text document: it does not start with {\\rtf.");
    const QString oneOpen = QStringLiteral("The document is incomplete: 1 group(s) still open at its end.");
    const QString deep = QStringLiteral("Groups nested more than 10000 deep at byte 10006.");
    const QString longWord = QStringLiteral("Control word longer than 32 letters at byte 7.");
    const QString range = QStringLiteral("Numeric parameter out of range at byte %1.");
    const QByteArray ours = rtf::write(QStringLiteral("1.Dawn~2.Noon~"));
    const QByteArray open = QByteArray("{\\rtf1 ") + QByteArray(100000, '{');
    row("empty", QByteArray(), "The document is empty.");
    row("plain text", "1.Dawn~2.Noon~", notRtf);
    row("html", "<html><body>1.Dawn~</body></html>", notRtf);
    row("binary", QByteArray("\x89PNG\r\n\x1a\n\0\0", 10), notRtf);
    row("leading space", " {\\rtf1 x}", notRtf);
    row("longer first word", "{\\rtfx1 x}", notRtf);
    row("only the magic", "{\\rtf", oneOpen);
    row("our document without its last brace", ours.chopped(2), oneOpen);
    row("our document cut in the font table", ours.left(50), "The document is incomplete: 3 group(s) still open at its end.");
    row("group left open", "{\\rtf1 {\\b x}", oneOpen);
    row("ends in a backslash", "{\\rtf1 x\\", "The document ends inside a control word.");
    row("ends inside a hex escape", "{\\rtf1 x\\'e", "Bad \\' escape at byte 8.");
    row("bad hex escape", "{\\rtf1 x\\'zz}", "Bad \\' escape at byte 8.");
    row("brace with no open group", "{\\rtf1 x}}", "Unbalanced \"}\" at byte 9: no group is open.");
    row("data after the end", "{\\rtf1 x}y", "Data after the end of the document at byte 9.");
    row("100000 open groups", open, deep);
    row("100000 balanced groups", open + QByteArray(100000, '}') + '}', deep);
    row("33-letter control word", "{\\rtf1 \\abcdefghijklmnopqrstuvwxyzabcdefg x}", longWord);
    row("huge control word", QByteArray("{\\rtf1 \\") + QByteArray(100000, 'a') + '}', longWord);
    row("parameter above 32 bits", "{\\rtf1 \\fs2147483648 x}", range.arg(7));
    row("parameter below 32 bits", "{\\rtf1 \\u-2147483649 x}", range.arg(7));
    row("huge parameter", QByteArray("{\\rtf1 x\\fs") + QByteArray(100000, '9') + '}', range.arg(8));
    row("binary data past the end", "{\\rtf1 {\\pict\\bin100 ab}}", "The document ends inside binary data.");
    row("huge binary length", "{\\rtf1 \\bin2147483647 ab}", "The document ends inside binary data.");
    row("negative binary length", "{\\rtf1 \\bin-5 ab}", "Negative \\bin length at byte 7.");
}

void tst_rtf::badInput()
{
    QFETCH(QByteArray, document);
    const rtf::ReadResult result = rtf::read(document);
    QVERIFY(!result.ok);
    QTEST(result.error, "error");
    QCOMPARE(result.text, QString());
}

// Random bytes and damaged documents: the reader never crashes or hangs, and what it accepts is text a
// writer stores again unchanged, with no lone surrogate.
void tst_rtf::fuzz()
{
    const QList<QByteArray> seeds = {
        rtf::write(QStringLiteral("1.-empty-~2.Night falls~3.-empty-~")),
        rtf::write(QStringLiteral("1.Café € “q”~\n\t2.Ωж東😀 {}\\~\n")), fixture("unicode.rtf"), fixture("formatting.rtf"),
        "{\\rtf1{\\*\\x{\\pict\\bin3 }{}}}{\\uc2\\u-10179\\'3f\\'3f\\u56832??}\\'e9\\~\\-\\par}"};
    static constexpr char kAlphabet[] = "{}\\'*?~-_ 0123456789abcdefuxpartbinc\r\n\t\x80\xff";
    QRandomGenerator rng(20240607);
    const auto anyByte = [&] { return rng.bounded(2) ? char(rng.bounded(256)) : kAlphabet[rng.bounded(int(sizeof kAlphabet) - 1)]; };
    int outcomes[2] = {};
    for (int i = 0; i < 4000; ++i) {
        QByteArray doc = i % 8 == 0 ? "{\\rtf1 " : "";
        if (i % 4 == 0) {
            for (int j = int(rng.bounded(200)); j > 0; --j)
                doc += anyByte();
        } else {
            doc = seeds.at(int(rng.bounded(int(seeds.size()))));
            for (int e = int(rng.bounded(4)); e >= 0 && !doc.isEmpty(); --e) {
                const int at = int(rng.bounded(int(doc.size())));
                const int span = 1 + int(rng.bounded(qMin(16, int(doc.size()) - at)));
                switch (rng.bounded(5)) {
                case 0: doc[at] = anyByte(); break;
                case 1: doc.insert(at, anyByte()); break;
                case 2: doc.remove(at, span); break;
                case 3: doc.insert(at, doc.mid(at, span)); break;
                default: doc.truncate(at); break;
                }
            }
        }
        const rtf::ReadResult result = rtf::read(doc);
        ++outcomes[result.ok];
        QCOMPARE(result.error.isEmpty(), result.ok);
        QVERIFY(result.ok || result.text.isEmpty());
        QVERIFY(QStringView(result.text).isValidUtf16());
        if (result.ok)
            QCOMPARE(rtf::read(rtf::write(result.text)).text, result.text);
    }
    // Both outcomes well exercised, or the damage is too mild or too rough.
    QVERIFY2(outcomes[0] > 400 && outcomes[1] > 400, qPrintable(QStringLiteral("%1 %2").arg(outcomes[0]).arg(outcomes[1])));
}

// Independent readers open our documents. unrtf --text prints Latin-1, "?" (our fallback) for \u characters
// and a "###" header; pandoc prints every character back, the one after a \u included.
void tst_rtf::readByOthers_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("printed");
    QString entries;
    for (int i = 1; i <= 200; ++i)
        entries += QStringLiteral("%1.Scene %1 is where the hero walks into the rain~").arg(i);
    const auto unrtf = [](const char *name, const QString &text, const QByteArray &printed) {
        QTest::newRow(name) << "unrtf" << text << printed;
    };
    unrtf("entry string", "1.-empty-~2.Night falls~3.-empty-~", "1.-empty-~2.Night falls~3.-empty-~");
    unrtf("backslash and braces", "1.{cut} \\ back~", "1.{cut} \\ back~");
    unrtf("accents", "1.Café~2.Über~3.Niño~", "1.Caf\xe9~2.\xdc" "ber~3.Ni\xf1o~");
    unrtf("unicode shows its fallback", "1.Ωmega 東~", "1.?mega ?~");
    unrtf("paragraphs", "1.Dawn~\n2.Noon~", "1.Dawn~\n2.Noon~");
    unrtf("200 entries in broken lines", entries, entries.toLatin1());
    for (const char *text : {"1.Ωmega 東2 жx~", "1.Ночь наступает~2.夜が来る~", "1.Ω?é?~"})
        QTest::newRow(text) << "pandoc" << QString::fromUtf8(text) << QByteArray(text);
}

void tst_rtf::readByOthers()
{
    QFETCH(QString, program);
    QFETCH(QString, text);
    QFETCH(QByteArray, printed);
    const QString path = QStandardPaths::findExecutable(program);
    if (path.isEmpty())
        QSKIP("not installed");
    QProcess process;
    process.start(path, program == u"unrtf" ? QStringList{"--text"} : QStringList{"-f", "rtf", "-t", "plain", "--wrap=none"});
    QVERIFY(process.waitForStarted(10000));
    process.write(rtf::write(text));
    process.closeWriteChannel();
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.exitCode(), 0);
    QByteArray body;
    for (const QByteArray &line : process.readAllStandardOutput().split('\n'))
        body += line.startsWith("###") ? QByteArray() : line + '\n';
    QVERIFY2(program == u"unrtf" ? body.contains(printed) : body.trimmed() == printed, body.constData());
}

QTEST_GUILESS_MAIN(tst_rtf)
#include "tst_rtf.moc"

#include "scripts/RtfReader.h"
#include "scripts/RtfWriter.h"

#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// What every document of ours starts with, up to the first character of text.
const QByteArray kHeader =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}}\n"
    "{\\*\\generator Quorvadine 1.0;}\\viewkind4\\uc1\\pard\\f0\\fs20 \n";

QString fromUcs4(std::initializer_list<char32_t> codePoints)
{
    QString s;
    for (const char32_t c : codePoints)
        s += QString::fromUcs4(&c, 1);
    return s;
}

// A scene script of exactly 300 UTF-16 units with accents, Windows-1252
// punctuation, Greek and an emoji.
QString script300(int scene)
{
    QString s = QString::number(scene) + QStringLiteral(".Night falls on the café; “Wait—” she says… Ωμέγα 😀 {cut} \\ ");
    while (s.size() < 300)
        s += QStringLiteral("the camera pans slowly across the square. ");
    s.truncate(300);
    if (s.back().isHighSurrogate())
        s.back() = QLatin1Char('x');
    return s;
}

QString longDocument()
{
    QString s;
    for (int i = 1; i <= 540; ++i)
        s += script300(i) + QLatin1Char('~');
    return s;
}

QString asciiEntries(int count)
{
    QString s;
    for (int i = 1; i <= count; ++i)
        s += QStringLiteral("%1.Scene %1 is where the hero walks into the rain~").arg(i);
    return s;
}

bool hasLoneSurrogate(const QString &s)
{
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s.at(i).isHighSurrogate() && i + 1 < s.size() && s.at(i + 1).isLowSurrogate())
            ++i;
        else if (s.at(i).isSurrogate())
            return true;
    }
    return false;
}

QByteArray fixture(const QString &name)
{
    QFile file(QStringLiteral(QV_SOURCE_DIR "/tests/data/rtf/") + name);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

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
    void pandocFiles_data();
    void pandocFiles();
    void badInput_data();
    void badInput();
    void fuzz();
    void readByUnrtf_data();
    void readByUnrtf();
    void readByPandoc_data();
    void readByPandoc();
};

void tst_rtf::writtenBytes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("body"); // what follows the header

    QTest::newRow("empty") << QString() << QByteArray("\\par\n}\n");
    QTest::newRow("entry string") << QStringLiteral("1.-empty-~2.Night falls~3.-empty-~")
                                  << QByteArray("1.-empty-~2.Night falls~3.-empty-~\\par\n}\n");
    QTest::newRow("backslash and braces") << QStringLiteral("\\{}") << QByteArray("\\\\\\{\\}\\par\n}\n");
    QTest::newRow("windows-1252") << QStringLiteral("é€—ÿ") << QByteArray("\\'e9\\'80\\'97\\'ff\\par\n}\n");
    QTest::newRow("beyond windows-1252") << QStringLiteral("Ωж") << QByteArray("\\u937\\'3f\\u1078\\'3f\\par\n}\n");
    QTest::newRow("signed 16 bit") << fromUcs4({0x7FFF, 0x8000, 0xFFFD})
                                   << QByteArray("\\u32767\\'3f\\u-32768\\'3f\\u-3\\'3f\\par\n}\n");
    QTest::newRow("emoji as surrogate pair") << QStringLiteral("😀")
                                             << QByteArray("\\u-10179\\'3f\\u-8704\\'3f\\par\n}\n");
    QTest::newRow("c1 control is not a 1252 byte") << fromUcs4({0x81}) << QByteArray("\\u129\\'3f\\par\n}\n");
    QTest::newRow("carriage return") << QStringLiteral("a\rb") << QByteArray("a\\u13\\'3fb\\par\n}\n");
    QTest::newRow("newline and tab") << QStringLiteral("a\nb\tc") << QByteArray("a\\par\nb\\tab c\\par\n}\n");
    QTest::newRow("trailing newline") << QStringLiteral("a\n") << QByteArray("a\\par\n\\par\n}\n");
    QTest::newRow("lone surrogate") << (QString(QChar(0xD83D)) + QLatin1Char('x'))
                                    << QByteArray("\\u-3\\'3fx\\par\n}\n");
    // Lines are broken at 78 bytes, between escapes.
    QTest::newRow("long run broken") << QString(160, QLatin1Char('a'))
                                     << QByteArray(78, 'a') + '\n' + QByteArray(78, 'a') + '\n'
                                            + QByteArray(4, 'a') + "\\par\n}\n";
    QTest::newRow("escape not split") << (QString(75, QLatin1Char('a')) + QStringLiteral("é"))
                                      << QByteArray(75, 'a') + "\n\\'e9\\par\n}\n";
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

    QTest::newRow("empty") << QString();
    QTest::newRow("plain ascii")
        << QStringLiteral("The quick brown fox jumps over the lazy dog 0123456789 !\"#$%&'()*+,-./:;<=>?@[]^_`|~");
    QTest::newRow("entry string") << QStringLiteral("1.-empty-~2.Night falls~3.-empty-~");
    QTest::newRow("one entry") << QStringLiteral("1.Dawn~");
    QTest::newRow("backslash") << QStringLiteral("\\");
    QTest::newRow("open brace") << QStringLiteral("{");
    QTest::newRow("close brace") << QStringLiteral("}");
    QTest::newRow("text that looks like rtf") << QStringLiteral("{\\rtf1 {\\*\\x} \\par \\'e9 \\u8364?}}");
    QTest::newRow("accents") << QStringLiteral("1.Café~2.Über~3.Niño~4.çàèìòù ÄÖÜß~");
    QTest::newRow("windows-1252 punctuation") << QStringLiteral("€ “quoted” ‘single’ — – … • ™ Š Œ Ÿ ƒ ‰ †");
    QString latin1Upper;
    for (char16_t c = 0xA0; c <= 0xFF; ++c)
        latin1Upper += QChar(c);
    QTest::newRow("latin-1 upper half") << latin1Upper;
    QTest::newRow("greek") << QStringLiteral("1.Νύχτα πέφτει~");
    QTest::newRow("cyrillic") << QStringLiteral("1.Ночь наступает~");
    QTest::newRow("cjk") << QStringLiteral("1.夜が来る~2.밤이 온다~3.夜幕降临~");
    QTest::newRow("emoji") << QStringLiteral("1.🎬 Scene 😀~2.🇫🇷~");
    QTest::newRow("signed 16 bit edges") << fromUcs4({0x7FFF, 0x8000, 0xFFFD, 0x10000, 0x10FFFF});
    QTest::newRow("question mark after unicode") << QStringLiteral("Ω?é?");
    QTest::newRow("letters and digits after unicode") << QStringLiteral("Ωmega 東2 é1");
    QTest::newRow("newline") << QStringLiteral("a\nb");
    QTest::newRow("only newline") << QStringLiteral("\n");
    QTest::newRow("trailing newline") << QStringLiteral("1.Dawn~\n");
    QTest::newRow("two trailing newlines") << QStringLiteral("x\n\n");
    QTest::newRow("leading newline") << QStringLiteral("\nx");
    QTest::newRow("space after newline") << QStringLiteral("a\n b");
    QTest::newRow("tabs") << QStringLiteral("\t1.\tDawn\t");
    QTest::newRow("space after tab") << QStringLiteral("\t x\t\t");
    QTest::newRow("leading and trailing spaces") << QStringLiteral("  x  ");
    QTest::newRow("300-character script") << script300(1);
    QTest::newRow("540 entries of 300 characters") << longDocument();
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

// Documents in the style other word processors save: tables, styles, info,
// generator, pictures, fields and \u with varying fallbacks.
void tst_rtf::otherWriters_data()
{
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<QString>("text");

    QTest::newRow("editor")
        << QByteArray("{\\rtf1\\ansi\\ansicpg1252\\deff0\\nouicompat\\deflang1033{\\fonttbl{\\f0\\fnil\\fcharset0 Calibri;}"
                      "{\\f1\\fnil\\fcharset2 Symbol;}}\r\n"
                      "{\\colortbl ;\\red255\\green0\\blue0;}\r\n"
                      "{\\*\\generator Notepad Deluxe 10.0;}\\viewkind4\\uc1 \r\n"
                      "\\pard\\sa200\\sl276\\slmult1\\f0\\fs22\\lang9 1.Caf\\'e9 \\u8364? 5~2.\\cf1\\b Night\\cf0\\b0  falls~\\par\r\n"
                      "3.-empty-~\\par\r\n"
                      "}\r\n") + QByteArray(1, '\0')
        << QStringLiteral("1.Café € 5~2.Night falls~\n3.-empty-~");

    QTest::newRow("word processor")
        << QByteArray(
               "{\\rtf1\\adeflang1025\\ansi\\ansicpg1252\\uc1\\adeff0\\deff0\\stshfdbch0\\deflang1033"
               "{\\fonttbl{\\f0\\fbidi \\froman\\fcharset0\\fprq2{\\*\\panose 02020603050405020304}Times New Roman;}"
               "{\\f1\\fnil\\fcharset2 Symbol;}}\n"
               "{\\colortbl;\\red0\\green0\\blue0;\\red255\\green0\\blue0;}\n"
               "{\\stylesheet{\\ql \\li0\\ri0\\widctlpar\\wrapdefault\\fs24\\lang1033 \\snext0 \\sqformat \\spriority0 Normal;}"
               "{\\*\\cs10 \\additive \\ssemihidden Default Paragraph Font;}}\n"
               "{\\*\\rsidtbl \\rsid1192520\\rsid6172838}{\\*\\generator Big Office Writer 16;}\n"
               "{\\info{\\title Storyboard notes}{\\author Someone}{\\operator Someone}"
               "{\\creatim\\yr2024\\mo3\\dy14\\hr9\\min30}{\\version2}{\\edmins1}{\\nofpages1}}\n"
               "{\\*\\xmlnstbl {\\xmlns1 http://schemas.example/word}}\n"
               "\\paperw12240\\paperh15840\\margl1440\\margr1440\\gutter0\\ltrsect\n"
               "{\\header \\pard\\plain Page header text\\par}{\\footer \\pard\\plain Footer text\\par}\n"
               "\\pard\\plain \\ltrpar\\ql \\li0\\ri0\\widctlpar\\rtlch\\fcs1 \\af0\\afs24 \\ltrch\\fcs0 \\fs24\\insrsid6172838 "
               "{\\rtlch\\fcs1 \\af0 \\ltrch\\fcs0 \\insrsid6172838 1.Dawn~2.}{\\b\\i\\cf2 Na\\'efve}"
               "{ night~3.\\uc2\\u8220\\'93\\'94quoted\\u8221\\'94\\'94~}{4.Caf\\u233?~}"
               "{\\*\\bkmkstart b1}{\\*\\bkmkend b1}"
               "{\\pict\\wmetafile8\\picw100\\pich100\\bin6 }{\\'7x}"
               "{\\field{\\*\\fldinst {HYPERLINK \"http://example.com/\"}}{\\fldrslt {\\ul 5.link}}}~"
               "{\\footnote \\pard\\plain A footnote.\\par}\\par }")
        << QStringLiteral("1.Dawn~2.Naïve night~3.“quoted”~4.Café~5.link~");

    QTest::newRow("office suite")
        << QByteArray("{\\rtf1\\ansi\\deff3\\adeflang1025\n"
                      "{\\fonttbl{\\f0\\froman\\fprq2\\fcharset0 Times New Roman;}{\\f3\\fswiss\\fprq2\\fcharset0 Liberation Sans"
                      "{\\*\\falt Arial};}}\n"
                      "{\\colortbl;\\red0\\green0\\blue0;\\red128\\green128\\blue128;}\n"
                      "{\\stylesheet{\\s0\\snext0\\ql\\widctlpar\\hyphpar0\\ltrpar\\cf0\\loch\\f3\\fs24\\lang2057 Normal;}}\n"
                      "{\\*\\generator Free Office/7.4$Linux_X86_64}{\\info{\\creatim\\yr2024\\mo1\\dy2}{\\revtim\\yr2024}}"
                      "{\\*\\userprops}\\deftab709\n"
                      "\\viewscale100\n"
                      "{\\*\\pgdsctbl\n{\\pgdsc0\\pgdscuse451\\pgwsxn11906\\pghsxn16838\\pgdscnxt0 Default Page Style;}}\n"
                      "\\formshade{\\*\\pgdscno0}\\paperh16838\\paperw11906\\margl1134\\margr1134\\sectd\\sbknone\n"
                      "{\\*\\ftnsep\\chftnsep}\\pgndec\\pard\\plain \\s0\\ql\\loch\\f3\\fs24\\lang2057{\\rtlch \\ltrch\\loch"
                      "\\uc1 1.\\u915\\'3f\\u949\\'3f\\u953\\'3f\\u940\\'3f~2.Tab\\tab and\\line line~3.\\emdash\\endash\\~\\-\\_"
                      "\\lquote\\rquote\\ldblquote\\rdblquote\\bullet~}\n"
                      "\\par }")
        << QStringLiteral("1.Γειά~2.Tab\tand\nline~3.—–\u00a0\u00ad\u2011‘’“”•~");

    QTest::newRow("backslash and braces") << QByteArray("{\\rtf1 a\\\\b\\{c\\}d}") << QStringLiteral("a\\b{c}d");
    QTest::newRow("minimal without final paragraph") << QByteArray("{\\rtf1 1.Dawn~2.Noon}")
                                                     << QStringLiteral("1.Dawn~2.Noon");
    QTest::newRow("only the last paragraph mark is dropped") << QByteArray("{\\rtf1 a\\par\\par}")
                                                              << QStringLiteral("a\n");
    QTest::newRow("final line break stays") << QByteArray("{\\rtf1 a\\line}") << QStringLiteral("a\n");
    QTest::newRow("final paragraph mark inside a group") << QByteArray("{\\rtf1{\\pard a\\par}\n{\\*\\x}\\pard}")
                                                         << QStringLiteral("a");
    QTest::newRow("escaped line end is a paragraph") << QByteArray("{\\rtf1 a\\\nb\\\r\nc}")
                                                     << QStringLiteral("a\nb\nc");
    QTest::newRow("line ends are not text") << QByteArray("{\\rtf1 Ni\r\ngh\nt\\par\r\n}")
                                            << QStringLiteral("Night");
    QTest::newRow("raw 8-bit byte") << QByteArray("{\\rtf1 caf\xe9 \x80}") << QStringLiteral("café €");
    QTest::newRow("uppercase hex") << QByteArray("{\\rtf1 \\'C9\\'e9}") << QStringLiteral("Éé");
    QTest::newRow("unsigned unicode") << QByteArray("{\\rtf1 \\u50504?\\u-15032?}") << QStringLiteral("안안");
    QTest::newRow("surrogates recombine") << QByteArray("{\\rtf1 \\u-10179?\\u-8704?!}") << QStringLiteral("😀!");
    QTest::newRow("unsigned surrogates") << QByteArray("{\\rtf1 \\u55357?\\u56832?}") << QStringLiteral("😀");
    QTest::newRow("lone surrogate dropped") << QByteArray("{\\rtf1 \\u-10179?x\\u56832?}") << QStringLiteral("x");
    QTest::newRow("unicode out of 16 bits") << QByteArray("{\\rtf1 \\u99999?x}") << QStringLiteral("x");
    QTest::newRow("uc0") << QByteArray("{\\rtf1\\uc0\\u233 x}") << QStringLiteral("éx");
    QTest::newRow("uc1 fallback is a hex escape") << QByteArray("{\\rtf1\\u233\\'e9x}") << QStringLiteral("éx");
    QTest::newRow("uc3 fallback ends at a brace") << QByteArray("{\\rtf1\\uc3{\\u233 a}b}") << QStringLiteral("éb");
    QTest::newRow("uc is scoped to its group") << QByteArray("{\\rtf1{\\uc2\\u233 ab}\\u233 cd}")
                                               << QStringLiteral("ééd");
    QTest::newRow("huge uc") << QByteArray("{\\rtf1{\\uc2147483647\\u233 abc}d}") << QStringLiteral("éd");
    QTest::newRow("fallback skips a control word") << QByteArray("{\\rtf1\\uc1\\u233\\par x}")
                                                   << QStringLiteral("éx");
    // Code pages: \ansicpg, the current font's \fcharset or \cpg, \mac, \pc, \pca.
    QTest::newRow("cyrillic, rich-text control")
        << QByteArray("{\\rtf1\\ansi\\ansicpg1251\\deff0\\nouicompat\\deflang1049{\\fonttbl{\\f0\\fnil\\fcharset204 Calibri;}}\r\n"
                      "\\viewkind4\\uc1 \r\n\\pard\\sa200\\sl276\\slmult1\\f0\\fs22\\lang1049 1.\\'cd\\'ee\\'f7\\'fc~\\par\r\n}\r\n")
        << QStringLiteral("1.Ночь~");
    QTest::newRow("greek font in a western document")
        << QByteArray("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\froman\\fcharset0 Times;}{\\f1\\fswiss\\fcharset161 Arial Greek;}}"
                      "\\pard\\plain 1.caf\\'e9 {\\f1\\'cd\\'fd\\'f7\\'f4\\'e1} caf\\'e9\\f1 \\'e1\\plain\\'e1~\\par}")
        << QStringLiteral("1.café Νύχτα caféαá~");
    QTest::newRow("central european, \\cpg beats \\fcharset")
        << QByteArray("{\\rtf1\\ansi\\ansicpg1250\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0\\cpg1250 Arial;}}\\f0 \\'a3\\'f3d\\'9f}")
        << QStringLiteral("Łódź");
    QTest::newRow("japanese, lead and trail bytes")
        << QByteArray("{\\rtf1\\ansi\\ansicpg932\\deff0{\\fonttbl{\\f0\\fnil\\fcharset128 MS Mincho;}}\\f0\\lang1041 "
                      "1.\\'96\\'e9\\'82\\'aa\\'97\\'88\\'82\\'e9\\'83\\\\~\\'83\\'5c~\\par}")
        << QStringLiteral("1.夜が来るソ~ソ~");
    QTest::newRow("japanese, word processor fallback skipped")
        << QByteArray("{\\rtf1\\ansi\\ansicpg1252\\uc1\\deff0{\\fonttbl{\\f0\\froman\\fcharset0 Times;}{\\f1\\fnil\\fcharset128 Mincho;}}"
                      "{\\f1\\uc2\\u22812\\'96\\'e9\\'82\\'aa}\\par}")
        << QStringLiteral("夜が");
    QTest::newRow("simplified chinese") << QByteArray("{\\rtf1\\ansi\\ansicpg936 \\'d2\\'b9\\'c4\\'bb\\'bd\\'b5\\'c1\\'d9}")
                                        << QStringLiteral("夜幕降临");
    QTest::newRow("korean") << QByteArray("{\\rtf1\\ansi\\ansicpg949 \\'b9\\'e3\\'c0\\'cc \\'bf\\'c2\\'b4\\'d9}")
                            << QStringLiteral("밤이 온다");
    QTest::newRow("traditional chinese, literal trail byte")
        << QByteArray("{\\rtf1\\ansi\\ansicpg950 \\'a9]\\'b9\\'f5]}") << QStringLiteral("夜幕]");
    QTest::newRow("lead byte without trail") << QByteArray("{\\rtf1\\ansi\\ansicpg932 a{\\'96}b}") << QStringLiteral("ab");
    QTest::newRow("classic mac") << QByteArray("{\\rtf1\\mac caf\\'8e}") << QStringLiteral("café");
    QTest::newRow("dos pc") << QByteArray("{\\rtf1\\pc \\'82\\'9b}") << QStringLiteral("é¢");
    QTest::newRow("dos pca") << QByteArray("{\\rtf1\\pca \\'82\\'9b}") << QStringLiteral("éø");
    QTest::newRow("unknown code page falls back to 1252") << QByteArray("{\\rtf1\\ansi\\ansicpg99999 \\'e9\\'80}")
                                                          << QStringLiteral("é€");
    // Control characters never reach an entry, however they are written.
    QTest::newRow("controls from \\u") << rtf::write(fromUcs4({'a', 0x0, 0x1, 0xD, 0x1F, 0x7F, 0x81, 0x9F, 0xFFFE, 0xFFFF, 'b'}))
                                        << QStringLiteral("ab");
    QTest::newRow("controls from \\'hh and raw bytes")
        << QByteArray("{\\rtf1 a\\'00\\'01\\'0d\\'1f\\'7f\\'81\\'8d\\'9d\\'09b\x01\x7f" "c}") << QStringLiteral("a\tbc");
    QTest::newRow("binary data with braces") << QByteArray("{\\rtf1 a{\\pict\\bin5 }{\\\\}}b}")
                                             << QStringLiteral("ab");
    QTest::newRow("unknown destination") << QByteArray("{\\rtf1 a{\\*\\shppict{\\pict 0102}}{\\*\\foo {bar}}b}")
                                         << QStringLiteral("ab");
    QTest::newRow("32-letter control word") << QByteArray("{\\rtf1 \\abcdefghijklmnopqrstuvwxyzabcdef x}")
                                            << QStringLiteral("x");
    QTest::newRow("32-bit parameters") << QByteArray("{\\rtf1 \\fs2147483647\\fs-2147483648 x}")
                                       << QStringLiteral("x");
    QTest::newRow("minus without digits") << QByteArray("{\\rtf1 \\b-x}") << QStringLiteral("-x");
    QTest::newRow("100000 sibling groups") << QByteArray("{\\rtf1 ") + QByteArray("{}").repeated(100000) + "x}"
                                           << QStringLiteral("x");
    QTest::newRow("trailing line end and NUL") << QByteArray("{\\rtf1 x}\r\n\0", 12) << QStringLiteral("x");
}

void tst_rtf::otherWriters()
{
    QFETCH(QByteArray, document);
    QFETCH(QString, text);
    const rtf::ReadResult result = rtf::read(document);
    QVERIFY2(result.ok, qPrintable(result.error));
    QCOMPARE(result.text, text);
}

void tst_rtf::pandocFiles_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("text");

    QTest::newRow("entries") << QStringLiteral("entries.rtf") << QStringLiteral("1.Dawn~2.Noon~3.Dusk~");
    QTest::newRow("unicode") << QStringLiteral("unicode.rtf")
                             << QStringLiteral("1.Café crème~2.Ελλάδα~3.Москва~4.東京~5.😀 “quoted” — done…~");
    QTest::newRow("formatting") << QStringLiteral("formatting.rtf")
                                << QStringLiteral("1.Dawn~2.Bright noon~3.Dusk falls~4.code and link~");
    QTest::newRow("paragraphs") << QStringLiteral("paragraphs.rtf")
                                << QStringLiteral("Scene one.\nScene two, with a\nhard break.");
}

void tst_rtf::pandocFiles()
{
    QFETCH(QString, file);
    QFETCH(QString, text);
    const QByteArray document = fixture(file);
    QVERIFY2(!document.isEmpty(), qPrintable(file));
    const rtf::ReadResult result = rtf::read(document);
    QVERIFY2(result.ok, qPrintable(result.error));
    QCOMPARE(result.text, text);
}

void tst_rtf::badInput_data()
{
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<QString>("error");

    const QString notRtf = QStringLiteral("Not a rich text document: it does not start with {\\rtf.");
    const QString oneOpen = QStringLiteral("The document is incomplete: 1 group(s) still open at its end.");
    const QByteArray ours = rtf::write(QStringLiteral("1.Dawn~2.Noon~"));

    QTest::newRow("empty") << QByteArray() << QStringLiteral("The document is empty.");
    QTest::newRow("plain text") << QByteArray("1.Dawn~2.Noon~") << notRtf;
    QTest::newRow("html") << QByteArray("<html><body>1.Dawn~</body></html>") << notRtf;
    QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1a\n\0\0", 10) << notRtf;
    QTest::newRow("leading space") << QByteArray(" {\\rtf1 x}") << notRtf;
    QTest::newRow("longer first word") << QByteArray("{\\rtfx1 x}") << notRtf;
    QTest::newRow("only the magic") << QByteArray("{\\rtf") << oneOpen;
    QTest::newRow("our document without its last brace") << ours.chopped(2) << oneOpen;
    QTest::newRow("our document cut in the font table") << ours.left(50)
        << QStringLiteral("The document is incomplete: 3 group(s) still open at its end.");
    QTest::newRow("group left open") << QByteArray("{\\rtf1 {\\b x}") << oneOpen;
    QTest::newRow("ends in a backslash") << QByteArray("{\\rtf1 x\\")
                                         << QStringLiteral("The document ends inside a control word.");
    QTest::newRow("ends inside a hex escape") << QByteArray("{\\rtf1 x\\'e")
                                              << QStringLiteral("Bad \\' escape at byte 8.");
    QTest::newRow("bad hex escape") << QByteArray("{\\rtf1 x\\'zz}") << QStringLiteral("Bad \\' escape at byte 8.");
    QTest::newRow("brace with no open group") << QByteArray("{\\rtf1 x}}")
                                              << QStringLiteral("Unbalanced \"}\" at byte 9: no group is open.");
    QTest::newRow("data after the end") << QByteArray("{\\rtf1 x}y")
                                        << QStringLiteral("Data after the end of the document at byte 9.");
    QTest::newRow("100000 open groups") << QByteArray("{\\rtf1 ") + QByteArray(100000, '{')
                                        << QStringLiteral("Groups nested more than 10000 deep at byte 10006.");
    QTest::newRow("100000 balanced groups")
        << QByteArray("{\\rtf1 ") + QByteArray(100000, '{') + QByteArray(100000, '}') + '}'
        << QStringLiteral("Groups nested more than 10000 deep at byte 10006.");
    QTest::newRow("33-letter control word") << QByteArray("{\\rtf1 \\abcdefghijklmnopqrstuvwxyzabcdefg x}")
                                            << QStringLiteral("Control word longer than 32 letters at byte 7.");
    QTest::newRow("huge control word") << QByteArray("{\\rtf1 \\") + QByteArray(100000, 'a') + '}'
                                       << QStringLiteral("Control word longer than 32 letters at byte 7.");
    QTest::newRow("parameter above 32 bits") << QByteArray("{\\rtf1 \\fs2147483648 x}")
                                             << QStringLiteral("Numeric parameter out of range at byte 7.");
    QTest::newRow("parameter below 32 bits") << QByteArray("{\\rtf1 \\u-2147483649 x}")
                                             << QStringLiteral("Numeric parameter out of range at byte 7.");
    QTest::newRow("huge parameter") << QByteArray("{\\rtf1 x\\fs") + QByteArray(100000, '9') + '}'
                                    << QStringLiteral("Numeric parameter out of range at byte 8.");
    QTest::newRow("binary data past the end") << QByteArray("{\\rtf1 {\\pict\\bin100 ab}}")
                                              << QStringLiteral("The document ends inside binary data.");
    QTest::newRow("huge binary length") << QByteArray("{\\rtf1 \\bin2147483647 ab}")
                                        << QStringLiteral("The document ends inside binary data.");
    QTest::newRow("negative binary length") << QByteArray("{\\rtf1 \\bin-5 ab}")
                                            << QStringLiteral("Negative \\bin length at byte 7.");
}

void tst_rtf::badInput()
{
    QFETCH(QByteArray, document);
    QFETCH(QString, error);
    const rtf::ReadResult result = rtf::read(document);
    QVERIFY(!result.ok);
    QCOMPARE(result.error, error);
    QCOMPARE(result.text, QString());
}

// Random bytes and damaged documents: the reader never crashes or hangs, and
// what it accepts is text a writer can store again unchanged.
void tst_rtf::fuzz()
{
    QList<QByteArray> seeds = {
        rtf::write(QStringLiteral("1.-empty-~2.Night falls~3.-empty-~")),
        rtf::write(QStringLiteral("1.Café € “q”~\n\t2.Ωж東😀 {}\\~\n")),
        fixture(QStringLiteral("unicode.rtf")),
        fixture(QStringLiteral("formatting.rtf")),
        QByteArray("{\\rtf1{\\*\\x{\\pict\\bin3 }{}}}{\\uc2\\u-10179\\'3f\\'3f\\u56832??}\\'e9\\~\\-\\par}"),
    };
    static constexpr char kAlphabet[] = "{}\\'*?~-_ 0123456789abcdefuxpartbinc\r\n\t\x80\xff";
    QRandomGenerator rng(20240607);
    const auto anyByte = [&] { return char(rng.bounded(256)); };
    const auto rtfByte = [&] { return kAlphabet[rng.bounded(int(sizeof kAlphabet) - 1)]; };

    int accepted = 0;
    int refused = 0;
    for (int i = 0; i < 4000; ++i) {
        QByteArray document;
        if (i % 4 == 0) {
            if (i % 8 == 0)
                document = "{\\rtf1 ";
            const int length = int(rng.bounded(200));
            for (int j = 0; j < length; ++j)
                document += rng.bounded(2) ? anyByte() : rtfByte();
        } else {
            document = seeds.at(int(rng.bounded(int(seeds.size()))));
            const int edits = 1 + int(rng.bounded(4));
            for (int e = 0; e < edits && !document.isEmpty(); ++e) {
                const int at = int(rng.bounded(int(document.size())));
                const int span = 1 + int(rng.bounded(qMin(16, int(document.size()) - at)));
                switch (rng.bounded(5)) {
                case 0: document[at] = rng.bounded(2) ? anyByte() : rtfByte(); break;
                case 1: document.insert(at, rtfByte()); break;
                case 2: document.remove(at, span); break;
                case 3: document.insert(at, document.mid(at, span)); break;
                default: document.truncate(at); break;
                }
            }
        }

        const rtf::ReadResult result = rtf::read(document);
        if (result.ok) {
            ++accepted;
            QVERIFY(result.error.isEmpty());
            QVERIFY(!hasLoneSurrogate(result.text));
            const rtf::ReadResult again = rtf::read(rtf::write(result.text));
            QVERIFY(again.ok);
            QCOMPARE(again.text, result.text);
        } else {
            ++refused;
            QVERIFY(!result.error.isEmpty());
            QVERIFY(result.text.isEmpty());
        }
    }
    // Both outcomes must be well exercised, or the damage is too mild or too rough.
    QVERIFY2(accepted > 400, qPrintable(QString::number(accepted)));
    QVERIFY2(refused > 400, qPrintable(QString::number(refused)));
}

// An independent reader opens our documents. `unrtf --text` prints Latin-1,
// "?" (our fallback) for \u characters and a "###" comment header.
void tst_rtf::readByUnrtf_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("printed");

    QTest::newRow("entry string") << QStringLiteral("1.-empty-~2.Night falls~3.-empty-~")
                                  << QByteArray("1.-empty-~2.Night falls~3.-empty-~");
    QTest::newRow("backslash and braces") << QStringLiteral("1.{cut} \\ back~") << QByteArray("1.{cut} \\ back~");
    QTest::newRow("accents") << QStringLiteral("1.Café~2.Über~3.Niño~") << QByteArray("1.Caf\xe9~2.\xdc" "ber~3.Ni\xf1o~");
    QTest::newRow("unicode shows its fallback") << QStringLiteral("1.Ωmega 東~") << QByteArray("1.?mega ?~");
    QTest::newRow("paragraphs") << QStringLiteral("1.Dawn~\n2.Noon~") << QByteArray("1.Dawn~\n2.Noon~");
    QTest::newRow("200 entries in broken lines") << asciiEntries(200) << asciiEntries(200).toLatin1();
}

void tst_rtf::readByUnrtf()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, printed);
    const QString unrtf = QStandardPaths::findExecutable(QStringLiteral("unrtf"));
    if (unrtf.isEmpty())
        QSKIP("unrtf is not installed");

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("script.ScE"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(file.write(rtf::write(text)) > 0);
    file.close();

    QProcess process;
    process.start(unrtf, {QStringLiteral("--text"), path});
    QVERIFY(process.waitForFinished(10000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);

    QByteArray body;
    for (const QByteArray &line : process.readAllStandardOutput().split('\n')) {
        if (!line.startsWith("###"))
            body += line + '\n';
    }
    QVERIFY2(body.contains(printed), body.constData());
}

// pandoc reads every character of ours back, the one after a \u included.
void tst_rtf::readByPandoc_data()
{
    QTest::addColumn<QString>("text");

    QTest::newRow("letter after unicode") << QStringLiteral("1.Ωmega 東2 жx~");
    QTest::newRow("unicode in a row") << QStringLiteral("1.Ночь наступает~2.夜が来る~");
    QTest::newRow("question mark after unicode") << QStringLiteral("1.Ω?é?~");
}

void tst_rtf::readByPandoc()
{
    QFETCH(QString, text);
    const QString pandoc = QStandardPaths::findExecutable(QStringLiteral("pandoc"));
    if (pandoc.isEmpty())
        QSKIP("pandoc is not installed");
    QProcess process;
    process.start(pandoc, {QStringLiteral("-f"), QStringLiteral("rtf"), QStringLiteral("-t"), QStringLiteral("plain"),
                           QStringLiteral("--wrap=none")});
    QVERIFY(process.waitForStarted(10000));
    process.write(rtf::write(text));
    process.closeWriteChannel();
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.exitCode(), 0);
    QCOMPARE(QString::fromUtf8(process.readAllStandardOutput()).trimmed(), text);
}

QTEST_GUILESS_MAIN(tst_rtf)
#include "tst_rtf.moc"

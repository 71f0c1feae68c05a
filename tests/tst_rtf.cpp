// Our rich-text writer and reader: the bytes we write, round trips, documents of other writers (some in
// tests/data/rtf), bad input and other readers opening ours. Damaged documents at random: fuzz/rtf.cpp.
#include "scripts/RtfReader.h"
#include "scripts/RtfWriter.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

namespace {

// What every document of ours starts with, up to the first character of text.
const QByteArray kHeader = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}}\n"
                           "{\\*\\generator Quorvadine 1.0;}\\viewkind4\\uc1\\pard\\f0\\fs20 \n";

QString ucs4(std::initializer_list<char32_t> c) { return QString::fromUcs4(c.begin(), qsizetype(c.size())); }

QByteArray fixture(const char *name)
{
    QFile file(QStringLiteral(QV_SOURCE_DIR "/tests/data/rtf/") + QLatin1String(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class tst_rtf : public QObject
{
    Q_OBJECT

private slots:
    // Written, a text gives these bytes after the header (where given) and reads back the same, controls and
    // lone surrogates (written as U+FFFD) excepted. Independent readers agree: unrtf --text prints Latin-1, "?"
    // (our fallback) for \u characters and a "###" header; pandoc prints every character, the one after a \u too.
    void writing_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("back");      // null: the text
        QTest::addColumn<QString>("reader");    // "unrtf" or "pandoc", if one reads it too
        QTest::addColumn<QByteArray>("printed"); // what the reader prints
        const auto row = [](const char *tag, const QString &text, const QByteArray &body = {}, const QString &back = {},
                            const char *reader = "", const QByteArray &printed = {}) {
            QTest::newRow(tag) << text << body << back << reader << printed;
        };
        row("empty", QString(), "\\par\n}\n");
        row("entry string, backslash and braces", "1.-empty-~2.\\{}~", "1.-empty-~2.\\\\\\{\\}~\\par\n}\n");
        row("windows-1252, c1 control", "é€—ÿ\u0081", "\\'e9\\'80\\'97\\'ff\\u129\\'3f\\par\n}\n", "é€—ÿ");
        row("signed 16 bit", ucs4({0x7FFF, 0x8000, 0xFFFD}), "\\u32767\\'3f\\u-32768\\'3f\\u-3\\'3f\\par\n}\n");
        row("beyond 1252, surrogate pair", "Ωж😀", "\\u937\\'3f\\u1078\\'3f\\u-10179\\'3f\\u-8704\\'3f\\par\n}\n");
        row("CR, newline, tab, trailing newline", "a\rb\nc\td\n", "a\\u13\\'3fb\\par\nc\\tab d\\par\n\\par\n}\n", "ab\nc\td\n");
        row("lone surrogate", QString(QChar(0xD83D)) + u'x', "\\u-3\\'3fx\\par\n}\n", ucs4({0xFFFD, 'x'}));
        // Lines are broken at 78 bytes, between escapes.
        row("long line", QString(160, u'a'), QByteArray(78, 'a') + '\n' + QByteArray(78, 'a') + "\naaaa\\par\n}\n");
        row("escape not split", QString(75, u'a') + u'é', QByteArray(75, 'a') + "\n\\'e9\\par\n}\n");
        row("plain ascii, text that looks like rtf", "The quick brown fox 0123456789 !\"#$%&'()*+,-./:;<=>?@[]^_`|~"
                                                     "{\\rtf1 {\\*\\x} \\par \\'e9 \\u8364?}}\\");
        row("emoji, accents, windows-1252 punctuation", "1.🎬 Scene 😀~2.🇫🇷~3.Über ÄÖÜß~€ “q” ‘s’ — – … • ™ Š Œ Ÿ ƒ ‰ †");
        row("greek, cyrillic, cjk, 16-bit edges, ? and letters after unicode",
            "1.Νύχτα~2.Ночь~3.夜が来る~4.밤이~5.夜幕降临~Ω?é? Ωmega 東2 é1" + ucs4({0x7FFF, 0x8000, 0xFFFD, 0x10000, 0x10FFFF}));
        row("newlines, tabs and spaces", "\nx\n b\t1.\tDawn\t x\t\t  \n\n");
        row("controls", ucs4({'a', 0x0, 0x1, 0xD, 0x1F, 0x7F, 0x81, 0x9F, 0xFFFE, 0xFFFF, 'b'}), {}, "ab");
        QString latin1, long540;
        for (char16_t c = 0xA0; c <= 0xFF; ++c)
            latin1 += QChar(c);
        const QString scene = QStringLiteral("Night falls on the café “Wait—”… Ωμέγα 😀 {cut} \\ ").repeated(4) + latin1;
        for (int i = 1; i <= 540; ++i)
            long540 += QString::number(i) + u'.' + scene + u'~';
        row("540 entries of about 300 characters, the latin-1 upper half in each", long540);
        QString entries;
        for (int i = 1; i <= 200; ++i)
            entries += QStringLiteral("%1.Scene %1 is where the hero walks into the rain~").arg(i);
        row("unrtf: 200 entries in broken lines", entries, {}, {}, "unrtf", entries.toLatin1());
        row("unrtf: backslash, braces, paragraphs, accents", "1.{cut} \\ Café~\n2.Über~", {}, {}, "unrtf",
            "1.{cut} \\ Caf\xe9~\n2.\xdc" "ber~");
        row("unrtf: unicode shows its fallback", "1.Ωmega 東~", {}, {}, "unrtf", "1.?mega ?~");
        const char *all = "1.Ωmega 東2 жx~2.Ночь наступает~3.夜が来る~4.Ω?é?~";
        row("pandoc: every character", QString::fromUtf8(all), {}, {}, "pandoc", all);
    }
    void writing()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, body);
        QFETCH(QString, back);
        const QByteArray document = rtf::write(text);
        if (!body.isEmpty())
            QCOMPARE(document, kHeader + body);
        const rtf::ReadResult result = rtf::read(document);
        QVERIFY2(result.ok, qPrintable(result.error));
        QCOMPARE(result.text, back.isNull() ? text : back);
        // Plain ASCII in short lines, whatever the text.
        for (const QByteArray &line : document.split('\n')) {
            QVERIFY2(line.size() <= 78, line.constData());
            for (const char c : line)
                QVERIFY(c >= 0x20 && c < 0x7F);
        }
        QFETCH(QString, reader);
        if (reader.isEmpty())
            return;
        const QString path = QStandardPaths::findExecutable(reader);
        if (path.isEmpty())
            QSKIP("not installed");
        QProcess process;
        process.start(path, reader == u"unrtf" ? QStringList{"--text"} : QStringList{"-f", "rtf", "-t", "plain", "--wrap=none"});
        process.write(document);
        process.closeWriteChannel();
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(process.exitCode(), 0);
        QByteArray out;
        for (const QByteArray &line : process.readAllStandardOutput().split('\n'))
            out += line.startsWith("###") ? QByteArray() : line + '\n';
        QFETCH(QByteArray, printed);
        QVERIFY2(reader == u"unrtf" ? out.contains(printed) : out.trimmed() == printed, out.constData());
    }

    // Documents as other programs save them (tables, styles, info, pictures, fields, \u with varied fallbacks,
    // code pages) read as their text; bad ones are refused with a reason and no text.
    void reading_data()
    {
        QTest::addColumn<QByteArray>("document");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("error"); // empty: read
        const auto row = [](const char *name, const QByteArray &document, const QString &text) {
            QTest::newRow(name) << document << text << QString();
        };
        const auto bad = [](const char *name, const QByteArray &document, const QString &error) {
            QTest::newRow(name) << document << QString() << error;
        };
        row("pandoc: unicode", fixture("unicode.rtf"), "1.Café crème~2.Ελλάδα~3.Москва~4.東京~5.😀 “quoted” — done…~");
        row("pandoc: formatting", fixture("formatting.rtf"), "1.Dawn~2.Bright noon~3.Dusk falls~4.code and link~");
        row("pandoc: paragraphs", fixture("paragraphs.rtf"), "Scene one.\nScene two, with a\nhard break.");
        row("editor", fixture("editor.rtf"), "1.Café € 5~2.Night falls~\n3.-empty-~");
        row("word processor", fixture("word-processor.rtf"), "1.Dawn~2.Naïve night~3.“quoted”~4.Café~5.link~");
        row("office suite", fixture("office-suite.rtf"), "1.Γειά~2.Tab\tand\nline~3.—–\u00a0\u00ad\u2011‘’“”•~");
        row("only the last paragraph mark is dropped", "{\\rtf1 a\\par\\par}", "a\n");
        row("final line break stays", "{\\rtf1 a\\line}", "a\n");
        row("final paragraph mark inside a group", "{\\rtf1{\\pard a\\par}\n{\\*\\x}\\pard}", "a");
        row("escaped line ends are paragraphs, line ends not text, raw 8-bit bytes, uppercase hex",
            "{\\rtf1 a\\\nb\\\r\nc Ni\r\ngh\nt caf\xe9 \x80\\'C9}", "a\nb\nc Night café €É");
        row("surrogates recombine, signed or not", "{\\rtf1 \\u50504?\\u55357?\\u56832?\\u-10179?\\u-8704?!}", "안😀😀!");
        row("lone surrogates and unicode out of 16 bits dropped", "{\\rtf1 \\u-10179?x\\u56832?\\u99999?y}", "xy");
        row("uc0, uc1 fallback as a hex escape or a control word, huge uc",
            "{\\rtf1\\u233\\'e9x\\uc0\\u233 y\\uc1\\u233\\par z{\\uc2147483647\\u233 abc}}", "éxéyézé");
        row("uc fallback ends at a brace, uc scoped", "{\\rtf1{\\uc3\\u233 a}b{\\uc2\\u233 ab}\\u233 cd}", "ébééd");
        // Code pages: \ansicpg, the current font's \fcharset or \cpg, \mac, \pc, \pca.
        row("cyrillic, rich-text control", fixture("cyrillic.rtf"), "1.Ночь~");
        row("greek font in a western document", fixture("greek-font.rtf"), "1.café Νύχτα caféαá~");
        row("central european, \\cpg beats \\fcharset",
            "{\\rtf1\\ansi\\ansicpg1250\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0\\cpg1250 Arial;}}\\f0 \\'a3\\'f3d\\'9f}", "Łódź");
        row("japanese, lead and trail bytes", fixture("japanese.rtf"), "1.夜が来るソ~ソ~");
        row("japanese, word processor fallback skipped", fixture("japanese-word.rtf"), "夜が");
        row("traditional chinese, literal trail byte, lead byte without trail",
            "{\\rtf1\\ansi\\ansicpg950 \\'a9]\\'b9\\'f5]a{\\'a9}b}", "夜幕]ab");
        row("classic mac, dos pc and pca", "{\\rtf1\\mac caf\\'8e\\pc \\'82\\'9b\\pca \\'82\\'9b}", "caféé¢éø");
        row("unknown code page falls back to 1252", "{\\rtf1\\ansi\\ansicpg99999 \\'e9\\'80}", "é€");
        // Hebrew and Vietnamese decoders hold a letter back for a mark: none is lost at the end of a run, before an
        // unassigned byte or a tab; marks read as NFC, on ASCII letters too; \fcharset163 is 1258.
        row("hebrew", "{\\rtf1\\ansi\\ansicpg1255 \\'f9\\'ec\\'e5\\'ed A\\'e0B\\'f9\\'ff\\'ec\t\\'f9\\'d1\\'e1\\'cc\\par}",
            "שלום AאBשל\tש\u05C1ב\u05BC");
        row("vietnamese", "{\\rtf1{\\fonttbl{\\f1\\fcharset163 X;}}\\f1 Vi\\'eat Nam Vi\\'ea\\'f2t a\\'ec~A\\'cc\t\\'ea\\par}",
            "Viêt Nam Vi\u1EC7t \u00E1~\u00C0\t\u00EA");
        // Control characters never reach an entry, however they are written (from \u: see writing).
        row("controls from \\'hh and raw bytes", "{\\rtf1 a\\'00\\'01\\'0d\\'1f\\'7f\\'81\\'8d\\'9d\\'09b\x01\x7f" "c}", "a\tbc");
        row("binary data with braces, unknown destinations",
            "{\\rtf1 a{\\pict\\bin5 }{\\\\}}{\\*\\shppict{\\pict 0102}}{\\*\\foo {bar}}b}", "ab");
        row("32-letter control word, 32-bit parameters",
            "{\\rtf1 \\abcdefghijklmnopqrstuvwxyzabcdef\\fs2147483647\\fs-2147483648 x}", "x");
        row("100000 sibling groups", QByteArray("{\\rtf1 ") + QByteArray("{}").repeated(100000) + "x}", "x");
        row("minus without digits, trailing line end and NUL", QByteArray("{\\rtf1 \\b-x}\r\n\0", 15), "-x");

        const QString notRtf = QStringLiteral("Not a rich text document: it does not start with {\\rtf.");
        const QString range = QStringLiteral("Numeric parameter out of range at byte 7.");
        const QByteArray ours = rtf::write(QStringLiteral("1.Dawn~2.Noon~"));
        bad("empty", QByteArray(), "The document is empty.");
        bad("leading space", " {\\rtf1 x}", notRtf);
        bad("longer first word", "{\\rtfx1 x}", notRtf);
        bad("our document cut in the font table", ours.left(50), "The document is incomplete: 3 group(s) still open at its end.");
        bad("ends in a backslash", "{\\rtf1 x\\", "The document ends inside a control word.");
        bad("bad hex escape", "{\\rtf1 x\\'zz}", "Bad \\' escape at byte 8.");
        bad("brace with no open group", "{\\rtf1 x}}", "Unbalanced \"}\" at byte 9: no group is open.");
        bad("data after the end", "{\\rtf1 x}y", "Data after the end of the document at byte 9.");
        bad("100000 balanced groups", "{\\rtf1 " + QByteArray(100000, '{') + QByteArray(100001, '}'),
            "Groups nested more than 10000 deep at byte 10006.");
        bad("33-letter control word", "{\\rtf1 \\abcdefghijklmnopqrstuvwxyzabcdefg x}",
            "Control word longer than 32 letters at byte 7.");
        bad("parameter above 32 bits", "{\\rtf1 \\fs2147483648 x}", range);
        bad("parameter below 32 bits", "{\\rtf1 \\u-2147483649 x}", range);
        bad("huge binary length", "{\\rtf1 \\bin2147483647 ab}", "The document ends inside binary data.");
        bad("negative binary length", "{\\rtf1 \\bin-5 ab}", "Negative \\bin length at byte 7.");
    }
    void reading()
    {
        QFETCH(QByteArray, document);
        const rtf::ReadResult result = rtf::read(document);
        QTEST(result.error, "error");
        QCOMPARE(result.ok, result.error.isEmpty());
        QTEST(result.text, "text");
    }
};

QTEST_GUILESS_MAIN(tst_rtf)
#include "tst_rtf.moc"

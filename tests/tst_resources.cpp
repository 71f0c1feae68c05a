#include "resources/StoredBitmaps.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QSet>
#include <QtTest>

namespace {

int distinctColours(const QImage &image)
{
    QSet<QRgb> seen;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            seen.insert(image.pixel(x, y));
    }
    return int(seen.size());
}

// Share of the pixels in area for which test holds.
template<typename Test>
double share(const QImage &image, const QRect &area, Test test)
{
    int hits = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            hits += test(QColor(image.pixel(x, y))) ? 1 : 0;
    }
    return double(hits) / double(area.width() * area.height());
}

bool sameIn(const QImage &a, const QImage &b, const QRect &area)
{
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y))
                return false;
        }
    }
    return true;
}

QFileInfoList sampleFiles()
{
    return QDir(QStringLiteral(QV_SOURCE_DIR "/samples"))
        .entryInfoList({QStringLiteral("*.jpg"), QStringLiteral("*.bmp"), QStringLiteral("*.gif")},
                       QDir::Files, QDir::Name | QDir::IgnoreCase);
}

} // namespace

class tst_resources : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void storedBitmap_data();
    void storedBitmap();
    void unknownNumberIsNull_data();
    void unknownNumberIsNull();
    void pixel_data();
    void pixel();
    void emptyWordInTheMiddle_data();
    void emptyWordInTheMiddle();
    void helpPictures_data();
    void helpPictures();
    void printSymbol_data();
    void printSymbol();
    void icon_data();
    void icon();
    void logoAndPointer();
    void sampleDecodes_data();
    void sampleDecodes();
    void sampleExtension_data();
    void sampleExtension();
    void sampleBoard();
};

void tst_resources::storedBitmap_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("maxColours");

    QTest::newRow("101 blank scene") << 101 << QSize(127, 127) << 256;
    QTest::newRow("2000 blank preview") << 2000 << QSize(183, 200) << 16;
    QTest::newRow("2001 nine per page") << 2001 << QSize(100, 100) << 256;
    QTest::newRow("2005 later release") << 2005 << QSize(100, 100) << 256;
    QTest::newRow("1000 About, dark") << 1000 << QSize(380, 180) << 16;
    QTest::newRow("1001 About, lit") << 1001 << QSize(380, 180) << 16;
    QTest::newRow("2003 help, asleep") << 2003 << QSize(360, 256) << 256;
    QTest::newRow("2004 help, awake") << 2004 << QSize(360, 256) << 256;
}

void tst_resources::storedBitmap()
{
    QFETCH(int, number);
    QFETCH(QSize, size);
    QFETCH(int, maxColours);

    const QImage image = resources::storedBitmap(number);
    QVERIFY(!image.isNull());
    QCOMPARE(image.size(), size);
    QCOMPARE(image.format(), QImage::Format_RGB32);
    QVERIFY2(distinctColours(image) <= maxColours, qPrintable(QString::number(distinctColours(image))));
    QVERIFY(distinctColours(image) > 1);
}

void tst_resources::unknownNumberIsNull_data()
{
    QTest::addColumn<int>("number");
    for (const int number : {0, -1, 1, 100, 102, 999, 1002, 2002, 2006, 101101})
        QTest::addRow("%d", number) << number;
}

void tst_resources::unknownNumberIsNull()
{
    QFETCH(int, number);
    QVERIFY(resources::storedBitmap(number).isNull());
}

void tst_resources::pixel_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<QColor>("colour");

    const QColor white(255, 255, 255);
    const QColor previewGround(33, 49, 49);
    const QColor helpGround(224, 224, 224);
    QTest::newRow("101 top left") << 101 << QPoint(0, 0) << white;
    QTest::newRow("101 bottom right") << 101 << QPoint(126, 126) << white;
    QTest::newRow("2000 top left") << 2000 << QPoint(0, 0) << previewGround;
    QTest::newRow("2000 top right") << 2000 << QPoint(182, 0) << previewGround;
    QTest::newRow("2000 bottom left") << 2000 << QPoint(0, 199) << previewGround;
    QTest::newRow("2000 bottom right") << 2000 << QPoint(182, 199) << previewGround;
    QTest::newRow("2005 top left") << 2005 << QPoint(0, 0) << white;
    QTest::newRow("2005 bottom right") << 2005 << QPoint(99, 99) << white;
    QTest::newRow("2003 top left") << 2003 << QPoint(0, 0) << helpGround;
    QTest::newRow("2004 top left") << 2004 << QPoint(0, 0) << helpGround;
    QTest::newRow("2003 top right") << 2003 << QPoint(359, 0) << helpGround;
}

void tst_resources::pixel()
{
    QFETCH(int, number);
    QFETCH(QPoint, at);
    QFETCH(QColor, colour);
    QCOMPARE(QColor(resources::storedBitmap(number).pixel(at)), colour);
}

void tst_resources::emptyWordInTheMiddle_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<bool>("darkWord"); // black on white, or white on dark

    QTest::newRow("101") << 101 << true;
    QTest::newRow("2000") << 2000 << false;
}

void tst_resources::emptyWordInTheMiddle()
{
    QFETCH(int, number);
    QFETCH(bool, darkWord);

    const QImage image = resources::storedBitmap(number);
    const auto ink = [darkWord](const QColor &c) { return darkWord ? c.lightness() < 96 : c.lightness() > 200; };
    const auto ground = [darkWord](const QColor &c) { return darkWord ? c.lightness() > 240 : c.lightness() < 60; };
    QVERIFY(share(image, image.rect(), ground) > 0.9);

    const QRect middle(image.width() / 4, image.height() * 2 / 5, image.width() / 2, image.height() / 5);
    QVERIFY(share(image, middle, ink) > 0.04);
    const QRect top(0, 0, image.width(), image.height() / 3);
    const QRect bottom(0, image.height() * 2 / 3, image.width(), image.height() / 3);
    QCOMPARE(share(image, top, ink), 0.0);
    QCOMPARE(share(image, bottom, ink), 0.0);
}

void tst_resources::helpPictures_data()
{
    QTest::addColumn<QRect>("area");
    QTest::addColumn<bool>("same");

    // Where the help window draws over its background, both pictures are
    // plain ground; only the figure's eyes tell them apart.
    QTest::newRow("topic list") << QRect(QPoint(8, 8), QPoint(177, 246)) << true;
    QTest::newRow("speech bubble") << QRect(QPoint(184, 8), QPoint(352, 136)) << true;
    QTest::newRow("sleeping letters") << QRect(QPoint(224, 136), QPoint(272, 176)) << true;
    QTest::newRow("figure") << QRect(QPoint(200, 185), QPoint(287, 255)) << false;
}

void tst_resources::helpPictures()
{
    QFETCH(QRect, area);
    QFETCH(bool, same);

    const QImage asleep = resources::storedBitmap(2003);
    const QImage awake = resources::storedBitmap(2004);
    QCOMPARE(sameIn(asleep, awake, area), same);
    if (same) {
        const QColor ground(asleep.pixel(0, 0));
        QCOMPARE(share(asleep, area, [&](const QColor &c) { return c == ground; }), 1.0);
    } else {
        // A blue figure stands there.
        QVERIFY(share(awake, area, [](const QColor &c) { return c.blue() > c.red() + 60; }) > 0.2);
    }
}

void tst_resources::printSymbol_data()
{
    QTest::addColumn<int>("mode");
    for (int mode = -1; mode <= 6; ++mode)
        QTest::addRow("mode %d", mode) << mode;
}

void tst_resources::printSymbol()
{
    QFETCH(int, mode);

    const QImage symbol = resources::printSymbol(mode);
    if (mode < 0 || mode > 5) {
        QVERIFY(symbol.isNull());
        return;
    }
    QCOMPARE(symbol.size(), QSize(32, 32));
    // Drawn on a white sheet.
    QCOMPARE(QColor(symbol.pixel(5, 30)), QColor(Qt::white));
    for (int other = 0; other < 6; ++other) {
        if (other != mode)
            QVERIFY2(symbol != resources::printSymbol(other), qPrintable(QString::number(other)));
    }
}

void tst_resources::icon_data()
{
    QTest::addColumn<int>("size");
    QTest::newRow("32") << 32;
    QTest::newRow("48") << 48;
    QTest::newRow("256") << 256;
}

void tst_resources::icon()
{
    QFETCH(int, size);

    const QIcon icon = resources::appIcon();
    QVERIFY(icon.availableSizes().contains(QSize(size, size)));
    const QImage drawn = icon.pixmap(QSize(size, size)).toImage();
    QCOMPARE(drawn.size(), QSize(size, size));
    // The middle scene of the board is the chosen, yellow one.
    const QColor middle(drawn.pixel(size / 2, size / 2));
    QVERIFY(middle.red() > 200 && middle.green() > 150 && middle.blue() < 80);

    const QImage small = resources::iconImage();
    QCOMPARE(small.size(), QSize(32, 32));
    QCOMPARE(small.format(), QImage::Format_ARGB32_Premultiplied);
}

void tst_resources::logoAndPointer()
{
    QCOMPARE(resources::logo().size(), QSize(185, 27));

    const QCursor cursor = resources::magnifierCursor();
    QCOMPARE(cursor.shape(), Qt::BitmapCursor);
    QCOMPARE(cursor.pixmap().size(), QSize(32, 32));
    QCOMPARE(cursor.hotSpot(), resources::kMagnifierHotSpot);
    // The hot spot lies in the glass; the corner opposite the handle is clear.
    const QImage pointer = cursor.pixmap().toImage();
    QVERIFY(qAlpha(pointer.pixel(cursor.hotSpot())) > 0);
    QCOMPARE(qAlpha(pointer.pixel(31, 0)), 0);
}

void tst_resources::sampleDecodes_data()
{
    QTest::addColumn<QString>("path");
    for (const QFileInfo &file : sampleFiles())
        QTest::newRow(qPrintable(file.fileName())) << file.absoluteFilePath();
}

void tst_resources::sampleDecodes()
{
    QFETCH(QString, path);

    QImageReader reader(path);
    QVERIFY2(reader.canRead(), qPrintable(reader.errorString()));
    const QImage image = reader.read();
    QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
    QCOMPARE(image.size(), QSize(320, 240));
}

void tst_resources::sampleExtension_data()
{
    QTest::addColumn<QString>("suffix");
    for (const char *suffix : {"jpg", "JPG", "bmp", "BMP", "gif", "GIF"})
        QTest::newRow(suffix) << QString::fromLatin1(suffix);
}

void tst_resources::sampleExtension()
{
    QFETCH(QString, suffix);

    const QFileInfoList files = sampleFiles();
    QVERIFY(std::any_of(files.cbegin(), files.cend(), [&](const QFileInfo &f) { return f.suffix() == suffix; }));
}

void tst_resources::sampleBoard()
{
    const QFileInfoList files = sampleFiles();
    QVERIFY(files.size() >= 24);
    qint64 bytes = 0;
    for (const QFileInfo &file : files)
        bytes += file.size();
    QVERIFY(bytes < 5 * 1024 * 1024);
    // Names sort the same as the frames run: frame02 before frame10.
    QCOMPARE(files.first().completeBaseName(), QStringLiteral("frame01"));
    QCOMPARE(files.at(9).completeBaseName(), QStringLiteral("frame10"));
}

QTEST_MAIN(tst_resources)
#include "tst_resources.moc"

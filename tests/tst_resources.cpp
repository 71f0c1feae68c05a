#include "resources/StoredBitmaps.h"

#include <QDir>
#include <QImageReader>
#include <QtTest>

namespace {
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
    void printSymbol();
    void iconLogoAndPointer();
    void sampleDecodes_data();
    void sampleDecodes();
    void sampleBoard();
};

void tst_resources::storedBitmap_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QSize>("size"); // empty: no such picture

    QTest::newRow("101 blank scene") << 101 << QSize(127, 127);
    QTest::newRow("2000 blank preview") << 2000 << QSize(183, 200);
    QTest::newRow("2001 nine per page") << 2001 << QSize(100, 100);
    QTest::newRow("2005 later release") << 2005 << QSize(100, 100);
    QTest::newRow("1000 About, dark") << 1000 << QSize(380, 180);
    QTest::newRow("1001 About, lit") << 1001 << QSize(380, 180);
    QTest::newRow("2003 help, asleep") << 2003 << QSize(360, 256);
    QTest::newRow("2004 help, awake") << 2004 << QSize(360, 256);
    for (const int number : {0, -1, 100, 102, 1002, 2002, 2006, 101101})
        QTest::addRow("%d unknown", number) << number << QSize(0, 0);
}

void tst_resources::storedBitmap()
{
    QFETCH(int, number);
    QFETCH(QSize, size);
    const QImage image = resources::storedBitmap(number);
    QCOMPARE(image.size(), size);
    QCOMPARE(image.isNull(), size.isEmpty());
}

void tst_resources::printSymbol()
{
    for (int mode = -1; mode <= 6; ++mode) {
        const QImage symbol = resources::printSymbol(mode);
        QCOMPARE(symbol.size(), mode < 0 || mode > 5 ? QSize(0, 0) : QSize(32, 32));
        for (int other = 0; other < mode; ++other) // each mode its own picture
            QVERIFY2(symbol != resources::printSymbol(other), qPrintable(QString::number(other)));
    }
}

void tst_resources::iconLogoAndPointer()
{
    const QIcon icon = resources::appIcon();
    for (const int size : {32, 48, 256}) {
        QVERIFY(icon.availableSizes().contains(QSize(size, size)));
        QCOMPARE(icon.pixmap(QSize(size, size)).size(), QSize(size, size));
    }
    QCOMPARE(resources::iconImage().size(), QSize(32, 32));
    QCOMPARE(resources::logo().size(), QSize(185, 27));

    const QCursor cursor = resources::magnifierCursor();
    QCOMPARE(cursor.shape(), Qt::BitmapCursor);
    QCOMPARE(cursor.pixmap().size(), QSize(32, 32));
    // The hot spot lies on the drawn glass, not on clear ground.
    QVERIFY(qAlpha(cursor.pixmap().toImage().pixel(cursor.hotSpot())) > 0);
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
    QCOMPARE(reader.read().size(), QSize(320, 240));
}

void tst_resources::sampleBoard()
{
    const QFileInfoList files = sampleFiles();
    QVERIFY(files.size() >= 24);
    qint64 bytes = 0;
    QSet<QString> suffixes;
    for (const QFileInfo &file : files) {
        bytes += file.size();
        suffixes << file.suffix();
    }
    QVERIFY(bytes < 5 * 1024 * 1024);
    // Both cases of every extension, to try the case-blind counting.
    QCOMPARE(suffixes, (QSet<QString>{"jpg", "JPG", "bmp", "BMP", "gif", "GIF"}));
    // Names sort the same as the frames run: frame02 before frame10.
    QCOMPARE(files.first().completeBaseName(), QStringLiteral("frame01"));
    QCOMPARE(files.at(9).completeBaseName(), QStringLiteral("frame10"));
}

QTEST_MAIN(tst_resources)
#include "tst_resources.moc"

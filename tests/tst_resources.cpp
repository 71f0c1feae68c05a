// Our own drawings load at their design sizes.
#include "resources/StoredBitmaps.h"

#include <QtTest>

class tst_resources : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void designSizes_data();
    void designSizes();
};

void tst_resources::designSizes_data()
{
    QTest::addColumn<QImage>("image");
    QTest::addColumn<QSize>("size"); // (0, 0): no such picture

    const struct { int number, width, height; } stored[] = {
        {101, 127, 127}, {2000, 183, 200}, {2001, 100, 100}, {2005, 100, 100}, {1000, 380, 180},
        {1001, 380, 180}, {2003, 360, 256}, {2004, 360, 256}, {0, 0, 0},       {102, 0, 0}, {2002, 0, 0}};
    for (const auto &bitmap : stored)
        QTest::addRow("bitmap %d", bitmap.number) << resources::storedBitmap(bitmap.number)
                                                  << QSize(bitmap.width, bitmap.height);
    for (int mode = -1; mode <= 6; ++mode)
        QTest::addRow("print symbol %d", mode) << resources::printSymbol(mode)
                                               << (mode < 0 || mode > 5 ? QSize(0, 0) : QSize(32, 32));
    for (const int side : {32, 48, 256})
        QTest::addRow("icon %d", side) << resources::appIcon().pixmap(side).toImage() << QSize(side, side);
    QTest::newRow("About icon") << resources::iconImage() << QSize(32, 32);
    QTest::newRow("logo") << resources::logo() << QSize(185, 27);
    QTest::newRow("pointer") << resources::magnifierCursor().pixmap().toImage() << QSize(32, 32);
}

void tst_resources::designSizes()
{
    QFETCH(QImage, image);
    QFETCH(QSize, size);
    QCOMPARE(image.size(), size);
}

QTEST_MAIN(tst_resources)
#include "tst_resources.moc"

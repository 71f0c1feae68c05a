// Picture files as a user's disk holds them: whole ones in every format, and
// every kind of broken one, which must show the blank scene picture with the
// one message instead of a grey or black half picture, a crash or a hang.
#include "resources/Texts.h"
#include "platform/ImageBox.h"
#include "platform/PictureIntegrity.h"
#include "platform/QtPictureLoader.h"
#include "support/FakePlatform.h"
#include "support/PictureFiles.h"
#include "view/BeginOption.h"
#include "resources/StoredBitmaps.h"
#include "view/Form1.h"

#include <QDir>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <atomic>

using namespace testpictures;

namespace {
QString t(const char *literal) { return QString::fromUtf8(literal); }

qint64 peakResidentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    return -1;
}

QByteArray cut(const QByteArray &data, qsizetype keep) { return data.left(keep); }

// How the fifth picture of a board is broken; "" leaves it whole.
enum class Breakage { None, Missing, Moved, Unreadable, NotAPicture, Empty, Directory, Bytes };

struct Broken
{
    Breakage how = Breakage::None;
    QByteArray bytes; // for Bytes
};

// Makes `name` in `dir` as the row says. Returns false when it cannot be made.
bool make(const QDir &dir, const QString &name, const Broken &broken)
{
    const QString path = dir.filePath(name);
    switch (broken.how) {
    case Breakage::None:
        return writePicture(path);
    case Breakage::Missing:
        return true;
    case Breakage::Moved:
        return writePicture(path) && dir.mkdir(QStringLiteral("elsewhere"))
            && QFile::rename(path, dir.filePath(QStringLiteral("elsewhere/") + name));
    case Breakage::Unreadable:
        return writePicture(path) && QFile::setPermissions(path, QFileDevice::Permissions());
    case Breakage::NotAPicture:
        return write(path, "These are the notes for scene five, not a picture.\n");
    case Breakage::Empty:
        return write(path, QByteArray());
    case Breakage::Directory:
        return dir.mkdir(name);
    case Breakage::Bytes:
        return write(path, broken.bytes);
    }
    return false;
}
} // namespace

Q_DECLARE_METATYPE(Broken)

class tst_pictures : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void brokenFiles_data();
    void brokenFiles();
    void brokenOnTheBoard_data();
    void brokenOnTheBoard();
    void wholeFiles_data();
    void wholeFiles();
    void decodedAtTheBoxSize();
    void pageDecodedInParallel();
};

void tst_pictures::brokenFiles_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<Broken>("broken");

    const QByteArray jpeg = encoded(detailed({200, 150}, Qt::darkGreen), "JPG");
    const QByteArray progressive = encoded(detailed({200, 150}, Qt::darkGreen), "JPG", true);
    const QByteArray bmp = encoded(detailed({200, 150}, Qt::darkGreen), "BMP");
    const QByteArray gif = blueGif();

    QTest::newRow("missing") << "e.jpg" << Broken{Breakage::Missing, {}};
    QTest::newRow("moved to another folder") << "e.jpg" << Broken{Breakage::Moved, {}};
    QTest::newRow("unreadable") << "e.jpg" << Broken{Breakage::Unreadable, {}};
    QTest::newRow("notes named .jpg") << "e.jpg" << Broken{Breakage::NotAPicture, {}};
    QTest::newRow("empty file") << "e.bmp" << Broken{Breakage::Empty, {}};
    QTest::newRow("a folder named .gif") << "e.gif" << Broken{Breakage::Directory, {}};
    QTest::newRow("JPEG cut in half") << "e.jpg" << Broken{Breakage::Bytes, cut(jpeg, jpeg.size() / 2)};
    QTest::newRow("JPEG without its last two bytes") << "e.jpg" << Broken{Breakage::Bytes, cut(jpeg, jpeg.size() - 2)};
    QTest::newRow("progressive JPEG cut in half") << "e.jpg" << Broken{Breakage::Bytes, cut(progressive, progressive.size() / 2)};
    QTest::newRow("JPEG cut in its header") << "e.jpg" << Broken{Breakage::Bytes, cut(jpeg, 40)};
    QTest::newRow("BMP cut in half") << "e.bmp" << Broken{Breakage::Bytes, cut(bmp, bmp.size() / 2)};
    QTest::newRow("BMP one byte short") << "e.bmp" << Broken{Breakage::Bytes, cut(bmp, bmp.size() - 1)};
    QTest::newRow("BMP header only") << "e.bmp" << Broken{Breakage::Bytes, cut(bmp, 54)};
    QTest::newRow("GIF cut in its picture") << "e.gif" << Broken{Breakage::Bytes, cut(gif, gif.size() - 4)};
    QTest::newRow("GIF header only") << "e.gif" << Broken{Breakage::Bytes, cut(gif, 13)};
    QTest::newRow("JPEG claiming 60000 x 60000") << "e.jpg" << Broken{Breakage::Bytes, jpegBomb()};
    QTest::newRow("BMP claiming 60000 x 60000") << "e.bmp" << Broken{Breakage::Bytes, bmpBomb()};
    QTest::newRow("GIF claiming 60000 x 60000") << "e.gif" << Broken{Breakage::Bytes, gifBomb()};
}

void tst_pictures::brokenFiles()
{
    QFETCH(QString, name);
    QFETCH(Broken, broken);
    QTemporaryDir root;
    QVERIFY(root.isValid());
    const QDir dir(root.path());
    QVERIFY(make(dir, name, broken));
    const QString path = dir.filePath(name);
    if (broken.how == Breakage::Unreadable && QFile(path).open(QIODevice::ReadOnly))
        QSKIP("running as a user who can read any file");

    QtPictureLoader loader;
    const qint64 peakBefore = peakResidentKiB();
    QElapsedTimer timer;
    timer.start();
    QVERIFY(loader.load(path, QSize(127, 127)).isNull());
    // Refused before anything large was allocated or decoded.
    QVERIFY2(timer.elapsed() < 2000, qPrintable(QString::number(timer.elapsed())));
    QVERIFY2(peakResidentKiB() - peakBefore < 32 * 1024, qPrintable(QString::number(peakResidentKiB() - peakBefore)));
}

void tst_pictures::brokenOnTheBoard_data()
{
    brokenFiles_data();
}

// The broken picture is scene 5 of a board of 9: its box shows the blank
// scene picture, the other eight their pictures, and the message comes once.
void tst_pictures::brokenOnTheBoard()
{
    QFETCH(QString, name);
    QFETCH(Broken, broken);
    QTemporaryDir root;
    QVERIFY(root.isValid());
    const QDir dir(root.path());
    QString result = dir.absolutePath();
    for (int i = 1; i <= 9; ++i) {
        const QString file = i == 5 ? name : QStringLiteral("s%1.jpg").arg(i);
        QVERIFY(make(dir, file, i == 5 ? broken : Broken{}));
        result += u' ' + file;
    }
    if (broken.how == Breakage::Unreadable && QFile(dir.filePath(name)).open(QIODevice::ReadOnly))
        QSKIP("running as a user who can read any file");

    FakePlatform fake;
    Form1 form(fake.platform());
    form.start();
    fake.pictures.choose(result);
    QTest::mouseClick(form.beginOption()->Command7, Qt::LeftButton);

    QCOMPARE(fake.messages.texts, QStringList{t(texts::kMissingPicture)});
    QCOMPARE(fake.messages.busyAtMessage, QList<bool>{false});
    QCOMPARE(fake.loader.files.size(), 9);
    for (int box = 0; box < 9; ++box) {
        QVERIFY(form.Image1[box]->isVisible());
        QCOMPARE(form.Image1[box]->picture().resource, box == 4 ? 101 : 0);
    }
    QCOMPARE(form.Image1[4]->picture().image, resources::storedBitmap(101));
    QVERIFY(form.isEnabled());
}

void tst_pictures::wholeFiles_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QSize>("shown"); // the size decoded for a 127 x 127 box

    const QImage wide = detailed({400, 100}, Qt::darkRed);
    const QByteArray jpeg = encoded(wide, "JPG");
    QTest::newRow("JPEG, wider than the box") << "w.jpg" << jpeg << QSize(127, 100);
    QTest::newRow("progressive JPEG") << "w.jpg" << encoded(wide, "JPG", true) << QSize(127, 100);
    QTest::newRow("JPEG turned upright by its orientation tag")
        << "w.jpg" << encoded(wide, "JPG", false, QImageIOHandler::TransformationRotate90) << QSize(100, 127);
    QTest::newRow("JPEG with bytes after its end") << "w.jpg" << (jpeg + QByteArray(300, 'x')) << QSize(127, 100);
    QTest::newRow("JPEG smaller than the box") << "s.jpg" << encoded(detailed({60, 40}, Qt::red), "JPG") << QSize(60, 40);
    QTest::newRow("BMP") << "w.bmp" << encoded(wide, "BMP") << QSize(127, 100);
    QTest::newRow("GIF") << "w.gif" << blueGif() << QSize(1, 1);
    QTest::newRow("GIF without its trailer") << "w.gif" << blueGif().chopped(1) << QSize(1, 1);
    QTest::newRow("JPEG named .bmp") << "j.bmp" << jpeg << QSize(127, 100);
}

void tst_pictures::wholeFiles()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QSize, shown);
    QTemporaryDir root;
    QVERIFY(root.isValid());
    const QString path = QDir(root.path()).filePath(name);
    QVERIFY(write(path, bytes));
    QVERIFY(pictureintegrity::complete(bytes));
    QtPictureLoader loader;
    const QImage image = loader.load(path, QSize(127, 127));
    QCOMPARE(image.size(), shown);
}

void tst_pictures::decodedAtTheBoxSize()
{
    QTemporaryDir root;
    QVERIFY(root.isValid());
    const QDir dir(root.path());
    QString result = dir.absolutePath();
    for (int i = 1; i <= 9; ++i) {
        QVERIFY(write(dir.filePath(QStringLiteral("p%1.jpg").arg(i)), encoded(detailed({640, 480}, Qt::blue), "JPG")));
        result += QStringLiteral(" p%1.jpg").arg(i);
    }
    FakePlatform fake;
    Form1 form(fake.platform());
    form.start();
    fake.pictures.choose(result);
    QTest::mouseClick(form.beginOption()->Command7, Qt::LeftButton);
    const QSize box = form.Image1[0]->size() * form.devicePixelRatio();
    QVERIFY(box.width() > 0 && box.width() < 640);
    QCOMPARE(fake.loader.bounds, QList<QSize>(9, box));
    for (int i = 0; i < 9; ++i)
        QCOMPARE(form.Image1[i]->picture().image.size(), box);
}

// A loader whose pictures each take a while, counting how many are decoded
// at the same moment.
class SlowLoader : public QtPictureLoader
{
public:
    QImage load(const QString &, QSize) override
    {
        const int now = ++m_running;
        int seen = most.load();
        while (now > seen && !most.compare_exchange_weak(seen, now)) {
        }
        QThread::msleep(40);
        --m_running;
        QImage image(1, 1, QImage::Format_RGB32);
        image.fill(Qt::green);
        return image;
    }
    std::atomic<int> most{0};

private:
    std::atomic<int> m_running{0};
};

void tst_pictures::pageDecodedInParallel()
{
    SlowLoader loader;
    QCOMPARE(loader.threadCount(), qMax(1, QThread::idealThreadCount()));
    QList<PictureLoader::Request> requests;
    for (int i = 0; i < 9; ++i)
        requests.append({QStringLiteral("/p%1.jpg").arg(i), QSize(127, 127)});
    const QList<QImage> images = loader.loadAll(requests);
    QCOMPARE(images.size(), 9);
    for (const QImage &image : images)
        QCOMPARE(image.pixelColor(0, 0), QColor(Qt::green));
    if (QThread::idealThreadCount() > 1)
        QCOMPARE(loader.most.load(), qMin(9, QThread::idealThreadCount()));
}

QTEST_MAIN(tst_pictures)
#include "tst_pictures.moc"

// Picture files as a user's disk holds them: whole ones in every format, and
// every kind of broken one, which must show the blank scene picture with the
// one message instead of a grey or black half picture, a crash or a hang.
#include "resources/Texts.h"
#include "platform/ImageBox.h"
#include "platform/JpegEighth.h"
#include "platform/PictureIntegrity.h"
#include "platform/QtPictureLoader.h"
#include "support/FakePlatform.h"
#include "support/PictureFiles.h"
#include "view/BeginOption.h"
#include "resources/StoredBitmaps.h"
#include "view/Form1.h"

#include <QDir>
#include <QElapsedTimer>
#include <QImageReader>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <atomic>
#include <random>

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
    void progressiveAtAnEighth_data();
    void progressiveAtAnEighth();
    void damagedProgressiveFiles();
    void decodedAheadUsedWhileUnchanged_data();
    void decodedAheadUsedWhileUnchanged();
    void decodedAheadForThreePages_data();
    void decodedAheadForThreePages();
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
    QImage load(const QString &, QSize, Use) override
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

// Pictures made by the JPEG tools of the machine, from two pictures made
// once: a photograph-like one, its sides multiples of 8 but not of 16, and a
// tiny piece of it, 37 x 29. Like a photograph's, their colours vary more
// slowly than their brightness: libjpeg makes 4:2:0 colour at 1/8 from more
// than the DC values, so strong colour detail would differ more.
namespace {
const QDir &toolPictures()
{
    static QTemporaryDir dir;
    static const bool made = [] {
        QFile split(dir.filePath(QStringLiteral("split.txt"))), refined(dir.filePath(QStringLiteral("refined.txt")));
        const QByteArray ac = "0: 1-63, 0, 0; 1: 1-63, 0, 0; 2: 1-63, 0, 0;";
        return split.open(QIODevice::WriteOnly) && split.write("0: 0-0, 0, 0; 1: 0-0, 0, 0; 2: 0-0, 0, 0;" + ac) > 0
            && refined.open(QIODevice::WriteOnly)
            && refined.write("0,1,2: 0-0, 0, 2; 0: 0-0, 2, 1; 1,2: 0-0, 2, 1; 0,1,2: 0-0, 1, 0;" + ac) > 0
            && QProcess::execute(QStringLiteral("convert"), {"-seed", "7", "-size", "1000x744", "plasma:fractal", "-blur", "0x2",
                                                             "-modulate", "100,25", dir.filePath("src.ppm")}) == 0
            && QProcess::execute(QStringLiteral("convert"), {dir.filePath("src.ppm"), "-crop", "37x29+400+300", "+repage", dir.filePath("odd.ppm")}) == 0;
    }();
    static const QDir result(made ? dir.path() : QString());
    return result;
}
} // namespace

void tst_pictures::progressiveAtAnEighth_data()
{
    QTest::addColumn<QString>("commands"); // run in turn, in the folder of the source pictures; they make t.jpg
    QTest::addColumn<bool>("fast");         // made from its DC scans, or left to libjpeg

    const QString base = "cjpeg -outfile b.jpg src.ppm; ";
    QTest::newRow("cjpeg -progressive, 4:2:0") << "cjpeg -progressive -sample 2x2 -outfile t.jpg src.ppm" << true;
    QTest::newRow("4:2:2") << "cjpeg -progressive -sample 2x1 -outfile t.jpg src.ppm" << true;
    QTest::newRow("4:4:4") << "cjpeg -progressive -sample 1x1 -outfile t.jpg src.ppm" << true;
    QTest::newRow("4:4:0") << "cjpeg -progressive -sample 1x2 -outfile t.jpg src.ppm" << true;
    QTest::newRow("greyscale") << "cjpeg -grayscale -progressive -outfile t.jpg src.ppm" << true;
    QTest::newRow("restart every 5 blocks") << "cjpeg -progressive -restart 5B -outfile t.jpg src.ppm" << true;
    QTest::newRow("restart every row, greyscale") << "cjpeg -grayscale -progressive -restart 1 -outfile t.jpg src.ppm" << true;
    QTest::newRow("37 x 29, 4:2:0") << "cjpeg -progressive -sample 2x2 -outfile t.jpg odd.ppm" << true;
    QTest::newRow("jpegtran -progressive") << base + "jpegtran -progressive -outfile t.jpg b.jpg" << true;
    QTest::newRow("DC split per component") << base + "jpegtran -scans split.txt -outfile t.jpg b.jpg" << true;
    QTest::newRow("DC split, restarts") << base + "jpegtran -scans split.txt -restart 3B -outfile t.jpg b.jpg" << true;
    QTest::newRow("DC refined before the AC scans") << base + "jpegtran -scans refined.txt -outfile t.jpg b.jpg" << true;
    QTest::newRow("ImageMagick -interlace JPEG") << "convert src.ppm -interlace JPEG t.jpg" << true;
    const char *orientations[] = {"TopRight", "BottomRight", "BottomLeft", "LeftTop", "RightTop", "RightBottom", "LeftBottom"};
    for (const char *orient : orientations)
        QTest::newRow(orient) << QStringLiteral("convert src.ppm -interlace JPEG -orient %1 t.jpg").arg(orient) << true;
    QTest::newRow("baseline") << "cjpeg -outfile t.jpg src.ppm" << false;
    QTest::newRow("arithmetic coding") << "cjpeg -progressive -arithmetic -outfile t.jpg src.ppm" << false;
    QTest::newRow("RGB, no colour transform") << "cjpeg -progressive -rgb -outfile t.jpg src.ppm" << false;
    QTest::newRow("CMYK") << "convert src.ppm -colorspace CMYK -interlace JPEG t.jpg" << false;
}

// Against libjpeg's own decode at exactly 1/8: within 1.5 levels on average
// and 8 at most in every channel.
void tst_pictures::progressiveAtAnEighth()
{
    QFETCH(QString, commands);
    QFETCH(bool, fast);
    if (QStandardPaths::findExecutable(QStringLiteral("cjpeg")).isEmpty())
        QSKIP("libjpeg-turbo-progs is not installed");
    const QDir &dir = toolPictures();
    QVERIFY(dir.exists());
    QFile::remove(dir.filePath("t.jpg"));
    for (const QString &command : commands.split(u';')) {
        QProcess process;
        process.setWorkingDirectory(dir.path());
        QStringList arguments = command.split(u' ', Qt::SkipEmptyParts);
        process.start(arguments.takeFirst(), arguments);
        QVERIFY2(process.waitForFinished() && process.exitCode() == 0, qPrintable(command));
    }
    const QString path = dir.filePath("t.jpg");
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray data = file.readAll();

    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize eighth((reader.size().width() + 7) / 8, (reader.size().height() + 7) / 8);
    reader.setScaledSize(eighth);
    QImage expected = reader.read().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(expected.size(), eighth);
    // Qt asks libjpeg for 1/8 only when the width and height are multiples
    // of 8; otherwise it decodes at 1/4 and resamples. libjpeg's own tool
    // decodes at exactly 1/8 (it leaves the orientation aside).
    if (reader.size().width() % 8 || reader.size().height() % 8) {
        QVERIFY(QProcess::execute("djpeg", {"-scale", "1/8", "-outfile", dir.filePath("t.ppm"), path}) == 0);
        expected = QImage(dir.filePath("t.ppm")).convertToFormat(QImage::Format_RGB32);
    }
    const QImage ours = jpegeighth::decode(data, reader.transformation());
    QCOMPARE(!ours.isNull(), fast);
    if (!fast)
        return;
    const QImage got = ours.convertToFormat(QImage::Format_RGB32);
    QCOMPARE(got.size(), eighth);
    double sums[3] = {};
    int most = 0;
    for (int y = 0; y < eighth.height(); ++y) {
        for (int x = 0; x < eighth.width(); ++x) {
            const QRgb a = got.pixel(x, y), b = expected.pixel(x, y);
            const int d[3] = {qAbs(qRed(a) - qRed(b)), qAbs(qGreen(a) - qGreen(b)), qAbs(qBlue(a) - qBlue(b))};
            for (int c = 0; c < 3; ++c) {
                sums[c] += d[c];
                most = qMax(most, d[c]);
            }
        }
    }
    const double pixels = double(eighth.width()) * eighth.height();
    const QString figures = QStringLiteral("mean %1 %2 %3, max %4").arg(sums[0] / pixels).arg(sums[1] / pixels).arg(sums[2] / pixels).arg(most);
    QVERIFY2(sums[0] <= 1.5 * pixels && sums[1] <= 1.5 * pixels && sums[2] <= 1.5 * pixels && most <= 8, qPrintable(figures));
    // The loader shows it so on a screen; a print decodes the whole file.
    QtPictureLoader loader;
    QCOMPARE(loader.load(path, eighth).convertToFormat(QImage::Format_RGB32), got);
    reader.setDevice(nullptr);
    reader.setFileName(path);
    reader.setScaledSize(eighth);
    QCOMPARE(loader.load(path, eighth, PictureLoader::Use::Print), reader.read());
}

// Progressive files with bytes changed or cut off give a picture or none,
// never a crash, a hang or a read outside the data (the sanitizer build
// runs this too).
void tst_pictures::damagedProgressiveFiles()
{
    const QByteArray files[] = {encoded(detailed({203, 151}, Qt::darkGreen), "JPG", true),
                                encoded(detailed({97, 66}, Qt::red).convertToFormat(QImage::Format_Grayscale8), "JPG", true)};
    std::mt19937 random(15);
    for (const QByteArray &whole : files) {
        QVERIFY(!jpegeighth::decode(whole).isNull());
        for (int round = 0; round < 400; ++round) {
            QByteArray data = whole;
            // Mostly within the headers and the first scans, where this reads.
            const auto place = [&] { return qsizetype(random() % quint32(qMin<qsizetype>(data.size(), 900))); };
            if (round % 4 == 0)
                data.truncate(place());
            for (int change = int(random() % 4); change >= 0 && !data.isEmpty(); --change)
                data[place()] = char(random() % 4 == 0 ? 0xFF : random());
            const QImage image = jpegeighth::decode(data);
            QVERIFY(image.isNull() || image.width() <= 8192);
            pictureintegrity::complete(data);
        }
    }
}

namespace {
// A board of `count` pictures, each padded to the same number of bytes, so a
// picture painted over in place keeps its file's size.
QByteArray padded(QColor colour)
{
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(colour);
    const QByteArray data = encoded(image, "JPG");
    return data + QByteArray(4096 - data.size(), 'x');
}

QString boardOf(const QDir &dir, int count)
{
    QString result = dir.absolutePath();
    for (int i = 1; i <= count; ++i) {
        const QString name = QStringLiteral("s%1.jpg").arg(i, 2, 10, QLatin1Char('0'));
        if (!write(dir.filePath(name), padded(Qt::blue)))
            return {};
        result += u' ' + name;
    }
    return result;
}

// Turns pages: ">" forward, "<" back.
void turn(Form1 &form, const QString &turns)
{
    for (const QChar step : turns)
        QTest::mouseClick(step == u'>' ? form.Command4 : form.Command5, Qt::LeftButton);
}
} // namespace

// Scene 10 is decoded ahead while page 1 shows, then its file is changed:
// page 2 shows what the file holds at the turn.
void tst_pictures::decodedAheadUsedWhileUnchanged_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<int>("resource"); // what box 0 of page 2 shows: 0 for the file's picture
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<int>("reads");    // files read at the turn

    QTest::newRow("unchanged") << "" << 0 << QColor(Qt::blue) << 0;
    QTest::newRow("painted over in place, same size") << "in place" << 0 << QColor(Qt::red) << 1;
    QTest::newRow("replaced by another file") << "replace" << 0 << QColor(Qt::red) << 1;
    QTest::newRow("deleted") << "delete" << 101 << QColor() << 0;
}

void tst_pictures::decodedAheadUsedWhileUnchanged()
{
    QFETCH(QString, change);
    QFETCH(int, resource);
    QFETCH(QColor, colour);
    QFETCH(int, reads);
    QTemporaryDir root;
    const QDir dir(root.path());
    FakePlatform fake;
    Form1 form(fake.platform());
    form.start();
    fake.pictures.choose(boardOf(dir, 18));
    QTest::mouseClick(form.beginOption()->Command7, Qt::LeftButton);
    fake.loader.waitForLookAhead();
    const QString scene10 = dir.filePath("s10.jpg");
    if (change == "in place")
        QVERIFY(write(scene10, padded(Qt::red)));
    if (change == "replace")
        QVERIFY(write(scene10 + ".new", padded(Qt::red)) && QFile::remove(scene10) && QFile::rename(scene10 + ".new", scene10));
    if (change == "delete")
        QVERIFY(QFile::remove(scene10));
    const qint64 before = fake.loader.filesRead();
    turn(form, ">");
    QCOMPARE(fake.loader.filesRead() - before, reads);
    QCOMPARE(form.Image1[0]->picture().resource, resource);
    if (colour.isValid())
        QCOMPARE(form.Image1[0]->picture().image.pixelColor(20, 15).toHsv().hue(), colour.toHsv().hue());
    QCOMPARE(fake.messages.texts, resource ? QStringList{t(texts::kMissingPicture)} : QStringList());
}

// The pictures held after the turns are those of the page shown and the
// pages either side; work for pages passed by quickly is dropped.
void tst_pictures::decodedAheadForThreePages_data()
{
    QTest::addColumn<QString>("turns");
    QTest::addColumn<QList<int>>("pages");

    QTest::newRow("page 1") << "" << QList<int>{1, 2};
    QTest::newRow("page 3") << ">>" << QList<int>{2, 3, 4};
    QTest::newRow("last page") << ">>>>" << QList<int>{4, 5};
    QTest::newRow("to page 4 and back to 3") << ">>><" << QList<int>{2, 3, 4};
}

void tst_pictures::decodedAheadForThreePages()
{
    QFETCH(QString, turns);
    QFETCH(QList<int>, pages);
    QTemporaryDir root;
    const QDir dir(root.path());
    FakePlatform fake;
    Form1 form(fake.platform());
    form.start();
    fake.pictures.choose(boardOf(dir, 45));
    QTest::mouseClick(form.beginOption()->Command7, Qt::LeftButton);
    turn(form, turns);
    fake.loader.waitForLookAhead();
    QStringList held, expected;
    for (const PictureLoader::Request &request : fake.loader.held())
        held << QFileInfo(request.file).fileName();
    for (const int page : pages)
        for (int scene = 9 * page - 8; scene <= 9 * page; ++scene)
            expected << QStringLiteral("s%1.jpg").arg(scene, 2, 10, QLatin1Char('0'));
    held.sort();
    QCOMPARE(held, expected);
}

QTEST_MAIN(tst_pictures)
#include "tst_pictures.moc"

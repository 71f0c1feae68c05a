// Picture files as a user's disk holds them: whole ones in every format, and
// every kind of broken one, which must show the blank scene picture with the
// one message instead of a grey or black half picture, a crash or a hang.
// Our own drawings load at their design sizes.
#include "pictures/JpegEighth.h"
#include "pictures/PictureIntegrity.h"
#include "pictures/QtPictureLoader.h"
#include "resources/StoredBitmaps.h"
#include "resources/Texts.h"
#include "support/FormRig.h"
#include "widgets/ImageBox.h"

#include <QDir>
#include <QDeadlineTimer>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>
#include <QtConcurrent/QtConcurrentRun>
#include <QtTest>

#include <atomic>
#include <condition_variable>
#include <thread>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace testpictures;

namespace {
// A picture padded to 4096 bytes, so that one painted over in place keeps its file's size.
bool writePadded(const QString &path, QColor colour)
{
    return writePicture(path, colour) && QFile(path).resize(4096);
}

QString boardOf(const QDir &dir, int count)
{
    QString result = dir.absolutePath();
    for (int i = 1; i <= count; ++i) {
        const QString name = QStringLiteral("s%1.jpg").arg(i, 2, 10, QLatin1Char('0'));
        if (writePadded(dir.filePath(name), Qt::blue))
            result += u' ' + name;
    }
    return result;
}
} // namespace


// A loader whose decodes wait for each other until `together` run at once, counting the most at once.
class MeetingLoader : public QtPictureLoader
{
public:
    explicit MeetingLoader(int threads) : QtPictureLoader(threads), together(threads) {}
    QImage load(const QString &, QSize, Use) override
    {
        std::unique_lock lock(mutex);
        most = std::max(most, ++running);
        met.notify_all();
        if (!met.wait_for(lock, std::chrono::seconds(10), [this] { return most >= together || gaveUp; }))
            gaveUp = true; // the others need not wait in vain too
        --running;
        return QImage(1, 1, QImage::Format_Mono);
    }
    std::mutex mutex;
    std::condition_variable met;
    int running = 0, most = 0;
    bool gaveUp = false;
    const int together;
};


// Pictures made by the JPEG tools from two made once: a photograph-like one,
// its sides multiples of 8 but not of 16, and a 37 x 29 piece of it. Like a
// photograph's, their colours vary more slowly than their brightness: libjpeg
// makes 4:2:0 colour at 1/8 from more than the DC values, so strong colour
// detail would differ more. The scan scripts split the DC scan per component,
// or code it with Al = 2 and refine it.
namespace {
QString toolPictures()
{
    static QTemporaryDir dir;
    static const bool made = QProcess::execute("sh", {"-ec", "cd " + dir.path() + R"(
        convert -seed 7 -size 1000x744 plasma:fractal -blur 0x2 -modulate 100,25 src.ppm
        convert src.ppm -crop 37x29+400+300 +repage odd.ppm
        ac='0: 1-63, 0, 0; 1: 1-63, 0, 0; 2: 1-63, 0, 0;'
        echo "0: 0-0, 0, 0; 1: 0-0, 0, 0; 2: 0-0, 0, 0; $ac" > split.txt
        echo "0,1,2: 0-0, 0, 2; 0: 0-0, 2, 1; 1,2: 0-0, 2, 1; 0,1,2: 0-0, 1, 0; $ac" > refined.txt)"}) == 0;
    return made ? dir.path() : QString();
}
} // namespace

class tst_pictures : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void pictureFiles_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("how"); // what is done to the file written with the bytes
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QSize>("shown"); // decoded for a 127 x 127 box; (0, 0): refused
        QTest::addColumn<QString>("why"); // refused: the message's second line, after the name

        const QImage wide = detailed({400, 100}, Qt::darkRed);
        const QByteArray jpeg = encoded(wide, "JPG"), progressive = encoded(wide, "JPG", true), bmp = encoded(wide, "BMP");
        const QSize none(0, 0);
        const QString alien = "It is not a BMP, JPEG or GIF picture.", cut = "The file ends before the picture does.",
                      damaged = "The picture's size cannot be read: the file is damaged.",
                      bomb100 = "The picture claims more than 100 million pixels.";
        // Refused unless a size is shown.
        const auto row = [](const char *name, const char *file, const QByteArray &bytes, const char *why, const char *how = "",
                             QSize shown = {0, 0}) { QTest::newRow(name) << file << how << bytes << shown << QString::fromUtf8(why); };
        row("missing", "e.jpg", jpeg, "The file could not be opened: No such file or directory.", "missing");
        row("unreadable", "e.jpg", jpeg, "The file could not be opened: Permission denied.", "unreadable");
        row("a folder named .gif", "e.gif", jpeg, "It is not a file of data but a folder, a device or a pipe.", "folder");
        row("over 256 MB", "e.jpg", jpeg, "The file is larger than 256 MB.", "huge");
        row("255 MB, a picture and then zeros: read no further than it needs", "w.jpg", jpeg, "", "padded", {127, 100});
        QTest::newRow("notes named .jpg") << "e.jpg" << "" << QByteArray("Notes for scene five.\n") << none << alien;
        QTest::newRow("empty file") << "e.bmp" << "" << QByteArray() << none << "The file is empty.";
        QTest::newRow("JPEG without its end marker") << "e.jpg" << "" << jpeg.chopped(2) << none << cut;
        QTest::newRow("progressive JPEG cut in half") << "e.jpg" << "" << progressive.first(progressive.size() / 2) << none << cut;
        QTest::newRow("JPEG cut in its header") << "e.jpg" << "" << jpeg.first(40) << none << damaged;
        QTest::newRow("BMP one byte short") << "e.bmp" << "" << bmp.chopped(1) << none << cut;
        QTest::newRow("GIF cut in its picture") << "e.gif" << "" << blueGif().chopped(4) << none << cut;
        QTest::newRow("GIF header only") << "e.gif" << "" << blueGif().first(13) << none << damaged;
        // Headers claiming 10000 x 10000 over a first scan too short for them:
        // libjpeg would fill the rest with grey, 635 MB of it.
        for (QByteArray lie : {jpeg, progressive}) {
            const char *kind = lie == jpeg ? "sequential" : "progressive";
            lie.replace(qMax(lie.indexOf("\xFF\xC0"), lie.indexOf("\xFF\xC2")) + 5, 4, "\x27\x10\x27\x10");
            QTest::addRow("%s JPEG claiming 10000 x 10000", kind) << "e.jpg" << "" << lie << none << cut;
        }
        QTest::newRow("BMP whose width x bits x height overflows") << "e.bmp" << ""
            << QByteArray::fromBase64("Qk0AWgAAAAANAAAABwAAAAAAAAAUFBQUFP///wddAAAAAP///wAAAAAAKIAAAA==") << none << damaged;
        for (const char *format : {"JPG", "BMP", "GIF"}) // Qt itself refuses the BMP's header
            QTest::addRow("%s claiming 60000 x 60000", format) << "e." + QString::fromLatin1(format).toLower() << ""
                                                                << bomb(format) << none << (*format == 'B' ? damaged : bomb100);
        // Whole files, however odd, are never refused.
        const QByteArray upright = encoded(wide, "JPG", false, QImageIOHandler::TransformationRotate90);
        QTest::newRow("JPEG, wider than the box") << "w.jpg" << "" << jpeg << QSize(127, 100) << QString();
        QTest::newRow("JPEG turned upright by its orientation tag") << "w.jpg" << "" << upright << QSize(100, 127) << QString();
        QTest::newRow("JPEG with bytes after its end") << "w.jpg" << "" << jpeg + QByteArray(300, 'x') << QSize(127, 100) << QString();
        QTest::newRow("smaller than the box") << "s.jpg" << "" << encoded(wide.copy(0, 0, 60, 40), "JPG") << QSize(60, 40) << QString();
        QTest::newRow("BMP") << "w.bmp" << "" << bmp << QSize(127, 100) << QString();
        QByteArray topDown = bmp, huge = encoded(QImage(6000, 1, QImage::Format_RGB32), "BMP");
        qToLittleEndian<qint32>(-100, topDown.data() + 22);
        QTest::newRow("BMP stored top-down") << "w.bmp" << "" << topDown << QSize(127, 100) << QString();
        qToLittleEndian<qint32>(6000, huge.data() + 22); // its rows follow as holes, 108 MB of them
        QTest::newRow("BMP of 6000 x 6000, past Qt's own allocation limit") << "w.bmp" << "6000" << huge << QSize(127, 127) << QString();
        QTest::newRow("GIF") << "w.gif" << "" << blueGif() << QSize(1, 1) << QString();
        QTest::newRow("GIF without its trailer") << "w.gif" << "" << blueGif().chopped(1) << QSize(1, 1) << QString();
        QTest::newRow("JPEG named .bmp") << "j.bmp" << "" << jpeg << QSize(127, 100) << QString();
    }

    // The file is scene 5 of a board of 9. A broken one is refused before
    // anything large is allocated or decoded; on the board its box shows the
    // blank scene picture, the other eight their pictures, and the message comes
    // once. Every picture is decoded at its box's size.
    void pictureFiles()
    {
        QFETCH(QString, name);
        QFETCH(QString, how);
        QFETCH(QByteArray, bytes);
        QFETCH(QSize, shown);
        QFETCH(QString, why);
        QTemporaryDir root;
        const QDir dir(root.path());
        const QString path = dir.filePath(name);
        QString result = dir.absolutePath();
        for (int i = 1; i <= 9; ++i) {
            const QString file = i == 5 ? name : QStringLiteral("s%1.jpg").arg(i);
            QVERIFY(i == 5 ? how == "missing" || (how == "folder" ? dir.mkdir(name) : write(path, bytes))
                           : writePicture(dir.filePath(file)));
            result += u' ' + file;
        }
        if (how == "huge" || how == "padded") // holes after a whole picture: none of it may be read
            QVERIFY(QFile(path).resize(qint64(how == "huge" ? 257 : 255) << 20));
        if (how == "6000")
            QVERIFY(QFile(path).resize(bytes.size() + 18000 * 5999));
        if (how == "unreadable" && (!QFile::setPermissions(path, {}) || QFile(path).open(QIODevice::ReadOnly)))
            QSKIP("running as a user who can read any file");

        rusage usage = {};
        const auto peakKiB = [&] { return getrusage(RUSAGE_SELF, &usage) == 0 ? usage.ru_maxrss : -1; };
        const long peakBefore = peakKiB();
        const QDeadlineTimer twoSeconds(2000);
        QCOMPARE(QtPictureLoader().load(path, QSize(127, 127)).size(), shown);
        // Qt refuses some headers before the check sees them; the sanitizer build checks them all.
        QVERIFY(pictureintegrity::complete(bytes) || shown.isEmpty() || how == "6000");
        QVERIFY(!twoSeconds.hasExpired());
        QVERIFY2(peakKiB() - peakBefore < (how == "6000" ? 300 : 32) * 1024, qPrintable(QString::number(peakKiB() - peakBefore)));

        support::FormRig board(result);
        const bool broken = shown.isEmpty();
        QCOMPARE(board.fake.messages.texts, broken ? QStringList{texts::withReason(texts::kMissingPicture, name + ": " + why)}
                                                   : QStringList());
        QVERIFY(!board.fake.messages.busyAtMessage.contains(true));
        QCOMPARE(board.fake.loader.bounds, QList<QSize>(9, board.form.Image1[0]->size() * board.form.devicePixelRatio()));
        for (int i = 0; i < 9; ++i)
            QCOMPARE(board.form.Image1[i]->picture().resource, broken && i == 4 ? 101 : 0);
    }

    // A picture's name swapped, again and again while it is loaded, with a FIFO
    // (an open by name would wait for a writer for good) or a 2 GB file (read
    // whole if its size was checked by name): every load ends soon, with the
    // picture or none, and reads no more than the limit.
    void swappedWhileRead_data()
    {
        QTest::addColumn<bool>("fifo");
        QTest::newRow("a FIFO") << true;
        QTest::newRow("a 2 GB file") << false;
    }

    void swappedWhileRead()
    {
        QFETCH(bool, fifo);
        QTemporaryDir root;
        const QByteArray path = QFile::encodeName(root.filePath("s.jpg")), other = QFile::encodeName(root.filePath("o"));
        QVERIFY(writePicture(path) && (fifo ? ::mkfifo(other, 0600) == 0 : write(other, {}) && QFile(other).resize(qint64(2) << 30)));
        rusage usage = {};
        getrusage(RUSAGE_SELF, &usage);
        const long peakBefore = usage.ru_maxrss;
        std::atomic<bool> swapping = true, done = false;
        std::atomic<int> odd = 0;
        std::thread loading([&] {
            QtPictureLoader loader;
            const auto load = [&] { odd += !QList<QSize>({{0, 0}, {40, 30}}).contains(loader.load(path, {127, 127}).size()); };
            while (swapping)
                load();
            load(); // the name left on the FIFO or the large file
            done = true;
        });
        for (const QDeadlineTimer second(1000); !second.hasExpired();)
            ::renameat2(AT_FDCWD, path, AT_FDCWD, other, RENAME_EXCHANGE);
        struct stat named = {};
        if (::stat(path, &named) == 0 && S_ISREG(named.st_mode) && named.st_size < (1 << 20)) // the picture
            ::renameat2(AT_FDCWD, path, AT_FDCWD, other, RENAME_EXCHANGE);
        swapping = false;
        // Nothing writes to the FIFO: a load that opens it as a file waits for good, and is let go only below.
        const bool ended = QTest::qWaitFor([&] { return done.load(); }, 20000);
        for (const QByteArray &name : {path, other})
            ::close(::open(name, O_WRONLY | O_NONBLOCK));
        loading.join();
        QVERIFY2(ended, "a load waits on the FIFO or reads on and on");
        QCOMPARE(odd.load(), 0);
        getrusage(RUSAGE_SELF, &usage);
        QVERIFY(usage.ru_maxrss - peakBefore < 1024 * 1024); // 2 GB read whole; a sanitizer holds what is freed
    }

    // A page's nine pictures are decoded at once on as many threads as the loader has, whatever the cores.
    void pageDecodedInParallel()
    {
        MeetingLoader loader(3);
        QCOMPARE(loader.loadAll(QList<PictureLoader::Request>(9, {"/p.jpg", QSize(127, 127)})).size(), 9);
        QCOMPARE(loader.most, 3);
    }

    // Decodes share one memory budget: a decode waits while the budget is held, and goes on once it is
    // given back; one that needs more than the whole budget is refused at once.
    void memoryBudget()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("w.jpg");
        QVERIFY(write(path, encoded(detailed({400, 300}, Qt::darkRed), "JPG")));
        MemoryBudget budget(4 << 20);
        QtPictureLoader loader(1, budget);
        QVERIFY(budget.take(4 << 20));
        QFuture<QImage> waiting = QtConcurrent::run([&] { return loader.load(path, QSize(127, 127)); });
        const bool waited = QTest::qWaitFor([&] { return budget.waiting() == 1; }) && !waiting.isFinished();
        budget.give(4 << 20);
        QVERIFY(waited);
        QCOMPARE(waiting.result().size(), QSize(127, 127));
        QVERIFY(budget.take(4 << 20)); // all given back
        MemoryBudget small(64 << 10); // less than the decode of a 400 x 300 picture holds
        QFuture<QImage> refused = QtConcurrent::run([&] { return QtPictureLoader(1, small).load(path, QSize(127, 127)); });
        const bool atOnce = QTest::qWaitFor([&] { return refused.isFinished(); }, 5000);
        small.give(1 << 30); // lets a decode that would wait for good go
        QVERIFY(atOnce && refused.result().isNull());
    }

    // One row for each way through the decoder: how the DC values are coded,
    // sampled, interrupted and turned, and each kind of file left to libjpeg.
    void progressiveAtAnEighth_data()
    {
        QTest::addColumn<QString>("commands"); // run in the folder of the source pictures; they make t.jpg
        QTest::addColumn<bool>("fast");         // made from its DC scans, or left to libjpeg

        const QString base = "cjpeg -outfile b.jpg src.ppm; jpegtran -outfile t.jpg ";
        QTest::newRow("DC interleaved, 4:2:0") << "cjpeg -progressive -sample 2x2 -outfile t.jpg src.ppm" << true;
        QTest::newRow("4:2:2") << "cjpeg -progressive -sample 2x1 -outfile t.jpg src.ppm" << true;
        QTest::newRow("4:4:4") << "cjpeg -progressive -sample 1x1 -outfile t.jpg src.ppm" << true;
        QTest::newRow("4:4:0") << "cjpeg -progressive -sample 1x2 -outfile t.jpg src.ppm" << true;
        QTest::newRow("greyscale") << "cjpeg -grayscale -progressive -outfile t.jpg src.ppm" << true;
        QTest::newRow("restart every 5 blocks") << "cjpeg -progressive -restart 5B -outfile t.jpg src.ppm" << true;
        QTest::newRow("37 x 29, 4:2:0") << "cjpeg -progressive -sample 2x2 -outfile t.jpg odd.ppm" << true;
        QTest::newRow("DC split per component, restarts") << base + "-scans split.txt -restart 3B b.jpg" << true;
        QTest::newRow("DC with Al = 2, refined before the AC scans") << base + "-scans refined.txt b.jpg" << true;
        for (const char *orient : {"TopRight", "BottomRight", "LeftTop", "RightTop", "LeftBottom"})
            QTest::newRow(orient) << QStringLiteral("convert src.ppm -interlace JPEG -orient %1 t.jpg").arg(orient) << true;
        QTest::newRow("baseline") << "cjpeg -outfile t.jpg src.ppm" << false;
        QTest::newRow("arithmetic coding") << "cjpeg -progressive -arithmetic -outfile t.jpg src.ppm" << false;
        QTest::newRow("RGB, no colour transform") << "cjpeg -progressive -rgb -outfile t.jpg src.ppm" << false;
        QTest::newRow("CMYK") << "convert src.ppm -colorspace CMYK -interlace JPEG t.jpg" << false;
    }

    // Against libjpeg's own decode at exactly 1/8: within 1.5 levels on average
    // and 8 at most in every channel.
    void progressiveAtAnEighth()
    {
        QFETCH(QString, commands);
        QFETCH(bool, fast);
        const QDir dir(toolPictures());
        const QString path = dir.filePath("t.jpg");
        QProcess shell;
        shell.setWorkingDirectory(dir.path());
        shell.start("sh", {"-ec", "rm -f t.jpg; " + commands + "; djpeg -scale 1/8 -outfile t.ppm t.jpg || true"});
        QVERIFY2(shell.waitForFinished() && shell.exitCode() == 0, qPrintable(commands));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));

        QImageReader reader(path);
        reader.setAutoTransform(true);
        const QSize eighth((reader.size().width() + 7) / 8, (reader.size().height() + 7) / 8);
        reader.setScaledSize(eighth);
        // Qt asks libjpeg for 1/8 only when the width and height are multiples
        // of 8; otherwise it decodes at 1/4 and resamples. libjpeg's own tool
        // decodes at exactly 1/8 (it leaves the orientation aside).
        const bool whole = reader.size().width() % 8 == 0 && reader.size().height() % 8 == 0;
        const QImage expected = (whole ? reader.read() : QImage(dir.filePath("t.ppm"))).convertToFormat(QImage::Format_RGB32);
        const QImage ours = jpegeighth::decode(file.readAll(), reader.transformation());
        QCOMPARE(!ours.isNull(), fast);
        if (!fast)
            return;
        const QImage got = ours.convertToFormat(QImage::Format_RGB32);
        QCOMPARE(got.size(), eighth);
        double sums[3] = {};
        int most = 0;
        for (int y = 0; y < eighth.height(); ++y)
            for (int x = 0; x < eighth.width(); ++x)
                for (int c = 0; c < 3; ++c) {
                    const int d = qAbs(int(got.pixel(x, y) >> 8 * c & 0xFF) - int(expected.pixel(x, y) >> 8 * c & 0xFF));
                    sums[c] += d;
                    most = qMax(most, d);
                }
        const double mean = qMax(sums[0], qMax(sums[1], sums[2])) / (eighth.width() * eighth.height());
        QVERIFY2(mean <= 1.5 && most <= 8, qPrintable(QStringLiteral("mean %1, max %2").arg(mean).arg(most)));
        // The loader shows it so on a screen; a print decodes the whole file.
        QtPictureLoader loader;
        QCOMPARE(loader.load(path, eighth).convertToFormat(QImage::Format_RGB32), got);
        reader.setFileName(path);
        reader.setScaledSize(eighth);
        QCOMPARE(loader.load(path, eighth, PictureLoader::Use::Print), reader.read());
    }

    // Pictures are decoded ahead for the pages either side of the one shown and
    // used only while their file is unchanged: scene 10 is changed while page 1
    // of 18 shows; page 2 shows what the file holds, read again only if changed.
    // After the turns, the pictures held are those of the page shown and the
    // pages either side; work for pages passed by quickly is dropped.
    void decodedAhead_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<int>("scenes");
        QTest::addColumn<QString>("turns");
        QTest::addColumn<QList<int>>("pages"); // whose pictures are held after the turns; none: not looked at

        QTest::newRow("scene 10 unchanged") << "" << 18 << ">" << QList<int>{1, 2};
        QTest::newRow("painted over in place") << "in place" << 18 << ">" << QList<int>{};
        QTest::newRow("replaced by a new file") << "replace" << 18 << ">" << QList<int>{};
        QTest::newRow("deleted") << "delete" << 18 << ">" << QList<int>{};
        QTest::newRow("page 1") << "" << 45 << "" << QList<int>{1, 2};
        QTest::newRow("page 3") << "" << 45 << ">>" << QList<int>{2, 3, 4};
        QTest::newRow("last page") << "" << 45 << ">>>>" << QList<int>{4, 5};
        QTest::newRow("to page 4 and back to 3") << "" << 45 << ">>><" << QList<int>{2, 3, 4};
    }

    void decodedAhead()
    {
        QFETCH(QString, change);
        QFETCH(int, scenes);
        QFETCH(QString, turns);
        QFETCH(QList<int>, pages);
        QTemporaryDir root;
        const QDir dir(root.path());
        support::FormRig shown(boardOf(dir, scenes));
        shown.fake.loader.waitForLookAhead();
        const QString scene10 = dir.filePath("s10.jpg"), fresh = dir.filePath("new");
        const bool changed = change == "in place" || change == "replace";
        if (change == "in place")
            QVERIFY(writePadded(scene10, Qt::red));
        if (change == "replace") // a new file with the old one's times: only its inode differs
            QVERIFY(writePadded(fresh, Qt::red) && QProcess::execute("touch", {"-r", scene10, fresh}) == 0
                    && QFile::remove(scene10) && QFile::rename(fresh, scene10));
        if (change == "delete")
            QVERIFY(QFile::remove(scene10));
        const qint64 before = shown.fake.loader.filesRead();
        shown.turn(turns);
        QVERIFY(turns.size() > 1 || shown.fake.loader.filesRead() - before == (changed ? 1 : 0));
        const Picture box0 = shown.form.Image1[0]->picture();
        QCOMPARE(box0.resource, change == "delete" ? 101 : 0);
        if (!box0.resource)
            QCOMPARE(box0.image.pixelColor(20, 15).toHsv().hue(), QColor(changed ? Qt::red : Qt::blue).toHsv().hue());
        QCOMPARE(shown.fake.messages.texts, box0.resource ? QStringList{gone("s10.jpg")} : QStringList());
        shown.fake.loader.waitForLookAhead();
        QStringList held, expected;
        for (const PictureLoader::Request &request : shown.fake.loader.held())
            held << QFileInfo(request.file).fileName();
        for (const int page : pages)
            for (int scene = 9 * page - 8; scene <= 9 * page; ++scene)
                expected << QStringLiteral("s%1.jpg").arg(scene, 2, 10, QLatin1Char('0'));
        held.sort();
        QVERIFY(pages.isEmpty() || held == expected);
    }

    void ourPictures_data()
    {
        QTest::addColumn<QImage>("image");
        QTest::addColumn<QSize>("size"); // (0, 0): no such picture

        const struct { int number, width, height; } stored[] = {
            {101, 127, 127}, {2000, 183, 200}, {2001, 100, 100}, {2005, 100, 100}, {1000, 380, 180}, {1001, 380, 180},
            {2003, 360, 256}, {2004, 360, 256}, {0, 0, 0}, {102, 0, 0}, {2002, 0, 0}};
        for (const auto &bitmap : stored)
            QTest::addRow("bitmap %d", bitmap.number) << resources::storedBitmap(bitmap.number) << QSize(bitmap.width, bitmap.height);
        for (int mode = -1; mode <= 6; ++mode)
            QTest::addRow("print symbol %d", mode) << resources::printSymbol(mode)
                                                   << (mode < 0 || mode > 5 ? QSize(0, 0) : QSize(32, 32));
        for (const int side : {32, 48, 256})
            QTest::addRow("icon %d", side) << resources::appIcon().pixmap(side).toImage() << QSize(side, side);
        QTest::newRow("About icon") << resources::iconImage() << QSize(32, 32);
        QTest::newRow("logo") << resources::logo() << QSize(185, 27);
        QTest::newRow("pointer") << resources::magnifierCursor().pixmap().toImage() << QSize(32, 32);
        // Each stored picture has a rendering twice as large, for dense screens.
        for (const QString &name : QDir(u":/bitmaps"_qs).entryList().filter(QRegularExpression(u"^[^@]*$"_qs)))
            QTest::addRow("%s @2x", qPrintable(name)) << QImage(u":/bitmaps/"_qs + name.chopped(4) + u"@2x.png"_qs)
                                                      << QImage(u":/bitmaps/"_qs + name).size() * 2;
    }

    void ourPictures()
    {
        QFETCH(QImage, image);
        QFETCH(QSize, size);
        QCOMPARE(image.size(), size);
    }
};

QTEST_MAIN(tst_pictures)
#include "tst_pictures.moc"

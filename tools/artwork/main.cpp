// Draws every picture of the program but its icon (tools/icons) and the sample
// board, and writes them into the source tree: qv_artwork <project directory>.
#include "Drawing.h"
#include "Icons.h"
#include "Quantize.h"
#include "SampleBoard.h"
#include "StoredPictures.h"

#include <QDir>
#include <QGuiApplication>
#include <QImageReader>
#include <QImageWriter>
#include <QTextStream>

#include <functional>

namespace {

struct StoredPicture
{
    int number;
    int colours; // most colours the stored file may have
    std::function<QImage()> draw;
};

const StoredPicture kStored[] = {
    {101, 256, artwork::stored::emptyScene},   {2000, 16, artwork::stored::emptyPreview},
    {2001, 256, artwork::stored::nineLayout},  {2005, 256, artwork::stored::laterRelease},
    {1000, 16, artwork::stored::caveDark},     {1001, 16, artwork::stored::caveLit},
    {2003, 256, artwork::stored::helpAsleep},  {2004, 256, artwork::stored::helpAwake},
};

QTextStream &err()
{
    static QTextStream stream(stderr);
    return stream;
}

bool save(const QImage &image, const QString &path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QImageWriter writer(path, "png");
    writer.setCompression(100); // Qt takes 0..100 here, 100 being zlib level 9
    if (!writer.write(image)) {
        err() << "cannot write " << path << ": " << writer.errorString() << Qt::endl;
        return false;
    }
    return true;
}

// Opaque pictures go to disk indexed, which keeps them small and within
// their colour counts.
bool saveIndexed(const QImage &image, int colours, const QString &path)
{
    const QImage indexed = artwork::toIndexed(image, colours);
    if (!save(indexed, path))
        return false;
    const QImage back(path);
    if (back.size() != image.size() || artwork::colourCount(back) > colours) {
        err() << path << " did not come back as drawn" << Qt::endl;
        return false;
    }
    return true;
}

// The stored bitmaps, print symbols, logo and pointer, as `name` + `suffix` + ".png".
bool writeBitmaps(const QString &dir, const QString &suffix)
{
    const auto path = [&](const QString &name) { return dir + name + suffix + QStringLiteral(".png"); };
    bool ok = true;
    for (const StoredPicture &picture : kStored)
        ok = saveIndexed(picture.draw(), picture.colours, path(QString::number(picture.number))) && ok;
    for (int mode = 0; mode < 6; ++mode)
        ok = save(artwork::icons::printSymbol(mode), path(QStringLiteral("printmode%1").arg(mode))) && ok;
    ok = saveIndexed(artwork::icons::logo(), 256, path(QStringLiteral("logo"))) && ok;
    ok = save(artwork::icons::magnifier(), path(QStringLiteral("magnifier"))) && ok;
    return ok;
}

bool writeSamples(const QString &dir)
{
    QDir().mkpath(dir);
    for (int n = 1; n <= artwork::samples::kFrames; ++n) {
        const QString path = dir + QLatin1Char('/') + artwork::samples::fileName(n);
        if (!artwork::samples::write(artwork::samples::frame(n), n, path)) {
            err() << "cannot write " << path << Qt::endl;
            return false;
        }
        QImageReader reader(path);
        if (reader.read().size() != QSize(320, 240)) {
            err() << path << " does not read back: " << reader.errorString() << Qt::endl;
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        err() << "usage: qv_artwork <project directory>" << Qt::endl;
        return 2;
    }
    const QString root = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    const QString bitmaps = root + QStringLiteral("/src/resources/bitmaps/");

    bool ok = writeBitmaps(bitmaps, QString());
    // The same drawings at twice the size, which Qt picks on dense screens.
    artwork::setScale(2);
    ok = writeBitmaps(bitmaps, QStringLiteral("@2x")) && ok;
    artwork::setScale(1);
    ok = writeSamples(root + QStringLiteral("/samples")) && ok;
    return ok ? 0 : 1;
}

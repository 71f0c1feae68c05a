#include "resources/StoredBitmaps.h"

#include <QGuiApplication>
#include <QHash>
#include <QIcon>
#include <QMutex>
#include <QMutexLocker>
#include <QPixmap>
#include <QString>

#include <algorithm>
#include <iterator>

// Outside any namespace: Q_INIT_RESOURCE declares the initialiser that rcc
// generated at global scope, and a static library drops it unless it is called.
static void registerArtwork()
{
    Q_INIT_RESOURCE(artwork);
}

namespace resources {
namespace {

constexpr int kStoredNumbers[] = {101, 2000, 2001, 2005, 1000, 1001, 2003, 2004};
constexpr int kPrintModes = 6;
constexpr int kIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

QString iconPath(int size)
{
    return QStringLiteral(":/icons/hicolor/%1x%1/apps/quorvadine.png").arg(size);
}

void ensureRegistered()
{
    static const bool registered = (registerArtwork(), true);
    Q_UNUSED(registered);
}

// Decoded once and handed out as shared copies; the blank scene picture goes
// into nine boxes at every page. On dense screens Qt finds the picture's
// twice-as-large rendering (name@2x.png) and reads it with a device pixel
// ratio of 2, so it shows at the same size, sharper.
QImage load(const QString &baseName)
{
    ensureRegistered();
    static QMutex mutex;
    static QHash<QString, QImage> cache;

    const QString path = qt_findAtNxFile(baseName, qGuiApp ? qGuiApp->devicePixelRatio() : 1.0);
    const QMutexLocker lock(&mutex);
    const auto found = cache.constFind(path);
    if (found != cache.cend())
        return *found;
    QImage image(path);
    if (!image.isNull()) {
        image = image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                              : QImage::Format_RGB32);
    }
    cache.insert(path, image);
    return image;
}

} // namespace

QImage storedBitmap(int number)
{
    if (std::find(std::begin(kStoredNumbers), std::end(kStoredNumbers), number) == std::end(kStoredNumbers))
        return {};
    return load(QStringLiteral(":/bitmaps/%1.png").arg(number));
}

QIcon appIcon()
{
    ensureRegistered();
    QIcon icon;
    for (const int size : kIconSizes)
        icon.addFile(iconPath(size), QSize(size, size));
    return icon;
}

QImage iconImage()
{
    return load(iconPath(32));
}

QImage printSymbol(int mode)
{
    if (mode < 0 || mode >= kPrintModes)
        return {};
    return load(QStringLiteral(":/bitmaps/printmode%1.png").arg(mode));
}

QImage logo()
{
    return load(QStringLiteral(":/bitmaps/logo.png"));
}

QCursor magnifierCursor()
{
    return QCursor(QPixmap::fromImage(load(QStringLiteral(":/bitmaps/magnifier.png"))), kMagnifierHotSpot.x(),
                   kMagnifierHotSpot.y());
}

} // namespace resources

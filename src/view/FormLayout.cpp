#include "view/FormLayout.h"

#include <QString>

namespace layout {

namespace {
void place(Geometry &g, const Column &c)
{
    for (int i = 1; i < 9; ++i) {
        const int row = i / 3, column = i % 3;
        g.images[i].moveLeft(c.lefts[column]);
        g.labels[i].moveLeft(c.lefts[column]);
        if (i >= 3) {
            g.images[i].moveTop(c.imageTops[row]);
            g.labels[i].moveTop(c.labelTops[row]);
        }
    }
    g.frame.moveLeft(c.frameLeft);
}
} // namespace

Geometry smallLayout()
{
    Geometry g;
    const Column &c = kSmall;
    for (int i = 0; i < 9; ++i) {
        const int row = i / 3, column = i % 3;
        g.images[i] = QRect(c.lefts[column], c.imageTops[row], c.imageWidth, c.imageHeight);
        g.labels[i] = QRect(c.lefts[column], c.labelTops[row], c.imageWidth, kLabelHeight);
    }
    g.frame = QRect(c.frameLeft, kFrameTop, c.frameWidth, kFrameHeight);
    return g;
}

void grow(Geometry &g, const Column &column, int growWidth, int growHeight, int growFrame)
{
    for (int i = 0; i < 9; ++i) {
        g.labels[i].setWidth(g.labels[i].width() + growWidth);
        g.images[i].setWidth(g.images[i].width() + growWidth);
        g.images[i].setHeight(g.images[i].height() + growHeight);
    }
    g.frame.setWidth(g.frame.width() + growFrame);
    place(g, column);
}

bool isMedium(const QString &text5)
{
    return text5 == QLatin1String("6000");
}

bool isLarge(const QString &text5, const QString &text6)
{
    return text6 > QLatin1String("5475") || text5 >= QLatin1String("7680");
}

bool needsAlert(const QString &text5, const QString &text6)
{
    return text6 > QLatin1String("5475") || text5 > QLatin1String("7680");
}

bool screenMayAlert(QSize screen)
{
    return screen.width() > 1024 || screen.height() > 768;
}

} // namespace layout

#pragma once

#include "interfaces/Picture.h"
#include "resources/Colours.h"

#include <QList>
#include <QRect>
#include <QString>

// A page as a window design that is never shown: a client area in twips and
// the boxes on it. The printing layer draws it; the print dialogue fills it.
struct SheetItem
{
    enum class Kind { Picture, Label, Text };

    Kind kind = Kind::Text;
    QString name;         // design name, e.g. "ImageTest3" or "Text1"
    int index = -1;       // index in a control array, -1 for a single control
    QRect geometry;       // twips, from the top left of the client area
    QString text;         // labels and text boxes
    Picture picture;      // picture boxes
    bool border = false;  // picture boxes: single-line border
    QString missedFile;   // picture boxes: a file that could not be read, the blank scene picture stands in
    int wholeLength = 0;  // text boxes: a text this long or shorter prints whole, however small
    ColourWord background = colours::kWhite;
};

struct Sheet
{
    QString name;
    int width = 0;   // client area, twips
    int height = 0;
    QList<SheetItem> items;

    SheetItem *item(const QString &itemName, int itemIndex = -1)
    {
        for (SheetItem &i : items) {
            if (i.name == itemName && i.index == itemIndex)
                return &i;
        }
        return nullptr;
    }
    const SheetItem *item(const QString &itemName, int itemIndex = -1) const
    {
        return const_cast<Sheet *>(this)->item(itemName, itemIndex);
    }
};

namespace sheetprint {
// Pictures go to paper at this resolution: decoded, and drawn, at the size
// their box has at 300 dpi, whatever the file's own size.
inline constexpr int kPictureDpi = 300;
inline constexpr int kTwipsPerInch = 1440;

inline QSize picturePixels(QSize twipsSize)
{
    auto px = [](int t) { return (t * kPictureDpi + kTwipsPerInch - 1) / kTwipsPerInch; };
    return {px(twipsSize.width()), px(twipsSize.height())};
}
} // namespace sheetprint

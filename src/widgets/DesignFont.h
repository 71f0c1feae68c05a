#pragma once

#include <QFont>
#include <QStringList>

// The window designs were measured in a narrow 8 point sans serif: 13 pixel
// lines, about 4.6 pixels a character of running text at 96 dpi. Liberation
// Sans (Debian package fonts-liberation, a dependency) keeps the 13 pixel
// line and is about 3.5 % wider; the wider faces of a desktop's default cut
// captions off and put scroll bars on the help texts.
namespace designfont {
inline constexpr char kFamily[] = "Liberation Sans";
inline constexpr double kPoints = 8;

inline QFont of(QFont font, double points = kPoints)
{
    font.setFamilies({QString::fromLatin1(kFamily)});
    font.setPointSizeF(points);
    return font;
}
} // namespace designfont

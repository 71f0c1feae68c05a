#include "printing/SheetPrinter.h"

#include "widgets/Palette.h"

#include <QPrinter>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace {
constexpr double kTextPoints = 10;
// A text longer than its box promises to hold whole is set no smaller than this,
// unless the part it promises needs less.
constexpr double kSmallestTextPoints = 6;
// Only so the search for a size ends: no text a box promises to hold needs less.
constexpr double kLeastTextPoints = 1;
constexpr int kTenthsPerPoint = 10;
constexpr double kLabelPoints = 8;
constexpr int kTextMargin = 30;  // twips inside a text box, as a text box keeps off its edge
constexpr int kBorderWidth = 15; // one pixel of the window design

QFont sheetFont(QPainter &painter, double points, double devicePerTwip)
{
    QFont font(QStringLiteral("Sans Serif"));
    // Points as on paper: the painter's device decides how many pixels a point is.
    const double dpi = painter.device()->logicalDpiY();
    font.setPointSizeF(points * devicePerTwip * sheetprint::kTwipsPerInch / dpi);
    return font;
}

QRectF onDevice(const QRect &twipsRect, double devicePerTwip)
{
    return QRectF(twipsRect.left() * devicePerTwip, twipsRect.top() * devicePerTwip,
                  twipsRect.width() * devicePerTwip, twipsRect.height() * devicePerTwip);
}

void drawPicture(QPainter &painter, const SheetItem &item, double devicePerTwip)
{
    const QRectF box = onDevice(item.geometry, devicePerTwip);
    if (!item.picture.isNull()) {
        // Scaled here, once, so the page holds an image of print resolution
        // and not the file's full size. Qt's PDF engine embeds an image as a
        // JPEG once and refers to it again wherever the same image (by its
        // cache key) is drawn: a picture already at its print size, as the
        // print sheets hold them, is drawn as it is and so embedded once.
        const QSize target = sheetprint::picturePixels(item.geometry.size());
        QImage image = item.picture.image;
        if (image.size() != target)
            image = image.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        painter.drawImage(box, image);
    }
    if (item.border) {
        const double w = std::max(1.0, kBorderWidth * devicePerTwip);
        painter.setPen(QPen(Qt::black, w, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(box.adjusted(w / 2, w / 2, -w / 2, -w / 2));
    }
}

void drawLabel(QPainter &painter, const SheetItem &item, double devicePerTwip)
{
    const QRectF box = onDevice(item.geometry, devicePerTwip);
    painter.fillRect(box, palette::toColor(item.background));
    painter.setFont(sheetFont(painter, kLabelPoints, devicePerTwip));
    painter.setPen(Qt::black);
    painter.save();
    painter.setClipRect(box, Qt::IntersectClip);
    painter.drawText(box, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, item.text);
    painter.restore();
}

// A text laid out in a box of `size` device pixels: one layout per paragraph
// and how many of its lines fit; whole when every line does. Layout stops at
// the first line that does not fit: what follows is never drawn, and a long
// text read from a file would otherwise be laid out whole at every size tried.
struct TextFit
{
    std::vector<std::unique_ptr<QTextLayout>> paragraphs;
    std::vector<int> kept;
    bool whole = true;
};

TextFit fitText(const QString &text, const QFont &font, QSizeF size, QPaintDevice *device)
{
    TextFit fit;
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    double y = 0;
    for (const QString &paragraph : text.split(QLatin1Char('\n'))) {
        auto layout = std::make_unique<QTextLayout>(paragraph, font, device);
        // A right-to-left paragraph (Hebrew) keeps to the right, where its lines begin.
        option.setAlignment(paragraph.isRightToLeft() ? Qt::AlignRight : Qt::AlignLeft);
        layout->setTextOption(option);
        layout->beginLayout();
        int kept = 0;
        for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
            line.setLineWidth(size.width());
            if (y + line.height() > size.height()) {
                fit.whole = false;
                break;
            }
            line.setPosition(QPointF(0, y));
            y += line.height();
            ++kept;
        }
        layout->endLayout();
        fit.paragraphs.push_back(std::move(layout));
        fit.kept.push_back(kept);
        if (!fit.whole)
            break;
    }
    return fit;
}

// The largest size, to a tenth of a point, from `least` up to the design size at
// which the text fits the box whole; `least` when it fits at none. Measured, as
// wide (CJK, "W") characters need far smaller sizes than ordinary text.
double fittingPoints(const QString &text, double least, QPainter &painter, double devicePerTwip, QSizeF size)
{
    const auto fits = [&](int tenths) {
        const double points = double(tenths) / kTenthsPerPoint;
        return fitText(text, sheetFont(painter, points, devicePerTwip), size, painter.device()).whole;
    };
    int fitting = int(std::ceil(least * kTenthsPerPoint)), tooLarge = int(kTextPoints * kTenthsPerPoint);
    if (fits(tooLarge))
        return kTextPoints;
    while (tooLarge - fitting > 1) {
        const int middle = (fitting + tooLarge) / 2;
        (fits(middle) ? fitting : tooLarge) = middle;
    }
    return double(fitting) / kTenthsPerPoint;
}

// Only the part of the box on the page counts. A text of at most the box's
// wholeLength characters is set at the largest size up to 10 pt at which it
// fits whole. A longer one (only a script file brings one) is set no smaller
// than 6 pt, or than its first wholeLength characters need, and is cut there at
// whole lines, never through one.
void drawText(QPainter &painter, const SheetItem &item, double devicePerTwip, const QRectF &page)
{
    const QRectF box = onDevice(item.geometry, devicePerTwip).intersected(page);
    if (item.background != colours::kWhite)
        painter.fillRect(box, palette::toColor(item.background));
    const double margin = kTextMargin * devicePerTwip;
    const QRectF inner = box.adjusted(margin, margin, -margin, -margin);
    if (inner.width() <= 0 || inner.height() <= 0)
        return;

    QString text = item.text;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const auto fitting = [&](const QString &part, double least) {
        return fittingPoints(part, least, painter, devicePerTwip, inner.size());
    };
    const double points = text.size() <= item.wholeLength
        ? fitting(text, kLeastTextPoints)
        : fitting(text, std::min(kSmallestTextPoints, fitting(text.left(item.wholeLength), kLeastTextPoints)));
    const TextFit fit = fitText(text, sheetFont(painter, points, devicePerTwip), inner.size(), painter.device());
    painter.setPen(Qt::black);
    for (std::size_t p = 0; p < fit.paragraphs.size(); ++p) {
        for (int i = 0; i < fit.kept[p]; ++i)
            fit.paragraphs[p]->lineAt(i).draw(&painter, inner.topLeft());
    }
}
} // namespace

namespace {
// A printer tells a failure by its state; a PDF writer's file tells its own.
bool failed(const QPagedPaintDevice &device)
{
    const auto *printer = dynamic_cast<const QPrinter *>(&device);
    return printer && printer->printerState() == QPrinter::Error;
}
} // namespace

SheetPrinter::SheetPrinter(QPagedPaintDevice &device)
    : m_device(device)
{
}

SheetPrinter::~SheetPrinter()
{
    if (m_painter.isActive())
        m_painter.end();
}

bool SheetPrinter::begin()
{
    m_pages = 0;
    return m_painter.begin(&m_device);
}

QSizeF SheetPrinter::printableTwips() const
{
    const int resolution = m_device.logicalDpiY();
    const QRect area = m_device.pageLayout().paintRectPixels(resolution);
    return QSizeF(area.width() * double(sheetprint::kTwipsPerInch) / resolution,
                  area.height() * double(sheetprint::kTwipsPerInch) / resolution);
}

double SheetPrinter::fitScale(const Sheet &sheet, QSizeF areaTwips)
{
    if (sheet.width <= 0 || sheet.height <= 0 || areaTwips.isEmpty())
        return 1.0;
    return std::min({1.0, areaTwips.width() / sheet.width, areaTwips.height() / sheet.height});
}

bool SheetPrinter::print(const Sheet &sheet)
{
    if (!m_painter.isActive())
        return false;
    if (m_pages > 0 && !m_device.newPage())
        return false;
    ++m_pages;
    const double devicePerTwip =
        fitScale(sheet, printableTwips()) * m_device.logicalDpiY() / double(sheetprint::kTwipsPerInch);
    render(m_painter, sheet, devicePerTwip);
    return !failed(m_device);
}

bool SheetPrinter::end()
{
    if (!m_painter.isActive())
        return false;
    const bool ended = m_painter.end();
    return ended && !failed(m_device);
}

void SheetPrinter::render(QPainter &painter, const Sheet &sheet, double devicePerTwip)
{
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    // Whatever lies beyond the client area is not on the page (the script
    // rows of the page-images sheet are wider than it).
    const QRectF page(0, 0, sheet.width * devicePerTwip, sheet.height * devicePerTwip);
    painter.setClipRect(page);
    for (const SheetItem &item : sheet.items) {
        switch (item.kind) {
        case SheetItem::Kind::Picture:
            drawPicture(painter, item, devicePerTwip);
            break;
        case SheetItem::Kind::Label:
            drawLabel(painter, item, devicePerTwip);
            break;
        case SheetItem::Kind::Text:
            drawText(painter, item, devicePerTwip, page);
            break;
        }
    }
    painter.restore();
}

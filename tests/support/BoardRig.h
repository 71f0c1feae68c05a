#pragma once

// The board model without a window: a loader that decodes nothing and a host
// that records what the board asks of the main window.
#include "board/SceneBoard.h"
#include "support/FakePlatform.h"

#include <QImage>
#include <QString>
#include <QStringList>

namespace support {

// Every file "loads" unless its name says it is missing.
class StubLoader : public PictureLoader
{
public:
    QImage load(const QString &file, QSize, Use = Use::Screen) override
    {
        if (file.contains(QLatin1String("missing")))
            return {};
        QImage image(2, 2, QImage::Format_RGB32);
        image.fill(Qt::red);
        return image;
    }
};

class StubHost : public board::BoardHost
{
public:
    void discardScriptEditor() override { ++discards; }
    QSize sceneBoxPixels() const override { return {131, 127}; }
    QSize previewPixels() const override { return {185, 201}; }
    void boardChanged() override {}
    int discards = 0;
};

struct BoardRig
{
    FakePlatform fake;
    StubLoader loader;
    StubHost host;
    board::SceneBoard board{{&fake.pictures, &fake.messages, &fake.pointer, &loader}, host};
    BoardRig() { board.Form_Load(); }
    // "New Quorvadine" with the dialog answering `result`.
    void load(const QString &result)
    {
        fake.pictures.choose(result);
        board.FirstStep();
    }
};

// A dialog result of `count` picture names f1.jpg, f2.jpg, ... in `directory`.
inline QString names(int count, const QString &directory = QStringLiteral("/nowhere"))
{
    QString result = directory;
    for (int i = 1; i <= count; ++i)
        result += QStringLiteral(" f%1.jpg").arg(i);
    return result;
}

} // namespace support

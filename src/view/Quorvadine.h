#pragma once

#include "interfaces/Picture.h"

#include <QWidget>

class ImageBox;
class PictureLoader;

namespace board {
class SceneBoard;
}

// The close-up window: the current scene magnified, sized for the layout the
// main window detected. It keeps the picture of the moment it was loaded.
class Quorvadine : public QWidget
{
    Q_OBJECT
public:
    explicit Quorvadine(PictureLoader &loader);

    // Load steps: size from the main window's Text5, picture from BigPreview.
    void Form_Load(const board::SceneBoard &main);

    ImageBox *Image1 = nullptr;

    // The close box's extra height and width over the inner area, in twips.
    static constexpr int kFrameWidth = 90, kFrameHeight = 330;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    PictureLoader &m_loader;
};

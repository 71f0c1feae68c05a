#pragma once

#include "platform/Picture.h"

#include <QWidget>

class Form1;
class ImageBox;

// The close-up window: the current scene magnified, sized for the layout the
// main window detected. It keeps the picture of the moment it was loaded.
class Quorvadine : public QWidget
{
    Q_OBJECT
public:
    explicit Quorvadine(Form1 &form1);

    // Load steps: size from the main window's Text5, picture from BigPreview.
    void Form_Load();

    ImageBox *Image1 = nullptr;

    // The close box's extra height and width over the inner area, in twips.
    static constexpr int kFrameWidth = 90, kFrameHeight = 330;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    Form1 &m_form1;
};

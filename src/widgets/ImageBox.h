#pragma once

#include "interfaces/Picture.h"

#include <QWidget>

// An image box: shows its picture stretched to the whole box (width and height
// scaled independently), with an optional single-line border, and reports clicks.
// Given a focus policy it is pressed with Space or Enter as well, and draws
// the focus frame while it has the keyboard.
class ImageBox : public QWidget
{
    Q_OBJECT
public:
    explicit ImageBox(QWidget *parent = nullptr);

    const Picture &picture() const { return m_picture; }
    void setPicture(const Picture &picture);

    bool hasBorder() const { return m_border; }
    void setBorder(bool border);

    // Whether a click does something: screen readers then see a button.
    bool isPressable() const;
    // Selection as a screen reader reads it (a scene box); drawn nowhere.
    bool isSelectable() const { return m_selectable; }
    void setSelectable(bool selectable) { m_selectable = selectable; }
    bool isSelected() const { return m_selected; }
    void setSelected(bool selected);

Q_SIGNALS:
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    Picture m_picture;
    bool m_border = false;
    bool m_selectable = false;
    bool m_selected = false;
};

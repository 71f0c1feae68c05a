#pragma once

#include "interfaces/Picture.h"

#include <QWidget>

// An image box: shows its picture stretched to the whole box (width and height
// scaled independently), with an optional single-line border, and reports clicks.
class ImageBox : public QWidget
{
    Q_OBJECT
public:
    explicit ImageBox(QWidget *parent = nullptr);

    const Picture &picture() const { return m_picture; }
    void setPicture(const Picture &picture);

    bool hasBorder() const { return m_border; }
    void setBorder(bool border);

Q_SIGNALS:
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    Picture m_picture;
    bool m_border = false;
};

#include "widgets/ImageBox.h"

#include "widgets/FocusFrame.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>

ImageBox::ImageBox(QWidget *parent)
    : QWidget(parent)
{
}

void ImageBox::setPicture(const Picture &picture)
{
    m_picture = picture;
    update();
}

void ImageBox::setBorder(bool border)
{
    if (border == m_border)
        return;
    m_border = border;
    update();
}

bool ImageBox::isPressable() const
{
    return isSignalConnected(QMetaMethod::fromSignal(&ImageBox::clicked));
}

void ImageBox::setSelected(bool selected)
{
    if (selected == m_selected)
        return;
    m_selected = selected;
    QAccessibleEvent event(this, selected ? QAccessible::SelectionAdd : QAccessible::SelectionRemove);
    QAccessible::updateAccessibility(&event);
}

void ImageBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (!m_picture.isNull())
        painter.drawImage(rect(), m_picture.image);
    if (m_border) {
        painter.setPen(Qt::black);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    if (hasFocus())
        focusframe::paint(painter, rect(), focusframe::kWide);
}

void ImageBox::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
    QWidget::mouseReleaseEvent(event);
}

void ImageBox::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
            Q_EMIT clicked();
            return;
        }
        break;
    default:
        break;
    }
    QWidget::keyPressEvent(event);
}

#pragma once

#include <QLine>
#include <QWidget>

// A line drawn on its parent window between two points given in the parent's
// twips, as window designs place lines. It covers only the line's bounding
// box and lets mouse clicks through to whatever lies beneath.
class LineControl : public QWidget
{
    Q_OBJECT
public:
    LineControl(QWidget *parent, int x1, int y1, int x2, int y2);

    // End points in the parent's pixels.
    QLine line() const { return m_line; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QLine m_line;
};

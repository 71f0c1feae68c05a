#pragma once

#include <QRadioButton>

// An option button whose caption wraps onto a second line when the button is
// too narrow for it, as the window designs expect of their option buttons.
class OptionButton : public QRadioButton
{
    Q_OBJECT
public:
    explicit OptionButton(const QString &text, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
    bool hitButton(const QPoint &pos) const override;
};

#pragma once

#include "platform/WindowSystem.h"

class QtWindowSystem : public WindowSystem
{
public:
    void setEnabled(QWidget *window, bool enabled) override;
    void makeTopmost(QWidget *window) override;
    void centre(QWidget *window, QSize screen) override;
};

#pragma once

#include <QSize>

// The size of the screen the main window opens on, in logical pixels.
class Screen
{
public:
    virtual ~Screen() = default;
    virtual QSize size() const = 0;
};

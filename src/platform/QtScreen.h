#pragma once

#include "platform/Screen.h"

class QtScreen : public Screen
{
public:
    QSize size() const override;
};

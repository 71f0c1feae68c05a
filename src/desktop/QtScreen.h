#pragma once

#include "interfaces/Screen.h"

class QtScreen : public Screen
{
public:
    QSize size() const override;
};

#pragma once

#include "interfaces/Dialogs.h"

class QtMousePointer : public MousePointer
{
public:
    void setBusy(bool busy) override;
    bool isBusy() const override { return m_busy; }

private:
    bool m_busy = false;
};

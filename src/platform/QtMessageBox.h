#pragma once

#include "platform/Dialogs.h"

class QtMessageBox : public MessageBox
{
public:
    void show(const QString &text) override;
    Answer ask(const QString &text) override;
};

#pragma once

#include "board/ScriptListAccess.h"

#include <QList>
#include <QStringList>

namespace support {

// Stands in for the Script Editor's list: "SCENES" and one n.-empty- entry per scene.
class ScriptListDouble : public board::ScriptListAccess
{
public:
    explicit ScriptListDouble(int entries = 0)
    {
        for (int n = 0; n <= entries; ++n)
            items << (n ? QStringLiteral("%1.-empty-").arg(n) : QStringLiteral("SCENES"));
    }
    int entryCount() override { return int(items.size()); }
    void selectEntry(int n) override { selected = n >= 0 && n < items.size() ? n : -1; }
    QString selectedEntryText() override { return selected >= 0 ? items.at(selected) : QString(); }
    int selectedIndex() override { return selected; }
    QStringList entries() const override { return items; }
    void setToolTips(bool) override {}

    QStringList items;
    int selected = -1;
};

} // namespace support

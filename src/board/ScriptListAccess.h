#pragma once

#include <QString>
#include <QStringList>

namespace board {

// The script list of the Script Editor as the other windows use it: it is the
// one store of all scripts. Reaching it creates the Script Editor (hidden)
// when it does not exist yet.
class ScriptListAccess
{
public:
    virtual ~ScriptListAccess() = default;
    // Items in the list, header "SCENES" included (scenes + 1).
    virtual int entryCount() = 0;
    // Selects item n and runs the Script Editor's selection handler, exactly as a click.
    virtual void selectEntry(int n) = 0;
    // The selected item's text; empty when nothing is selected.
    virtual QString selectedEntryText() = 0;
    // The selected index, -1 when none.
    virtual int selectedIndex() = 0;
    // Every item, header included, read without selecting any.
    virtual QStringList entries() const = 0;
    // The Script Editor's tool tips on (the tip table's texts) or off (empty).
    virtual void setToolTips(bool on) = 0;
};

} // namespace board

#include "desktop/CentredMessageBox.h"

#include "desktop/Placement.h"

void CentredMessageBox::showEvent(QShowEvent *event)
{
    // The box takes its final size here, before it is mapped.
    QMessageBox::showEvent(event);
    if (parentWidget())
        placement::centreOnScreenOf(this, parentWidget());
}

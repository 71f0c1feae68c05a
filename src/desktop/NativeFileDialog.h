#pragma once

#include <QStringList>

class QFileDialog;

namespace nativefiledialog {

// Runs `dialog` application-modal with `nameFilters` ("Jpegs (*.jpg)")
// until it closes; true when accepted. The desktop's own dialog is used where
// the platform offers one (a GTK or portal platform theme), Qt's own
// otherwise.
bool run(QFileDialog &dialog, const QStringList &nameFilters);

} // namespace nativefiledialog

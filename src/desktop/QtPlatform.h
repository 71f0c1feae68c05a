#pragma once

#include "desktop/QtFileDialog.h"
#include "desktop/QtMessageBox.h"
#include "desktop/QtMousePointer.h"
#include "desktop/QtPictureDialog.h"
#include "desktop/QtPrinterDialog.h"
#include "desktop/QtScreen.h"
#include "interfaces/Platform.h"
#include "pictures/QtPictureLoader.h"

#include <QSettings>

// The real platform: owns one Qt implementation of each interface.
class QtPlatform
{
public:
    QtPlatform()
    {
        // Qt's own dialogs keep their history in the user's configuration
        // folder. The program writes no configuration: no folder can be made
        // below a device file, so Qt finds that store unwritable, even as root.
        const QString nowhere = QStringLiteral("/dev/null/quorvadine");
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, nowhere);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, nowhere);
        // The desktop's GTK dialog keeps its window size and sort order in the
        // desktop's settings store (dconf, in the configuration folder); in
        // memory they last for the run. Read when the store is first used,
        // which on X11 is the first dialog.
        qputenv("GSETTINGS_BACKEND", "memory");
    }
    Platform platform()
    {
        return Platform{&m_pictures, &m_files, &m_messages, &m_pointer, &m_loader, &m_screen, &m_printer};
    }

private:
    QtPictureDialog m_pictures{QtPictureDialog::checkoutSamples()};
    QtFileDialog m_files;
    QtMessageBox m_messages;
    QtMousePointer m_pointer;
    QtPictureLoader m_loader;
    QtScreen m_screen;
    QtPrinterDialog m_printer;
};

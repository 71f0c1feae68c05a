#pragma once

#include "platform/Platform.h"
#include "platform/QtDialogOwner.h"
#include "platform/QtFileDialog.h"
#include "platform/QtMessageBox.h"
#include "platform/QtMousePointer.h"
#include "platform/QtPictureDialog.h"
#include "platform/QtPictureLoader.h"
#include "platform/QtPrinterDialog.h"
#include "platform/QtScreen.h"
#include "platform/QtWindowSystem.h"

// The real platform: owns one Qt implementation of each interface.
class QtPlatform
{
public:
    QtPlatform() { qtdialogs::keepNoSettings(); }
    Platform platform()
    {
        return Platform{&m_pictures, &m_files, &m_messages, &m_pointer, &m_loader, &m_screen, &m_windows, &m_printer};
    }

private:
    QtPictureDialog m_pictures;
    QtFileDialog m_files;
    QtMessageBox m_messages;
    QtMousePointer m_pointer;
    QtPictureLoader m_loader;
    QtScreen m_screen;
    QtWindowSystem m_windows;
    QtPrinterDialog m_printer;
};

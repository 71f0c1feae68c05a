#pragma once

class PictureDialog;
class FileDialog;
class MessageBox;
class MousePointer;
class PictureLoader;
class Screen;
class PrinterDialog;

// Everything the windows ask of the system, handed to them at construction.
// The program passes the Qt implementations (QtPlatform); tests pass doubles
// that play back scripted answers and record what was asked.
struct Platform
{
    PictureDialog *pictures = nullptr;
    FileDialog *files = nullptr;
    MessageBox *messages = nullptr;
    MousePointer *pointer = nullptr;
    PictureLoader *loader = nullptr;
    Screen *screen = nullptr;
    PrinterDialog *printer = nullptr;
};

#pragma once

#include <QString>

// Script files ("*.ScE"): a rich-text document whose plain text is the entry
// string. Both directions report failure as false and nothing else: the
// window shows its one message for either.
namespace scripts {

// No real script file comes near this (540 scenes of 300 escaped characters
// stay below 2 MB); anything larger is refused before it is read.
inline constexpr qint64 kLargestScriptFile = 16 * 1024 * 1024;

struct LoadedScript
{
    bool ok = false;
    QString text; // the entry string; empty for an empty document
};

// Reads the document's plain text. An empty name, a directory, a missing,
// unreadable, oversized, empty or malformed file gives ok = false.
LoadedScript loadScriptFile(const QString &fileName);

// Replaces the file whole (atomicfile::write): a failed save, a crash or a
// kill leaves an existing file as it was.
bool saveScriptFile(const QString &fileName, const QString &entryString);

} // namespace scripts

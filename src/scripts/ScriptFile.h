#pragma once

#include "board/SceneBoard.h"
#include "files/AtomicFile.h"
#include "scripts/RtfReader.h"
#include "scripts/ScriptText.h"

#include <QString>

// Script files ("*.ScE"): a rich-text document whose plain text is the entry
// string. A refusal comes with its reason, which the window shows under its
// one message.
namespace scripts {

// No real script file comes near this (540 scenes of 300 escaped characters
// stay below 2 MB); anything larger is refused before it is read.
inline constexpr qint64 kLargestScriptFile = 16 * 1024 * 1024;

// The most entries a file can bring into the list. The largest board has 540
// scenes and an entry holds at most 300 characters of script; an Edit bay that
// lets pasted text through unfiltered may have let every one of them be a "~",
// which splits the entry when it is read back. So no script file an editor
// wrote holds more than 540 x 301 entries (a few MB as list items), and one of
// more is refused: 16 MB of "~" would be 16.7 million entries and gigabytes.
inline constexpr qsizetype kMostEntries = qsizetype(board::SceneBoard::kMaxImages) * (kMaxScriptLength + 1);

// The longest entry a file may bring, in UTF-16 units after its scene
// number. A typed one holds 300 characters; one longer than this can only come from a foreign or
// crafted file, and the Edit bay, the main window's script box and a printed
// page lay an entry out whole at every selection: up to this, each takes a
// few milliseconds. 16 MB of entries at this length still load and save in
// well under a second.
inline constexpr qsizetype kLongestEntry = 10000;
// The most marks (accents, points, enclosing signs) in a row on one letter:
// real text needs a handful, and text layout takes time in the square of
// such a run.
inline constexpr int kMostMarks = rtf::kMostMarks;

struct LoadedScript
{
    bool ok = false;
    QString text; // the entry string; empty for an empty document
    QString why;  // when refused and the reason is known: one line for the user
};

// Reads the document's plain text. An empty name, a directory, a missing,
// unreadable, oversized, empty or malformed file, or one whose entries are
// more than kMostEntries, longer than kLongestEntry or carry more than
// kMostMarks marks in a row, gives ok = false.
LoadedScript loadScriptFile(const QString &fileName);
// The same for a document already read.
LoadedScript readScriptDocument(const QByteArray &document);

// Replaces the file whole (atomicfile::write): a failed save, a crash or a
// kill leaves an existing file as it was. When it fails, `outcome` says why,
// and whether the new file is in place all the same.
bool saveScriptFile(const QString &fileName, const QString &entryString, atomicfile::Outcome *outcome);

// The name Save writes to: one typed without a suffix gets ".ScE", which the
// Load dialog lists; one with any suffix is kept as typed. Empty stays empty.
QString scriptFileName(const QString &typed);

} // namespace scripts

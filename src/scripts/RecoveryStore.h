#pragma once

#include <QHash>
#include <QList>
#include <QString>

#include <optional>

// The recovery copies: the scripts that no script file holds yet, with the
// pictures they belong to, kept in the user's state folder so that a crash,
// a kill, a power cut or a logout does not take them.
//
// Each running program keeps a copy of its own, "recovery-" and a random
// name, replaced whole (atomicfile::Writer), so a kill leaves the old copy
// or the new one. Its descriptor stays open with an exclusive flock from the
// first write on, the lock passing from one version of the file to the next
// before the rename, so another program can always tell a running program's
// copy (locked) from one left behind (free), and never offers, replaces or
// removes the former. Nothing in the folder is followed or read unless it
// is the user's own: the folder and each copy are opened without following
// links or waiting (a FIFO), and checked on the descriptor.
class RecoveryStore
{
public:
    struct Copy
    {
        QString pictures;    // the picture dialog's text: the folder and the names
        QString entryString; // as a script file holds it
        friend bool operator==(const Copy &, const Copy &) = default;
    };

    // A copy that a program no longer running left behind.
    struct Found
    {
        QString fileName;         // where it is now: a damaged one is set aside
        std::optional<Copy> copy; // nothing when it could not be read whole
        QString pictures;         // of a damaged copy, when they could still be read
        QString why;              // why a damaged copy could not be read
    };

    // $XDG_STATE_HOME/quorvadine, or ~/.local/state/quorvadine when that
    // variable is unset or not an absolute path.
    RecoveryStore();
    explicit RecoveryStore(const QString &folder);
    // The lock goes; the copy stays, for a later start to offer.
    ~RecoveryStore();
    RecoveryStore(const RecoveryStore &) = delete;
    RecoveryStore &operator=(const RecoveryStore &) = delete;

    // This program's copy, whether written yet or not.
    QString fileName() const;
    // False when the copy could not be written. Nobody is told but standard
    // error: the copy is a safety net beside the user's own files, and a
    // message at every script written would only be in the way.
    bool write(const Copy &copy);
    // This program's copy goes, if it has one; no other.
    void remove();

    // The copies left behind, newest first. Each one read whole is held
    // (locked) until taken, dropped or released, so that a program starting
    // at the same moment does not offer it too. A damaged one is renamed with
    // ".damaged", kept for the user to look at, and never offered again.
    QList<Found> leftBehind();
    // A copy found becomes this program's own: replaced at its next write.
    void take(const Found &found);
    // A copy found is thrown away.
    void drop(const Found &found);
    // Every copy found and neither taken nor dropped stays for a later start.
    void release();

private:
    // The state folder, open and checked (made when `create`); -1 when it
    // is missing or not the user's alone.
    int openFolder(bool create) const;

    QString m_folder;
    QString m_name; // of this program's copy, in the folder
    int m_file = -1; // this program's copy, locked; -1 until written
    QHash<QString, int> m_held; // copies found, by name, locked
    mutable bool m_warned = false; // about the folder: once is enough
};

#pragma once

#include <QString>

#include <optional>

// The recovery copy: the scripts that no script file holds yet, with the
// pictures they belong to, kept in the user's state folder so that a crash,
// a kill, a power cut or a logout does not take them. One file, replaced
// whole (atomicfile::write): a kill leaves the old copy or the new one.
class RecoveryStore
{
public:
    struct Copy
    {
        QString pictures;    // the picture dialog's text: the folder and the names
        QString entryString; // as a script file holds it
        friend bool operator==(const Copy &, const Copy &) = default;
    };

    // $XDG_STATE_HOME/quorvadine, or ~/.local/state/quorvadine when that
    // variable is unset or not an absolute path.
    RecoveryStore();
    explicit RecoveryStore(const QString &folder);

    QString fileName() const;
    // False when the copy could not be written. Nobody is told: the copy is
    // a safety net beside the user's own files, and a message at every
    // script written would only be in the way.
    bool write(const Copy &copy) const;
    // Nothing when there is no copy, or none that reads back whole.
    std::optional<Copy> read() const;
    void remove() const;

private:
    QString m_folder;
};

#pragma once

#include <QString>

// The picture dialog's result separates names by single blanks, so a name may
// not hold one. Its short form percent-encodes the blank, "%" and every "."
// but a file's extension dot; other names pass unchanged.
namespace shortnames {
// One directory name, or a path of them: every blank, "%" and "." encoded.
QString directory(const QString &path);
// One file name: blanks, "%" and every "." but the last encoded.
QString fileName(const QString &name);
// Back to the name on disk.
QString longForm(const QString &shortForm);
} // namespace shortnames

#pragma once

#include <QStringList>

class QTextStream;

// quorvadine --print-to-pdf FILE.pdf [--mode MODE] [--scripts FILE.ScE]
//            [--page-size A4|Letter] PICTURES...
// prints a board, as the print dialogue prints all of it, to one PDF file,
// for boards made in scripts and pipelines. It shows no window and needs no
// display.
namespace commandline {

// Exit statuses besides 0.
inline constexpr int kBadInput = 1;   // arguments, pictures or script file
inline constexpr int kWriteFailed = 2; // the PDF could not be written

// Whether the program is started for the command line: one of its options
// is given. Without them it starts its windows, as it always has.
bool wanted(int argc, char **argv);

// The command line as a program of its own: makes the application object
// (no display) and gives the exit status.
int main(int argc, char **argv);

// One run in an application object that exists; `arguments` start with the
// program's name. Every error is one line on `errors`; with `progress` it
// also tells the page being printed ("page 12 of 60").
int run(const QStringList &arguments, QTextStream &errors, bool progress);

} // namespace commandline

#pragma once

#include <functional>

class QDialog;

// Linked into every QtTest executable: a dialog that runs its own loop (a
// message box, a file or printer dialog, anything exec()'d) fails the running
// row at once, naming its text, and is closed, so that no test waits for a
// click that never comes. The test doubles stand in for every dialog; a test
// that drives a real one hands it its answer first.
namespace support {

// `answer` gets the next such dialog once its loop runs, instead of a failure.
void answerNextDialog(std::function<void(QDialog *)> answer);

} // namespace support

#pragma once

class QWidget;

namespace enterkey {
// Enter and Return press the focused push button of `window`, or else its
// default button, as they do in a dialog. A control that uses the key itself
// (a new line in a script) keeps it.
void install(QWidget *window);
} // namespace enterkey

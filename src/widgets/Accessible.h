#pragma once

// What screen readers are told about the widgets that paint themselves: an
// image box that can be clicked is a button with a press action (a scene
// box can be selected, too), one that cannot is a picture; and a window of
// ours built on a plain widget is a dialog (when it has an owner) or a
// window, not an anonymous panel. Installed once per run.
class QString;
class QWidget;

namespace accessible {
void install();
// Tells a screen reader `text` at once ("Page 2 of 60"), through a
// notification of `window` that nobody sees.
void announce(QWidget *window, const QString &text);
} // namespace accessible

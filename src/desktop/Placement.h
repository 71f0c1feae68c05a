#pragma once

class QWidget;

namespace placement {

// Centres `window` with its frame on the work area of the screen that holds
// `owner`. Call before `window` is mapped, once its size is known.
void centreOnScreenOf(QWidget *window, const QWidget *owner);

} // namespace placement

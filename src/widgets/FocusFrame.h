#pragma once

class QPainter;
class QRect;

// The frame that shows which control has the keyboard: a black ring with a
// white one inside it. Whatever lies beside it (the designed greys, a colour
// scheme's red, green or teal, a dark or light picture), one of the two
// stands out from it by at least 3:1, and it looks nothing like the thin
// tinted outline of a default button.
namespace focusframe {
inline constexpr int kNarrow = 2; // width of the black ring on buttons and boxes
inline constexpr int kWide = 3;   // on the scene boxes, large pictures

// Draws the frame just inside `rect`.
void paint(QPainter &painter, const QRect &rect, int width = kNarrow);

// Every window of the program draws its focus with this frame (once per run).
void install();
} // namespace focusframe

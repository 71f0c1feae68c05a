#pragma once

#include <QImage>

// The bitmaps the program keeps by number, drawn at their exact sizes and
// still in full colour; main() reduces them to their colour counts.
namespace artwork::stored {

QImage emptyScene();     // 101
QImage emptyPreview();   // 2000
QImage nineLayout();     // 2001
QImage laterRelease();   // 2005
QImage caveDark();       // 1000
QImage caveLit();        // 1001
QImage helpAsleep();     // 2003
QImage helpAwake();      // 2004

} // namespace artwork::stored

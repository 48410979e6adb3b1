// For the start-up benchmark only: with QUADRIX_STARTMESSUNG set, the program
// ends as soon as its window has been painted for the first time. Without
// the variable nothing happens.
#pragma once

class QWidget;

namespace startmessung {
void beiErstemBild(QWidget& fenster);
}

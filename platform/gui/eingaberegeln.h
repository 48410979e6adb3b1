// What the coordinate boxes accept on leaving them, and the message when
// not: the same for the main window's six boxes and the corrections in the
// list of finds.
#pragma once

#include <QString>

namespace eingaberegeln {

// The message for a box text that is empty or outside 0..grenze (90 and
// 360 for degrees, 60 for minutes and seconds); empty when it is fine.
//   ("", 60)   -> "Geben Sie einen Wert ein!"
//   ("61", 60) -> "Geben Sie einen Wert zwischen 0 und 60 ein!"
QString bereichsFehler(const QString& text, int grenze);

}  // namespace eingaberegeln

// The look shared by the program's windows: icon and fonts.
#pragma once

#include <QFont>
#include <QIcon>

// A map sheet divided into four quadrants.
QIcon quadrixSymbol();

// The windows' font: MS Sans Serif 8 pt where it exists, else a face with
// the same metrics, so the captions fit the fixed layout.
QFont fensterSchrift();

// The degree, minute and second signs: the same faces at 13.5 pt.
QFont zeichenSchrift();

// The look shared by the program's windows: icons and fonts.
#pragma once

#include <QFont>
#include <QIcon>

// Layout positions are kept in twips; 15 twips are one pixel at 96 dpi, and
// Qt scales logical pixels to the screen's real density.
constexpr int tw(int twips) { return (twips + 7) / 15; }

// A map sheet divided into four quadrants.
QIcon quadrixSymbol();

// The folder list's open and closed folders, drawn here rather than looked
// up in the desktop's icon theme: that search costs a fifth of the start.
QIcon ordnerSymbol(bool offen);

// The windows' font: MS Sans Serif 8 pt where it exists, else a face with
// the same metrics, so the captions fit the fixed layout.
QFont fensterSchrift();

// The degree, minute and second signs: the same faces at 13.5 pt.
QFont zeichenSchrift();

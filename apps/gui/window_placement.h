// Where the desktop's windows go: their places kept in the settings file (section "Fenster", one
// key per window, "left,top,width,height"), and the start layout in shares of the screen.
#pragma once

#include "ui/program_start.h"

#include <QRect>
#include <string_view>

namespace zelvora::gui {

inline constexpr std::string_view WindowPlaceSection = "Fenster";

// The place under key; fallback when the key is missing or does not hold four numbers with a
// width and height of at least 50 pixels.
QRect ReadWindowPlace(const tIniFile& ini, std::string_view key, const QRect& fallback);
void WriteWindowPlace(tIniFile& ini, std::string_view key, const QRect& place);

// A kept place that does not show at least SmallestVisiblePart pixels of width and height on the
// screen (the screen got smaller or moved) gives the fallback; a place larger than the screen is
// cut to it.
QRect FittedOnScreen(const QRect& place, const QRect& fallback, const QRect& screen);
// place grown to the window's least size (at most the screen's), then moved left and up as far as
// needed to lie on the screen.
QRect WithinScreen(const QRect& place, const QSize& least, const QRect& screen);
// place moved down so that its top is at least `top`, then moved up as far as needed (not above
// `top`) for it to end on the screen, and cut where the screen ends.
QRect BelowControls(const QRect& place, int top, const QRect& screen);

// The part of screen given in percent of its width and height, rounded to whole pixels.
QRect ScreenShare(const QRect& screen, double left, double top, double width, double height);

} // namespace zelvora::gui

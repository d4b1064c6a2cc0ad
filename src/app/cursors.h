// The edit view's cursors, chosen from the frame part under the mouse.
#pragma once

#include <QCursor>

namespace orvane {

// The program's own cursors, drawn once at start: turn ("ROTURN") and the two
// corner turns ("RONWSE", "RONESW"), each with its hot spot in the centre.
enum class TCustomCursor { RoTurn, RoNwSe, RoNeSw };
struct TCursorSet {
  QCursor RoTurn, RoNwSe, RoNeSw;
  static TCursorSet Create();
};

// The cursor for a hit-test code, with Shift, Alt and Ctrl as held.
QCursor CursorForHit(const TCursorSet& cursors, int code, bool shift, bool alt, bool ctrl);

}  // namespace orvane

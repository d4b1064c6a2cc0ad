// When each command is shown and offered: pure rules over the mode, the model's sculpt
// type and aspect, and the selection, so they can be checked as tables without a window.
#pragma once

#include <span>
#include <string_view>

#include "app/edit_modes.h"

namespace orvane {

struct TCommandContext {
  TEditMode Mode = emNone;
  int SculptType = 0;
  int Aspect = 0;
  int SelectedCount = 0;
  // The selection is one straight run that the Bitmap and CLAY Equal Intervals can space.
  bool ClayEqualAvailable = false;
};

struct TCommandState {
  bool Visible = true;
  bool Enabled = true;
};

// The state of the named action (or submenu); commands without a rule are always available.
TCommandState CommandState(std::string_view action, const TCommandContext& context);

// The names of the actions that have a rule, for the window's update pass.
std::span<const std::string_view> RuledCommands();

}  // namespace orvane

// Options of the editor's command line (the headless jobs have their own parser).
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace orvane {

struct TAppOptions {
  bool Help = false;
  bool Version = false;
  std::string SettingsPath;    // --settings FILE
  bool QuitAfterIdle = false;  // --quit-after-idle: quit once the first idle turn is done
  std::string ScreenshotPath;  // --screenshot FILE: save the window after the first idle turn, then quit
  std::string Error;           // set when the arguments are not understood
};

TAppOptions ParseAppOptions(const std::vector<std::string>& args);

extern const char* const kAppUsage;

}  // namespace orvane

// Parses the editor's own options.
#include "app/app_options.h"

namespace orvane {

const char* const kAppUsage =
    "Usage: orvane [OPTIONS]\n"
    "       orvane JOB [ARGS...]\n"
    "\n"
    "ORVANE, an editor for Second Life sculpted prims.\n"
    "\n"
    "Options:\n"
    "  --help             show this text and exit\n"
    "  --version          show the version and exit\n"
    "  --settings FILE    keep the settings in FILE instead of the user's settings\n"
    "                     (the ORVANE_SETTINGS environment variable does the same)\n"
    "  --quit-after-idle  quit as soon as the window is shown and the preview is up to date\n"
    "  --screenshot FILE  save a picture of the window to FILE (PNG) once shown, then quit\n";

TAppOptions ParseAppOptions(const std::vector<std::string>& args) {
  TAppOptions o;
  for (std::size_t k = 0; k < args.size(); ++k) {
    const std::string& a = args[k];
    auto value = [&](std::string& out) {
      if (k + 1 >= args.size()) {
        o.Error = a + " needs a value";
        return;
      }
      out = args[++k];
    };
    if (a == "--help" || a == "-h") o.Help = true;
    else if (a == "--version") o.Version = true;
    else if (a == "--settings") value(o.SettingsPath);
    else if (a == "--quit-after-idle") o.QuitAfterIdle = true;
    else if (a == "--screenshot") value(o.ScreenshotPath);
    else o.Error = "unknown option " + a;
    if (!o.Error.empty()) break;
  }
  return o;
}

}  // namespace orvane

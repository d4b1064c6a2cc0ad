// Entry point: editor options, then the main window.
#include <cstdio>
#include <string>
#include <vector>

#include <QApplication>
#include <QTimer>

#include "app/app_options.h"
#include "app/cli.h"
#include "app/main_window.h"
#include "app/settings_store.h"

int main(int argc, char** argv) {
  using namespace orvane;
  bool handled = false;
  const int jobStatus = RunCommandLine(argc, argv, handled);
  if (handled) return jobStatus;

  const TAppOptions options = ParseAppOptions(std::vector<std::string>(argv + 1, argv + argc));
  if (!options.Error.empty()) {
    std::fprintf(stderr, "orvane: %s\n%s", options.Error.c_str(), kAppUsage);
    return 2;
  }
  if (options.Help) {
    std::fputs(kAppUsage, stdout);
    std::fputs("\nJobs (no window is opened):\n", stdout);
    std::fputs(kCommandLineUsage, stdout);
    return 0;
  }
  if (options.Version) {
    std::printf("ORVANE %s\n", ORVANE_VERSION);
    return 0;
  }

  QApplication app(argc, argv);
  QApplication::setApplicationName("ORVANE");
  QApplication::setOrganizationName("PELORIN WORKS");
  QApplication::setApplicationVersion(ORVANE_VERSION);

  TMainFrmOptions frameOptions;
  frameOptions.SettingsPath =
      options.SettingsPath.empty() ? DefaultSettingsPath() : QString::fromStdString(options.SettingsPath);
  TMainFrm window(frameOptions);

  const bool quitEarly = options.QuitAfterIdle || !options.ScreenshotPath.empty();
  if (quitEarly) {
    const QString shot = QString::fromStdString(options.ScreenshotPath);
    QObject::connect(&window, &TMainFrm::Idle, &app, [&window, shot] {
      int status = 0;
      if (!shot.isEmpty() && !window.grab().save(shot, "PNG")) {
        std::fprintf(stderr, "orvane: cannot write %s\n", qPrintable(shot));
        status = 1;
      }
      QApplication::exit(status);
    }, Qt::QueuedConnection);
  }
  window.show();
  return app.exec();
}

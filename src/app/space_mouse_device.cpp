// spacenavd client: keeps the latest motion and button state.
#include "app/space_mouse_device.h"

#include <QSocketNotifier>

#ifdef ORVANE_HAVE_SPNAV
#include <spnav.h>
#endif

namespace orvane {

namespace {
// spacenavd reports about +-350 at full deflection; the camera's levels switch at
// 10 and 40, so a gentle push turns slowly and a firm one at full speed.
constexpr double kAxisScale = 0.25;
}  // namespace

TSpaceMouseDevice::TSpaceMouseDevice(QObject* parent) : QObject(parent) {}

TSpaceMouseDevice::~TSpaceMouseDevice() { Shutdown(); }

void TSpaceMouseDevice::Start() {
#ifdef ORVANE_HAVE_SPNAV
  if (present_ || spnav_open() == -1) return;
  present_ = true;
  notifier_ = new QSocketNotifier(spnav_fd(), QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &TSpaceMouseDevice::Drain);
#endif
}

void TSpaceMouseDevice::Shutdown() {
  if (!present_) return;
  delete notifier_;
  notifier_ = nullptr;
#ifdef ORVANE_HAVE_SPNAV
  spnav_close();
#endif
  present_ = false;
}

void TSpaceMouseDevice::Drain() {
#ifdef ORVANE_HAVE_SPNAV
  spnav_event event;
  while (spnav_poll_event(&event) != 0) {
    if (event.type == SPNAV_EVENT_MOTION) {
      const int values[6] = {event.motion.x, event.motion.y, event.motion.z,
                             event.motion.rx, event.motion.ry, event.motion.rz};
      for (int k = 0; k < 6; ++k) motion_[k] = values[k];
    } else if (event.type == SPNAV_EVENT_BUTTON && event.button.bnum == 0) {
      reset_ = event.button.press != 0;
    }
  }
  emit Input();
#endif
}

TSpaceMouseReading TSpaceMouseDevice::Read() const {
  TSpaceMouseReading r;
  if (!present_) return r;
  for (int k = 0; k < 6; ++k) r.Levels[k] = AxisLevel(motion_[k] * kAxisScale);
  r.Reset = reset_;
  return r;
}

}  // namespace orvane

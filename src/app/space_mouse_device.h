// The 3D mouse through the spacenavd daemon, when the build and the machine have one.
#pragma once

#include <QObject>

#include "model/space_mouse.h"

class QSocketNotifier;

namespace orvane {

class TSpaceMouseDevice : public QObject {
  Q_OBJECT
 public:
  explicit TSpaceMouseDevice(QObject* parent = nullptr);
  ~TSpaceMouseDevice() override;

  // Connects once; a device that appears later is not picked up.
  void Start();
  void Shutdown();
  bool Present() const { return present_; }
  // The levels of the latest motion and whether the reset button is held.
  TSpaceMouseReading Read() const;

 signals:
  // The device sent something: the idle handler should poll.
  void Input();

 private:
  void Drain();

  bool present_ = false;
  int motion_[6] = {};
  bool reset_ = false;
  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace orvane

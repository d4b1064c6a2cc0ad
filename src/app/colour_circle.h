// A circle filled with a pen colour; a click lets the user pick another colour.
#pragma once

#include <functional>
#include <optional>

#include <QColor>
#include <QWidget>

namespace orvane {

// Platform colour numbers (red in the low byte) to and from QColor.
QColor ColourFromNumber(int colour);
int NumberFromColour(const QColor& colour);

class TColourCircle : public QWidget {
  Q_OBJECT
 public:
  // Asks for a colour starting from the given one; nothing when cancelled.
  using TPicker = std::function<std::optional<QColor>(const QColor& initial, QWidget* parent)>;

  explicit TColourCircle(QWidget* parent = nullptr);

  int Colour() const { return colour_; }
  void SetColour(int colour);
  void SetPicker(TPicker picker) { picker_ = std::move(picker); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  int colour_ = 0;
  TPicker picker_;
};

}  // namespace orvane

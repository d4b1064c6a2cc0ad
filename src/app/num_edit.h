// A right-aligned line edit that takes up to three digits.
#pragma once

#include <QLineEdit>

namespace orvane {

class TNumEdit : public QLineEdit {
  Q_OBJECT
 public:
  explicit TNumEdit(QWidget* parent = nullptr);
};

}  // namespace orvane

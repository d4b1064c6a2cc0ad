// Digits-only numeric edit.
#include "app/num_edit.h"

#include <QRegularExpressionValidator>

namespace orvane {

TNumEdit::TNumEdit(QWidget* parent) : QLineEdit(parent) {
  setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]{0,3}"), this));
  setMaxLength(3);
  setAlignment(Qt::AlignRight);
}

}  // namespace orvane

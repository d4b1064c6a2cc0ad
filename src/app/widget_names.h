// Widgets carry the component names the rest of the program and the tests refer to.
#pragma once

namespace orvane {

template <class W>
W* Named(W* widget, const char* name) {
  widget->setObjectName(name);
  return widget;
}

}  // namespace orvane

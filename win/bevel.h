// A separator line: etched, along the top (horizontal) or left (vertical)
// edge of its bounds.
#pragma once

#include "win/control.h"

namespace ondrix::win {

enum class BevelShape { TopLine, LeftLine };

class Bevel : public Control {
 public:
  bool Create(Control& parent, BevelShape shape, const Bounds& bounds = {}, bool visible = true) {
    return CreateChild(parent, L"STATIC", (shape == BevelShape::TopLine ? SS_ETCHEDHORZ : SS_ETCHEDVERT) |
                                              (visible ? WS_VISIBLE : 0),
                       0, L"", bounds);
  }
};

}  // namespace ondrix::win

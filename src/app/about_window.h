#pragma once
// The about window: the program's title with its full version and what it is.
#include "common/window_model.h"

namespace vx {

class Session;

class AboutWindow : public WindowModel {
 public:
  explicit AboutWindow(Session& session);
};

}  // namespace vx

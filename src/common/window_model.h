#pragma once
// A window of the system as a view model: its controls and window-level state.
#include <string>

#include "common/controls.h"

namespace vx {

class WindowModel {
 public:
  explicit WindowModel(std::string name) : name_(std::move(name)) {}
  virtual ~WindowModel() = default;
  WindowModel(const WindowModel&) = delete;
  WindowModel& operator=(const WindowModel&) = delete;

  const std::string& name() const { return name_; }
  ControlSet& controls() { return controls_; }
  const ControlSet& controls() const { return controls_; }

  std::string caption;
  bool visible = false;

 protected:
  ControlSet controls_;

 private:
  std::string name_;
};

}  // namespace vx

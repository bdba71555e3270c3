#pragma once
// A window of the system as a view model: its controls and window-level state.
#include <filesystem>
#include <string>

#include "common/controls.h"
#include "common/host.h"
#include "common/veloxa_var.h"

namespace vx {

class WindowModel {
 public:
  explicit WindowModel(std::string name) : name_(std::move(name)) {}
  virtual ~WindowModel() = default;
  WindowModel(const WindowModel&) = delete;
  WindowModel& operator=(const WindowModel&) = delete;

  const std::string& name() const { return name_; }
  // The window became the active window.
  virtual void onActivate() {}
  // The window is closing, by one of its commands or by its title bar.
  virtual void onClose() {}
  ControlSet& controls() { return controls_; }
  const ControlSet& controls() const { return controls_; }

  std::string caption;
  bool visible = false;
  // The control that has (or is to get) the focus, by its label "TxtInput(14)".
  std::string focus;

 protected:
  ControlSet controls_;

 private:
  std::string name_;
};

// The windows of the running program, as the view models see each other:
// a window read while it does not exist is created first.
class WindowDirectory {
 public:
  virtual ~WindowDirectory() = default;
  // The window's view model, created when needed; nullptr when it cannot be.
  virtual WindowModel* window(const std::string& name) = 0;
  // The window's view model only when it exists.
  virtual WindowModel* existing(const std::string& name) = 0;
  virtual void showWindow(const std::string& name, bool modal) = 0;
  virtual void closeWindow(const std::string& name) = 0;

  template <typename T>
  T* windowAs(const std::string& name) {
    return dynamic_cast<T*>(window(name));
  }
  template <typename T>
  T* existingAs(const std::string& name) {
    return dynamic_cast<T*>(existing(name));
  }
};

// What every window's view model works with.
struct AppContext {
  Host& host;
  VeloxaVar& var;
  std::filesystem::path dataDir;
  MainCommands& main;
  WindowDirectory& windows;
};

}  // namespace vx

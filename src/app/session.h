#pragma once
// One run of the program: the design case, the windows' view models and the
// start-up and exit sequences. The GUI, the tests and the command line each
// create one Session.
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "common/host.h"
#include "common/veloxa_var.h"
#include "common/window_model.h"

namespace vx {

class CaseFiles;
class FrmCustomer;

class Session : public WindowDirectory {
 public:
  Session(Host& host, std::filesystem::path dataDir);
  ~Session();

  // The main window's start-up sequence. False when the program ended.
  bool start();
  // Closing the main window: the exit sequence. True when the program ended.
  bool requestExit();

  bool ended() const { return ended_; }
  int exitStatus() const { return exitStatus_; }
  void end(int status);

  Host& host() { return host_; }
  VeloxaVar& var() { return var_; }
  const std::filesystem::path& dataDir() const { return dataDir_; }
  MainWindow& main() { return *main_; }
  // The customer information window, created first when it does not exist.
  FrmCustomer& customer();
  // The case file commands and the current file name.
  CaseFiles& files() { return *files_; }
  // What the windows' view models work with.
  AppContext& context() { return context_; }

  using Factory = std::function<std::unique_ptr<WindowModel>(Session&)>;
  void registerWindow(const std::string& name, Factory factory);
  bool knowsWindow(const std::string& name) const;
  // Every window the session can create (the main window not included).
  std::vector<std::string> windowNames() const;
  // The window's view model, created first when it does not exist yet.
  // nullptr for a window the system does not have.
  WindowModel* window(const std::string& name) override;
  // The window's view model when it exists, else nullptr.
  WindowModel* existing(const std::string& name) override;
  // The existing windows, the main window first, then in creation order.
  std::vector<WindowModel*> windows();
  // Creates (if needed) and shows a window.
  void showWindow(const std::string& name, bool modal) override;
  // Closes a window: its view model is destroyed.
  void closeWindow(const std::string& name) override;

  // The window that has the focus, for help on F1.
  const std::string& activeWindow() const { return activeWindow_; }
  void setActiveWindow(const std::string& name) { activeWindow_ = name; }
  // A window became the active one (the person turned to it): its
  // activation rule runs, once for each change of the active window.
  void activated(const std::string& name);

 private:
  Host& host_;
  std::filesystem::path dataDir_;
  VeloxaVar var_;
  std::unique_ptr<MainWindow> main_;
  std::unique_ptr<CaseFiles> files_;
  AppContext context_;
  std::map<std::string, Factory> factories_;
  std::vector<std::pair<std::string, std::unique_ptr<WindowModel>>> windows_;
  std::vector<std::unique_ptr<WindowModel>> retired_;
  std::string activeWindow_ = "Veloxa";
  bool ended_ = false;
  int exitStatus_ = 0;
};

}  // namespace vx

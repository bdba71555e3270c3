#pragma once
// The main window "Veloxa": caption, menu bar, toolbar, start-up check,
// command dispatch and the exit sequence.
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "common/veloxa_var.h"
#include "common/window_model.h"

namespace vx {

class Session;

// Commands that the menu and the toolbar share. Windows of later subsystems
// register what they do with MainWindow::setCommand.
namespace cmd {
inline constexpr const char* kNew = "new";
inline constexpr const char* kOpen = "open";
inline constexpr const char* kViewResults = "viewResults";
inline constexpr const char* kSave = "save";
inline constexpr const char* kSaveAs = "saveAs";
inline constexpr const char* kStatistics = "statistics";
inline constexpr const char* kExportWord = "exportWord";
inline constexpr const char* kPrint = "print";
inline constexpr const char* kExportPdf = "exportPdf";
inline constexpr const char* kPreview = "preview";
inline constexpr const char* kPasswordWindow = "passwordWindow";
inline constexpr const char* kPresets = "presets";
inline constexpr const char* kHeatIndex = "heatIndex";
inline constexpr const char* kUnitConversion = "unitConversion";
inline constexpr const char* kPlateAnalysis = "plateAnalysis";
inline constexpr const char* kProperty = "property";
inline constexpr const char* kShowCondition = "showCondition";
inline constexpr const char* kShowDesign = "showDesign";
inline constexpr const char* kCustomer = "customer";
inline constexpr const char* kDrawing = "drawing";
inline constexpr const char* kBatch = "batch";
}  // namespace cmd

class MainWindow : public WindowModel, public MainCommands {
 public:
  explicit MainWindow(Session& session);

  struct Menu {
    Control* title;
    std::vector<Control*> items;  // nullptr marks a separator
  };
  const std::vector<Menu>& menus() const { return menus_; }
  // The 17 toolbar positions; nullptr marks a separator.
  const std::vector<Control*>& toolbar() const { return toolbar_; }
  Control& menuItem(const std::string& name, int index = -1);
  Control& toolKey(const std::string& key);

  // Runs the start-up sequence. False when a required file is missing: the
  // session has then ended.
  bool startUp();
  // The exit sequence. True when the program may end.
  bool requestExit();

  void setCommand(const std::string& command, std::function<void()> run);
  // Runs a registered command; a command not yet available does nothing.
  void runCommand(const std::string& command);

  // MainCommands
  void setOutputsEnabled(bool enabled) override;
  void setDesignKeyEnabled(bool enabled) override;
  bool putIntoChecked() const override;
  void setCaption(const std::string& text) override { caption = text; }

  // The calculator programs looked for on PATH, in order.
  static const std::vector<std::string>& calculatorPrograms();
  // Shown when no calculator program could be started.
  static constexpr const char* kNoCalculator =
      "没有找到可以启动的计算器程序。请安装 galculator（或 gnome-calculator、kcalc、mate-calc）。";
  // The separate windows closed on exit, in order.
  static const std::vector<std::string>& separateWindows();

 private:
  Control& addMenuItem(Menu& menu, const std::string& name, const std::string& text, int index = -1);
  void addSeparator(Menu& menu) { menu.items.push_back(nullptr); }
  Control& addToolKey(const std::string& key, const std::string& tip, const std::string& command);
  void buildMenus();
  void buildToolbar();
  void startCalculator();
  void dataManagement();

  Session& session_;
  std::vector<Menu> menus_;
  std::vector<Control*> toolbar_;
  std::map<std::string, std::function<void()>> commands_;
};

}  // namespace vx

#include "app/session.h"

#include <algorithm>

#include "app/about_window.h"
#include "app/case_file.h"
#include "app/frm_customer.h"
#include "conditions/condition.h"
#include "conditions/other_data.h"
#include "exchanger/check_result.h"
#include "exchanger/design_window.h"
#include "exchanger/true_temp.h"
#include "settings/frm_co_infor.h"
#include "tools/drawing.h"
#include "settings/model_editor.h"
#include "settings/password_windows.h"
#include "settings/settings_window.h"
#include "properties/property_window.h"
#include "tools/heat_index.h"
#include "tools/muley.h"
#include "tools/plate_analyse.h"
#include "tools/unit_convert.h"

namespace vx {

Session::Session(Host& host, std::filesystem::path dataDir)
    : host_(host),
      dataDir_(std::move(dataDir)),
      main_(std::make_unique<MainWindow>(*this)),
      files_(std::make_unique<CaseFiles>(*this)),
      context_{host_, var_, dataDir_, *main_, *this} {
  registerWindow("about", [](Session& s) { return std::make_unique<AboutWindow>(s); });
  registerWindow(OtherData::kName, [](Session& s) { return std::make_unique<OtherData>(s.context()); });
  registerWindow(Condition::kName, [](Session& s) -> std::unique_ptr<WindowModel> {
    auto window = std::make_unique<Condition>(s.context());
    if (!window->loaded()) return nullptr;
    return window;
  });
  registerWindow(DesignWindow::kName, [](Session& s) -> std::unique_ptr<WindowModel> {
    auto window = std::make_unique<DesignWindow>(s.context());
    // A window that could not read its data stays open with what it has.
    return window;
  });
  registerWindow(CheckResult::kName, [](Session& s) { return std::make_unique<CheckResult>(s.context()); });
  registerWindow(TrueTemp::kName, [](Session& s) { return std::make_unique<TrueTemp>(s.context()); });
  registerWindow(Drawing::kName, [](Session& s) { return std::make_unique<Drawing>(s.context()); });
  registerWindow(FrmCoInfor::kName, [](Session& s) { return std::make_unique<FrmCoInfor>(s.context()); });
  main_->setCommand(cmd::kDrawing, [this] { showWindow(Drawing::kName, false); });
  registerWindow(FrmCustomer::kName, [](Session& s) { return std::make_unique<FrmCustomer>(s.context()); });
  main_->setCommand(cmd::kNew, [this] { files_->newCase(); });
  main_->setCommand(cmd::kOpen, [this] { files_->open(); });
  main_->setCommand(cmd::kSave, [this] { files_->save(0); });
  main_->setCommand(cmd::kSaveAs, [this] { files_->save(1); });
  main_->setCommand(cmd::kViewResults, [this] { files_->viewResults(); });
  main_->setCommand(cmd::kCustomer, [this] { showWindow(FrmCustomer::kName, false); });
  registerWindow(SettingsWindow::kName, [](Session& s) { return std::make_unique<SettingsWindow>(s.context()); });
  registerWindow(PasswordWindow::kName, [](Session& s) { return std::make_unique<PasswordWindow>(s.context()); });
  registerWindow(ChangePasswordWindow::kName,
                 [](Session& s) { return std::make_unique<ChangePasswordWindow>(s.context()); });
  registerWindow(ModelEditor::kName, [](Session& s) { return std::make_unique<ModelEditor>(s.context()); });
  main_->setCommand(cmd::kPresets, [this] { showWindow(SettingsWindow::kName, true); });
  main_->setCommand(cmd::kPasswordWindow, [this] { showWindow(PasswordWindow::kName, true); });
  registerWindow(PropertyWindow::kName, [](Session& s) { return std::make_unique<PropertyWindow>(s.context()); });
  // The property window is loaded afresh each time it is shown.
  main_->setCommand(cmd::kProperty, [this] {
    closeWindow(PropertyWindow::kName);
    showWindow(PropertyWindow::kName, true);
  });
  registerWindow(Unit::kName, [](Session& s) { return std::make_unique<Unit>(s.context()); });
  registerWindow(PlateAnalyse::kName, [](Session& s) { return std::make_unique<PlateAnalyse>(s.context()); });
  registerWindow(Muley::kName, [](Session& s) { return std::make_unique<Muley>(s.context()); });
  registerWindow(Construction::kName, [](Session& s) { return std::make_unique<Construction>(s.context()); });
  main_->setCommand(cmd::kUnitConversion, [this] { showWindow(Unit::kName, false); });
  main_->setCommand(cmd::kPlateAnalysis, [this] { showWindow(PlateAnalyse::kName, true); });
  main_->setCommand(cmd::kHeatIndex, [this] { showWindow(Construction::kName, false); });
  main_->setCommand(cmd::kShowCondition, [this] { showWindow(Condition::kName, false); });
  main_->setCommand(cmd::kShowDesign, [this] { showWindow(DesignWindow::kName, false); });
}

Session::~Session() = default;

bool Session::start() {
  if (!main_->startUp()) return false;
  // A conditions window that could not read its presets has shown 531: the
  // program cannot start a case and ends, as for a missing file.
  if (!existing(Condition::kName)) {
    end(1);
    return false;
  }
  // The intermediate-data window stands at the top right of the workspace.
  showWindow(OtherData::kName, false);
  host_.placeTopRight(OtherData::kName);
  showWindow(Condition::kName, false);
  return true;
}

bool Session::requestExit() {
  if (ended_) return true;
  if (!main_->requestExit()) return false;
  end(0);
  return true;
}

void Session::end(int status) {
  if (ended_) return;
  ended_ = true;
  exitStatus_ = status;
}

FrmCustomer& Session::customer() { return *windowAs<FrmCustomer>(FrmCustomer::kName); }

void Session::registerWindow(const std::string& name, Factory factory) { factories_[name] = std::move(factory); }

std::vector<std::string> Session::windowNames() const {
  std::vector<std::string> names;
  for (const auto& [name, factory] : factories_) names.push_back(name);
  return names;
}

bool Session::knowsWindow(const std::string& name) const {
  return name == main_->name() || factories_.count(name) > 0;
}

WindowModel* Session::existing(const std::string& name) {
  if (name == main_->name()) return main_.get();
  for (auto& [n, w] : windows_)
    if (n == name) return w.get();
  return nullptr;
}

WindowModel* Session::window(const std::string& name) {
  if (WindowModel* w = existing(name)) return w;
  auto it = factories_.find(name);
  if (it == factories_.end()) return nullptr;
  // Register first, then build: a window's load rules may look itself up.
  windows_.emplace_back(name, nullptr);
  auto made = it->second(*this);
  for (auto it2 = windows_.begin(); it2 != windows_.end(); ++it2) {
    if (it2->first == name && !it2->second) {
      if (!made) {
        windows_.erase(it2);
        return nullptr;
      }
      it2->second = std::move(made);
      break;
    }
  }
  return existing(name);
}

std::vector<WindowModel*> Session::windows() {
  std::vector<WindowModel*> all{main_.get()};
  for (auto& [n, w] : windows_)
    if (w) all.push_back(w.get());
  return all;
}

void Session::showWindow(const std::string& name, bool modal) {
  WindowModel* w = window(name);
  if (!w) return;
  w->visible = true;
  host_.showWindow(name, modal);
  // A modal window may have closed again before the screen returned.
  if (!existing(name)) return;
  activated(name);
}

void Session::activated(const std::string& name) {
  if (name == activeWindow_) return;
  activeWindow_ = name;
  if (WindowModel* w = existing(name)) w->onActivate();
}

void Session::closeWindow(const std::string& name) {
  auto find = [this, &name] {
    return std::find_if(windows_.begin(), windows_.end(), [&name](const auto& w) { return w.first == name; });
  };
  auto it = find();
  if (it == windows_.end()) return;
  // The window's closing rule first; it may reach other windows (and the
  // list of windows may change under it).
  if (it->second) it->second->onClose();
  it = find();
  if (it == windows_.end()) return;
  // Take the window out of the list before the host closes it: closing on
  // the screen may call back here (a dialog's finished signal), and that
  // call must find the window gone. The view model stays alive until the
  // session ends: the window may close itself from one of its own rules,
  // and its widget may refresh once more while it goes away.
  retired_.push_back(std::move(it->second));
  windows_.erase(it);
  if (activeWindow_ == name) activeWindow_ = main_->name();
  host_.closeWindow(name);
}

}  // namespace vx

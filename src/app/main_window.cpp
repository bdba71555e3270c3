#include "app/main_window.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "app/case_file.h"
#include "app/session.h"
#include "common/file_io.h"
#include "common/gbk.h"
#include "common/messages.h"
#include "common/res_table.h"

namespace vx {

namespace {
constexpr int kRequiredFilesSection = 10;
constexpr int kRequiredFiles = 16;
}  // namespace

MainWindow::MainWindow(Session& session) : WindowModel("Veloxa"), session_(session) {
  caption = ShortVersionTitle();
  buildMenus();
  buildToolbar();
}

Control& MainWindow::addMenuItem(Menu& menu, const std::string& name, const std::string& text, int index) {
  Control& c = controls_.add(name, ControlKind::Menu, index);
  c.text = text;
  menu.items.push_back(&c);
  return c;
}

void MainWindow::buildMenus() {
  auto title = [this](const std::string& name, const std::string& text) {
    Control& c = controls_.add(name, ControlKind::Menu);
    c.text = text;
    return Menu{&c, {}};
  };
  auto runs = [this](const char* command) { return [this, command] { runCommand(command); }; };

  Menu file = title("mnuFile", LoadMessage(257) + "(&F)");
  Control& fileNew = addMenuItem(file, "mnuFileNew", LoadMessage(311) + "(&N)");
  fileNew.shortcut = "Ctrl+N";
  fileNew.clicked = runs(cmd::kNew);
  Control& fileOpen = addMenuItem(file, "mnuFileOpen", LoadMessage(509) + "(&O)");
  fileOpen.shortcut = "Ctrl+O";
  fileOpen.clicked = runs(cmd::kOpen);
  addMenuItem(file, "mnuFileCheck", LoadMessage(220) + "(&L)").clicked = runs(cmd::kViewResults);
  addSeparator(file);
  addMenuItem(file, "mnuFileSave", LoadMessage(352) + "(&S)", 0).clicked = runs(cmd::kSave);
  addMenuItem(file, "mnuFileSave", LoadMessage(353) + "(&A)", 1).clicked = runs(cmd::kSaveAs);
  addSeparator(file);
  addMenuItem(file, "MnuStatistic", LoadMessage(510)).clicked = runs(cmd::kStatistics);
  addMenuItem(file, "mnuFileBatch", "批量设计…").clicked = runs(cmd::kBatch);
  addSeparator(file);
  Control& word = addMenuItem(file, "OuttoWord", LoadMessage(254));
  word.enabled = false;
  word.clicked = runs(cmd::kExportWord);
  Control& print = addMenuItem(file, "mnuFilePrint", LoadMessage(341));
  print.enabled = false;
  print.clicked = runs(cmd::kPrint);
  Control& pdf = addMenuItem(file, "mnuFilePdf", "导出PDF");
  pdf.enabled = false;
  pdf.clicked = runs(cmd::kExportPdf);
  addSeparator(file);
  addMenuItem(file, "mnuFileExit", LoadMessage(253) + "(&P)").clicked = [this] {
    if (requestExit()) session_.end(0);
  };
  menus_.push_back(file);

  Menu standard = title("MnuStandard", LoadMessage(365));
  addMenuItem(standard, "GB16409", "GB16409-1996");
  addMenuItem(standard, "CreateData", LoadMessage(495)).clicked = [this] { dataManagement(); };
  menus_.push_back(standard);

  Menu settings = title("MnuSet", LoadMessage(356));
  addMenuItem(settings, "MnuNozzleLoc", LoadMessage(316)).enabled = false;
  Control& putInto = addMenuItem(settings, "PutInTo", LoadMessage(511));
  putInto.checked = true;
  putInto.clicked = [&putInto] { putInto.checked = !putInto.checked; };
  addSeparator(settings);
  addMenuItem(settings, "MnuPreSet", LoadMessage(255)).clicked = runs(cmd::kPresets);
  menus_.push_back(settings);

  Menu tools = title("MnuTool", LoadMessage(384));
  addMenuItem(tools, "MnuHeatIndex", LoadMessage(432)).clicked = runs(cmd::kHeatIndex);
  addMenuItem(tools, "MnuCalculator", LoadMessage(214)).clicked = [this] { startCalculator(); };
  addMenuItem(tools, "MnuUnitConvere", LoadMessage(387)).clicked = runs(cmd::kUnitConversion);
  addSeparator(tools);
  addMenuItem(tools, "PltAnalyse", LoadMessage(206)).clicked = runs(cmd::kPlateAnalysis);
  menus_.push_back(tools);

  // The open child windows are listed after the last separator by the screen.
  Menu window = title("mnuWindow", LoadMessage(407));
  addMenuItem(window, "ReArrange", LoadMessage(293)).clicked = [this] { session_.host().arrangeCascade(); };
  addSeparator(window);
  menus_.push_back(window);

  Menu help = title("mnuHelp", LoadMessage(275));
  addMenuItem(help, "mnuHelpContents", LoadMessage(228)).clicked = [this] {
    session_.host().showHelp(session_.activeWindow());
  };
  addMenuItem(help, "mnuHelpSearchForHelpOn", LoadMessage(512)).clicked = [this] { session_.host().showHelpIndex(); };
  addSeparator(help);
  addMenuItem(help, "mnuHelpAbout", LoadMessage(201)).clicked = [this] { session_.showWindow("about", true); };
  menus_.push_back(help);
}

Control& MainWindow::addToolKey(const std::string& key, const std::string& tip, const std::string& command) {
  Control& c = controls_.add(key, ControlKind::ToolKey);
  c.toolTip = tip;
  // A failure inside a command started from the toolbar is ignored.
  c.clicked = [this, command] {
    try {
      runCommand(command);
    } catch (...) {
    }
  };
  toolbar_.push_back(&c);
  return c;
}

void MainWindow::buildToolbar() {
  addToolKey("KeyNew", "新建", cmd::kNew);
  addToolKey("KeyOpen", "打开", cmd::kOpen);
  addToolKey("KeySave", "保存", cmd::kSave);
  toolbar_.push_back(nullptr);
  addToolKey("KeyPrint", "打印", cmd::kPrint).enabled = false;
  addToolKey("KeyPreview", "预览", cmd::kPreview).enabled = false;
  toolbar_.push_back(nullptr);
  addToolKey("KeyProperty", "介质物性", cmd::kProperty);
  Control& cal = controls_.add("KeyCal", ControlKind::ToolKey);
  cal.toolTip = "计算器";
  cal.clicked = [this] { startCalculator(); };
  toolbar_.push_back(&cal);
  addToolKey("KeyHeatIndex", "供热热指标", cmd::kHeatIndex);
  addToolKey("KeyUnitConv", "单位换算", cmd::kUnitConversion);
  addToolKey("KeyTool", "工具", cmd::kPresets);
  toolbar_.push_back(nullptr);
  addToolKey("KeyCondition", "输入数据", cmd::kShowCondition);
  addToolKey("KeyDesign", "设计计算", cmd::kShowDesign).enabled = false;
  addToolKey("KeyCustomer", "用户信息", cmd::kCustomer);
  addToolKey("KeyDim", "", cmd::kDrawing).enabled = false;
}

Control& MainWindow::menuItem(const std::string& name, int index) { return *controls_.find(name, index); }

Control& MainWindow::toolKey(const std::string& key) { return *controls_.find(key); }

void MainWindow::setCommand(const std::string& command, std::function<void()> run) {
  commands_[command] = std::move(run);
}

void MainWindow::runCommand(const std::string& command) {
  auto it = commands_.find(command);
  if (it != commands_.end() && it->second) it->second();
}

bool MainWindow::startUp() {
  VeloxaVar& v = session_.var();
  v.CaseSaved = true;
  caption = ShortVersionTitle();
  v.DesignWindowOpened = false;

  // A save killed half-way leaves its temporary file behind: nobody else
  // ever will remove it.
  RemoveStaleTemporaries(session_.dataDir());

  // Every file that the installation lists must be there. A missing or
  // malformed list counts as a damaged installation too.
  ResTableResult required = LoadResTable(session_.dataDir(), kRequiredFilesSection, kRequiredFiles);
  bool complete = required.ok && GbkAvailable();
  if (complete) {
    for (const std::string& name : required.entries) {
      const DataFileFault fault = InstallationFileFault(session_.dataDir(), name);
      if (fault == DataFileFault::Usable) continue;
      // A file that is there but unusable is named: installing again would
      // not replace what stands in its place.
      if (fault != DataFileFault::Missing) {
        ShowMessage(session_.host(), 582,
                    {"|1", dataPath(session_.dataDir(), name).string(), "|2", DataFileFaultText(fault)},
                    Icon::Critical);
        session_.end(1);
        return false;
      }
      complete = false;
      break;
    }
  }
  if (!complete) {
    ShowMessage(session_.host(), 531, {"|1", "304"}, Icon::Critical);
    session_.end(1);
    return false;
  }

  v.ResultAvailable = false;
  runCommand(cmd::kShowCondition);
  return true;
}

bool MainWindow::requestExit() {
  // Only a case that was saved may close: a refused, cancelled or failed
  // save keeps the program open.
  if (!session_.files().settleUnsaved()) return false;
  for (const std::string& name : separateWindows()) session_.closeWindow(name);
  return true;
}

void MainWindow::setOutputsEnabled(bool enabled) {
  menuItem("mnuFilePrint").enabled = enabled;
  menuItem("OuttoWord").enabled = enabled;
  menuItem("mnuFilePdf").enabled = enabled;
  menuItem("mnuFileSave", 0).enabled = enabled;
  menuItem("mnuFileSave", 1).enabled = enabled;
  toolKey("KeyPrint").enabled = enabled;
  toolKey("KeyPreview").enabled = enabled;
  toolKey("KeyDim").enabled = enabled;
}

void MainWindow::setDesignKeyEnabled(bool enabled) { toolKey("KeyDesign").enabled = enabled; }

bool MainWindow::putIntoChecked() const {
  for (const auto& c : controls_.all())
    if (c.name == "PutInTo") return c.checked;
  return false;
}

const std::vector<std::string>& MainWindow::calculatorPrograms() {
  static const std::vector<std::string> programs = {"gnome-calculator", "kcalc", "galculator", "mate-calc", "xcalc"};
  return programs;
}

const std::vector<std::string>& MainWindow::separateWindows() {
  static const std::vector<std::string> names = {"about",    "chpassword", "Defdata", "FrmCoInfor",   "Muley",
                                                 "neck",     "newproduct", "PlateAnalyse", "preview", "property",
                                                 "PWData",   "Unit",       "VLC"};
  return names;
}

void MainWindow::startCalculator() {
  const char* path = std::getenv("PATH");
  for (const std::string& program : calculatorPrograms()) {
    std::stringstream dirs(path ? path : "");
    std::string dir;
    while (std::getline(dirs, dir, ':')) {
      if (dir.empty()) continue;
      std::filesystem::path candidate = std::filesystem::path(dir) / program;
      if (::access(candidate.c_str(), X_OK) == 0 && session_.host().startProgram(candidate.string())) return;
    }
  }
  // A command that does nothing looks broken: say what is missing.
  session_.host().message(kNoCalculator, Icon::Information, Buttons::Ok, 0);
}

void MainWindow::dataManagement() {
  if (session_.var().DesignWindowOpened) {
    Answer a = ShowMessage(session_.host(), 508, {}, Icon::None, Buttons::YesNo);
    if (a != Answer::Yes) return;
    session_.closeWindow("detail");
    // The result goes with the design window that made it.
    WithdrawShownResult(session_);
  }
  runCommand(cmd::kPasswordWindow);
}

}  // namespace vx

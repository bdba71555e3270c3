// veloxa-shotgen DATA OUTDIR: draws every window of the program offscreen, as
// it looks when opened on the installation data, into OUTDIR/guide-<window>.png for
// the user guide, so the guide's pictures always match the program.
#include <QApplication>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <filesystem>
#include <map>
#include <chrono>
#include <thread>

#include "app/session.h"
#include "common/controls.h"
#include "common/file_io.h"
#include "conditions/condition.h"
#include "exchanger/design_window.h"
#include "app/batch_window.h"
#include "app/frm_customer.h"
#include "app/main_window.h"
#include "reports/install.h"
#include "ui/main_frame.h"
#include "ui/qt_host.h"
#include "ui/translations.h"
#include "ui/widget_registry.h"

namespace fs = std::filesystem;

namespace {

// The Qt host with every question answered without a dialog: files go to
// the working folder (the copy of the data folder), settings stay in
// memory, nothing is opened.
class ShotHost : public vx::QtHost {
 public:
  vx::Answer message(const std::string&, vx::Icon, vx::Buttons buttons, int) override {
    return buttons == vx::Buttons::Ok ? vx::Answer::Ok : vx::Answer::No;
  }
  std::optional<std::string> fileDialog(const vx::FileDialogRequest& request) override {
    // Relative to the data folder (the working folder while drawing), so the
    // pictures show the file's name rather than a temporary folder.
    if (request.defaultSuffix == "png") return std::string("outline.png");
    return std::string("换热站改造.pda");
  }
  bool openDocument(const std::string&) override { return true; }
  std::string setting(const std::string& key) override { return settings_[key]; }
  bool setSetting(const std::string& key, const std::string& value) override {
    settings_[key] = value;
    return true;
  }

 private:
  std::map<std::string, std::string> settings_;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: veloxa-shotgen DATA OUTDIR\n");
    return 1;
  }
  QApplication app(argc, argv);
  vx::InstallChineseTranslations(app);
  // The windows write into their data folder: work on a copy.
  const fs::path data = fs::temp_directory_path() / ("veloxa-shotgen-" + std::to_string(QCoreApplication::applicationPid()));
  std::error_code ec;
  fs::remove_all(data, ec);
  fs::copy(argv[1], data, fs::copy_options::recursive, ec);
  if (ec) {
    std::fprintf(stderr, "veloxa-shotgen: cannot copy %s: %s\n", argv[1], ec.message().c_str());
    return 1;
  }
  const QString out = QDir(QString::fromLocal8Bit(argv[2])).absolutePath();
  QDir().mkpath(out);
  fs::current_path(data, ec);
  int status = 0;
  {
    // A message box some window shows while opening must not stop the build.
    QTimer dismiss;
    QObject::connect(&dismiss, &QTimer::timeout, [] {
      if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
    });
    dismiss.start(200);

    ShotHost host;
    vx::Session session(host, data);
    vx::InstallReports(session);
    host.setSession(&session);
    vx::registerWidgets(host);
    vx::MainFrame frame(session, host);
    if (!session.start()) {
      std::fprintf(stderr, "veloxa-shotgen: the program does not start on %s\n", argv[1]);
      status = 1;
    } else {
      frame.resize(1280, 860);
      frame.show();
      host.refreshAll();
      QApplication::processEvents();
      // The road of the guide's example: the default duty balanced and
      // checked with VX038N and 47 plates, so the windows show results.
      auto* cond = session.existingAs<vx::Condition>(vx::Condition::kName);
      // A customer and a project, so the sheet and the statistics show them.
      if (auto* customer = session.windowAs<vx::FrmCustomer>(vx::FrmCustomer::kName)) {
        vx::SetText(*customer->custname, "示例用户");
        vx::SetText(*customer->project, "换热站改造");
        vx::SetText(*customer->designer, "张工");
      }
      vx::Click(cond->controls(), *cond->balanceButton);
      vx::Click(cond->controls(), *cond->Command5);
      if (auto* design = session.existingAs<vx::DesignWindow>(vx::DesignWindow::kName)) {
        for (size_t i = 0; i < design->cbotype->items.size(); ++i)
          if (design->cbotype->items[i].rfind("VX038N", 0) == 0) vx::Pick(*design->cbotype, static_cast<int>(i));
        vx::SetText(*design->txtplatenb, "47");
        vx::Click(design->controls(), *design->Command1);
      }
      host.refreshAll();
      QApplication::processEvents();
      frame.grab().save(out + "/guide-Veloxa.png");
      vx::MainWindow& main = session.main();
      auto byName = [&](const char* name) {
        return [&session, &host, name] {
          session.window(name);
          host.showWindow(name, false);
        };
      };
      auto menu = [&main](const char* item, int index = -1) {
        return [&main, item, index] { vx::Click(main.controls(), main.menuItem(item, index)); };
      };
      // Each window as the person opens it; the later ones need what the
      // earlier ones did (a saved case, a result in the statistics).
      const std::vector<std::pair<const char*, std::function<void()>>> windows = {
          {"Condition", byName("Condition")},
          {"OtherData", byName("OtherData")},
          {"detail", byName("detail")},
          {"property", byName("property")},
          {"Defdata", byName("Defdata")},
          {"Unit", byName("Unit")},
          {"construction", byName("construction")},
          {"PlateAnalyse", byName("PlateAnalyse")},
          {"Muley", byName("Muley")},
          {"FrmCustomer", byName("FrmCustomer")},
          {"FrmCoInfor", byName("FrmCoInfor")},
          {"PWData", byName("PWData")},
          {"newproduct", byName("newproduct")},
          {"chpassword", byName("chpassword")},
          {"about", byName("about")},
          {"drawing", [&] { vx::Click(main.controls(), main.toolKey("KeyDim")); }},
          {"preview", [&] { vx::Click(main.controls(), main.toolKey("KeyPreview")); }},
          {"checkResult", [&] {
             menu("mnuFileSave", 0)();
             menu("mnuFileCheck")();
           }},
          {"PheList", [&] {
             menu("OuttoWord")();
             menu("MnuStatistic")();
           }},
          {"batch", [&] {
             // The example duty table, run to its end; by its name in the
             // working folder, as the other pictures show their files.
             menu("mnuFileBatch")();
             auto* batch = session.existingAs<vx::BatchWindow>(vx::BatchWindow::kName);
             if (!batch || !vx::writeFileAtomic(data / "工况表.csv", vx::DutyTemplate()) ||
                 !batch->load("工况表.csv"))
               return;
             batch->run();
             while (batch->needsPoll()) {
               std::this_thread::sleep_for(std::chrono::milliseconds(20));
               batch->poll();
             }
             host.refreshAll();
           }},
          {"TrueTemp", [&] {
             // The outlet temperatures of the checked exchanger: both flows
             // and inlet temperatures given.
             auto* cond = session.existingAs<vx::Condition>(vx::Condition::kName);
             vx::SetChecked(cond->controls(), cond->box(vx::kFlowB), true);
             vx::SetChecked(cond->controls(), cond->box(vx::kToutB), false);
             vx::Click(cond->controls(), *cond->balanceButton);
             auto* design = session.existingAs<vx::DesignWindow>(vx::DesignWindow::kName);
             vx::Click(design->controls(), *design->Command1);
             vx::Click(design->controls(), *design->Command10);
           }},
      };
      for (const auto& [name, open] : windows) {
        const auto before = QApplication::topLevelWidgets();
        const auto beforeSubs = frame.mdiArea()->subWindowList();
        open();
        host.refreshAll();
        QApplication::processEvents();
        // The window just opened: a new child of the main window or a new
        // top-level window.
        QWidget* shown = nullptr;
        for (QMdiSubWindow* sub : frame.mdiArea()->subWindowList())
          if (!beforeSubs.contains(sub) && sub->isVisible()) shown = sub;
        for (QWidget* w : QApplication::topLevelWidgets())
          if (!shown && !before.contains(w) && w->isVisible()) shown = w;
        // Already open since the start: showing it made it the active one.
        if (!shown && session.existing(name)) shown = frame.mdiArea()->activeSubWindow();
        if (!shown || !shown->grab().save(out + "/guide-" + name + ".png")) {
          std::fprintf(stderr, "veloxa-shotgen: no picture of %s\n", name);
          status = 1;
        }
        // The design windows stay for the commands of the later pictures.
        if (std::string(name) != "Condition" && std::string(name) != "detail" && std::string(name) != "OtherData")
          host.closeWindow(name);
        QApplication::processEvents();
      }
    }
  }
  fs::current_path(fs::temp_directory_path(), ec);
  fs::remove_all(data, ec);
  return status;
}

// veloxa-shotgen DATA OUTDIR: draws every window of the program offscreen, as
// it looks when opened on the installation data, into OUTDIR/guide-<window>.png for
// the user guide, so the guide's pictures always match the program.
#include <QApplication>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTimer>
#include <cstdio>
#include <filesystem>

#include "app/session.h"
#include "common/controls.h"
#include "conditions/condition.h"
#include "exchanger/design_window.h"
#include "ui/main_frame.h"
#include "ui/qt_host.h"
#include "ui/translations.h"
#include "ui/widget_registry.h"

namespace fs = std::filesystem;

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
  const QString out = QString::fromLocal8Bit(argv[2]);
  QDir().mkpath(out);
  int status = 0;
  {
    // A message box some window shows while opening must not stop the build.
    QTimer dismiss;
    QObject::connect(&dismiss, &QTimer::timeout, [] {
      if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
    });
    dismiss.start(200);

    vx::QtHost host;
    vx::Session session(host, data);
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
      vx::Click(cond->controls(), *cond->balanceButton);
      vx::Click(cond->controls(), *cond->Command5);
      if (auto* design = session.existingAs<vx::DesignWindow>(vx::DesignWindow::kName)) {
        for (size_t i = 0; i < design->cbotype->items.size(); ++i)
          if (design->cbotype->items[i].rfind("VX038N", 0) == 0) vx::Pick(*design->cbotype, static_cast<int>(i));
        vx::SetText(*design->txtplatenb, "47");
        design->RunCheck();
      }
      host.refreshAll();
      QApplication::processEvents();
      frame.grab().save(out + "/guide-Veloxa.png");
      const char* names[] = {"Condition", "OtherData", "detail", "property", "Defdata", "Unit", "construction",
                             "PlateAnalyse", "Muley", "FrmCustomer", "FrmCoInfor", "PWData", "about"};
      for (const char* name : names) {
        const auto before = QApplication::topLevelWidgets();
        const auto beforeSubs = frame.mdiArea()->subWindowList();
        session.window(name);
        host.showWindow(name, false);
        QApplication::processEvents();
        // The window just opened: a new child of the main window or a new
        // top-level window.
        QWidget* shown = nullptr;
        for (QMdiSubWindow* sub : frame.mdiArea()->subWindowList())
          if (!beforeSubs.contains(sub)) shown = sub;
        for (QWidget* w : QApplication::topLevelWidgets())
          if (!shown && !before.contains(w) && w->isVisible()) shown = w;
        // Already open since the start: showing it made it the active one.
        if (!shown && session.existing(name)) shown = frame.mdiArea()->activeSubWindow();
        if (!shown || !shown->grab().save(out + "/guide-" + name + ".png")) {
          std::fprintf(stderr, "veloxa-shotgen: no picture of %s\n", name);
          status = 1;
        }
        host.closeWindow(name);
        QApplication::processEvents();
      }
    }
  }
  fs::remove_all(data, ec);
  return status;
}

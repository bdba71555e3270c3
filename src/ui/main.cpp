// veloxa: the desktop program.
#include <QApplication>
#include <QMessageBox>
#include <optional>
#include <string>
#include <vector>

#include "app/data_folder.h"
#include "app/session.h"
#include "common/file_io.h"
#include "reports/install.h"
#include "ui/main_frame.h"
#include "ui/qt_host.h"
#include "ui/translations.h"
#include "ui/widget_registry.h"

int main(int argc, char** argv) {
  vx::PreferChineseDates();
  QApplication app(argc, argv);
  app.setApplicationName("Veloxa");
  // Ties the windows to the installed menu entry and its icon.
  app.setDesktopFileName("org.veloxa.Veloxa");
  vx::InstallChineseTranslations(app);

  std::optional<std::string> dataDirOption;
  const QStringList args = app.arguments();
  for (int i = 1; i < args.size(); ++i) {
    if (args[i] == "--data-dir" && i + 1 < args.size()) dataDirOption = args[++i].toStdString();
  }
  std::string error;
  std::vector<std::string> keptFiles;
  auto dataDir =
      vx::resolveDataDir(dataDirOption, vx::installationDataDir("/proc/self/exe"), error, &keptFiles);
  if (!dataDir) {
    QMessageBox::critical(nullptr, "Veloxa", QString::fromStdString(error));
    return 1;
  }

  vx::QtHost host;
  vx::Session session(host, *dataDir);
  vx::InstallReports(session);
  host.setSession(&session);
  host.setHelpFile(QString::fromStdString(vx::dataPath(*dataDir, "veloxa.htm").string()));
  vx::registerWidgets(host);

  vx::MainFrame frame(session, host);
  // A damaged installation ends the program before any window is shown.
  if (!session.start()) return session.exitStatus();
  frame.show();
  host.refreshAll();
  vx::TellKeptDataFiles(host, keptFiles);
  int status = app.exec();
  return session.ended() ? session.exitStatus() : status;
}

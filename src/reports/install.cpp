#include "reports/install.h"

#include <memory>

#include "app/batch_window.h"
#include "app/case_file.h"
#include "app/session.h"
#include "common/record_file.h"
#include "reports/outputs.h"
#include "reports/sheet_files.h"
#include "reports/statistics.h"

namespace vx {

void InstallReports(Session& session) {
  auto outputs = std::make_shared<ReportOutputs>(session.context(), [&session] {
    // The workspace knows its active child also after a separate window
    // (the preview) closed over it.
    if (const auto known = session.host().hasActiveChild()) return *known;
    return session.activeWindow() != session.main().name();
  }, [&session] { return session.files().currentFile(); },
  [&session] { return trimField(session.host().setting(kFolderSetting)); });
  session.registerWindow(Preview::kName, [outputs](Session& s) { return std::make_unique<Preview>(s.context(), *outputs); });
  session.registerWindow(PheList::kName, [](Session& s) { return std::make_unique<PheList>(s.context()); });
  // The batch window exports its results through the spreadsheet writer.
  session.registerWindow(BatchWindow::kName, [](Session& s) {
    return std::make_unique<BatchWindow>(s, [](const std::filesystem::path& path, const TableSheet& sheet,
                                               std::string& error) { return WriteSheetFile(path, sheet, error); });
  });
  MainWindow& main = session.main();
  main.setCommand(cmd::kBatch, [&session] { session.showWindow(BatchWindow::kName, false); });
  main.setCommand(cmd::kPrint, [outputs] { outputs->print(); });
  main.setCommand(cmd::kExportPdf, [outputs] { outputs->exportPdf(); });
  main.setCommand(cmd::kExportWord, [outputs] { outputs->exportWord(); });
  main.setCommand(cmd::kStatistics, [&session] { session.showWindow(PheList::kName, false); });
  main.setCommand(cmd::kPreview, [&session] {
    // An open preview draws the current case again.
    if (auto* p = session.existingAs<Preview>(Preview::kName)) p->redraw();
    session.showWindow(Preview::kName, false);
  });
}

}  // namespace vx

// The windows of the outputs inside the running program.
#include <QDialog>
#include <QLabel>
#include <QScrollBar>

#include "reports/install.h"
#include "reports/outputs.h"
#include "reports/statistics.h"
#include "settings/frm_co_infor.h"
#include "support/ui_program.h"
#include "tools/drawing.h"
#include "ui/report_widgets.h"

namespace vx {

class ReportScreenTest : public QObject {
  Q_OBJECT
 private slots:
  void outlineListAndPreviewOnTheScreen();
  void companyInformationSavesFromTheDialog();
};

namespace {

void shot(QWidget* w, const char* name) {
  if (!qEnvironmentVariableIsSet("VELOXA_SHOTS")) return;
  w->grab().save(qEnvironmentVariable("VELOXA_SHOTS") + "/" + name + ".png");
}

QWidget* topLevel(const char* name) {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == name && w->isVisible()) return w;
  return nullptr;
}

}  // namespace

void ReportScreenTest::outlineListAndPreviewOnTheScreen() {
  Program p;
  InstallReports(p.session);
  QVERIFY(p.checkedResult());
  MainWindow& m = p.session.main();

  // The outline window: typed texts reach the view model and stay when it hides.
  Click(m.controls(), m.toolKey("KeyDim"));
  p.host.refreshAll();
  QVERIFY(p.window(Drawing::kName));
  auto* length = p.in<QLineEdit>(Drawing::kName, "lengtht");
  QVERIFY(length);
  QTest::keyClicks(length, "1200");
  auto* drawing = p.session.existingAs<Drawing>(Drawing::kName);
  QCOMPARE(drawing->lengtht->text, std::string("1200"));
  auto* picture = p.in<QLabel>(Drawing::kName, "Picture1");
  QVERIFY(picture && picture->text() == "Not Data");
  shot(p.frame.get(), "drawing");
  p.click(Drawing::kName, "Command2");
  QCOMPARE(drawing->lengtht->text, std::string("1200"));

  // Two cases in the statistics, then the list under its merged header.
  std::filesystem::remove(p.data.file(kStatisticsFile));
  for (int i = 0; i < 2; ++i) QVERIFY(AppendStatistics(p.session.context()));
  m.runCommand(cmd::kStatistics);
  p.host.refreshAll();
  auto* grid = p.in<QTableWidget>(PheList::kName, "GrdPheList");
  QVERIFY(grid);
  QCOMPARE(grid->columnCount(), 14);
  QCOMPARE(grid->columnSpan(0, 3), 3);
  QCOMPARE(grid->columnSpan(0, 6), 3);
  QCOMPARE(grid->item(0, 3)->text(), QString("回路A"));
  QCOMPARE(grid->rowCount(), 4);
  QCOMPARE(grid->item(2, 4)->text(), QString(" 110"));
  shot(p.frame.get(), "phelist");

  // The preview: a separate window scrolled by its bar.
  m.runCommand(cmd::kPreview);
  p.host.refreshAll();
  QWidget* preview = topLevel(Preview::kName);
  QVERIFY(preview);
  auto* bar = preview->findChild<QScrollBar*>("VScroll1");
  QVERIFY(bar);
  shot(preview, "preview");
  bar->setValue(4000);
  QCOMPARE(p.session.existingAs<Preview>(Preview::kName)->scroll(), 4000);
  QTest::mouseClick(preview->findChild<QPushButton*>("Command3"), Qt::LeftButton);
  QVERIFY(!p.session.existing(Preview::kName));
}

void ReportScreenTest::companyInformationSavesFromTheDialog() {
  Program p;
  auto* model = p.session.windowAs<FrmCoInfor>(FrmCoInfor::kName);
  QVERIFY(model);
  auto* dialog = new CoInforDialog(*model, p.session, p.host);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->show();
  auto* name = dialog->findChild<QLineEdit*>("Text1(0)");
  QVERIFY(name);
  name->selectAll();
  QTest::keyClicks(name, "Veloxa");
  shot(dialog, "coinfor");
  QTest::mouseClick(dialog->findChild<QPushButton*>("Command1(0)"), Qt::LeftButton);
  QVERIFY(p.host.shown(439));
  QCOMPARE(std::filesystem::file_size(p.data.file("Coinfor.dat")), 290u);
  dialog->close();
  QVERIFY(!p.session.existing(FrmCoInfor::kName));
}

}  // namespace vx

QTEST_MAIN(vx::ReportScreenTest)
#include "report_screen_test.moc"

// The batch design window on the screen: run a small table through its
// buttons, see the failing row marked, and open a row as the current case.
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

#include "app/batch_window.h"
#include "app/session.h"
#include "common/file_io.h"
#include "conditions/other_data.h"
#include "reports/install.h"
#include "support/ui_program.h"

namespace vx {

class BatchWindowTest : public QObject {
  Q_OBJECT
 private slots:
  void aSmallBatchRunsAndARowOpensAsTheCurrentCase();
};

void BatchWindowTest::aSmallBatchRunsAndARowOpensAsTheCurrentCase() {
  Program p;
  QVERIFY(p.started);
  InstallReports(p.session);
  QAction* menu = p.menuAction("批量设计…");
  QVERIFY(menu);
  menu->trigger();
  p.host.refreshAll();
  QWidget* w = p.window(BatchWindow::kName);
  QVERIFY(w);
  auto* model = p.session.existingAs<BatchWindow>(BatchWindow::kName);
  QVERIFY(model);

  const auto table = p.data.dir() / "duties.csv";
  QVERIFY(writeFileAtomic(table,
                          "编号,流量A,进口温度A,出口温度A,进口温度B,出口温度B,型号,板片数\n"
                          "好,60000,110,90,60,80,VX038N,47\n"
                          "交叉,60000,90,50,60,80,,\n"
                          "也好,50000,110,90,60,80,VX038N,47\n"));
  // The file dialog's answer, as "选择文件…" hands it over.
  QVERIFY(model->load(table.string()));
  p.host.refreshAll();
  auto* runButton = w->findChild<QPushButton*>("cmdRun");
  QVERIFY(runButton && runButton->isEnabled());
  QTest::mouseClick(runButton, Qt::LeftButton);
  QTRY_VERIFY_WITH_TIMEOUT(!model->needsPoll(), 120000);
  QVERIFY(runButton->isEnabled());
  QVERIFY(!w->findChild<QPushButton*>("cmdCancel")->isEnabled());
  QVERIFY(w->findChild<QPushButton*>("cmdXlsx")->isEnabled());

  auto* grid = w->findChild<QTableWidget*>("ResultGrid");
  QVERIFY(grid);
  QCOMPARE(grid->rowCount(), 4);
  QCOMPARE(grid->item(0, 3)->text(), QString("型号"));
  QCOMPARE(grid->item(1, 1)->text(), QString("好"));
  QCOMPARE(grid->item(2, 2)->text(), QString("失败"));
  QCOMPARE(grid->item(2, 0)->background().color(), QColor(255, 255, 0));  // the failed row marked
  QVERIFY(grid->item(3, 0)->background().color() != QColor(255, 255, 0));
  QVERIFY(grid->item(2, 11)->text().contains("570"));

  // A double click on row 3 opens that duty in the conditions and design windows.
  const BatchResult row3 = model->results()[2];
  const QRect cell = grid->visualRect(grid->model()->index(3, 1));
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
  QVERIFY(p.session.var().FlowA != 50000);  // a click only selects the row
  QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
  p.host.refreshAll();
  auto* cond = p.session.existingAs<Condition>(Condition::kName);
  QVERIFY(cond);
  QCOMPARE(QString::fromStdString(cond->field(kFlowA).text), QString("50000."));
  QVERIFY(p.window(Condition::kName));
  QVERIFY(p.window(DesignWindow::kName));
  QCOMPARE(p.design().txtplatenb->text, std::string("47"));
  QVERIFY(p.session.var().ResultAvailable);
  QCOMPARE(static_cast<double>(p.design().state.SurfaceMargin), row3[ResultColumn::Margin].number);
  QCOMPARE(p.in<QLineEdit>(DesignWindow::kName, "txtplatenb")->text(), QString("47"));

  // The picture of the window for a look by eye, when asked for.
  if (const char* shot = std::getenv("VELOXA_BATCH_SHOT")) {
    p.sub(BatchWindow::kName)->raise();
    p.sub(BatchWindow::kName)->move(0, 0);
    QCoreApplication::processEvents();
    p.frame->grab().save(QString::fromLocal8Bit(shot));
  }
}

}  // namespace vx

QTEST_MAIN(vx::BatchWindowTest)
#include "batch_window_test.moc"

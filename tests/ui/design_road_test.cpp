// The design road through the real widgets: heat balance, the design window
// with a check, the automatic design and its candidates, the NTU method and
// its result window, and a new condition afterwards.
#include <QAbstractItemView>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QTabBar>
#include <QTableWidget>
#include <QtTest>
#include <memory>

#include "app/session.h"
#include "common/number_text.h"
#include "conditions/condition.h"
#include "exchanger/design_window.h"
#include "support/ui_program.h"
#include "ui/main_frame.h"
#include "ui/qt_host.h"
#include "ui/widget_registry.h"

namespace vx {


class DesignRoadTest : public QObject {
  Q_OBJECT
 private slots:
  void checkAutomaticDesignNtuAndANewCondition();
  void assemblyTabsOtherThanTheFirstAreRefused();
  void theCellButtonOpensTheRowsListBelowTheCell();
  void editingACellInPlaceChangesThePrecondition();
  void leavingAZeroUnitCountAsksForACount();
  void closingTheWindowDiscardsIt();
};

void DesignRoadTest::checkAutomaticDesignNtuAndANewCondition() {
  Program p;
  QVERIFY(p.started);
  QVERIFY(p.openDesign());
  QWidget* detail = p.window(DesignWindow::kName);
  QCOMPARE(detail->windowTitle(), QString("设计计算"));
  QCOMPARE(p.in<QGroupBox>("detail", "Frame2")->title(), QString("规格型号"));
  QCOMPARE(p.in<QPushButton>("detail", "Command9")->toolTip(), QString("自动设计没有考虑特殊的装配以及大小流道的方向。"));
  QVERIFY(!p.in<QGroupBox>("detail", "Frame4")->isVisible());

  // Check VX038N with 47 plates. Its catalogue row gives a plate area of
  // 0.38 m2 and inlet ports of 100 mm: 45 x 0.38 = 17.1 m2 calculated,
  // 47 x 0.38 = 17.86 m2 installed.
  QVERIFY(p.pickModel("VX038N"));
  QTest::keyClicks(p.in<QLineEdit>("detail", "txtplatenb"), "47");
  QCOMPARE(p.design().txtplatenb->text, std::string("47"));
  p.click("detail", "Command1");
  QCOMPARE(p.in<QLineEdit>("detail", "txtarea")->text(), QString("17.1"));
  QCOMPARE(p.in<QLineEdit>("detail", "GrossArea")->text(), QString("17.86"));
  auto* over = p.in<QLineEdit>("detail", "txtover");
  QVERIFY(Val(over->text().toStdString()) > 0);
  QCOMPARE(over->text().toStdString(), p.design().txtover->text);
  QVERIFY(over->palette().color(QPalette::Base) != QColor(255, 255, 0));
  auto* structure = p.in<QTableWidget>("detail", "PheGrid");
  QCOMPARE(structure->item(10, 3)->text(), QString("100"));
  QCOMPARE(structure->item(11, 3)->text(), QString("100"));
  // The intermediate data: drops, velocities and one overall coefficient
  // across both circuits.
  auto* mid = p.in<QTableWidget>("OtherData", "MidData1");
  QVERIFY(mid);
  for (int row : {7, 8, 9, 10, 11, 12, 13, 14})
    for (int col : {1, 2}) QVERIFY2(!mid->item(row, col)->text().isEmpty(), qPrintable(QString("row %1").arg(row)));
  QCOMPARE(mid->item(14, 1)->text(), mid->item(14, 2)->text());
  QCOMPARE(mid->columnSpan(14, 1), 2);
  QVERIFY(p.in<QLabel>("OtherData", "Label1")->text().contains("换热量满足要求"));
  QVERIFY(p.menuAction("打印")->isEnabled());

  // Far too few plates: the margin is negative and shows on yellow.
  QLineEdit* plates = p.in<QLineEdit>("detail", "txtplatenb");
  plates->selectAll();
  QTest::keyClicks(plates, "7");
  p.click("detail", "Command1");
  QVERIFY(Val(over->text().toStdString()) < 0);
  QCOMPARE(over->palette().color(QPalette::Base), QColor(255, 255, 0));

  // The automatic design: a progress bar while it runs, then the candidates
  // in a taller window with the first one applied.
  QMdiSubWindow* detailSub = p.sub("detail");
  const int normalHeight = detailSub->height();
  auto* progress = detail->findChild<QProgressBar*>();
  QVERIFY(progress && !progress->isVisible());
  bool progressSeen = false;
  QObject probe;
  p.host.addRefresher(&probe, [&] { progressSeen = progressSeen || progress->isVisible(); });
  p.click("detail", "Command9");
  QVERIFY(progressSeen);
  QVERIFY(!progress->isVisible());
  QVERIFY(!QApplication::overrideCursor());
  QVERIFY(p.in<QGroupBox>("detail", "Frame4")->isVisible());
  auto* candidates = p.in<QTableWidget>("detail", "AutoGrid");
  QVERIFY(candidates->rowCount() > 2);
  QCOMPARE(candidates->item(0, 1)->text(), QString("型号"));
  const auto& list = p.design().candidates;
  QCOMPARE(candidates->item(1, 3)->text(), QString::number(list[1].plates));
  QCOMPARE(plates->text(), QString::number(list[1].plates));
  // 8250 against 6280 twips: at least 1970 / 15 pixels more.
  QVERIFY2(detailSub->height() >= normalHeight + 131,
           qPrintable(QString("%1 -> %2").arg(normalHeight).arg(detailSub->height())));
  QVERIFY(!p.in<QLineEdit>("detail", "GrossArea")->text().isEmpty());

  // A click on the second candidate applies it; the changed fields hide the
  // candidates again before its check.
  const int second = list[2].plates;
  QVERIFY(second > 0);
  p.clickCell(candidates, 2, 0);
  QCOMPARE(plates->text(), QString::number(second));
  QVERIFY(!p.in<QGroupBox>("detail", "Frame4")->isVisible());
  QCOMPARE(detailSub->height(), normalHeight);

  // The NTU method needs flow B given: circuit B's outlet becomes the
  // unknown, and the heat balance is made again.
  p.pickModel("VX038N");
  plates->selectAll();
  QTest::keyClicks(plates, "47");
  QTest::mouseClick(p.in<QCheckBox>("Condition", "ChkIndex(3)"), Qt::LeftButton);
  QTest::mouseClick(p.in<QCheckBox>("Condition", "ChkIndex(5)"), Qt::LeftButton);
  QVERIFY(p.design().condition()->given(3));
  QVERIFY(!p.design().condition()->given(5));
  p.click("Condition", "balance");
  QVERIFY(p.session.var().BalanceDone);
  p.click("detail", "Command10");
  QWidget* ntu = p.window("TrueTemp");
  QVERIFY(ntu);
  QCOMPARE(ntu->windowTitle(), QString("NTU方式"));
  auto box = [&p](int i) { return p.in<QLineEdit>("TrueTemp", qPrintable(QString("txtShow(%1)").arg(i))); };
  QCOMPARE(box(0)->text(), QString("110."));  // the inlets of the default conditions
  QCOMPARE(box(2)->text(), QString("60."));
  for (int i = 0; i < 5; ++i) QVERIFY(box(i)->isReadOnly());
  // 47 plates are larger than the duty needs: A leaves colder than 90 ℃ and B warmer.
  const double t1o = box(1)->text().toDouble(), t2o = box(3)->text().toDouble();
  QVERIFY(t1o < 90 && t1o > 60);
  QVERIFY(t2o > p.session.var().ToutB);
  // Heat load of the one unit = flow B / 3600 x cp B x (t2o - 60).
  const double flowB = p.session.var().UnitFlowB, cpB = p.session.var().MediumProp(kSpecificHeat, kCircuitB);
  const double load = flowB / 3600 * cpB * (t2o - 60);
  QVERIFY2(std::fabs(box(4)->text().toDouble() - load) < 0.01 * load,
           qPrintable(box(4)->text() + " vs " + QString::number(load)));
  QCOMPARE(p.in<QLabel>("TrueTemp", "Label31(5)")->text(), QString("KW"));
  p.click("TrueTemp", "Command6");
  QTRY_VERIFY(!p.window("TrueTemp"));

  // A result on the screen, then a key typed in a condition field: the
  // outputs go, and turning to the design window asks for a new balance.
  p.click("detail", "Command1");
  QVERIFY(p.menuAction("打印")->isEnabled());
  QMdiArea* area = p.frame->mdiArea();
  area->setActiveSubWindow(p.sub("Condition"));
  QTest::keyClicks(p.in<QLineEdit>("Condition", "TxtInput(0)"), "1");
  QVERIFY(!p.menuAction("打印")->isEnabled());
  QVERIFY(!p.session.var().BalanceDone);
  p.host.ids.clear();
  area->setActiveSubWindow(p.sub("detail"));
  QVERIFY(p.host.shown(568));
  QVERIFY(p.in<QLineEdit>("detail", "GrossArea")->text().isEmpty());
}

void DesignRoadTest::assemblyTabsOtherThanTheFirstAreRefused() {
  Program p;
  QVERIFY(p.openDesign());
  auto* assembly = p.in<QTabBar>("detail", "TabStrip2");
  QCOMPARE(assembly->count(), 3);
  QCOMPARE(assembly->tabText(1), QString("外旁通"));
  QTest::mouseClick(assembly, Qt::LeftButton, {}, assembly->tabRect(2).center());
  QCOMPARE(p.host.ids, std::vector<int>{484});
  QCOMPARE(assembly->currentIndex(), 0);
  // The first tab's panel is still the one shown.
  QVERIFY(p.in<QCheckBox>("detail", "ChkPortPd")->isVisible());
  // The correction tabs switch their panels.
  auto* correction = p.in<QTabBar>("detail", "TabStrip3");
  QLineEdit* wall = p.in<QLineEdit>("detail", "txtwall");
  QVERIFY(!wall->isVisible());
  QTest::mouseClick(correction, Qt::LeftButton, {}, correction->tabRect(1).center());
  QCOMPARE(correction->currentIndex(), 1);
  QVERIFY(wall->isVisible());
  QVERIFY(!p.in<QLineEdit>("detail", "cvdt")->isVisible());
  QCOMPARE(p.host.ids.size(), size_t{1});
}

void DesignRoadTest::theCellButtonOpensTheRowsListBelowTheCell() {
  Program p;
  QVERIFY(p.openDesign());
  auto* grid = p.in<QTableWidget>("detail", "PheGrid");
  auto* button = p.in<QPushButton>("detail", "GridBTN");
  // Row 6 is circuit A's nozzle material, list 9.
  p.clickCell(grid, 6, 3);
  QCOMPARE(p.design().currentRow, 6);
  const QRect cell = grid->visualRect(grid->model()->index(6, 3));
  QCOMPARE(button->geometry().right(), cell.right());
  QCOMPARE(button->geometry().top(), cell.top());
  QCOMPARE(button->width(), cell.height());
  QTest::mouseClick(button, Qt::LeftButton);
  auto* list = p.in<QListWidget>("detail", "Defdata(9)");
  QVERIFY(list->isVisible());
  QCOMPARE(list->width(), cell.width());
  const QPoint cellBottom = grid->viewport()->mapTo(p.window("detail"), cell.bottomLeft());
  QCOMPARE(list->geometry().top(), cellBottom.y() + 1);
  // Picking the third entry writes both nozzle rows and hides the list.
  const QString third = list->item(2)->text();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(2)).center());
  QVERIFY(!list->isVisible());
  QCOMPARE(grid->item(6, 3)->text(), third);
  QCOMPARE(grid->item(7, 3)->text(), third);
  // Row 3, the gasket's limit, opens nothing.
  p.clickCell(grid, 3, 3);
  QTest::mouseClick(button, Qt::LeftButton);
  for (QListWidget* any : p.window("detail")->findChildren<QListWidget*>()) QVERIFY(!any->isVisible());
}

void DesignRoadTest::editingACellInPlaceChangesThePrecondition() {
  Program p;
  QVERIFY(p.openDesign());
  QVERIFY(p.pickModel("VX038N"));
  QTest::keyClicks(p.in<QLineEdit>("detail", "txtplatenb"), "47");
  auto* grid = p.in<QTableWidget>("detail", "PheGrid");
  // The gasket of the default media stands 150 ℃; a limit of 90 ℃ is below
  // the design temperatures of 150 ℃, so the check stops with 490.
  const QRect cell = grid->visualRect(grid->model()->index(3, 3));
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
  QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
  auto* editor = grid->viewport()->findChild<QLineEdit*>();
  QVERIFY(editor && editor->isVisible());
  QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(editor, "90");
  QTest::keyClick(editor, Qt::Key_Return);
  // The editor hands its text over once the key has been handled.
  QTRY_COMPARE(p.design().PheGrid->grid.cell(3, 3), std::string("90"));
  QCOMPARE(grid->item(3, 3)->text(), QString("90"));
  p.click("detail", "Command1");
  QCOMPARE(p.host.ids.back(), 490);
  QVERIFY(p.in<QLineEdit>("detail", "GrossArea")->text().isEmpty());
}

void DesignRoadTest::leavingAZeroUnitCountAsksForACount() {
  Program p;
  QVERIFY(p.openDesign());
  QLineEdit* units = p.in<QLineEdit>("detail", "setnb");
  units->setFocus();
  QVERIFY(units->hasFocus());
  units->selectAll();
  QTest::keyClicks(units, "0");
  QCOMPARE(p.session.var().ParallelUnits, 0.0f);
  p.host.ids.clear();
  p.in<QLineEdit>("detail", "txtplatenb")->setFocus();
  QCOMPARE(p.host.ids, std::vector<int>{483});
  QTRY_VERIFY(units->hasFocus());
}

void DesignRoadTest::closingTheWindowDiscardsIt() {
  Program p;
  QVERIFY(p.openDesign());
  QVERIFY(p.pickModel("VX038N"));
  p.sub("detail")->close();
  QTRY_VERIFY(!p.session.existing(DesignWindow::kName));
  // The next "设计计算" builds the window afresh, without a model chosen.
  p.click("Condition", "Command5");
  QVERIFY(p.window("detail"));
  QCOMPARE(p.in<QComboBox>("detail", "cbotype")->currentIndex(), -1);
}

}  // namespace vx

QTEST_MAIN(vx::DesignRoadTest)
#include "design_road_test.moc"

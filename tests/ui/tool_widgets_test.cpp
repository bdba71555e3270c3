// The tool windows through their real widgets: the unit conversion, the heat
// index handing its load to the conditions window, the plate analysis chart
// with its read-out and the corrugated plate geometry. With VELOXA_SHOTS set
// to a folder, each window is also saved there as a picture of the screen.
#include <QAbstractItemView>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>
#include <cstdlib>
#include <memory>

#include "app/session.h"
#include "conditions/condition.h"
#include "support/ui_program.h"
#include "tools/muley.h"
#include "tools/plate_analyse.h"
#include "tools/unit_convert.h"
#include "ui/main_frame.h"
#include "ui/qt_host.h"
#include "ui/tool_widgets.h"
#include "ui/widget_registry.h"

namespace vx {

namespace {

// The shared program with the helpers of these windows.
struct ToolProgram : ProgramWith<> {
  static QWidget* topLevel(const char* name) {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->objectName() == name && w->isVisible()) return w;
    return nullptr;
  }
  // Picks an entry of a combo box as the mouse does.
  static void pick(QComboBox* combo, const QString& text) {
    const int entry = combo->findText(text, Qt::MatchStartsWith);
    QVERIFY(entry >= 0);
    combo->setCurrentIndex(entry);
    emit combo->activated(entry);
  }
  // Saves the screen when asked to, after the window had time to paint.
  static void shot(QWidget* w, const char* name) {
    const char* dir = std::getenv("VELOXA_SHOTS");
    if (!dir) return;
    w->raise();
    w->activateWindow();
    QTest::qWait(300);
    const std::string path = std::string(dir) + "/" + name + ".png";
    if (std::system(("import -window root " + path + " 2>/dev/null").c_str()) != 0) w->grab().save(path.c_str());
  }
};

}  // namespace

class ToolWidgetsTest : public QObject {
  Q_OBJECT
 private slots:
  void unitConversionConvertsOnTheScreen();
  void heatIndexWritesIntoTheConditionsWindow();
  void plateChartDrawsCurvesLegendAndReadOut();
  void plateGeometryComputesOnConfirm();
  void plateAnalysisOpensModallyWithTheGeometryInside();
};

void ToolWidgetsTest::unitConversionConvertsOnTheScreen() {
  ToolProgram p;
  QVERIFY(p.started);
  p.menuAction("单位换算")->trigger();
  QWidget* w = ToolProgram::topLevel("Unit");
  QVERIFY(w);
  QCOMPARE(w->windowTitle(), QString("UnitConvert"));
  ToolProgram::pick(w->findChild<QComboBox*>("Combo1"), "压力");
  auto* to = w->findChild<QListWidget*>("List1(1)");
  QTest::mouseClick(to->viewport(), Qt::LeftButton, {}, to->visualItemRect(to->item(11)).center());
  QCOMPARE(w->findChild<QLineEdit*>("Text1(1)")->text(), QString("145.037738"));
  QCOMPARE(w->findChild<QLabel*>("Label4")->text(), QString("1 psi = 6.89476 kPa"));
  ToolProgram::shot(w, "unit");
  // Temperature converts on Enter.
  ToolProgram::pick(w->findChild<QComboBox*>("Combo1"), "温度");
  QTest::mouseClick(to->viewport(), Qt::LeftButton, {}, to->visualItemRect(to->item(1)).center());
  auto* value = w->findChild<QLineEdit*>("Text1(0)");
  QTest::keyClicks(value, "37");
  QCOMPARE(w->findChild<QLineEdit*>("Text1(1)")->text(), QString());
  QTest::keyClick(value, Qt::Key_Return);
  QCOMPARE(w->findChild<QLineEdit*>("Text1(1)")->text(), QString("98.6"));
  w->close();
  QVERIFY(!p.session.existing(Unit::kName));
}

void ToolWidgetsTest::heatIndexWritesIntoTheConditionsWindow() {
  ToolProgram p;
  p.menuAction("热指标")->trigger();
  QWidget* w = p.frame->findChild<QWidget*>("construction");
  QVERIFY(w);
  ToolProgram::pick(w->findChild<QComboBox*>("ContrType"), "食堂");
  QCOMPARE(w->findChild<QLineEdit*>("Text2")->text(), QString("125"));
  QTest::keyClicks(w->findChild<QLineEdit*>("ContrArea"), "1000");
  auto* check = w->findChild<QCheckBox*>("Check1");
  QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(8, check->height() / 2));
  ToolProgram::shot(p.frame.get(), "heat_index");
  QTest::mouseClick(w->findChild<QPushButton*>("Command2(0)"), Qt::LeftButton);
  QCOMPARE(p.frame->findChild<QLineEdit*>("TxtInput(6)")->text(), QString(" 125"));
  QVERIFY(p.frame->findChild<QCheckBox*>("ChkIndex(6)")->isChecked());
  QVERIFY(p.host.ids.empty());
  QTRY_VERIFY(!p.frame->findChild<QWidget*>("construction"));
}

void ToolWidgetsTest::plateChartDrawsCurvesLegendAndReadOut() {
  ToolProgram p;
  auto* model = p.session.windowAs<PlateAnalyse>(PlateAnalyse::kName);
  // Built directly: from the menu the window is modal.
  auto* w = new PlateAnalyseWidget(*model, p.session, p.host);
  w->setAttribute(Qt::WA_DeleteOnClose);
  w->show();
  QVERIFY(QTest::qWaitForWindowExposed(w));
  // Turning to the window starts its chart afresh: first the window, then the curves.
  w->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(w));
  p.host.refreshAll();
  QCOMPARE(w->windowTitle(), QString("板型分析"));
  ToolProgram::pick(w->findChild<QComboBox*>("Combo1"), "VX050N");
  // A new colour from the palette under the colour box.
  QTest::mouseClick(w->findChild<QPushButton*>("Label6"), Qt::LeftButton);
  QVERIFY(w->findChild<QPushButton*>("Label5(6)")->isVisible());
  QTest::mouseClick(w->findChild<QPushButton*>("Label5(6)"), Qt::LeftButton);  // magenta
  QVERIFY(!w->findChild<QPushButton*>("Label5(6)")->isVisible());
  QCOMPARE(model->currentColor(), 0xFF00FFu);
  ToolProgram::pick(w->findChild<QComboBox*>("Combo1"), "VX030A");
  ToolProgram::pick(w->findChild<QComboBox*>("Combo2"), "宽通道");
  QCOMPARE(model->chart().legend.size(), size_t{2});
  QCOMPARE(model->chart().legend[1].text, std::string("VX030A宽 @ 40℃"));
  // Every value box is as wide as its number asks (a short one as wide as the
  // least), its frame whole and room between the number and its right edge.
  for (const char* name : {"Label8(3)", "Label8(4)", "Label8(5)", "Label1(6)", "Label1(7)", "Label1(8)", "Label1(10)"}) {
    auto* box = w->findChild<QLabel*>(name);
    QVERIFY2(box && !box->text().isEmpty(), name);
    QCOMPARE(box->width(), qMax(box->sizeHint().width(), box->minimumWidth()));
    QVERIFY2(box->margin() > 0, name);
    QVERIFY2(box->contentsRect().width() >= box->fontMetrics().horizontalAdvance(box->text()) + 2 * box->margin(), name);
    QVERIFY2(box->frameShape() == QFrame::Box, name);
  }
  // The pointer over the chart at x = 0.5 m/s, y = 8000.
  QWidget* chart = w->findChild<QLabel*>("Label4")->parentWidget();
  const QPoint at(static_cast<int>(0.5 / 1.5 * chart->width()), static_cast<int>((1 - 8000.0 / 30000) * chart->height()));
  QMouseEvent move(QEvent::MouseMove, at, chart->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(chart, &move);
  QTRY_VERIFY(w->findChild<QLabel*>("Label4")->isVisible());
  QVERIFY(w->findChild<QLabel*>("Label4")->text().startsWith("V:0.5"));
  QVERIFY(chart->rect().contains(w->findChild<QLabel*>("Label4")->geometry()));
  ToolProgram::shot(w, "plate_analyse");
  // The Reynolds axis starts a new chart; heated water draws above cooled.
  QTest::mouseClick(w->findChild<QRadioButton*>("Option2(1)"), Qt::LeftButton, {}, QPoint(8, 8));
  QVERIFY(model->chart().curves.empty());
  QTest::mouseClick(w->findChild<QRadioButton*>("Option1(0)"), Qt::LeftButton, {}, QPoint(8, 8));
  ToolProgram::pick(w->findChild<QComboBox*>("Combo1"), "VX050N");
  QCOMPARE(model->chart().legend.size(), size_t{1});
  QVERIFY(model->chart().curves[0].points.back().x > 2000);
  ToolProgram::shot(w, "plate_analyse_reynolds");
  w->close();
}

void ToolWidgetsTest::plateGeometryComputesOnConfirm() {
  ToolProgram p;
  auto* model = p.session.windowAs<Muley>(Muley::kName);
  auto* w = new MuleyWidget(*model, p.session, p.host);
  w->setAttribute(Qt::WA_DeleteOnClose);
  w->show();
  QVERIFY(QTest::qWaitForWindowExposed(w));
  QTest::keyClicks(w->findChild<QLineEdit*>("Text1(8)"), "0.5");
  QTest::mouseClick(w->findChild<QPushButton*>("Command1"), Qt::LeftButton);
  // Nu = 131.34 with the published enlargement polynomial (see the engine test).
  QCOMPARE(w->findChild<QLineEdit*>("Text1(9)")->text(), QString(" 131.3401"));
  QCOMPARE(w->findChild<QLineEdit*>("Text1(11)")->text(), QString(" .1843125"));
  ToolProgram::shot(w, "muley");
  w->close();
}

void ToolWidgetsTest::plateAnalysisOpensModallyWithTheGeometryInside() {
  ToolProgram p;
  bool sawChart = false, sawGeometry = false;
  // The modal windows run their own loops: the person's steps come from timers.
  QTimer::singleShot(100, [&] {
    QWidget* chart = ToolProgram::topLevel("PlateAnalyse");
    sawChart = chart != nullptr;
    if (!chart) return;
    QTimer::singleShot(100, [&] {
      QWidget* geometry = ToolProgram::topLevel("Muley");
      sawGeometry = geometry != nullptr;
      if (geometry) geometry->close();  // its close box
      QTimer::singleShot(100, [&] {
        if (QWidget* c = ToolProgram::topLevel("PlateAnalyse"))
          QTest::mouseClick(c->findChild<QPushButton*>("Command1"), Qt::LeftButton);
      });
    });
    QTest::mouseClick(chart->findChild<QPushButton*>("Command3"), Qt::LeftButton);
  });
  p.menuAction("分析工具")->trigger();
  QVERIFY(sawChart);
  QVERIFY(sawGeometry);
  QVERIFY(!p.session.existing(PlateAnalyse::kName));
  QVERIFY(!p.session.existing(Muley::kName));
}

}  // namespace vx

QTEST_MAIN(vx::ToolWidgetsTest)
#include "tool_widgets_test.moc"

// The main window on the screen: menus, toolbar and caption follow the view model.
#include <QAction>
#include <QMenuBar>
#include <QToolBar>
#include <QtTest>

#include "app/session.h"
#include "support/temp_data.h"
#include "ui/main_frame.h"
#include "ui/qt_host.h"

namespace vx {

class MainFrameTest : public QObject {
  Q_OBJECT
 private slots:
  void startsWithTheCaptionMenusAndDisabledOutputs();
  void aResultEnablesTheOutputs();
};

static QAction* findMenuAction(QMainWindow& w, const QString& text) {
  for (QAction* top : w.menuBar()->actions())
    for (QAction* a : top->menu()->actions())
      if (a->text() == text) return a;
  return nullptr;
}

void MainFrameTest::startsWithTheCaptionMenusAndDisabledOutputs() {
  test::TempData data;
  QtHost host;
  Session session(host, data.dir());
  host.setSession(&session);
  MainFrame frame(session, host);
  QVERIFY(session.start());
  frame.show();
  host.refreshAll();
  QCOMPARE(frame.windowTitle(), QString("Veloxa 5.0"));
  QStringList titles;
  for (QAction* top : frame.menuBar()->actions()) titles << top->text();
  QCOMPARE(titles, QStringList({"文件(&F)", "标准", "设置", "工具", "窗口", "帮助"}));
  QAction* print = findMenuAction(frame, "打印");
  QVERIFY(print);
  QVERIFY(!print->isEnabled());
  QAction* putInto = findMenuAction(frame, "工况加入统计表");
  QVERIFY(putInto && putInto->isChecked());
  QCOMPARE(findMenuAction(frame, "新建(&N)")->shortcut(), QKeySequence("Ctrl+N"));

  QToolBar* bar = frame.findChild<QToolBar*>("tbToolBar");
  QVERIFY(bar);
  QCOMPARE(bar->actions().size(), 17);
  QVERIFY(bar->actions()[3]->isSeparator());
  QCOMPARE(bar->actions()[4]->toolTip(), QString("打印"));
  QVERIFY(!bar->actions()[4]->isEnabled());
  QVERIFY(bar->actions()[16]->toolTip().isEmpty() || bar->actions()[16]->toolTip() == bar->actions()[16]->text());

  // Toggling the statistics mark twice leaves it checked.
  putInto->trigger();
  QVERIFY(!putInto->isChecked());
  putInto->trigger();
  QVERIFY(putInto->isChecked());
}

void MainFrameTest::aResultEnablesTheOutputs() {
  test::TempData data;
  QtHost host;
  Session session(host, data.dir());
  host.setSession(&session);
  MainFrame frame(session, host);
  QVERIFY(session.start());
  ProduceResult(session.var(), session.main());
  host.refreshAll();
  QVERIFY(findMenuAction(frame, "打印")->isEnabled());
  QVERIFY(findMenuAction(frame, "导出至MS Word")->isEnabled());
  QToolBar* bar = frame.findChild<QToolBar*>("tbToolBar");
  QVERIFY(bar->actions()[5]->isEnabled());
  QVERIFY(bar->actions()[16]->isEnabled());
}

}  // namespace vx

QTEST_MAIN(vx::MainFrameTest)
#include "main_frame_test.moc"

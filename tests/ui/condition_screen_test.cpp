// The conditions window on the screen beside the design window: the design
// window sends the person back to a changed condition, and the conditions
// window comes to the front.
#include <QMdiArea>

#include "support/ui_program.h"

namespace vx {

class ConditionScreenTest : public QObject {
  Q_OBJECT
 private slots:
  void aChangedConditionComesToTheFrontOnce();
};

void ConditionScreenTest::aChangedConditionComesToTheFrontOnce() {
  ProgramWith<BoxHost> p;
  QVERIFY(p.started);
  QVERIFY(p.openDesign());
  // A key typed into the conditions withdraws the balance.
  QLineEdit* field = p.in<QLineEdit>("Condition", "TxtInput(3)");
  QVERIFY(field);
  QTest::mouseClick(field, Qt::LeftButton);
  QTest::keyClicks(field, "5");
  QVERIFY(!p.session.var().BalanceDone);
  // The person turns to the design window with the mouse.
  QMdiSubWindow* design = p.sub(DesignWindow::kName);
  QTest::mouseClick(design->widget(), Qt::LeftButton, {}, QPoint(5, 5));
  QTest::qWait(50);
  QCOMPARE(p.host.count(568), 1);
  QMdiSubWindow* condition = p.sub(Condition::kName);
  QCOMPARE(p.frame->mdiArea()->activeSubWindow(), condition);
  QCOMPARE(p.session.activeWindow(), std::string(Condition::kName));
  // On top: the last of the stacking order, and the focus inside it.
  QCOMPARE(p.frame->mdiArea()->subWindowList(QMdiArea::StackingOrder).last(), condition);
  // The focus of the main window (where it returns when the window system
  // gives the main window back its activation) is inside it.
  QVERIFY(p.frame->focusWidget() && condition->isAncestorOf(p.frame->focusWidget()));
}

}  // namespace vx

QTEST_MAIN(vx::ConditionScreenTest)
#include "condition_screen_test.moc"

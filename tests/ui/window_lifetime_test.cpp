// Windows closed by their own buttons, and windows that must come back after
// the person closed them.
#include <QDialog>
#include <QLabel>
#include <QMdiArea>
#include <QTimer>

#include "exchanger/check_result.h"
#include "exchanger/true_temp.h"
#include "support/ui_program.h"

namespace vx {

class WindowLifetimeTest : public QObject {
  Q_OBJECT
 private slots:
  void aboutClosesByMouseAndByEnter();
  void resultWindowsCloseByTheirButtons();
  void aClosedIntermediateDataWindowComesBack();
};

namespace {

// Opens the about window from the help menu and, while it runs modal, closes
// it through `close`. True when the window had opened.
bool runAbout(Program& p, const std::function<void(QDialog&)>& close) {
  bool seen = false;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!dialog) return;
    seen = dialog->objectName() == "about";
    close(*dialog);
  });
  p.menuAction("关于")->trigger();
  return seen;
}

// The program still holds its windows and refreshes them all.
void checkIntact(Program& p) {
  QVERIFY(p.session.existing(Condition::kName));
  QVERIFY(p.session.existing("OtherData"));
  QVERIFY(!p.session.ended());
  p.host.refreshAll();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // the closed widget goes
  p.host.refreshAll();
}

}  // namespace

void WindowLifetimeTest::aboutClosesByMouseAndByEnter() {
  Program p;
  QVERIFY(p.started);
  QVERIFY(runAbout(p, [](QDialog& d) { QTest::mouseClick(d.findChild<QPushButton*>(), Qt::LeftButton); }));
  QVERIFY(!p.session.existing("about"));
  checkIntact(p);
  QVERIFY(runAbout(p, [](QDialog& d) { QTest::keyClick(&d, Qt::Key_Return); }));
  QVERIFY(!p.session.existing("about"));
  checkIntact(p);
  QVERIFY(runAbout(p, [](QDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); }));
  checkIntact(p);
}

void WindowLifetimeTest::resultWindowsCloseByTheirButtons() {
  Program p;
  QVERIFY(p.started);
  for (const auto& [window, button] : {std::pair{CheckResult::kName, "Label3"}, std::pair{TrueTemp::kName, "Command6"}}) {
    p.session.showWindow(window, false);
    p.host.refreshAll();
    QAbstractButton* close = p.in<QAbstractButton>(window, button);
    QVERIFY2(close, window);
    QTest::mouseClick(close, Qt::LeftButton);
    QVERIFY2(!p.session.existing(window), window);
    checkIntact(p);
    QVERIFY(!p.window(window));
  }
}

// The person closes 详细数据; the next balance shows it again at the top
// right, filled, while the conditions window stays the active one.
void WindowLifetimeTest::aClosedIntermediateDataWindowComesBack() {
  Program p;
  QVERIFY(p.started);
  p.sub("OtherData")->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QVERIFY(!p.window("OtherData"));
  p.frame->mdiArea()->setActiveSubWindow(p.sub(Condition::kName));
  p.click(Condition::kName, "balance");
  QVERIFY(p.session.var().BalanceDone);
  QMdiSubWindow* back = p.sub("OtherData");
  QVERIFY(back && back->isVisible());
  QVERIFY(!p.in<QTableWidget>("OtherData", "MidData1")->item(1, 1)->text().isEmpty());
  QCOMPARE(back->geometry().right(), p.frame->mdiArea()->viewport()->width() - 1);
  QCOMPARE(p.frame->mdiArea()->activeSubWindow(), p.sub(Condition::kName));
  QCOMPARE(p.session.activeWindow(), std::string(Condition::kName));
}

}  // namespace vx

QTEST_MAIN(vx::WindowLifetimeTest)
#include "window_lifetime_test.moc"

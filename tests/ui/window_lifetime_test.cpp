// Windows closed by their own buttons, and windows that must come back after
// the person closed them.
#include <QDialog>
#include <QLabel>
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

}  // namespace vx

QTEST_MAIN(vx::WindowLifetimeTest)
#include "window_lifetime_test.moc"

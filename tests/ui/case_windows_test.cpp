// The customer information window and the stored-result view on the
// screen, and the desktop's setting store.
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSettings>
#include <QtTest>
#include <memory>

#include "app/case_file.h"
#include "app/frm_customer.h"
#include "app/session.h"
#include "exchanger/check_result.h"
#include "support/temp_data.h"
#include "support/ui_program.h"

namespace vx {

namespace {

void key(Program& p, const char* name) {
  Click(p.session.main().controls(), p.session.main().toolKey(name));
  p.host.refreshAll();
}

}  // namespace

class CaseWindowsTest : public QObject {
  Q_OBJECT
 private slots:
  void theCloseBoxHidesTheCustomerWindowWithItsTexts();
  void theResultViewShowsItsLabels();
  void theSettingStoreKeepsTheFolder();
};

void CaseWindowsTest::theCloseBoxHidesTheCustomerWindowWithItsTexts() {
  Program p;
  QVERIFY(p.started);
  key(p, "KeyCustomer");
  QWidget* w = p.window(FrmCustomer::kName);
  QVERIFY(w);
  auto* name = w->findChild<QLineEdit*>("custname");
  QVERIFY(name);
  QCOMPARE(w->findChild<QLineEdit*>("txtdate")->text(), QString::fromStdString(p.host.today()));
  QTest::keyClicks(name, "ACME");
  auto* sub = qobject_cast<QMdiSubWindow*>(w->parentWidget());
  QVERIFY(sub);
  QCOMPARE(sub->windowTitle(), QString("用户信息"));
  sub->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  FrmCustomer* model = p.session.existingAs<FrmCustomer>(FrmCustomer::kName);
  QVERIFY(model);
  QVERIFY(!model->visible);
  QCOMPARE(model->custname->text, std::string("ACME"));
  // Shown again, with the same texts; 确定 hides it.
  key(p, "KeyCustomer");
  w = p.window(FrmCustomer::kName);
  QVERIFY(w);
  QCOMPARE(w->findChild<QLineEdit*>("custname")->text(), QString("ACME"));
  QTest::mouseClick(w->findChild<QPushButton*>("Command1"), Qt::LeftButton);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QVERIFY(!p.window(FrmCustomer::kName));
  QCOMPARE(p.session.customer().custname->text, std::string("ACME"));
}

void CaseWindowsTest::theResultViewShowsItsLabels() {
  Program p;
  CheckResult* view = p.session.windowAs<CheckResult>(CheckResult::kName);
  std::vector<std::string> values;
  for (int i = 0; i < CheckResult::kValues; ++i) values.push_back("v" + std::to_string(i));
  view->fill(values, "KCal/h");
  p.session.showWindow(CheckResult::kName, false);
  p.host.refreshAll();
  QWidget* w = p.window(CheckResult::kName);
  QVERIFY(w);
  // Every value label is on the window, the customer name among them.
  int shown = 0;
  for (QLabel* l : w->findChildren<QLabel*>())
    if (l->text().startsWith("v")) ++shown;
  QCOMPARE(shown, CheckResult::kValues);
  bool unit = false;
  for (QLabel* l : w->findChildren<QLabel*>())
    if (l->text() == "KCal/h") unit = true;
  QVERIFY(unit);
}

void CaseWindowsTest::theSettingStoreKeepsTheFolder() {
  test::TempDir dir;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromStdString(dir.dir().string()));
  QtHost host;
  QCOMPARE(host.setting(kFolderSetting), std::string());
  QVERIFY(host.setSetting(kFolderSetting, "/home/工程师/cases"));
  QtHost again;
  QCOMPARE(again.setting(kFolderSetting), std::string("/home/工程师/cases"));
}

}  // namespace vx

QTEST_MAIN(vx::CaseWindowsTest)
#include "case_windows_test.moc"

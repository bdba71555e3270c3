// The settings window, the password window and the model editor on the
// screen: the in-place cell editor over its cell with its key filter, the
// password shown as stars, the explanation picture that a click hides.
// With VELOXA_SHOT_DIR set, each window is also saved there as a picture.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTableWidget>
#include <QTreeWidget>
#include <QtTest>

#include "app/session.h"
#include "common/file_io.h"
#include "common/text_file.h"
#include "settings/model_editor.h"
#include "settings/password_windows.h"
#include "settings/settings_window.h"
#include "support/temp_data.h"
#include "ui/qt_host.h"
#include "ui/settings_widgets.h"

namespace vx {
namespace {

class RecordingHost : public QtHost {
 public:
  Answer message(const std::string&, Icon, Buttons buttons, int id) override {
    ids.push_back(id);
    return buttons == Buttons::Ok ? Answer::Ok : Answer::Yes;
  }
  // The modal windows are built by the test itself.
  void showWindow(const std::string& name, bool) override { shownWindows.push_back(name); }
  std::vector<int> ids;
  std::vector<std::string> shownWindows;
};

void shot(QWidget& w, const char* name) {
  const QByteArray dir = qgetenv("VELOXA_SHOT_DIR");
  if (!dir.isEmpty()) w.grab().save(QString::fromUtf8(dir) + "/" + name + ".png");
}

}  // namespace

class SettingsWindowsTest : public QObject {
  Q_OBJECT
 private slots:
  void theCellEditorSitsOnItsCellAndIsCommittedBySave();
  void thePasswordIsHiddenAndOpensTheEditor();
  void theEditorShowsAndHidesThePicture();
};

void SettingsWindowsTest::theCellEditorSitsOnItsCellAndIsCommittedBySave() {
  test::TempData data;
  RecordingHost host;
  Session session(host, data.dir());
  host.setSession(&session);
  auto* model = session.windowAs<SettingsWindow>(SettingsWindow::kName);
  QVERIFY(model);
  SettingsDialog dialog(*model, session, host);
  dialog.show();
  QVERIFY(QTest::qWaitForWindowExposed(&dialog));
  shot(dialog, "Defdata-1");

  auto* tabs = dialog.findChild<QTabBar*>("TabStrip1");
  QCOMPARE(tabs->tabText(1), QString("详细数据"));
  tabs->setCurrentIndex(1);
  auto* tree = dialog.findChild<QTreeWidget*>("TreeView1");
  QTreeWidgetItem* materials = tree->topLevelItem(0)->child(0);
  QCOMPARE(materials->text(0), QString("板片材料"));
  QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(materials).center());
  auto* grid = dialog.findChild<QTableWidget*>("MSFlexGrid1(0)");
  QVERIFY(grid->isVisible());
  QTest::qWait(20);  // the layout places the table that became visible
  QVERIFY(!dialog.findChild<QTableWidget*>("MSFlexGrid1(1)")->isVisible());
  shot(dialog, "Defdata-2");

  const QRect cell = grid->visualRect(grid->model()->index(2, 1));
  // A click makes it the current cell; the double click opens the editor.
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
  QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
  auto* editor = dialog.findChild<QLineEdit*>("Text2");
  QVERIFY(editor->isVisible());
  QCOMPARE(editor->parentWidget(), grid->viewport());
  QVERIFY(cell.contains(editor->geometry().center()));
  QCOMPARE(editor->text(), QString::fromStdString(model->MSFlexGrid1[0]->grid.cell(2, 1)));
  editor->selectAll();
  QTest::keyClicks(editor, "2x5.5");  // the conductivity column takes digits, "-" and "."
  QCOMPARE(editor->text(), QString("25.5"));
  shot(dialog, "Defdata-edit");
  // The save button takes the focus from the editor, which commits the cell first.
  QTest::mouseClick(dialog.findChild<QPushButton*>("Command1"), Qt::LeftButton);
  QCOMPARE(host.ids.back(), 439);
  QVERIFY(!editor->isVisible());
  auto lines = splitTextLines(readFileBytes(data.file(kOptionListFile)).value_or(""));
  QCOMPARE(QString::fromStdString(lines[1]).section('|', 2, 2), QString("25.5"));
}

void SettingsWindowsTest::thePasswordIsHiddenAndOpensTheEditor() {
  test::TempData data;
  RecordingHost host;
  Session session(host, data.dir());
  host.setSession(&session);
  auto* model = session.windowAs<PasswordWindow>(PasswordWindow::kName);
  PasswordDialog dialog(*model, session, host);
  dialog.show();
  QVERIFY(QTest::qWaitForWindowExposed(&dialog));
  auto* text = dialog.findChild<QLineEdit*>("Text1");
  QCOMPARE(text->echoMode(), QLineEdit::Password);
  QCOMPARE(dialog.windowTitle(), QString("设置密码"));
  QTest::keyClicks(text, "7139");
  shot(dialog, "PWData");
  QTest::mouseClick(dialog.findChild<QPushButton*>("Command1(0)"), Qt::LeftButton);
  QCOMPARE(host.shownWindows, std::vector<std::string>{ModelEditor::kName});

  auto* change = session.windowAs<ChangePasswordWindow>(ChangePasswordWindow::kName);
  ChangePasswordDialog changeDialog(*change, session, host);
  changeDialog.show();
  QVERIFY(QTest::qWaitForWindowExposed(&changeDialog));
  shot(changeDialog, "chpassword");
  QCOMPARE(changeDialog.findChild<QLineEdit*>("Text1(2)")->echoMode(), QLineEdit::Password);
}

void SettingsWindowsTest::theEditorShowsAndHidesThePicture() {
  test::TempData data;
  RecordingHost host;
  Session session(host, data.dir());
  host.setSession(&session);
  auto* model = session.windowAs<ModelEditor>(ModelEditor::kName);
  ModelEditorDialog dialog(*model, session, host);
  dialog.show();
  QVERIFY(QTest::qWaitForWindowExposed(&dialog));
  QCOMPARE(dialog.windowTitle(), QString("数据管理"));
  shot(dialog, "newproduct");
  auto* picture = dialog.findChild<QLabel*>("Picture1");
  QVERIFY(!picture->isVisible());
  QTest::mouseClick(dialog.findChild<QPushButton*>("Command8"), Qt::LeftButton);
  QVERIFY(picture->isVisible());
  QVERIFY(!picture->pixmap().isNull());
  shot(dialog, "newproduct-picture");
  QTest::mouseClick(picture, Qt::LeftButton);
  QVERIFY(!picture->isVisible());
  // A correlation caption shows it as well.
  QTest::mouseClick(dialog.findChild<QLabel*>("LblCorr(6)"), Qt::LeftButton);
  QVERIFY(picture->isVisible());
}

}  // namespace vx

QTEST_MAIN(vx::SettingsWindowsTest)
#include "settings_windows_test.moc"

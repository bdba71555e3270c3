// The settings windows on the screen, opened from the menu as modal dialogs
// and closed by their own buttons: the in-place cell editor over its cell
// with its key filter, committed by the save; the password shown as stars
// that opens the editor; the explanation picture that a click hides.
#include <QLabel>
#include <QLineEdit>
#include <QTreeWidget>
#include <functional>

#include "common/file_io.h"
#include "settings/model_editor.h"
#include "settings/password_windows.h"
#include "settings/settings_window.h"
#include "support/ui_program.h"

namespace vx {
namespace {

// Runs `act` on the modal window of that name once it is up.
void whenUp(const char* name, std::function<void(QWidget*)> act) {
  QTimer::singleShot(50, [name, act] {
    QWidget* w = QApplication::activeModalWidget();
    if (w && w->objectName() == name) return act(w);
    qWarning("the modal window is %s, not %s", w ? qPrintable(w->objectName()) : "none", name);
    if (w) w->close();
  });
}

void press(QWidget* w, const char* button) { QTest::mouseClick(w->findChild<QAbstractButton*>(button), Qt::LeftButton); }

}  // namespace

class SettingsRoadTest : public QObject {
  Q_OBJECT
 private slots:
  void theCellEditorSitsOnItsCellAndTheSaveCommitsIt();
  void thePasswordOpensTheEditorWithItsPicture();
};

void SettingsRoadTest::theCellEditorSitsOnItsCellAndTheSaveCommitsIt() {
  ProgramWith<RecordingHost> p;
  bool checked = false;
  whenUp("Defdata", [&](QWidget* w) {
    w->findChild<QTabBar*>("TabStrip1")->setCurrentIndex(1);
    auto* tree = w->findChild<QTreeWidget*>("TreeView1");
    QTreeWidgetItem* materials = tree->topLevelItem(0)->child(0);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(materials).center());
    QTest::qWait(20);  // the layout places the table that became visible
    auto* grid = w->findChild<QTableWidget*>("MSFlexGrid1(0)");
    const QRect cell = grid->visualRect(grid->model()->index(2, 1));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    auto* editor = w->findChild<QLineEdit*>("Text2");
    checked = editor->isVisible() && editor->parentWidget() == grid->viewport() &&
              cell.contains(editor->geometry().center());
    editor->selectAll();
    QTest::keyClicks(editor, "2x5.5");  // the conductivity column takes digits, "-" and "."
    checked = checked && editor->text() == "25.5";
    // The save button takes the focus from the editor, which commits the cell first.
    press(w, "Command1");
    checked = checked && !editor->isVisible();
    press(w, "Command2");
  });
  p.menuAction("参数设定")->trigger();
  QVERIFY(checked);
  QCOMPARE(p.host.ids, std::vector<int>{439});
  QCOMPARE(p.session.existing(SettingsWindow::kName), nullptr);
  const std::string file = readFileBytes(p.data.file(kOptionListFile)).value_or("");
  QVERIFY(file.find("|25.5|13.0|") != std::string::npos);
}

void SettingsRoadTest::thePasswordOpensTheEditorWithItsPicture() {
  ProgramWith<RecordingHost> p;
  bool stars = false, picture = false, changeUp = false;
  whenUp("PWData", [&](QWidget* w) {
    auto* text = w->findChild<QLineEdit*>("Text1");
    stars = text->echoMode() == QLineEdit::Password;
    QTest::keyClicks(text, "7139");
    whenUp("newproduct", [&](QWidget* editor) {
      auto* shown = editor->findChild<QLabel*>("Picture1");
      press(editor, "Command8");
      picture = shown->isVisible() && !shown->pixmap().isNull();
      QTest::mouseClick(shown, Qt::LeftButton);
      picture = picture && !shown->isVisible();
      QTest::mouseClick(editor->findChild<QLabel*>("LblCorr(6)"), Qt::LeftButton);  // a caption shows it too
      picture = picture && shown->isVisible();
      whenUp("chpassword", [&](QWidget* change) {
        changeUp = change->findChild<QLineEdit*>("Text1(2)")->echoMode() == QLineEdit::Password;
        press(change, "Command2");
      });
      press(editor, "Command9");
      press(editor, "Command4");
    });
    QTest::keyClick(text, Qt::Key_Return);  // presses 确定
  });
  p.menuAction("数据管理")->trigger();
  QVERIFY(stars);
  QVERIFY(picture);
  QVERIFY(changeUp);
  for (const char* name : {PasswordWindow::kName, ModelEditor::kName, ChangePasswordWindow::kName})
    QCOMPARE(p.session.existing(name), nullptr);
  QVERIFY(p.host.ids.empty());
}

}  // namespace vx

QTEST_MAIN(vx::SettingsRoadTest)
#include "settings_road_test.moc"

// The settings windows opened from the main window's menu as modal dialogs:
// the settings window, and 数据管理 through the password window into the
// model editor and its password change, each closed by its own button.
// With VELOXA_SHOT_DIR set under a real X server, the screen is saved there
// while each window is up.
#include <QLineEdit>
#include <QProcess>
#include <functional>

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
    if (!w || w->objectName() != name) {
      qWarning("the modal window is %s, not %s", w ? qPrintable(w->objectName()) : "none", name);
      if (w) w->close();
      return;
    }
    const QByteArray dir = qgetenv("VELOXA_SHOT_DIR");
    if (!dir.isEmpty() && qgetenv("QT_QPA_PLATFORM") != "offscreen")
      QProcess::execute("import", {"-window", "root", QString::fromUtf8(dir) + "/screen-" + name + ".png"});
    act(w);
  });
}

void press(QWidget* w, const char* button) { QTest::mouseClick(w->findChild<QAbstractButton*>(button), Qt::LeftButton); }

}  // namespace

class SettingsRoadTest : public QObject {
  Q_OBJECT
 private slots:
  void theMenuOpensEachWindowModallyAndItsButtonsCloseIt();
};

void SettingsRoadTest::theMenuOpensEachWindowModallyAndItsButtonsCloseIt() {
  ProgramWith<RecordingHost> p;
  QVERIFY(p.started);
  bool settingsUp = false;
  whenUp("Defdata", [&](QWidget* w) {
    settingsUp = true;
    press(w, "Command4");
  });
  p.menuAction("参数设定")->trigger();
  QVERIFY(settingsUp);
  QCOMPARE(p.session.existing(SettingsWindow::kName), nullptr);

  // 数据管理: the password window, then the editor, then its password change.
  bool editorUp = false, changeUp = false;
  whenUp("PWData", [&](QWidget* w) {
    QTest::keyClicks(w->findChild<QLineEdit*>("Text1"), "7139");
    whenUp("newproduct", [&](QWidget* editor) {
      editorUp = true;
      whenUp("chpassword", [&](QWidget* change) {
        changeUp = true;
        press(change, "Command2");
      });
      press(editor, "Command9");
      press(editor, "Command4");
    });
    press(w, "Command1(0)");
  });
  p.menuAction("数据管理")->trigger();
  QVERIFY(editorUp);
  QVERIFY(changeUp);
  QVERIFY(p.session.existing(PasswordWindow::kName) == nullptr);
  QVERIFY(p.session.existing(ModelEditor::kName) == nullptr);
  QVERIFY(p.session.existing(ChangePasswordWindow::kName) == nullptr);
  QVERIFY(p.host.ids.empty());
}

}  // namespace vx

QTEST_MAIN(vx::SettingsRoadTest)
#include "settings_road_test.moc"

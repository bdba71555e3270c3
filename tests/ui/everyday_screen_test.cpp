// An engineer's day through the widgets: the company texts edited where the
// person clicks, printing after a closed preview, messages over the modal
// window that asks, the result view inside the workspace and the component
// chooser that finds a substance by a part of its name.
#include <QAbstractProxyModel>
#include <QCompleter>
#include <QDialog>
#include <QListView>
#include <QMdiArea>
#include <QTreeWidget>
#include <QWheelEvent>

#include "common/record_file.h"
#include "exchanger/check_result.h"
#include "properties/property_window.h"
#include "reports/install.h"
#include "reports/outputs.h"
#include "settings/company_record.h"
#include "settings/frm_co_infor.h"
#include "support/ui_program.h"
#include "ui/property_dialog.h"
#include "ui/report_widgets.h"

namespace vx {

namespace {

// Records each message with the window its box stands over, then presses
// "No" (or OK): the output commands stop after their question.
class ParentHost : public QtHost {
 public:
  Answer message(const std::string& text, Icon icon, Buttons buttons, int id) override {
    ids.push_back(id);
    QTimer::singleShot(0, [this] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return;
      parents.push_back(box->parentWidget() ? box->parentWidget()->objectName() : QString());
      QAbstractButton* no = box->button(QMessageBox::No);
      (no ? no : box->button(QMessageBox::Ok))->click();
    });
    return QtHost::message(text, icon, buttons, id);
  }
  bool shown(int id) const { return std::find(ids.begin(), ids.end(), id) != ids.end(); }
  std::vector<int> ids;
  QStringList parents;
};

// Types any text, one key a character, as an input method hands it over.
void typeText(QWidget* w, const QString& text) {
  for (const QChar ch : text) QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

QWidget* visibleTopLevel(const char* name) {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == name && w->isVisible()) return w;
  return nullptr;
}

}  // namespace

class EverydayScreenTest : public QObject {
  Q_OBJECT
 private slots:
  void companyTextsGrowWhereThePersonClicks();
  void printAfterAClosedPreviewAsksItsQuestion();
  void aMessageOfTheSettingsStandsOverThem();
  void theResultViewFitsTheWorkspace();
  void theComponentChooserFindsBenzeneByAnyName();
};

void EverydayScreenTest::companyTextsGrowWhereThePersonClicks() {
  Program p;
  QVERIFY(WriteCompanyRecord(p.data.dir(), {"华东热设备有限公司", "一号路A栋", "111", "222", "200000"}));
  auto* model = p.session.windowAs<FrmCoInfor>(FrmCoInfor::kName);
  QVERIFY(model);
  auto* dialog = new CoInforDialog(*model, p.session, p.host);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->show();
  QApplication::setActiveWindow(dialog);
  QVERIFY(QTest::qWaitForWindowActive(dialog));
  auto* name = dialog->findChild<QLineEdit*>("Text1(0)");
  auto* address = dialog->findChild<QLineEdit*>("Text1(1)");
  QVERIFY(name && address);
  // The texts without the record's padding, shown from their start.
  QCOMPARE(name->text(), QString("华东热设备有限公司"));
  QCOMPARE(name->cursorPosition(), 0);
  QCOMPARE(address->text(), QString("一号路A栋"));
  // A click behind the text puts the caret there; what is typed is added.
  QTest::mouseClick(address, Qt::LeftButton, {}, QPoint(address->width() - 6, address->height() / 2));
  QCoreApplication::processEvents();
  QVERIFY(address->hasFocus());
  QVERIFY(!address->hasSelectedText());
  typeText(address, "B座");
  QCOMPARE(address->text(), QString("一号路A栋B座"));
  QTest::mouseClick(dialog->findChild<QPushButton*>("Command1(0)"), Qt::LeftButton);
  QVERIFY(p.host.shown(439));
  const auto saved = ReadCompanyRecord(p.data.dir());
  QVERIFY(saved);
  QCOMPARE(trimField(saved->Address), std::string("一号路A栋B座"));
  QCOMPARE(trimField(saved->CompanyName), std::string("华东热设备有限公司"));
  dialog->close();
}

void EverydayScreenTest::printAfterAClosedPreviewAsksItsQuestion() {
  ProgramWith<ParentHost> p;
  InstallReports(p.session);
  QVERIFY(p.checkedResult());
  MainWindow& m = p.session.main();
  Click(m.controls(), m.toolKey("KeyPreview"));
  p.host.refreshAll();
  QWidget* preview = visibleTopLevel(Preview::kName);
  QVERIFY(preview);
  // The wheel over the page scrolls it.
  QWidget* page = preview->findChild<QWidget*>("pic1");
  QVERIFY(page);
  const QPointF at(50, 50);
  QWheelEvent wheel(at, page->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                    Qt::NoScrollPhase, false);
  QApplication::sendEvent(page, &wheel);
  QVERIFY(p.session.existingAs<Preview>(Preview::kName)->scroll() > 0);
  QTest::mouseClick(preview->findChild<QPushButton*>("Command3"), Qt::LeftButton);
  QVERIFY(!p.session.existing(Preview::kName));
  QApplication::setActiveWindow(p.frame.get());
  QCoreApplication::processEvents();
  // The design window is still the workspace's active child: 打印 asks about
  // the missing customer texts (answered No, so nothing is printed).
  p.host.ids.clear();
  QAction* print = p.menuAction("打印");
  QVERIFY(print && print->isEnabled());
  print->trigger();
  QVERIFY(p.host.shown(507));
}

void EverydayScreenTest::aMessageOfTheSettingsStandsOverThem() {
  ProgramWith<ParentHost> p;
  QString asked;
  QTimer::singleShot(0, [&] {
    QWidget* settings = QApplication::activeModalWidget();
    if (!settings) return;
    asked = settings->objectName();
    // 保存 of the preset page confirms with a message box.
    if (auto* save = settings->findChild<QPushButton*>("Command5")) QTest::mouseClick(save, Qt::LeftButton);
    settings->close();
  });
  QAction* presets = p.menuAction("参数设定");
  QVERIFY(presets);
  presets->trigger();
  QCOMPARE(asked, QString("Defdata"));
  QVERIFY(!p.host.parents.isEmpty());
  QCOMPARE(p.host.parents.first(), QString("Defdata"));
}

void EverydayScreenTest::theResultViewFitsTheWorkspace() {
  Program p;
  p.frame->resize(1000, 560);
  QCoreApplication::processEvents();
  auto* view = p.session.windowAs<CheckResult>(CheckResult::kName);
  std::vector<std::string> values(CheckResult::kValues, "1");
  view->fill(values, "KW");
  p.session.showWindow(CheckResult::kName, false);
  p.host.refreshAll();
  QCoreApplication::processEvents();
  QMdiSubWindow* sub = p.sub(CheckResult::kName);
  QVERIFY(sub);
  QWidget* workspace = p.frame->mdiArea()->viewport();
  QVERIFY2(sub->geometry().bottom() <= workspace->height(), "the window ends inside the workspace");
  auto* exit = p.in<QPushButton>(CheckResult::kName, "Label3");
  QVERIFY(exit && exit->isVisible());
  const QRect onWorkspace(exit->mapTo(workspace, QPoint(0, 0)), exit->size());
  QVERIFY2(workspace->rect().contains(onWorkspace), "退出 is in sight");
  QTest::mouseClick(exit, Qt::LeftButton);
  QVERIFY(!p.session.existing(CheckResult::kName));
}

void EverydayScreenTest::theComponentChooserFindsBenzeneByAnyName() {
  Program p;
  bool found = false, byEnglish = false;
  QTimer::singleShot(0, [&] {
    QWidget* d = visibleTopLevel("property");
    if (!d) return;
    auto* tree = d->findChild<QTreeWidget*>("TreeView1");
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(tree->topLevelItem(2)).center());
    auto* search = d->findChild<QLineEdit*>("componentSearch");
    auto* names = d->findChild<QComboBox*>("Combo7");
    if (!search || !names) return;
    search->setFocus();
    typeText(search, "苯");
    QCompleter* completer = search->completer();
    QAbstractItemView* popup = completer->popup();
    // Every listed entry holds the typed text; benzene itself among them.
    int benzene = -1;
    for (int r = 0; r < completer->completionModel()->rowCount(); ++r) {
      const QString t = completer->completionModel()->index(r, 0).data().toString();
      if (!t.contains("苯")) return;
      if (t.section("  ", 0, 0) == "苯") benzene = r;
    }
    if (benzene < 0 || !popup->isVisible()) return;
    const QModelIndex index = completer->completionModel()->index(benzene, 0);
    popup->scrollTo(index);
    QTest::mouseClick(popup->viewport(), Qt::LeftButton, {}, popup->visualRect(index).center());
    found = names->currentText() == "苯";
    // The English name leads there too, in any letter case.
    search->clear();
    QTest::keyClicks(search, "BENZENE");
    byEnglish = completer->completionModel()->rowCount() >= 1 &&
                completer->completionModel()->index(0, 0).data().toString().contains("enzene");
    if (popup->isVisible()) popup->hide();
    d->close();
  });
  p.click("Condition", "Command3");
  QVERIFY(found);
  QVERIFY(byEnglish);
}

}  // namespace vx

QTEST_MAIN(vx::EverydayScreenTest)
#include "everyday_screen_test.moc"

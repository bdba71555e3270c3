// The conditions window on the screen beside the design window: the design
// window sends the person back to a changed condition, and the conditions
// window comes to the front.
#include <QLabel>
#include <QMdiArea>

#include "conditions/other_data.h"
#include "ui/translations.h"

#include "support/ui_program.h"

namespace vx {

class ConditionScreenTest : public QObject {
  Q_OBJECT
 private slots:
  void aChangedConditionComesToTheFrontOnce();
  void longNotesNeverCoverTheGrid();
  void theProgramSpeaksChinese();
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

void ConditionScreenTest::longNotesNeverCoverTheGrid() {
  Program p;
  QVERIFY(p.started);
  auto* od = p.session.existingAs<OtherData>("OtherData");
  auto* grid = p.in<QTableWidget>("OtherData", "MidData1");
  auto* notes = p.in<QLabel>("OtherData", "Label1");
  for (const char* text : {"一", "一\n二\n三\n四", "一\n二\n三\n四\n五\n六"}) {
    od->notes().text = text;
    p.host.refreshAll();
    QApplication::processEvents();
    // The last row lies inside the grid's viewport, and the notes frame and
    // its label lie below the grid, inside the window.
    QVERIFY(grid->visualRect(grid->model()->index(14, 0)).bottom() < grid->viewport()->height());
    QWidget* frame = notes->parentWidget();
    QVERIFY2(frame->geometry().top() > grid->geometry().bottom(), text);
    QVERIFY2(notes->height() >= notes->sizeHint().height(), text);
    QVERIFY2(frame->geometry().bottom() < frame->parentWidget()->height(), text);
  }
}

// Qt's own buttons, the date, the greyed steam caption and the model list.
void ConditionScreenTest::theProgramSpeaksChinese() {
  QVERIFY(InstallChineseTranslations(*qApp));
  QMessageBox box;
  box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel | QMessageBox::Ok);
  QVERIFY(box.button(QMessageBox::Yes)->text().startsWith("是"));
  QVERIFY(box.button(QMessageBox::No)->text().startsWith("否"));
  QVERIFY(box.button(QMessageBox::Cancel)->text().startsWith("取消"));
  QVERIFY(box.button(QMessageBox::Ok)->text().startsWith("确定"));
  QCOMPARE(ChineseShortDate(QDate(2026, 12, 9)), QString("2026/12/9"));

  Program p;
  QVERIFY(p.started);
  // The steam-pressure caption greys with its field, though it is coloured.
  auto* caption = p.in<QLabel>("Condition", "Label9(4)");
  QCOMPARE(caption->text(), QString("蒸汽压力"));
  QVERIFY(!caption->isEnabled());
  QCOMPARE(caption->palette().color(QPalette::Disabled, QPalette::WindowText),
           QApplication::palette().color(QPalette::Disabled, QPalette::WindowText));
  // The model list opens as about 20 rows, not as tall as the catalogue.
  QVERIFY(p.openDesign());
  auto* models = p.in<QComboBox>(DesignWindow::kName, "cbotype");
  QVERIFY(models->count() > 25);
  models->showPopup();
  QAbstractItemView* view = models->view();
  const int row = view->sizeHintForRow(0);
  QVERIFY2(view->height() <= 21 * row, qPrintable(QString("%1 rows of %2").arg(view->height()).arg(row)));
  models->hidePopup();
}

}  // namespace vx

QTEST_MAIN(vx::ConditionScreenTest)
#include "condition_screen_test.moc"

// The property window on the screen: opened modally from the conditions
// window, a common fluid adopted for circuit A, a self-built medium for
// circuit B, and a close by the title bar that adopts nothing.
#include <QDialog>
#include <QListWidget>
#include <QTreeWidget>
#include <functional>

#include "common/number_text.h"
#include "common/record_file.h"
#include "properties/property_window.h"
#include "support/ui_program.h"

namespace vx {

namespace {

Condition& condition(Program& p) { return *p.session.existingAs<Condition>(Condition::kName); }

// Clicks a button of the conditions window that opens the modal property
// window, and works in it while it is open.
void withPropertyWindow(Program& p, const char* button, std::function<void(QDialog&)> work) {
  QTimer::singleShot(0, [work] {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (auto* dialog = qobject_cast<QDialog*>(w); dialog && w->objectName() == "property" && w->isVisible()) {
        work(*dialog);
        return;
      }
    }
  });
  p.click("Condition", button);
}

void clickRow(QAbstractItemView* view, int row) {
  QRect r = view->visualRect(view->model()->index(row, 0));
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, r.center());
}

void shoot(QWidget& w, const char* name) {
  const QByteArray dir = qgetenv("VELOXA_SHOTS");
  QCoreApplication::processEvents();
  if (!dir.isEmpty()) w.grab().save(QString::fromUtf8(dir) + "/" + name + ".png");
}

}  // namespace

class PropertyDialogTest : public QObject {
  Q_OBJECT
 private slots:
  void commonFluidForCircuitA() {
    Program p;
    bool worked = false;
    withPropertyWindow(p, "Command3", [&](QDialog& d) {
      auto* tree = d.findChild<QTreeWidget*>("TreeView1");
      QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(tree->topLevelItem(1)).center());
      auto* list = d.findChild<QListWidget*>("List2");
      if (!list || list->count() != 20) return;
      clickRow(list, 2);  // ethylene glycol / water
      QTest::keyClicks(d.findChild<QLineEdit*>("Text2(0)"), "3a0");  // the letter is refused
      QTest::keyClicks(d.findChild<QLineEdit*>("Text2(1)"), "20");
      QTest::mouseClick(d.findChild<QPushButton*>("Command5"), Qt::LeftButton);
      shoot(d, "property-common");
      worked = d.findChild<QLineEdit*>("pdensity")->text() == "1041.37";
      QTest::mouseClick(d.findChild<QPushButton*>("Command3"), Qt::LeftButton);
    });
    QVERIFY(worked);
    QCOMPARE(p.session.existing(PropertyWindow::kName), nullptr);
    QCOMPARE(trimField(condition(p).cbomedium1->text), std::string("乙二醇水溶液"));
    QCOMPARE(p.session.var().MediumProp(kDensity, kCircuitA), 1041.37f);
    QCOMPARE(p.in<QComboBox>("Condition", "cbomedium1")->placeholderText(), QString("乙二醇水溶液"));
    shoot(*p.frame, "conditions-after-adopting");
  }

  void selfBuiltMediumForCircuitB() {
    Program p;
    bool worked = false;
    withPropertyWindow(p, "Command4", [&](QDialog& d) {
      QTest::keyClicks(d.findChild<QLineEdit*>("MassName"), "Oil");
      auto* grid = d.findChild<QTableWidget*>("MyDataGrid");
      const char* values[7][3] = {{"20", "40", "60"}, {"880", "870", "860"}, {"0", "0", "0"},
                                  {"1.9", "1.95", "2"}, {"0.13", "0.129", "0.128"}, {"12", "8", "5.5"},
                                  {"0", "0", "0"}};
      for (int r = 1; r <= 7; ++r)
        for (int c = 1; c <= 3; ++c) {
          grid->setCurrentCell(r, c);
          QTest::keyClicks(grid, values[r - 1][c - 1]);
        }
      QTest::mouseClick(d.findChild<QPushButton*>("Command1"), Qt::LeftButton);
      grid->setCurrentCell(1, 4);
      QTest::keyClicks(grid, "40");
      shoot(d, "property-self");
      worked = grid->item(2, 4)->text() == "870" && grid->item(1, 1)->text() == "20";
      QTest::mouseClick(d.findChild<QPushButton*>("Command3"), Qt::LeftButton);
    });
    QVERIFY(worked);
    QCOMPARE(p.session.var().MediumProp(kViscosity, kCircuitB), 8.0f);
    QCOMPARE(p.session.var().MediumStateB, static_cast<short>(kStateAdoptedLiquid));

    // Ethanol for circuit A, then the balance and a design of VX038N.
    worked = false;
    withPropertyWindow(p, "Command3", [&](QDialog& d) {
      auto* tree = d.findChild<QTreeWidget*>("TreeView1");
      QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(tree->topLevelItem(1)).center());
      clickRow(d.findChild<QListWidget*>("List2"), 4);
      QTest::keyClicks(d.findChild<QLineEdit*>("Text2(1)"), "60");
      QTest::mouseClick(d.findChild<QPushButton*>("Command5"), Qt::LeftButton);
      worked = !d.findChild<QLineEdit*>("pviscosity")->text().isEmpty();
      QTest::mouseClick(d.findChild<QPushButton*>("Command3"), Qt::LeftButton);
    });
    QVERIFY(worked);
    QCOMPARE(trimField(condition(p).cbomedium1->text), std::string("乙醇"));
    // Within the 110 C of the nitrile gasket chosen for other media.
    QLineEdit* designTemperature = p.in<QLineEdit>("Condition", "TxtInput(13)");
    designTemperature->selectAll();
    QTest::keyClicks(designTemperature, "110");
    QVERIFY(p.openDesign());
    QVERIFY(p.pickModel("VX038N"));
    p.click("detail", "Command2");
    QVERIFY(p.session.var().ResultAvailable);
    QVERIFY(!p.in<QLineEdit>("detail", "txtarea")->text().isEmpty());
  }

  void dataBankAndTitleBarClose() {
    Program p;
    bool worked = false;
    withPropertyWindow(p, "Command3", [&](QDialog& d) {
      auto* tree = d.findChild<QTreeWidget*>("TreeView1");
      QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(tree->topLevelItem(2)).center());
      auto* names = d.findChild<QComboBox*>("Combo7");
      if (!names || names->count() != 818) return;
      names->setCurrentIndex(399);
      emit names->activated(399);  // benzene
      QTest::mouseClick(d.findChild<QPushButton*>("Command12"), Qt::LeftButton);
      auto* mix = d.findChild<QTableWidget*>("DpGridMix");
      QTest::mouseClick(mix->viewport(), Qt::LeftButton, {}, mix->visualItemRect(mix->item(1, 0)).center());
      shoot(d, "property-bank");
      auto* info = d.findChild<QTableWidget*>("DpGrid");
      worked = info->isVisible() && info->item(2, 1)->text() == "Benzene";
      // Typing the temperature moves the focus off the list: the estimates show.
      auto* temperature = d.findChild<QLineEdit*>("Text8");
      temperature->setFocus();
      QTest::keyClick(temperature, Qt::Key_End);  // the field shows its start: to its end first
      QTest::keyClick(temperature, Qt::Key_Backspace);
      QTest::keyClicks(temperature, "3");
      auto* estimates = d.findChild<QTableWidget*>("DpGridMixData");
      shoot(d, "property-estimates");
      worked = worked && estimates->isVisible() && estimates->item(3, 1)->text() == "1.609";
      d.close();  // the title bar
    });
    QVERIFY(worked);
    QCOMPARE(p.session.existing(PropertyWindow::kName), nullptr);
    QCOMPARE(condition(p).cbomedium1->text, std::string("水"));
  }
};

}  // namespace vx

QTEST_MAIN(vx::PropertyDialogTest)
#include "property_dialog_test.moc"

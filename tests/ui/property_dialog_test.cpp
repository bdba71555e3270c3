// The property window on the screen: opened modally from the conditions
// window, a common fluid adopted for circuit A, a self-built medium for
// circuit B, and a close by the title bar that adopts nothing.
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>
#include <functional>
#include <memory>

#include "app/session.h"
#include "common/number_text.h"
#include "common/record_file.h"
#include "conditions/condition.h"
#include "properties/property_window.h"
#include "support/temp_data.h"
#include "ui/main_frame.h"
#include "ui/qt_host.h"
#include "ui/widget_registry.h"

namespace vx {

namespace {

class RecordingHost : public QtHost {
 public:
  Answer message(const std::string&, Icon, Buttons buttons, int id) override {
    ids.push_back(id);
    return buttons == Buttons::Ok || buttons == Buttons::OkCancel ? Answer::Ok : Answer::Yes;
  }
  std::vector<int> ids;
};

struct Program {
  Program() : session(host, data.dir()) {
    host.setSession(&session);
    registerWidgets(host);
    frame = std::make_unique<MainFrame>(session, host);
    session.start();
    frame->show();
    host.refreshAll();
  }
  template <typename T>
  T* inCondition(const char* name) const {
    QWidget* w = frame->findChild<QWidget*>("Condition");
    return w ? w->findChild<T*>(name) : nullptr;
  }
  Condition& condition() { return *session.existingAs<Condition>(Condition::kName); }

  // Clicks a button of the conditions window that opens the modal property
  // window, and works in it while it is open.
  void withPropertyWindow(const char* button, std::function<void(QDialog&)> work) {
    QTimer::singleShot(0, [work] {
      for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* dialog = qobject_cast<QDialog*>(w); dialog && w->objectName() == "property" && w->isVisible()) {
          work(*dialog);
          return;
        }
      }
    });
    QTest::mouseClick(inCondition<QPushButton>(button), Qt::LeftButton);
  }

  test::TempData data;
  RecordingHost host;
  Session session;
  std::unique_ptr<MainFrame> frame;
};

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
    p.withPropertyWindow("Command3", [&](QDialog& d) {
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
    QCOMPARE(trimField(p.condition().cbomedium1->text), std::string("乙二醇水溶液"));
    QCOMPARE(p.session.var().MediumProp(kDensity, kCircuitA), 1041.37f);
    QCOMPARE(p.inCondition<QComboBox>("cbomedium1")->placeholderText(), QString("乙二醇水溶液"));
    shoot(*p.frame, "conditions-after-adopting");
  }

  void selfBuiltMediumForCircuitB() {
    Program p;
    bool worked = false;
    p.withPropertyWindow("Command4", [&](QDialog& d) {
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
  }

  void dataBankAndTitleBarClose() {
    Program p;
    bool worked = false;
    p.withPropertyWindow("Command3", [&](QDialog& d) {
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
      QTest::keyClick(temperature, Qt::Key_Backspace);
      QTest::keyClicks(temperature, "3");
      auto* estimates = d.findChild<QTableWidget*>("DpGridMixData");
      shoot(d, "property-estimates");
      worked = worked && estimates->isVisible() && estimates->item(3, 1)->text() == "1.609";
      d.close();  // the title bar
    });
    QVERIFY(worked);
    QCOMPARE(p.session.existing(PropertyWindow::kName), nullptr);
    QCOMPARE(p.condition().cbomedium1->text, std::string("水"));
  }
};

}  // namespace vx

QTEST_MAIN(vx::PropertyDialogTest)
#include "property_dialog_test.moc"

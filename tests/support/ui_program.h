#pragma once
// The whole program on the screen for a widget test: the main frame with its
// workspace on a temporary copy of the data folder, and a host that records
// the messages instead of showing them.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>
#include <algorithm>
#include <memory>

#include "app/session.h"
#include "conditions/condition.h"
#include "exchanger/design_window.h"
#include "support/temp_data.h"
#include "ui/main_frame.h"
#include "ui/qt_host.h"
#include "ui/widget_registry.h"

namespace vx {

// Records the messages instead of showing them, as a person who answers
// every box with its first button.
class RecordingHost : public QtHost {
 public:
  Answer message(const std::string&, Icon, Buttons buttons, int id) override {
    ids.push_back(id);
    return buttons == Buttons::Ok || buttons == Buttons::OkCancel ? Answer::Ok : Answer::Yes;
  }
  bool shown(int id) const { return std::find(ids.begin(), ids.end(), id) != ids.end(); }
  std::vector<int> ids;
};

// Shows every message as a real modal box and presses its first button as
// soon as it is up: the focus and activation changes of a real box happen.
class BoxHost : public QtHost {
 public:
  Answer message(const std::string& text, Icon icon, Buttons buttons, int id) override {
    ids.push_back(id);
    QTimer::singleShot(0, [] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
        box->button(box->standardButtons().testFlag(QMessageBox::Yes) ? QMessageBox::Yes : QMessageBox::Ok)->click();
    });
    return QtHost::message(text, icon, buttons, id);
  }
  int count(int id) const { return static_cast<int>(std::count(ids.begin(), ids.end(), id)); }
  std::vector<int> ids;
};

// The program as the person sees it after the start.
template <typename HostT = RecordingHost>
struct ProgramWith {
  ProgramWith() : session(host, data.dir()) {
    host.setSession(&session);
    registerWidgets(host);
    frame = std::make_unique<MainFrame>(session, host);
    started = session.start();
    frame->show();
    QApplication::setActiveWindow(frame.get());
    host.refreshAll();
  }

  QWidget* window(const char* name) const { return frame->findChild<QWidget*>(name); }
  template <typename T>
  T* in(const char* windowName, const char* name) const {
    QWidget* w = window(windowName);
    return w ? w->findChild<T*>(name) : nullptr;
  }
  QMdiSubWindow* sub(const char* name) const {
    QWidget* w = window(name);
    return w ? qobject_cast<QMdiSubWindow*>(w->parentWidget()) : nullptr;
  }
  QAction* menuAction(const QString& text) const {
    for (QAction* top : frame->menuBar()->actions())
      for (QAction* a : top->menu()->actions())
        if (a->text() == text) return a;
    return nullptr;
  }

  // Balance the default conditions and open the design window.
  bool openDesign() {
    QTest::mouseClick(in<QPushButton>("Condition", "balance"), Qt::LeftButton);
    if (!session.var().BalanceDone) return false;
    QTest::mouseClick(in<QPushButton>("Condition", "Command5"), Qt::LeftButton);
    return window(DesignWindow::kName) != nullptr;
  }
  // The default conditions checked on VX038N with 47 plates: a result to
  // print, preview or export.
  bool checkedResult() {
    if (!openDesign() || !pickModel("VX038N")) return false;
    SetText(*design().txtplatenb, "47");
    if (!design().RunCheck()) return false;
    host.refreshAll();
    return true;
  }
  // Picks a model in the open list of cbotype, with the mouse.
  bool pickModel(const QString& name) {
    auto* combo = in<QComboBox>(DesignWindow::kName, "cbotype");
    const int entry = combo->findText(name, Qt::MatchStartsWith);
    if (entry < 0) return false;
    combo->showPopup();
    QAbstractItemView* view = combo->view();
    const QModelIndex index = view->model()->index(entry, 0);
    view->scrollTo(index);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
    return combo->currentIndex() == entry;
  }
  void click(const char* windowName, const char* name) {
    QTest::mouseClick(in<QAbstractButton>(windowName, name), Qt::LeftButton);
  }
  void clickCell(QTableWidget* grid, int row, int col) {
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(grid->model()->index(row, col)).center());
  }
  DesignWindow& design() { return *session.existingAs<DesignWindow>(DesignWindow::kName); }

  test::TempData data;
  HostT host;
  Session session;
  std::unique_ptr<MainFrame> frame;  // goes before the session it shows
  bool started = false;
};
using Program = ProgramWith<>;


}  // namespace vx

#pragma once
// Binds Qt controls to the controls of a window's view model: user events go
// to the view model's rules, and refresh() brings every widget in line with
// the view model after each event.
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTableWidget;
class QGroupBox;
class QTabBar;

namespace vx {

struct Control;
class ControlSet;
class QtHost;
class WindowModel;

// Converts the colour values of the view models (0x00BBGGRR) to Qt.
QColor toQColor(uint32_t value);

// How a grid takes the person's clicks and edits.
struct GridOptions {
  bool fixedEditable = false;  // the label cells are edited like the value cells
  bool pickRows = false;       // read-only; a click on row r picks entry r
  bool pickOnDoubleClick = false;  // with pickRows: a double click picks, a click only selects
};

class Binder : public QObject {
  Q_OBJECT
 public:
  Binder(WindowModel& model, QtHost& host, QWidget* owner);

  QLineEdit* lineEdit(const std::string& name, int index = -1);
  QCheckBox* checkBox(const std::string& name, int index = -1);
  QComboBox* comboBox(const std::string& name, int index = -1);
  QRadioButton* radio(const std::string& name, int index = -1);
  QPushButton* button(const std::string& name, int index = -1);
  QLabel* label(const std::string& name, int index = -1);
  QGroupBox* frame(const std::string& name, int index = -1);
  QTableWidget* grid(const std::string& name, int index = -1, GridOptions options = {});
  QWidget* picture(const std::string& name, int index = -1);
  // A tab strip: the control's items are the tabs, its list index the
  // selected tab; selecting a tab picks it.
  QTabBar* tabBar(const std::string& name, int index = -1);
  // A list box: a click or Enter picks the entry; losing the focus runs the
  // control's `left` rule.
  QListWidget* listBox(const std::string& name, int index = -1);
  // Runs on every refresh, after the bound widgets: for what a window
  // derives from several controls (placement, merged cells, sizes).
  void addUpdate(std::function<void()> update);

  // Brings the widgets in line with the view model and moves the focus
  // where the view model asks.
  void refresh();
  // Runs after each event: every open window refreshes.
  void afterEvent();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  Control& control(const std::string& name, int index);
  void add(QWidget* widget, Control& c, std::function<void()> update);

  struct Bound {
    QPointer<QWidget> widget;
    Control* control;
    std::function<void()> update;
  };
  WindowModel& model_;
  QtHost& host_;
  QWidget* owner_;
  std::vector<Bound> bound_;
  std::vector<std::function<void()>> updates_;
  bool refreshing_ = false;
  // The event loop has ended: the windows only go away, and the focus
  // changes of their teardown run no rules.
  bool ended_ = false;
};

}  // namespace vx

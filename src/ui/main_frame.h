#pragma once
// The main window on the screen: workspace, menu bar, toolbar and status bar,
// bound to the MainWindow view model.
#include <QMainWindow>
#include <map>
#include <string>

class QAction;
class QLabel;
class QMdiArea;
class QMenu;

namespace vx {

class Session;
class QtHost;
struct Control;

class MainFrame : public QMainWindow {
  Q_OBJECT
 public:
  MainFrame(Session& session, QtHost& host);
  ~MainFrame() override;
  QMdiArea* mdiArea() const { return mdi_; }
  // Brings the menus, the toolbar and the caption in line with the view model.
  void refresh();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildMenus();
  void buildToolbar();
  void buildStatusBar();
  void updateStatusBar();
  void fillWindowMenu();
  // Runs a control's click the way every event does, then refreshes.
  void trigger(Control& control);

  Session& session_;
  QtHost& host_;
  QMdiArea* mdi_;
  std::map<Control*, QAction*> actions_;
  QMenu* windowMenu_ = nullptr;
  QAction* windowSeparator_ = nullptr;
  QLabel* insertPanel_ = nullptr;
  QLabel* numPanel_ = nullptr;
  QLabel* capsPanel_ = nullptr;
  QLabel* datePanel_ = nullptr;
  bool insertMode_ = true;
  bool activating_ = false;  // a window's activation rule is running
  // The window whose activation rule just sent the person to another one,
  // until the event that activated it has been handled.
  std::string sentAwayFrom_;
};

}  // namespace vx

#pragma once
// The host of the GUI: real message boxes, dialogs and windows.
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>
#include <string>

#include "common/host.h"

class QMdiArea;

namespace vx {

class Session;
class WindowModel;

class QtHost : public QObject, public Host {
  Q_OBJECT
 public:
  explicit QtHost(QWidget* mainWidget = nullptr);

  void setMainWidget(QWidget* w) { mainWidget_ = w; }
  void setMdiArea(QMdiArea* area) { mdiArea_ = area; }
  void setSession(Session* session) { session_ = session; }
  void setHelpFile(const QString& path) { helpFile_ = path; }

  // Builds the widget of a window's view model. Child windows are placed in
  // the main window's workspace; the others are separate windows.
  using WidgetFactory = std::function<QWidget*(Session&, WindowModel&)>;
  void registerWidget(const std::string& name, bool child, WidgetFactory factory);

  // Refreshes every open window from its view model; called after each event.
  void refreshAll();
  void addRefresher(QObject* owner, std::function<void()> refresh);
  // Stops refreshing `owner`; a window calls it before it is destroyed.
  void removeRefresher(QObject* owner) { refreshers_.erase(owner); }

  Answer message(const std::string& text, Icon icon, Buttons buttons, int id) override;
  std::optional<std::string> input(const std::string& prompt, const std::string& title,
                                   const std::string& initial) override;
  std::optional<std::string> fileDialog(const FileDialogRequest& request) override;
  void busy(bool on) override;
  void progress(int maximum, int value, bool shown) override;
  void showWindow(const std::string& name, bool modal) override;
  void closeWindow(const std::string& name) override;
  void placeTopRight(const std::string& name) override;
  // A window is being brought back without taking the activation: its
  // activation is not the person's.
  bool quiet() const { return quiet_; }
  void arrangeCascade() override;
  std::optional<bool> hasActiveChild() override;
  bool startProgram(const std::string& path) override;
  void showHelp(const std::string& topic) override;
  void showHelpIndex() override;
  PrintResult printPage(const PageDrawing& draw) override;
  bool writePdf(const std::string& path, const PageDrawing& draw) override;
  bool openDocument(const std::string& path) override;
  bool clipboardHasPicture() override;
  bool saveClipboardPicture(const std::string& path) override;
  // The setting store of the desktop (QSettings, the user's own scope).
  std::string setting(const std::string& key) override;
  bool setSetting(const std::string& key, const std::string& value) override;

 private:
  // The window a message box or dialog of the program stands over.
  QWidget* dialogParent() const;
  struct WidgetKind {
    bool child = false;
    WidgetFactory factory;
  };
  QWidget* mainWidget_ = nullptr;
  QMdiArea* mdiArea_ = nullptr;
  Session* session_ = nullptr;
  QString helpFile_;
  std::map<std::string, WidgetKind> kinds_;
  std::map<std::string, QPointer<QWidget>> open_;
  std::map<QObject*, std::function<void()>> refreshers_;
  QPointer<QWidget> helpViewer_;
  QElapsedTimer progressClock_;
  bool quiet_ = false;
};

}  // namespace vx

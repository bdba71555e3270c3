#pragma once
// The windows of the catalogue and settings management on the screen: the
// settings window, the password windows and the plate model editor. Each is
// a modal dialog bound to its view model.
#include <QDialog>

namespace vx {

class Session;
class QtHost;
class SettingsWindow;
class PasswordWindow;
class ChangePasswordWindow;
class ModelEditor;

class SettingsDialog : public QDialog {
  Q_OBJECT
 public:
  SettingsDialog(SettingsWindow& model, Session& session, QtHost& host, QWidget* parent = nullptr);
};

class PasswordDialog : public QDialog {
  Q_OBJECT
 public:
  PasswordDialog(PasswordWindow& model, Session& session, QtHost& host, QWidget* parent = nullptr);
};

class ChangePasswordDialog : public QDialog {
  Q_OBJECT
 public:
  ChangePasswordDialog(ChangePasswordWindow& model, Session& session, QtHost& host, QWidget* parent = nullptr);
};

class ModelEditorDialog : public QDialog {
  Q_OBJECT
 public:
  ModelEditorDialog(ModelEditor& model, Session& session, QtHost& host, QWidget* parent = nullptr);
};

}  // namespace vx

#pragma once
// The property window on the screen: a modal dialog.
#include <QDialog>

namespace vx {

class PropertyWindow;
class QtHost;
class Session;

class PropertyDialog : public QDialog {
  Q_OBJECT
 public:
  PropertyDialog(PropertyWindow& model, Session& session, QtHost& host, QWidget* parent = nullptr);
};

}  // namespace vx

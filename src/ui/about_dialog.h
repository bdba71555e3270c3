#pragma once
// The about window on the screen.
#include <QDialog>

namespace vx {

class Session;
class WindowModel;

class AboutDialog : public QDialog {
  Q_OBJECT
 public:
  AboutDialog(Session& session, WindowModel& model, QWidget* parent);
};

}  // namespace vx

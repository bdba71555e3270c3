#pragma once
// The stored results of a case file on the screen.
#include <QWidget>

namespace vx {

class CheckResult;
class QtHost;

class CheckResultWidget : public QWidget {
  Q_OBJECT
 public:
  CheckResultWidget(CheckResult& model, QtHost& host, QWidget* parent = nullptr);
  // The rows' own size, but no taller than the workspace: the rows scroll
  // inside the window and "退出" stays in sight below them.
  QSize sizeHint() const override;

 private:
  QWidget* rows_ = nullptr;
  QWidget* exit_ = nullptr;
};

}  // namespace vx

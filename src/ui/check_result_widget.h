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
};

}  // namespace vx

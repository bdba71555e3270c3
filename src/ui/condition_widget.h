#pragma once
// The design conditions window on the screen.
#include <QWidget>

namespace vx {

class Condition;
class QtHost;

class ConditionWidget : public QWidget {
  Q_OBJECT
 public:
  ConditionWidget(Condition& model, QtHost& host, QWidget* parent = nullptr);
};

}  // namespace vx

#pragma once
// The batch design window "批量设计" on the screen.
#include <QWidget>

namespace vx {

class BatchWindow;
class QtHost;
class Session;

class BatchWidget : public QWidget {
  Q_OBJECT
 public:
  BatchWidget(BatchWindow& model, Session& session, QtHost& host, QWidget* parent = nullptr);
};

}  // namespace vx

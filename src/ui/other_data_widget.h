#pragma once
// The intermediate-data window on the screen.
#include <QWidget>

namespace vx {

class OtherData;
class QtHost;

class OtherDataWidget : public QWidget {
  Q_OBJECT
 public:
  OtherDataWidget(OtherData& model, QtHost& host, QWidget* parent = nullptr);
};

}  // namespace vx

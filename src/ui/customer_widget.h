#pragma once
// The customer information window "用户信息" on the screen.
#include <QWidget>

namespace vx {

class FrmCustomer;
class QtHost;

class CustomerWidget : public QWidget {
  Q_OBJECT
 public:
  CustomerWidget(FrmCustomer& model, QtHost& host, QWidget* parent = nullptr);
  ~CustomerWidget() override;

 private:
  FrmCustomer& model_;
};

}  // namespace vx

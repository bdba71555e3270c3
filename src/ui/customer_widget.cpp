#include "ui/customer_widget.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/frm_customer.h"
#include "ui/binding.h"

namespace vx {

CustomerWidget::CustomerWidget(FrmCustomer& model, QtHost& host, QWidget* parent) : QWidget(parent), model_(model) {
  setObjectName(QString::fromStdString(model.name()));
  setWindowTitle(QString::fromStdString(model.caption));
  auto* b = new Binder(model, host, this);
  auto* outer = new QVBoxLayout(this);
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(8);
  auto field = [b](const char* name) {
    QLineEdit* e = b->lineEdit(name);
    e->setMinimumWidth(150);
    return e;
  };
  grid->addWidget(b->label("Label9", 0), 0, 0);
  QLineEdit* custname = field("custname");
  grid->addWidget(custname, 0, 1, 1, 3);
  grid->addWidget(b->label("Label9", 1), 1, 0);
  QLineEdit* project = field("project");
  grid->addWidget(project, 1, 1, 1, 3);
  grid->addWidget(b->label("Label9", 2), 2, 0);
  QLineEdit* ref = field("ref");
  grid->addWidget(ref, 2, 1);
  grid->addWidget(b->label("Label9", 4), 2, 2);
  QLineEdit* txtdate = field("txtdate");
  grid->addWidget(txtdate, 2, 3);
  grid->addWidget(b->label("Label9", 3), 3, 0);
  QLineEdit* ref1 = field("Ref1");
  grid->addWidget(ref1, 3, 1);
  grid->addWidget(b->label("Label9", 5), 3, 2);
  QLineEdit* designer = field("designer");
  grid->addWidget(designer, 3, 3);
  outer->addLayout(grid);

  QGroupBox* frame = b->frame("Frame2", 0);
  auto* inFrame = new QVBoxLayout(frame);
  QLineEdit* remark = b->lineEdit("remark");
  inFrame->addWidget(remark);
  outer->addWidget(frame);

  QPushButton* ok = b->button("Command1");
  outer->addWidget(ok, 0, Qt::AlignRight);

  // Number, equipment number, date, designer: down the left column first.
  setTabOrder(custname, project);
  setTabOrder(project, ref);
  setTabOrder(ref, ref1);
  setTabOrder(ref1, txtdate);
  setTabOrder(txtdate, designer);
  setTabOrder(designer, remark);
  setTabOrder(remark, ok);
  b->refresh();
}

// Closed by its close box, the window is only hidden: the view model keeps
// the texts for the next output, and showing it again shows them.
CustomerWidget::~CustomerWidget() { model_.visible = false; }

}  // namespace vx

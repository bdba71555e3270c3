#include "ui/about_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/session.h"

namespace vx {

AboutDialog::AboutDialog(Session& session, WindowModel& model, QWidget* parent) : QDialog(parent) {
  setObjectName("about");
  setWindowTitle(QString::fromStdString(model.caption));
  auto* layout = new QVBoxLayout(this);
  auto* title = new QLabel(QString::fromStdString(model.controls().find("lblTitle")->text), this);
  QFont big = title->font();
  big.setPointSize(big.pointSize() + 6);
  big.setBold(true);
  title->setFont(big);
  title->setAlignment(Qt::AlignCenter);
  auto* description = new QLabel(QString::fromStdString(model.controls().find("lblDescription")->text), this);
  description->setAlignment(Qt::AlignCenter);
  layout->addWidget(title);
  layout->addWidget(description);
  auto* ok = new QPushButton(QString::fromStdString(model.controls().find("cmdOK")->text), this);
  ok->setDefault(true);
  layout->addWidget(ok, 0, Qt::AlignCenter);
  connect(ok, &QPushButton::clicked, this, [&session] { session.closeWindow("about"); });
  // Closing with the close box closes the window's view model as well.
  connect(this, &QDialog::finished, this, [&session] { session.closeWindow("about"); });
  setMinimumWidth(320);
}

}  // namespace vx

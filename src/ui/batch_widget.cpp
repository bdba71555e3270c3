#include "ui/batch_widget.h"

#include <QHBoxLayout>
#include <algorithm>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "app/batch_window.h"
#include "app/session.h"
#include "ui/binding.h"
#include "ui/qt_host.h"

namespace vx {

BatchWidget::BatchWidget(BatchWindow& model, Session& session, QtHost& host, QWidget* parent) : QWidget(parent) {
  setObjectName(QString::fromStdString(model.name()));
  setWindowTitle(QString::fromStdString(model.caption));
  // The rows run on their own threads; the screen takes them in as they finish.
  model.runInBackground = true;
  auto* b = new Binder(model, host, this);
  auto* layout = new QVBoxLayout(this);

  auto* fileRow = new QHBoxLayout;
  fileRow->addWidget(new QLabel("工况表", this));
  fileRow->addWidget(b->lineEdit("txtFile"), 1);
  fileRow->addWidget(b->button("cmdOpen"));
  layout->addLayout(fileRow);

  auto* runRow = new QHBoxLayout;
  runRow->addWidget(b->button("cmdRun"));
  runRow->addWidget(b->button("cmdCancel"));
  auto* progress = new QProgressBar(this);
  progress->setObjectName("ProgressBar1");
  runRow->addWidget(progress, 1);
  runRow->addWidget(b->label("lblStatus"), 2);
  layout->addLayout(runRow);
  b->addUpdate([progress, &model] {
    progress->setMaximum(std::max(1, model.progressMaximum));
    progress->setValue(model.progressValue);
    progress->setVisible(model.ProgressBar1->visible);
  });

  GridOptions options;
  options.pickRows = true;
  options.pickOnDoubleClick = true;
  QTableWidget* grid = b->grid("ResultGrid", -1, options);
  grid->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  grid->horizontalHeader()->setStretchLastSection(true);
  layout->addWidget(grid, 1);

  auto* exportRow = new QHBoxLayout;
  exportRow->addStretch(1);
  exportRow->addWidget(b->button("cmdXlsx"));
  exportRow->addWidget(b->button("cmdCsv"));
  layout->addLayout(exportRow);
  // Wide enough for the result columns; the workspace sizes a child window
  // by its minimum.
  setMinimumSize(1000, 420);

  // While the batch runs, its finished rows are taken in a few times a second.
  auto* timer = new QTimer(this);
  timer->setInterval(100);
  connect(timer, &QTimer::timeout, this, [b, &model] {
    if (!model.needsPoll()) return;
    model.poll();
    b->afterEvent();
  });
  timer->start();
  connect(this, &QObject::destroyed, &host, [&session, shown = &model] {
    if (session.existing(BatchWindow::kName) == shown) session.closeWindow(BatchWindow::kName);
  });
  b->refresh();
}

}  // namespace vx

#include "ui/check_result_widget.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

#include "app/session.h"
#include "exchanger/check_result.h"
#include "ui/binding.h"

namespace vx {

namespace {

// Which value labels stand beside each caption: the labels hold the
// summary items of the case file in order (media, temperatures, flows,
// properties, duty, exchanger, materials, customer texts). Circuit rows
// carry two values (A and B); the other captions one.
struct Row {
  int caption;
  int valueA;
  int valueB;  // -1: one value only
  int unit;    // Label5 index, -1: none
};

const Row kRows[] = {
    {0, 37, -1, -1},  {1, 38, -1, -1},  {2, 39, -1, -1},  {3, 40, -1, -1},  {4, 41, -1, -1},
    {7, 0, 1, -1},    {8, 2, 3, 5},     {9, 4, 5, 1},     {10, 6, 7, 3},    {11, 8, 9, 2},
    {12, 10, 11, 11}, {13, 12, 13, 4},  {14, 14, -1, 0},  {15, 15, 16, 10}, {16, 17, -1, 8},
    {17, 18, 19, 9},  {18, 20, 21, 7},  {19, 22, 23, 6},  {20, 24, -1, -1}, {21, 25, -1, -1},
    {22, 26, -1, -1}, {23, 27, -1, -1}, {24, 28, -1, -1}, {25, 29, -1, -1}, {26, 30, -1, -1},
    {27, 31, -1, -1}, {28, 32, -1, -1}, {29, 33, -1, -1}, {30, 34, -1, -1}, {31, 35, -1, -1},
    {32, 36, -1, -1}, {33, 42, -1, -1},
};

}  // namespace

CheckResultWidget::CheckResultWidget(CheckResult& model, QtHost& host, QWidget* parent) : QWidget(parent) {
  setObjectName(QString::fromStdString(model.name()));
  auto* b = new Binder(model, host, this);
  rows_ = new QWidget;
  auto* grid = new QGridLayout(rows_);
  grid->setHorizontalSpacing(12);
  grid->setVerticalSpacing(3);
  int r = 0;
  for (const Row& row : kRows) {
    if (row.caption == 7) {
      // Header of the circuit columns above the first circuit row.
      grid->addWidget(b->label("Label4", 5), r, 1);
      grid->addWidget(b->label("Label4", 6), r, 2);
      ++r;
    }
    grid->addWidget(b->label("Label4", row.caption), r, 0);
    QLabel* a = b->label("Label2", row.valueA);
    a->setMinimumWidth(110);
    a->setFrameShape(QFrame::Panel);
    a->setFrameShadow(QFrame::Sunken);
    grid->addWidget(a, r, 1, 1, row.valueB < 0 ? 2 : 1);
    if (row.valueB >= 0) {
      QLabel* v = b->label("Label2", row.valueB);
      v->setMinimumWidth(110);
      v->setFrameShape(QFrame::Panel);
      v->setFrameShadow(QFrame::Sunken);
      grid->addWidget(v, r, 2);
    }
    if (row.unit >= 0) grid->addWidget(b->label("Label5", row.unit), r, 3);
    ++r;
  }
  // "退出" is a label that closes the window when clicked.
  QPushButton* close = b->button("Label3");
  close->setFlat(true);
  close->setStyleSheet("color: rgb(0,0,255); text-decoration: underline;");
  close->setCursor(Qt::PointingHandCursor);
  exit_ = close;
  auto* scroll = new QScrollArea(this);
  scroll->setObjectName("rows");
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setWidgetResizable(true);
  scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  scroll->setWidget(rows_);
  auto* bottom = new QHBoxLayout;
  bottom->addStretch(1);
  bottom->addWidget(close);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 6, 6);
  layout->addWidget(scroll, 1);
  layout->addLayout(bottom);
  b->refresh();
}

QSize CheckResultWidget::sizeHint() const {
  const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  const QSize rows = rows_->sizeHint();
  QSize hint(rows.width() + scrollBar + 8, rows.height() + exit_->sizeHint().height() + 12);
  const auto* sub = qobject_cast<const QMdiSubWindow*>(parentWidget());
  const QMdiArea* area = sub ? sub->mdiArea() : nullptr;
  if (area) {
    // The window's frame and title bar come on top of the widget.
    const int frame = style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth) * 2 +
                      style()->pixelMetric(QStyle::PM_TitleBarHeight);
    hint.setHeight(std::min(hint.height(), area->viewport()->height() - frame - 4));
  }
  return hint;
}

}  // namespace vx

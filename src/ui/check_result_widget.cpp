#include "ui/check_result_widget.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "app/session.h"
#include "exchanger/check_result.h"
#include "ui/binding.h"

namespace vx {

namespace {

// Which value labels stand beside each caption. Circuit rows carry two
// values (A and B); the other captions one.
struct Row {
  int caption;
  int valueA;
  int valueB;  // -1: one value only
  int unit;    // Label5 index, -1: none
};

const Row kRows[] = {
    {0, 0, -1, -1},  {1, 1, -1, -1},  {2, 2, -1, -1},  {3, 3, -1, -1},  {4, 4, -1, -1},
    {7, 5, 6, -1},   {8, 7, 8, 5},    {9, 9, 10, 1},   {10, 11, 12, 3}, {11, 13, 14, 2},
    {12, 15, 16, 11}, {13, 17, 18, 4}, {14, 19, -1, 0}, {15, 20, 21, 10}, {16, 22, -1, 8},
    {17, 23, 24, 9}, {18, 25, 26, 7}, {19, 27, 28, 6}, {20, 29, -1, -1}, {21, 30, -1, -1},
    {22, 31, -1, -1}, {23, 32, -1, -1}, {24, 33, 34, -1}, {25, 35, -1, -1}, {26, 36, 37, -1},
    {27, 38, -1, -1}, {28, 39, -1, -1}, {29, 40, -1, -1}, {30, 41, -1, -1}, {31, 42, -1, -1},
};

}  // namespace

CheckResultWidget::CheckResultWidget(CheckResult& model, QtHost& host, QWidget* parent) : QWidget(parent) {
  setObjectName(QString::fromStdString(model.name()));
  auto* b = new Binder(model, host, this);
  auto* grid = new QGridLayout(this);
  grid->setHorizontalSpacing(12);
  grid->setVerticalSpacing(3);
  // Header of the circuit columns.
  grid->addWidget(b->label("Label4", 5), 0, 1);
  grid->addWidget(b->label("Label4", 6), 0, 2);
  int r = 1;
  for (const Row& row : kRows) {
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
  // The remaining captions: number of units and the remark.
  grid->addWidget(b->label("Label4", 32), r, 0);
  grid->addWidget(b->label("Label4", 33), r + 1, 0);
  // "退出" is a label that closes the window when clicked.
  QPushButton* close = b->button("Label3");
  close->setFlat(true);
  close->setStyleSheet("color: rgb(0,0,255); text-decoration: underline;");
  close->setCursor(Qt::PointingHandCursor);
  grid->addWidget(close, r + 2, 3, Qt::AlignRight);
  b->refresh();
}

}  // namespace vx

#include "ui/condition_widget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "conditions/condition.h"
#include "ui/binding.h"

namespace vx {

namespace {

// A field with its selection box (when it has one) and its unit list.
QWidget* fieldRow(Binder& b, QWidget* parent, int field, int box, const std::string& unit) {
  auto* row = new QWidget(parent);
  auto* h = new QHBoxLayout(row);
  h->setContentsMargins(0, 0, 0, 0);
  h->setSpacing(4);
  if (box >= 0) h->addWidget(b.checkBox("ChkIndex", box));
  else h->addSpacing(20);
  QLineEdit* edit = b.lineEdit("TxtInput", field);
  edit->setMinimumWidth(90);
  h->addWidget(edit, 1);
  if (!unit.empty()) {
    QComboBox* units = b.comboBox(unit);
    units->setMinimumWidth(100);
    h->addWidget(units);
  }
  return row;
}

}  // namespace

ConditionWidget::ConditionWidget(Condition& model, QtHost& host, QWidget* parent) : QWidget(parent) {
  setObjectName(QString::fromStdString(model.name()));
  auto* b = new Binder(model, host, this);

  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(10);
  grid->setVerticalSpacing(4);
  QLabel* headA = b->label("Frame1", 0);
  QLabel* headB = b->label("Frame1", 1);
  headA->setStyleSheet("color: rgb(255,0,0); font-weight: bold;");
  headB->setStyleSheet("color: rgb(0,0,255); font-weight: bold;");
  headA->setAlignment(Qt::AlignCenter);
  headB->setAlignment(Qt::AlignCenter);
  grid->addWidget(headA, 0, 1);
  grid->addWidget(headB, 0, 2);

  // Medium and its phase.
  grid->addWidget(b->label("Label9", 0), 1, 0);
  for (int circuit = 0; circuit < 2; ++circuit) {
    auto* cell = new QWidget(this);
    auto* h = new QHBoxLayout(cell);
    h->setContentsMargins(0, 0, 0, 0);
    QComboBox* medium = b->comboBox(circuit == 0 ? "cbomedium1" : "cbomedium2");
    medium->setMinimumWidth(120);
    h->addWidget(medium, 1);
    h->addWidget(b->button(circuit == 0 ? "Command3" : "Command4"));
    grid->addWidget(cell, 1, 1 + circuit);

    auto* phase = new QWidget(this);
    auto* p = new QHBoxLayout(phase);
    p->setContentsMargins(20, 0, 0, 0);
    const char* name = circuit == 0 ? "Option1" : "Opt2LV";
    p->addWidget(b->radio(name, 0));
    p->addWidget(b->radio(name, 1));
    p->addStretch();
    grid->addWidget(phase, 2, 1 + circuit);
  }

  struct Row {
    int label, fieldA, boxA;
    const char* unitA;
    int fieldB, boxB;
    const char* unitB;
  };
  const Row rows[] = {
      {1, kFlowA, 0, "cboflowunit1", kFlowB, 3, "cboflowunit2"},
      {2, kTinA, 1, "cbotemperatureunit1", kTinB, 4, "cbotemperatureunit2"},
      {3, kToutA, 2, "Combo11", kToutB, 5, "Combo12"},
      {7, kAllowDpA, -1, "cbopressuredropunit1", kAllowDpB, -1, "cbopressuredropunit2"},
      {8, kFoulingA, -1, "cbofoulingunit1", kFoulingB, -1, "cbofoulingunit2"},
      {9, kDesignPressureA, -1, "Combo1", kDesignPressureB, -1, "Combo2"},
      {10, kDesignTemperatureA, -1, "Combo4", kDesignTemperatureB, -1, "Combo5"},
  };
  int r = 3;
  for (const Row& row : rows) {
    grid->addWidget(b->label("Label9", row.label), r, 0);
    grid->addWidget(fieldRow(*b, this, row.fieldA, row.boxA, row.unitA), r, 1);
    grid->addWidget(fieldRow(*b, this, row.fieldB, row.boxB, row.unitB), r, 2);
    ++r;
  }
  grid->addWidget(b->label("Label9", 4), r, 0);
  grid->addWidget(fieldRow(*b, this, kSteamPressure, -1, "Combo3"), r, 2);
  ++r;
  grid->addWidget(b->label("Label9", 5), r, 0);
  grid->addWidget(fieldRow(*b, this, kHeatLoad, 6, "cboheatloadunit"), r, 1);
  ++r;
  grid->addWidget(b->label("Label9", 6), r, 0);
  {
    auto* cell = new QWidget(this);
    auto* h = new QHBoxLayout(cell);
    h->setContentsMargins(0, 0, 0, 0);
    h->addSpacing(24);
    h->addWidget(b->lineEdit("TxtInput", kMargin), 1);
    h->addWidget(b->label("Label10"));
    h->addSpacing(100);
    grid->addWidget(cell, r, 1);
  }
  // Label9(11), the unit "℃", stands in the unit lists of the temperatures.

  // Right column: flow direction, commands, mean temperature difference, diagram.
  auto* side = new QVBoxLayout;
  QGroupBox* direction = b->frame("Frame1", 4);
  auto* d = new QHBoxLayout(direction);
  d->addWidget(b->radio("counterflow", 0));
  d->addWidget(b->radio("counterflow", 1));
  side->addWidget(direction);
  auto* commands = new QHBoxLayout;
  QPushButton* balance = b->button("balance");
  QPushButton* design = b->button("Command5");
  balance->setMinimumHeight(30);
  design->setMinimumHeight(30);
  commands->addWidget(balance);
  commands->addWidget(design);
  side->addLayout(commands);
  side->addWidget(b->label("lbldt"));
  QWidget* diagram = b->picture("Picture1");
  diagram->setMinimumSize(240, 200);
  side->addWidget(diagram, 1);

  auto* top = new QHBoxLayout(this);
  top->addLayout(grid, 3);
  top->addLayout(side, 1);
  b->refresh();
}

}  // namespace vx

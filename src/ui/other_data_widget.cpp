#include "ui/other_data_widget.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMdiSubWindow>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "conditions/other_data.h"
#include "ui/binding.h"
#include "ui/qt_host.h"

namespace vx {

OtherDataWidget::OtherDataWidget(OtherData& model, QtHost& host, QWidget* parent) : QWidget(parent) {
  setObjectName(QString::fromStdString(model.name()));
  auto* b = new Binder(model, host, this);
  auto* layout = new QVBoxLayout(this);
  // Never smaller than the grid and the notes need.
  layout->setSizeConstraint(QLayout::SetMinimumSize);
  QTableWidget* grid = b->grid("MidData1");
  // Column widths of 900, 1200, 1200 and 900 twips at 15 twips a pixel,
  // widened where the font needs more room for the row captions.
  const int widths[OtherData::kCols] = {60, 80, 80, 60};
  grid->setColumnCount(OtherData::kCols);
  grid->setRowCount(OtherData::kRows);
  const QFontMetrics metrics(grid->font());
  int total = 4;
  for (int c = 0; c < OtherData::kCols; ++c) {
    int needed = widths[c];
    for (int r = 0; r < OtherData::kRows; ++r)
      needed = std::max(needed, metrics.horizontalAdvance(QString::fromStdString(model.grid().grid.cell(r, c))) + 12);
    grid->setColumnWidth(c, needed);
    total += needed;
  }
  grid->verticalHeader()->setDefaultSectionSize(22);
  grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grid->setFixedSize(total, OtherData::kRows * 22 + 4);
  layout->addWidget(grid);
  QGroupBox* frame = b->frame("Frame1");
  auto* f = new QVBoxLayout(frame);
  QLabel* notes = b->label("Label1");
  notes->setWordWrap(true);
  notes->setMinimumHeight(60);
  notes->setAlignment(Qt::AlignTop | Qt::AlignLeft);
  f->addWidget(notes);
  layout->addWidget(frame);
  // Once the notes' new text has been laid out.
  b->addUpdate([this] { QTimer::singleShot(0, this, &OtherDataWidget::fitNotes); });
  b->refresh();
  // Equal neighbouring cells of the overall coefficient row show merged.
  host.addRefresher(grid, [grid, &model] {
    const int row = 14;
    const auto& g = model.grid().grid;
    bool equal = !g.cell(row, 1).empty() && g.cell(row, 1) == g.cell(row, 2);
    if (equal != (grid->columnSpan(row, 1) == 2)) grid->setSpan(row, 1, 1, equal ? 2 : 1);
  });
}

void OtherDataWidget::fitNotes() {
  auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget());
  if (!sub || !isVisible()) return;  // the first show sizes the window itself
  const int needed = sizeHint().height();
  if (height() < needed) sub->resize(sub->width(), sub->height() + needed - height());
}

}  // namespace vx

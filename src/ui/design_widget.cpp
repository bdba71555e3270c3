#include "ui/design_widget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTabBar>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "app/session.h"
#include "exchanger/design_window.h"
#include "ui/binding.h"
#include "ui/qt_host.h"

namespace vx {

namespace {

constexpr int kTwipsPerPixel = 15;
constexpr int kNormalHeight = 6280;  // twips, without the candidates
constexpr int kRowHeight = 22;
constexpr int kCandidateRowHeight = 20;
constexpr int kMaxCandidateRowsShown = 12;

int pixels(int twips) { return twips / kTwipsPerPixel; }

// A text as wide as the font needs, with the padding of a grid cell.
int textWidth(const QWidget* w, const QString& text) { return QFontMetrics(w->font()).horizontalAdvance(text) + 12; }

QLineEdit* narrowField(QLineEdit* edit, int width = 64) {
  edit->setFixedWidth(width);
  return edit;
}

// A tab strip above the panel of its selected tab.
QWidget* tabbedPanel(QWidget* parent, QTabBar* bar, const std::vector<QWidget*>& pages) {
  auto* box = new QWidget(parent);
  auto* v = new QVBoxLayout(box);
  v->setContentsMargins(0, 0, 0, 0);
  v->setSpacing(0);
  bar->setDrawBase(false);
  v->addWidget(bar);
  auto* panel = new QFrame(box);
  panel->setFrameShape(QFrame::StyledPanel);
  auto* p = new QVBoxLayout(panel);
  p->setContentsMargins(8, 6, 8, 6);
  auto* stack = new QStackedWidget(panel);
  for (QWidget* page : pages) stack->addWidget(page);
  p->addWidget(stack);
  v->addWidget(panel);
  // The bar's own index, not the signal's: a refused tab snaps back inside
  // the handling of its own change, and the stale signal must not win.
  QObject::connect(bar, &QTabBar::currentChanged, stack, [stack, bar] {
    const int tab = bar->currentIndex();
    if (tab >= 0 && tab < stack->count()) stack->setCurrentIndex(tab);
  });
  return box;
}

QWidget* page(QWidget* parent) { return new QWidget(parent); }

}  // namespace

DesignWidget::DesignWidget(DesignWindow& model, Session& session, QtHost& host, QWidget* parent)
    : QWidget(parent), model_(model) {
  setObjectName(QString::fromStdString(model.name()));
  auto* b = new Binder(model, host, this);

  upper_ = new QWidget(this);
  auto* columns = new QHBoxLayout(upper_);
  columns->setContentsMargins(0, 0, 0, 0);
  columns->setSpacing(10);

  auto* left = new QVBoxLayout;
  left->setSpacing(6);
  left->addWidget(buildArrangement(*b));
  left->addWidget(buildTabs(*b));
  left->addStretch(1);
  // The automatic design shows its progress here; the place stays reserved.
  progress_ = new QProgressBar(upper_);
  progress_->setTextVisible(false);
  progress_->setFixedHeight(16);
  QSizePolicy keep = progress_->sizePolicy();
  keep.setRetainSizeWhenHidden(true);
  progress_->setSizePolicy(keep);
  progress_->hide();
  left->addWidget(progress_);
  columns->addLayout(left);

  auto* right = new QVBoxLayout;
  right->setSpacing(6);
  right->addWidget(buildStructureGrid(*b));
  auto* commands = new QHBoxLayout;
  for (const char* name : {"Command1", "Command2", "Command9", "Command10"}) {
    QPushButton* button = b->button(name);
    button->setMinimumHeight(30);
    commands->addWidget(button);
  }
  right->addLayout(commands);
  right->addWidget(buildResults(*b));
  right->addStretch(1);
  columns->addLayout(right);

  auto* all = new QVBoxLayout(this);
  all->setContentsMargins(9, 9, 9, 9);
  all->setSpacing(8);
  all->addWidget(upper_);
  all->addWidget(buildCandidates(*b), 1);

  // The option lists float below the cell whose button opened them.
  for (int i = 0; i < DesignWindow::kOptionLists; ++i) {
    QListWidget* list = b->listBox("Defdata", i);
    list->hide();
    lists_.push_back(list);
  }

  b->addUpdate([this] { refreshDerived(); });
  b->refresh();
  pheGrid_->setCurrentCell(model_.currentRow, model_.currentCol);
  placeGridButton();
  appliedHeight_ = model_.windowHeight;

  // Closing the window discards it: the next "设计计算" builds it afresh.
  DesignWindow* shown = &model;
  connect(this, &QObject::destroyed, &host, [&session, shown] {
    if (session.existing(DesignWindow::kName) == shown) session.closeWindow(DesignWindow::kName);
  });
}

QWidget* DesignWidget::buildArrangement(Binder& b) {
  QGroupBox* group = b.frame("Frame2");
  auto* g = new QGridLayout(group);
  g->setHorizontalSpacing(6);
  g->setVerticalSpacing(5);
  g->setColumnStretch(4, 1);

  g->addWidget(b.label("Label8", 15), 0, 0);
  QComboBox* models = b.comboBox("cbotype");
  models->setMinimumWidth(134);
  // A long catalogue opens as a scrolling list of about 20 rows, not as a
  // list as tall as the screen (the style's own popup ignores the limit).
  models->setMaxVisibleItems(20);
  models->setStyleSheet("QComboBox { combobox-popup: 0; }");
  g->addWidget(models, 0, 1, 1, 2);
  // The channel kinds of a thermal-mixing plate complete the model's name.
  QComboBox* mix = b.comboBox("CobThermalMix");
  mix->setMinimumWidth(64);
  g->addWidget(mix, 0, 3);

  g->addWidget(b.label("Label8", 9), 1, 0);
  g->addWidget(narrowField(b.lineEdit("txtplatenb")), 1, 1);

  g->addWidget(b.label("Label8", 12), 2, 0);
  g->addWidget(narrowField(b.lineEdit("txtPass1")), 2, 1);
  g->addWidget(narrowField(b.lineEdit("txtPass2")), 2, 2);
  g->addWidget(b.checkBox("PassLock"), 2, 3);

  g->addWidget(b.label("Label8", 6), 3, 0);
  g->addWidget(narrowField(b.lineEdit("setnb")), 3, 1);
  g->addWidget(narrowField(b.lineEdit("Text5")), 3, 2);

  g->addWidget(b.label("Label8", 0), 4, 0);
  g->addWidget(narrowField(b.lineEdit("MixC1")), 4, 1);
  g->addWidget(narrowField(b.lineEdit("MixC2")), 4, 2);

  auto* narrow = new QHBoxLayout;
  narrow->addWidget(b.radio("narrowInC1"));
  narrow->addSpacing(12);
  narrow->addWidget(b.radio("narrowInC2"));
  narrow->addStretch(1);
  g->addLayout(narrow, 5, 0, 1, 5);
  g->addWidget(b.checkBox("Check1"), 6, 0, 1, 5);
  return group;
}

QWidget* DesignWidget::buildTabs(Binder& b) {
  auto* box = new QWidget(upper_);
  auto* v = new QVBoxLayout(box);
  v->setContentsMargins(0, 0, 0, 0);
  v->setSpacing(6);

  // The assembly form: only the first tab is in use.
  QWidget* normal = page(box);
  auto* n = new QHBoxLayout(normal);
  n->setContentsMargins(0, 0, 0, 0);
  n->addWidget(b.checkBox("ChkPortPd"));
  n->addStretch(1);
  n->addWidget(b.button("LVCorrect"));
  v->addWidget(tabbedPanel(box, b.tabBar("TabStrip2"), {normal, page(box), page(box)}));

  QWidget* lmtd = page(box);
  auto* l = new QHBoxLayout(lmtd);
  l->setContentsMargins(0, 0, 0, 0);
  l->addWidget(b.label("Label10"));
  l->addWidget(narrowField(b.lineEdit("cvdt")));
  l->addSpacing(8);
  l->addWidget(b.checkBox("LmtdC"));
  l->addStretch(1);

  QWidget* viscosity = page(box);
  auto* g = new QGridLayout(viscosity);
  g->setContentsMargins(0, 0, 0, 0);
  g->setVerticalSpacing(4);
  g->addWidget(b.checkBox("Chkvc1"), 0, 0);
  g->addWidget(narrowField(b.lineEdit("Txtvc1")), 0, 1);
  g->addWidget(b.checkBox("Chkvc2"), 0, 2);
  g->addWidget(narrowField(b.lineEdit("Txtvc2")), 0, 3);
  g->addWidget(b.label("Label8", 7), 1, 0);
  g->addWidget(narrowField(b.lineEdit("txtwall")), 1, 1);
  g->setColumnStretch(4, 1);
  v->addWidget(tabbedPanel(box, b.tabBar("TabStrip3"), {lmtd, viscosity}));
  return box;
}

QWidget* DesignWidget::buildStructureGrid(Binder& b) {
  GridOptions options;
  options.fixedEditable = true;  // every cell can be corrected by hand
  pheGrid_ = b.grid("PheGrid", -1, options);
  QTableWidget* grid = pheGrid_;
  grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
  grid->setSelectionMode(QAbstractItemView::SingleSelection);
  grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grid->setRowCount(DesignWindow::kGridRows);
  grid->setColumnCount(DesignWindow::kGridCols);
  grid->verticalHeader()->setDefaultSectionSize(kRowHeight);
  grid->verticalHeader()->setMinimumSectionSize(kRowHeight);
  // Label columns of 600 twips, widened to the labels that stand alone in
  // their row; the value column takes the longest entry of the option lists
  // besides the button.
  const GridState& g = model_.PheGrid->grid;
  int width = 2 * grid->frameWidth();
  for (int c = 0; c < g.fixedCols; ++c) {
    int w = pixels(600);
    for (int r = 0; r < g.rows; ++r) {
      const bool alone = (c == 0 || g.cell(r, c - 1) != g.cell(r, c)) && (c + 1 >= g.fixedCols || g.cell(r, c + 1) != g.cell(r, c));
      if (alone) w = std::max(w, textWidth(grid, QString::fromStdString(g.cell(r, c))));
    }
    grid->setColumnWidth(c, w);
    width += w;
  }
  int valueWidth = 200;
  for (int i = 0; i < DesignWindow::kOptionLists; ++i)
    for (const auto& item : model_.Defdata[static_cast<size_t>(i)]->items)
      valueWidth = std::max(valueWidth, textWidth(grid, QString::fromStdString(item)) + kRowHeight);
  grid->setColumnWidth(DesignWindow::kGridCols - 1, valueWidth);
  width += valueWidth;
  grid->setFixedSize(width, DesignWindow::kGridRows * kRowHeight + 2 * grid->frameWidth());

  // The small button of the current cell opens the row's option list.
  gridButton_ = b.button("GridBTN");
  gridButton_->setParent(grid->viewport());
  gridButton_->setFocusPolicy(Qt::NoFocus);
  auto follow = [this](int row, int col) {
    if (row < 0 || col < 0) return;
    model_.currentRow = row;
    model_.currentCol = col;
    placeGridButton();
  };
  connect(grid, &QTableWidget::currentCellChanged, this, [follow](int row, int col, int, int) { follow(row, col); });
  connect(grid, &QTableWidget::cellClicked, this, follow);
  connect(grid->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { placeGridButton(); });
  connect(grid->horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] { placeGridButton(); });
  return grid;
}

QWidget* DesignWidget::buildResults(Binder& b) {
  QGroupBox* group = b.frame("Frame3");
  auto* g = new QGridLayout(group);
  g->setHorizontalSpacing(6);
  g->setVerticalSpacing(5);
  g->addWidget(b.label("Label8", 8), 0, 0);
  g->addWidget(narrowField(b.lineEdit("txtover"), 80), 0, 1);
  auto* spin = new QHBoxLayout;
  spin->setSpacing(2);
  for (int i = 0; i < 2; ++i) {
    QPushButton* step = b.button("Command4", i);
    step->setFixedSize(28, 24);
    spin->addWidget(step);
  }
  spin->addStretch(1);
  g->addLayout(spin, 0, 2);
  g->addWidget(b.label("Label8", 1), 1, 0);
  g->addWidget(narrowField(b.lineEdit("txtarea"), 80), 1, 1);
  g->addWidget(narrowField(b.lineEdit("GrossArea"), 80), 1, 2);
  g->setColumnStretch(3, 1);
  return group;
}

QGroupBox* DesignWidget::buildCandidates(Binder& b) {
  candidates_ = b.frame("Frame4");
  auto* h = new QHBoxLayout(candidates_);
  h->setSpacing(10);
  GridOptions options;
  options.pickRows = true;
  autoGrid_ = b.grid("AutoGrid", -1, options);
  QTableWidget* grid = autoGrid_;
  grid->setColumnCount(8);
  grid->verticalHeader()->setDefaultSectionSize(kCandidateRowHeight);
  grid->verticalHeader()->setMinimumSectionSize(kCandidateRowHeight);
  grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  fitCandidateColumns();
  h->addWidget(grid, 0, Qt::AlignTop);
  QLabel* hint = b.label("Label9");
  hint->setWordWrap(true);
  hint->setAlignment(Qt::AlignTop | Qt::AlignLeft);
  hint->setMinimumWidth(160);
  h->addWidget(hint, 1);
  return candidates_;
}

QSize DesignWidget::sizeHint() const {
  const QMargins m = layout()->contentsMargins();
  int height = std::max(pixels(kNormalHeight), upper_->sizeHint().height() + m.top() + m.bottom());
  if (model_.windowHeight > kNormalHeight) {
    // The window grows by the candidates' frame, at least by the height asked.
    height += std::max(pixels(model_.windowHeight - kNormalHeight),
                       candidates_->sizeHint().height() + layout()->spacing());
  }
  const int width = std::max(upper_->sizeHint().width(), candidates_->sizeHint().width()) + m.left() + m.right();
  return {width, height};
}

void DesignWidget::refreshDerived() {
  // Values read from the left, clear of the button at the cell's right edge.
  for (int r = 0; r < pheGrid_->rowCount(); ++r)
    if (QTableWidgetItem* item = pheGrid_->item(r, DesignWindow::kGridCols - 1))
      item->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  placeGridButton();
  placeOptionLists();
  mergeStructureLabels();
  mergeCandidateCells();
  alignCandidateCells();
  followProgress();
  followWindowHeight();
}

void DesignWidget::placeGridButton() {
  if (!pheGrid_ || !gridButton_) return;
  const QRect cell = pheGrid_->visualRect(pheGrid_->model()->index(model_.currentRow, model_.currentCol));
  if (!cell.isValid()) return;
  const int side = cell.height();
  gridButton_->setGeometry(cell.right() - side + 1, cell.top(), side, side);
  gridButton_->raise();
}

void DesignWidget::placeOptionLists() {
  // Below the value cell of the current row, as wide as that cell; above it
  // when the window ends too soon.
  const QRect cell = pheGrid_->visualRect(pheGrid_->model()->index(model_.currentRow, DesignWindow::kGridCols - 1));
  const QPoint below = pheGrid_->viewport()->mapTo(this, cell.bottomLeft() + QPoint(0, 1));
  const QPoint above = pheGrid_->viewport()->mapTo(this, cell.topLeft());
  for (QListWidget* list : lists_) {
    if (!list->isVisibleTo(this)) continue;
    const int shown = std::clamp(list->count(), 1, 8);
    const int rowHeight = std::max(list->sizeHintForRow(0), 16);
    const int height = shown * rowHeight + 2 * list->frameWidth();
    int top = below.y();
    if (top + height > this->height()) top = std::max(0, above.y() - height);
    list->setGeometry(below.x(), top, cell.width(), height);
    list->raise();
  }
}

void DesignWidget::mergeStructureLabels() {
  // Equal neighbouring labels show as one cell: first along a row, then
  // down a column where the spans of the rows match.
  const GridState& g = model_.PheGrid->grid;
  const int labels = g.fixedCols;
  std::string signature;
  for (int r = 0; r < g.rows; ++r)
    for (int c = 0; c < labels; ++c) signature += g.cell(r, c) + '\x1f';
  if (signature == mergedLabels_) return;
  mergedLabels_ = signature;

  // widthAt[r][c]: the width of the run of equal labels that starts at c, 0 inside a run.
  std::vector<std::vector<int>> widthAt(static_cast<size_t>(g.rows), std::vector<int>(static_cast<size_t>(labels), 0));
  for (int r = 0; r < g.rows; ++r) {
    for (int c = 0; c < labels;) {
      int w = 1;
      while (c + w < labels && g.cell(r, c + w) == g.cell(r, c)) ++w;
      widthAt[static_cast<size_t>(r)][static_cast<size_t>(c)] = w;
      c += w;
    }
  }
  pheGrid_->clearSpans();
  for (int c = 0; c < labels; ++c) {
    for (int r = 0; r < g.rows;) {
      const int w = widthAt[static_cast<size_t>(r)][static_cast<size_t>(c)];
      int h = 1;
      if (w > 0) {
        while (r + h < g.rows && widthAt[static_cast<size_t>(r + h)][static_cast<size_t>(c)] == w &&
               g.cell(r + h, c) == g.cell(r, c))
          ++h;
        if (w > 1 || h > 1) pheGrid_->setSpan(r, c, h, w);
      }
      r += h;
    }
  }
  placeGridButton();
}

void DesignWidget::fitCandidateColumns() {
  // Column 0 of 600 twips, column 1 of 1200 and the others of 900, widened
  // to the headings and the names they show.
  const GridState& g = model_.AutoGrid->grid;
  const int rows = std::clamp(model_.presets.AutoListSize + 1, 3, kMaxCandidateRowsShown);
  const bool scrolls = model_.presets.AutoListSize + 1 > rows;
  autoGrid_->setVerticalScrollBarPolicy(scrolls ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
  int width = 2 * autoGrid_->frameWidth() + (scrolls ? autoGrid_->verticalScrollBar()->sizeHint().width() : 0);
  for (int c = 0; c < autoGrid_->columnCount(); ++c) {
    int w = c == 0 ? pixels(600) : (c == 1 ? pixels(1200) : pixels(900));
    for (int r = 0; r < g.rows && c < g.cols; ++r)
      w = std::max(w, textWidth(autoGrid_, QString::fromStdString(g.cell(r, c)).trimmed()));
    autoGrid_->setColumnWidth(c, w);
    width += w;
  }
  autoGrid_->setFixedSize(width, rows * kCandidateRowHeight + 2 * autoGrid_->frameWidth());
}

void DesignWidget::mergeCandidateCells() {
  // A single-kind candidate shows its one channel count across both count columns.
  const GridState& g = model_.AutoGrid->grid;
  std::string signature = std::to_string(g.rows);
  for (const auto& cell : g.cells) signature += cell + '\x1f';
  if (signature == mergedCandidates_) return;
  mergedCandidates_ = signature;
  fitCandidateColumns();
  autoGrid_->clearSpans();
  for (int r = 1; r < g.rows && r < static_cast<int>(model_.candidates.size()); ++r) {
    const Candidate& e = model_.candidates[static_cast<size_t>(r)];
    if (e.plates != 0 && e.mixIndex <= 2) autoGrid_->setSpan(r, 4, 1, 2);
  }
}

void DesignWidget::alignCandidateCells() {
  // The model names read from the left; a merged count stands in the middle.
  for (int r = 1; r < autoGrid_->rowCount(); ++r) {
    if (QTableWidgetItem* item = autoGrid_->item(r, 1)) item->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    if (QTableWidgetItem* item = autoGrid_->item(r, 4); item && autoGrid_->columnSpan(r, 4) > 1)
      item->setTextAlignment(Qt::AlignCenter);
  }
}

void DesignWidget::followProgress() {
  // The search tries the models in list order and refreshes once per model
  // before it selects the next: the first refresh shows 0, the later ones
  // the count of models done, which is the index of the last one selected
  // plus one.
  const bool running = model_.ProgressBar1->visible;
  if (running) {
    const int models = static_cast<int>(model_.cbotype->items.size());
    progress_->setRange(0, std::max(models, 1));
    progress_->setValue(progressShown_ ? std::clamp(model_.cbotype->listIndex + 1, 0, models) : 0);
  }
  progressShown_ = running;
  progress_->setVisible(running);
}

void DesignWidget::followWindowHeight() {
  if (model_.windowHeight == appliedHeight_) return;
  appliedHeight_ = model_.windowHeight;
  QWidget* window = parentWidget() ? parentWidget() : this;
  if (auto* sub = qobject_cast<QMdiSubWindow*>(window); sub && (sub->isMaximized() || sub->isMinimized())) return;
  const int frame = window == this ? 0 : window->height() - height();
  window->resize(window->width(), sizeHint().height() + frame);
}

}  // namespace vx

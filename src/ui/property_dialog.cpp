#include "ui/property_dialog.h"

#include <QAbstractProxyModel>
#include <QComboBox>
#include <QCompleter>
#include <QStringListModel>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/session.h"
#include "properties/property_window.h"
#include "common/controls.h"
#include "ui/binding.h"

namespace vx {

namespace {

// Column widths in twips to pixels (15 twips a pixel on a 96 dpi screen).
void applyWidths(QTableWidget* table, const Control& c) {
  for (size_t i = 0; i < c.grid.colWidths.size() && static_cast<int>(i) < table->columnCount(); ++i) {
    const int twips = c.grid.colWidths[i];
    if (twips <= 0) table->setColumnHidden(static_cast<int>(i), true);
    else table->setColumnWidth(static_cast<int>(i), twips / 15);
  }
}

QTableWidget* readOnlyGrid(Binder& b, const std::string& name) {
  QTableWidget* t = b.grid(name);
  t->setEditTriggers(QAbstractItemView::NoEditTriggers);
  t->setSelectionMode(QAbstractItemView::SingleSelection);
  return t;
}

// Finds a component of the data bank by a part of its Chinese name, its
// formula or its English name: the matches drop down under the field, and
// the one taken is picked in the list.
QLineEdit* componentSearch(Binder& b, PropertyWindow& model) {
  auto* field = new QLineEdit;
  field->setObjectName("componentSearch");
  field->setPlaceholderText(QString::fromUtf8("查找: 名称/分子式"));
  field->setClearButtonEnabled(true);
  field->setMinimumWidth(170);
  auto* texts = new QStringListModel(field);
  auto* completer = new QCompleter(texts, field);
  completer->setFilterMode(Qt::MatchContains);
  completer->setCaseSensitivity(Qt::CaseInsensitive);
  completer->setCompletionMode(QCompleter::PopupCompletion);
  completer->setMaxVisibleItems(15);
  field->setCompleter(completer);
  b.addUpdate([texts, &model] {
    if (texts->rowCount() == static_cast<int>(model.componentSearchTexts.size())) return;
    QStringList list;
    for (const auto& t : model.componentSearchTexts) list << QString::fromStdString(t);
    texts->setStringList(list);
  });
  QObject::connect(completer, qOverload<const QModelIndex&>(&QCompleter::activated), field,
                   [&b, &model, completer](const QModelIndex& index) {
                     const QModelIndex source =
                         static_cast<QAbstractProxyModel*>(completer->completionModel())->mapToSource(index);
                     if (!source.isValid() || !Pick(*model.Combo7, source.row())) return;
                     b.afterEvent();
                   });
  return field;
}

}  // namespace

PropertyDialog::PropertyDialog(PropertyWindow& model, Session& session, QtHost& host, QWidget* parent)
    : QDialog(parent) {
  setObjectName(QString::fromStdString(model.name()));
  auto* b = new Binder(model, host, this);

  // The tree of the three data sources.
  auto* tree = new QTreeWidget(this);
  tree->setObjectName("TreeView1");
  tree->setHeaderHidden(true);
  tree->setRootIsDecorated(false);
  tree->setFixedWidth(130);
  for (const auto& item : model.TreeView1->items)
    tree->addTopLevelItem(new QTreeWidgetItem(QStringList{QString::fromStdString(item)}));
  connect(tree, &QTreeWidget::itemClicked, this, [b, tree, &model](QTreeWidgetItem* item) {
    Pick(*model.TreeView1, tree->indexOfTopLevelItem(item));
    b->afterEvent();
  });
  b->addUpdate([tree, &model] {
    QTreeWidgetItem* current = tree->topLevelItem(model.TreeView1->listIndex);
    if (current && tree->currentItem() != current) tree->setCurrentItem(current);
  });

  // Self-built media.
  QGroupBox* self = b->frame("Frame1", 0);
  {
    auto* h = new QHBoxLayout(self);
    QListWidget* list = b->listBox("List1");
    list->setFixedWidth(170);
    h->addWidget(list);
    auto* v = new QVBoxLayout;
    auto* form = new QGridLayout;
    form->addWidget(b->label("Label1"), 0, 0);
    form->addWidget(b->lineEdit("MassName"), 0, 1);
    form->addWidget(b->label("Label2"), 1, 0, 1, 2);
    form->addWidget(b->lineEdit("shuoming"), 2, 0, 1, 2);
    v->addLayout(form);
    QTableWidget* grid = b->grid("MyDataGrid");
    // Keys go to the window's grid rule, which edits the current cell.
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->installEventFilter(b);
    connect(grid, &QTableWidget::currentCellChanged, this, [b, &model](int row, int col) {
      if (row < 0 || col < 0) return;
      ClickCell(*model.MyDataGrid, row, col);
      b->afterEvent();
    });
    std::array<QComboBox*, 7> units{};
    for (int i = 0; i < 7; ++i) {
      units[static_cast<size_t>(i)] = b->comboBox("MyDataBaseUnit", i);
      grid->setCellWidget(i + 1, 5, units[static_cast<size_t>(i)]);
    }
    b->addUpdate([grid, units, &model] {
      applyWidths(grid, *model.MyDataGrid);
      grid->horizontalHeader()->setStretchLastSection(true);
      // Each unit list stands in its cell; the button that opens a list is
      // the list's own arrow here.
      for (int i = 0; i < 7; ++i) {
        if (grid->cellWidget(i + 1, 5) != units[static_cast<size_t>(i)])
          grid->setCellWidget(i + 1, 5, units[static_cast<size_t>(i)]);
        units[static_cast<size_t>(i)]->setVisible(true);
      }
    });
    grid->setMinimumHeight(8 * 26);
    v->addWidget(grid, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(b->button("Command1"));
    buttons->addWidget(b->button("Command2"));
    v->addLayout(buttons);
    h->addLayout(v, 1);
    b->button("GridBTN")->hide();
  }

  // Common fluids.
  QGroupBox* common = b->frame("Frame1", 1);
  {
    auto* h = new QHBoxLayout(common);
    QListWidget* list = b->listBox("List2");
    list->setFixedWidth(170);
    h->addWidget(list);
    auto* v = new QVBoxLayout;
    auto* entries = new QGridLayout;
    for (int i = 0; i < 2; ++i) {
      entries->addWidget(b->label("Label6", i), 2 * i, 0);
      QLabel* low = b->label("Label5", 2 * i);
      QLabel* high = b->label("Label5", 2 * i + 1);
      high->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
      entries->addWidget(low, 2 * i, 1);
      entries->addWidget(high, 2 * i, 2);
      auto* bar = new QScrollBar(Qt::Horizontal, common);
      bar->setObjectName(QString("Scroll(%1)").arg(i));
      bar->setMinimumWidth(240);
      entries->addWidget(bar, 2 * i + 1, 1, 1, 2);
      QLineEdit* text = b->lineEdit("Text2", i);
      text->setFixedWidth(80);
      entries->addWidget(text, 2 * i + 1, 3);
      Control& c = *model.Scroll[static_cast<size_t>(i)];
      connect(bar, &QScrollBar::valueChanged, this, [b, &c](int value) {
        SetText(c, std::to_string(value));
        b->afterEvent();
      });
      b->addUpdate([bar, i, &model, &c] {
        const auto& s = model.scroll[static_cast<size_t>(i)];
        const QSignalBlocker block(bar);
        bar->setRange(s.min, s.max);
        bar->setSingleStep(s.smallStep);
        bar->setPageStep(s.largeStep);
        bar->setValue(s.value);
        bar->setEnabled(c.enabled);
      });
    }
    v->addLayout(entries);
    auto* results = new QGridLayout;
    const char* names[4] = {"pdensity", "pspecificheat", "pconduction", "pviscosity"};
    for (int i = 0; i < 4; ++i) {
      results->addWidget(b->label("Label7", i), i, 0);
      QLineEdit* box = b->lineEdit(names[i]);
      box->setFixedWidth(120);
      results->addWidget(box, i, 1);
      results->addWidget(b->label("Label8", i), i, 2);
    }
    results->setColumnStretch(3, 1);
    v->addLayout(results);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(b->button("Command5"));
    v->addLayout(buttons);
    v->addStretch();
    h->addLayout(v, 1);
  }

  // The data bank.
  QGroupBox* bank = b->frame("Frame1", 2);
  {
    auto* v = new QVBoxLayout(bank);
    auto* chooser = new QHBoxLayout;
    QComboBox* names = b->comboBox("Combo7");
    names->setMinimumWidth(180);
    names->setMaxVisibleItems(20);
    // The list opens as a bounded, scrolling list, not as tall as the screen.
    names->setStyleSheet("QComboBox { combobox-popup: 0; }");
    chooser->addWidget(names, 1);
    chooser->addWidget(componentSearch(*b, model));
    chooser->addWidget(b->label("Label9"));
    QLineEdit* share = b->lineEdit("Frication");
    share->setFixedWidth(60);
    chooser->addWidget(share);
    chooser->addWidget(b->comboBox("Component"));
    chooser->addWidget(b->button("Command12"));
    v->addLayout(chooser);
    auto* h = new QHBoxLayout;
    QTableWidget* mix = readOnlyGrid(*b, "DpGridMix");
    mix->installEventFilter(b);
    connect(mix, &QTableWidget::cellClicked, this, [b, &model](int row, int col) {
      ClickCell(*model.DpGridMix, row, col);
      b->afterEvent();
    });
    mix->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(mix, &QTableWidget::customContextMenuRequested, this, [this, b, mix, &model](const QPoint& pos) {
      QMenu menu(this);
      QAction* remove = menu.addAction(QString::fromStdString(model.DelRow->text));
      if (menu.exec(mix->viewport()->mapToGlobal(pos)) == remove) {
        Click(model.controls(), *model.DelRow);
        b->afterEvent();
      }
    });
    h->addWidget(mix, 1);
    auto* right = new QVBoxLayout;
    QTableWidget* info = readOnlyGrid(*b, "DpGrid");
    QTableWidget* estimates = readOnlyGrid(*b, "DpGridMixData");
    right->addWidget(info, 1);
    right->addWidget(estimates, 1);
    auto* temperature = new QHBoxLayout;
    temperature->addWidget(b->label("Label10"));
    QLineEdit* t = b->lineEdit("Text8");
    t->setFixedWidth(80);
    temperature->addWidget(t);
    temperature->addStretch();
    right->addLayout(temperature);
    auto* ranges = new QGridLayout;
    ranges->addWidget(new QLabel("液体粘度适用温度,K:", bank), 0, 0);
    ranges->addWidget(b->label("Label4", 0), 0, 1);
    ranges->addWidget(new QLabel("蒸汽压适用温度,K:", bank), 1, 0);
    ranges->addWidget(b->label("Label4", 1), 1, 1);
    ranges->setColumnStretch(1, 1);
    right->addLayout(ranges);
    h->addLayout(right, 1);
    v->addLayout(h, 1);
    b->addUpdate([mix, info, estimates, &model] {
      applyWidths(mix, *model.DpGridMix);
      applyWidths(info, *model.DpGrid);
      applyWidths(estimates, *model.DpGridMixData);
      info->horizontalHeader()->setStretchLastSection(true);
      estimates->horizontalHeader()->setStretchLastSection(true);
    });
  }

  auto* views = new QVBoxLayout;
  views->addWidget(self, 1);
  views->addWidget(common, 1);
  views->addWidget(bank, 1);
  auto* top = new QHBoxLayout;
  top->addWidget(tree);
  top->addLayout(views, 1);

  auto* bottom = new QHBoxLayout;
  QLabel* status = b->label("StatusBar1");
  status->setFrameShape(QFrame::StyledPanel);
  bottom->addWidget(status, 1);
  QPushButton* adopt = b->button("Command3");
  QPushButton* cancel = b->button("Command7");
  adopt->setMinimumWidth(88);
  cancel->setMinimumWidth(88);
  bottom->addWidget(adopt);
  bottom->addWidget(cancel);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top, 1);
  layout->addLayout(bottom);
  // Closing by the title bar closes the window's view model as well.
  connect(this, &QDialog::finished, this, [&session] { session.closeWindow(PropertyWindow::kName); });
  resize(960, 560);
  b->refresh();
}

}  // namespace vx

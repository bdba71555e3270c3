#include "ui/settings_widgets.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/session.h"
#include "settings/model_editor.h"
#include "settings/password_windows.h"
#include "settings/settings_window.h"
#include "ui/binding.h"
#include "ui/qt_host.h"

namespace vx {
namespace {

constexpr int kTwipsPerPixel = 15;

// Closing a dialog with its close box closes its view model as well.
void closeWithModel(QDialog* dialog, Session& session, const std::string& name) {
  QObject::connect(dialog, &QDialog::finished, dialog, [&session, name] { session.closeWindow(name); });
}

// A label that runs its control's click rule.
class ClickFilter : public QObject {
 public:
  ClickFilter(QObject* parent, std::function<void()> run) : QObject(parent), run_(std::move(run)) {}

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::MouseButtonPress && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
      run_();
      return true;
    }
    return false;
  }

 private:
  std::function<void()> run_;
};

void onClick(QWidget* w, std::function<void()> run) {
  w->installEventFilter(new ClickFilter(w, std::move(run)));
  w->setCursor(Qt::PointingHandCursor);
}

// Enter in a password field presses the window's default button, as in any
// dialog; the binder otherwise keeps Enter from one-line fields.
class EnterFilter : public QObject {
 public:
  EnterFilter(QObject* parent, std::function<void()> run) : QObject(parent), run_(std::move(run)) {}

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
    run_();
    return true;
  }

 private:
  std::function<void()> run_;
};

void enterPresses(QLineEdit* edit, Binder* b, WindowModel& model, Control& button) {
  edit->installEventFilter(new EnterFilter(edit, [b, &model, &button] {
    Click(model.controls(), button);
    b->afterEvent();
  }));
}

QHBoxLayout* buttonRow(const std::vector<QPushButton*>& buttons) {
  auto* row = new QHBoxLayout;
  row->addStretch();
  for (QPushButton* b : buttons) {
    b->setMinimumWidth(88);
    row->addWidget(b);
  }
  return row;
}

}  // namespace

// ---------------------------------------------------------------- Defdata

SettingsDialog::SettingsDialog(SettingsWindow& model, Session& session, QtHost& host, QWidget* parent)
    : QDialog(parent) {
  setObjectName(QString::fromStdString(model.name()));
  auto* b = new Binder(model, host, this);
  auto* layout = new QVBoxLayout(this);
  QTabBar* tabs = b->tabBar("TabStrip1");
  tabs->setDrawBase(false);
  layout->addWidget(tabs);
  auto* stack = new QStackedWidget(this);
  stack->setFrameShape(QFrame::StyledPanel);
  layout->addWidget(stack);

  // Tab 1: the preset parameters in two frames.
  auto* presets = new QWidget(stack);
  auto* p = new QVBoxLayout(presets);
  auto* frames = new QHBoxLayout;
  QGroupBox* frame1 = b->frame("Frame1");
  auto* g1 = new QGridLayout(frame1);
  auto addLine = [&](QGridLayout* grid, int line, int row, int column) {
    grid->addWidget(b->label("Label1", line), row, column);
    QLineEdit* edit = b->lineEdit("Text1", line);
    edit->setFixedWidth(80);
    grid->addWidget(edit, row, column + 1);
    if (model.controls().find("LblUnit", line)) grid->addWidget(b->label("LblUnit", line), row, column + 2);
  };
  for (int line = 0; line < 8; ++line) addLine(g1, line, line, 0);
  g1->setColumnMinimumWidth(2, 36);
  g1->setRowStretch(8, 1);
  QGroupBox* frame2 = b->frame("Frame2");
  auto* g2 = new QGridLayout(frame2);
  for (int i = 0; i < 3; ++i) {
    addLine(g2, 8 + i, i, 0);
    addLine(g2, 11 + i, i, 3);
  }
  g2->setColumnMinimumWidth(2, 36);
  g2->setRowStretch(3, 1);
  frames->addWidget(frame1);
  frames->addWidget(frame2, 1);
  p->addLayout(frames);
  p->addLayout(buttonRow({b->button("Command5"), b->button("Command3"), b->button("Command4")}));
  stack->addWidget(presets);

  // Tab 2: the tree and the option tables.
  auto* options = new QWidget(stack);
  auto* o = new QVBoxLayout(options);
  auto* split = new QHBoxLayout;
  auto* tree = new QTreeWidget(options);
  tree->setObjectName("TreeView1");
  tree->setHeaderHidden(true);
  tree->setFixedWidth(150);
  std::vector<QTreeWidgetItem*> items;
  QTreeWidgetItem* root = nullptr;
  const auto& nodes = SettingsWindow::treeNodes();
  for (size_t i = 0; i < nodes.size(); ++i) {
    QString text = QString::fromStdString(model.TreeView1->items[i]);
    QTreeWidgetItem* item = nodes[i].level == 0 || !root ? new QTreeWidgetItem(tree, {text}) : new QTreeWidgetItem(root, {text});
    if (nodes[i].level == 0) root = item;
    item->setIcon(0, style()->standardIcon(nodes[i].panel == 8 ? QStyle::SP_DirClosedIcon : QStyle::SP_FileIcon));
    item->setData(0, Qt::UserRole, static_cast<int>(i));
    items.push_back(item);
  }
  tree->expandAll();
  connect(tree, &QTreeWidget::itemClicked, this, [b, &model](QTreeWidgetItem* item) {
    Pick(*model.TreeView1, item->data(0, Qt::UserRole).toInt());
    b->afterEvent();
  });
  split->addWidget(tree);
  auto* right = new QVBoxLayout;
  right->addWidget(b->label("LblHint"));
  std::vector<QTableWidget*> grids;
  for (int t = 0; t < SettingsWindow::kTables; ++t) {
    QTableWidget* grid = b->grid("MSFlexGrid1", t);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->verticalHeader()->setDefaultSectionSize(22);
    grid->horizontalHeader()->setStretchLastSection(false);
    // The name column takes the room the fixed columns leave.
    const int cols = model.MSFlexGrid1[static_cast<size_t>(t)]->grid.cols;
    grid->setColumnCount(cols);
    grid->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    const int fixed = t == 0 ? 1800 : t == 2 ? 800 : t == 3 ? 1000 : 0;
    for (int c = 1; c < cols; ++c) grid->setColumnWidth(c, fixed / kTwipsPerPixel + (t == 0 ? 0 : 20));
    Control& control = *model.MSFlexGrid1[static_cast<size_t>(t)];
    connect(grid, &QTableWidget::cellClicked, this, [b, &control](int r, int c) {
      ClickCell(control, r, c);
      b->afterEvent();
    });
    connect(grid, &QTableWidget::cellDoubleClicked, this, [b, &model, t](int r, int c) {
      model.editCell(t, r, c);
      b->afterEvent();
    });
    grid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(grid, &QWidget::customContextMenuRequested, this, [this, b, grid, &model, &control](const QPoint& pos) {
      QModelIndex at = grid->indexAt(pos);
      if (at.isValid()) ClickCell(control, at.row(), at.column());
      else ClickCell(control, 0, 0);
      QMenu menu(this);
      QAction* add = menu.addAction(QString::fromStdString(model.controls().find("MA")->text));
      QAction* remove = menu.addAction(QString::fromStdString(model.controls().find("MD")->text));
      QAction* chosen = menu.exec(grid->viewport()->mapToGlobal(pos));
      if (chosen == add) Click(model.controls(), *model.controls().find("MA"));
      if (chosen == remove) Click(model.controls(), *model.controls().find("MD"));
      b->afterEvent();
    });
    right->addWidget(grid, 1);
    grids.push_back(grid);
  }
  auto* empty = new QWidget(options);  // the ninth panel
  right->addWidget(empty, 1);
  QLineEdit* cellEditor = b->lineEdit("Text2");
  split->addLayout(right, 1);
  o->addLayout(split, 1);
  o->addLayout(buttonRow({b->button("Command1"), b->button("Command2")}));
  stack->addWidget(options);

  b->addUpdate([stack, &model, grids, empty, cellEditor] {
    stack->setCurrentIndex(model.TabStrip1->listIndex == 1 ? 1 : 0);
    empty->setVisible(model.shownPanel() >= SettingsWindow::kTables);
    const int t = model.editTable();
    if (t < 0) return;
    QTableWidget* grid = grids[static_cast<size_t>(t)];
    if (cellEditor->parentWidget() != grid->viewport()) cellEditor->setParent(grid->viewport());
    // Over the cell, inset as the original editor sat in it: 0.8 of its width.
    QRect cell = grid->visualRect(grid->model()->index(model.editRow(), model.editCol()));
    cellEditor->setGeometry(cell.x() + 1, cell.y() + 1, cell.width() * 8 / 10 - 3, cell.height() - 3);
    cellEditor->setVisible(model.Text2->visible);
    cellEditor->raise();
  });
  closeWithModel(this, session, model.name());
  resize(660, 440);
  b->refresh();
}

// ---------------------------------------------------------------- PWData

PasswordDialog::PasswordDialog(PasswordWindow& model, Session& session, QtHost& host, QWidget* parent)
    : QDialog(parent) {
  setObjectName(QString::fromStdString(model.name()));
  auto* b = new Binder(model, host, this);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(b->label("Label1", 0));
  layout->addWidget(b->label("Label1", 1));
  QLineEdit* text = b->lineEdit("Text1");
  text->setEchoMode(QLineEdit::Password);
  text->setMaxLength(10);
  enterPresses(text, b, model, *model.controls().find("Command1", 0));
  layout->addWidget(text);
  QPushButton* ok = b->button("Command1", 0);
  ok->setDefault(true);
  layout->addLayout(buttonRow({ok, b->button("Command1", 1)}));
  closeWithModel(this, session, model.name());
  setMinimumWidth(360);
  b->refresh();
}

// ---------------------------------------------------------------- chpassword

ChangePasswordDialog::ChangePasswordDialog(ChangePasswordWindow& model, Session& session, QtHost& host, QWidget* parent)
    : QDialog(parent) {
  setObjectName(QString::fromStdString(model.name()));
  auto* b = new Binder(model, host, this);
  auto* layout = new QVBoxLayout(this);
  auto* grid = new QGridLayout;
  for (int i = 0; i < 2; ++i) {
    grid->addWidget(b->label("Label1", i), i, 0);
    QLineEdit* text = b->lineEdit("Text1", i + 1);
    text->setEchoMode(QLineEdit::Password);
    text->setMaxLength(10);
    enterPresses(text, b, model, *model.controls().find("Command1"));
    grid->addWidget(text, i, 1);
  }
  layout->addLayout(grid);
  QPushButton* ok = b->button("Command1");
  ok->setDefault(true);
  layout->addLayout(buttonRow({ok, b->button("Command2")}));
  closeWithModel(this, session, model.name());
  setMinimumWidth(320);
  b->refresh();
}

// ---------------------------------------------------------------- newproduct

ModelEditorDialog::ModelEditorDialog(ModelEditor& model, Session& session, QtHost& host, QWidget* parent)
    : QDialog(parent) {
  setObjectName(QString::fromStdString(model.name()));
  auto* b = new Binder(model, host, this);
  auto* layout = new QHBoxLayout(this);

  QGroupBox* listFrame = b->frame("Frame1");
  auto* l = new QVBoxLayout(listFrame);
  QListWidget* list = b->listBox("DataList");
  list->setFixedWidth(130);
  l->addWidget(list);
  layout->addWidget(listFrame);

  auto* body = new QWidget(this);
  auto* right = new QVBoxLayout(body);
  right->setContentsMargins(0, 0, 0, 0);
  // Captions that change with the plate kind keep room for the longest of them.
  auto caption = [b](const char* name, int index) {
    QLabel* label = b->label(name, index);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance("混合通道") + 8);
    label->setAlignment(Qt::AlignCenter);
    return label;
  };
  auto field = [b](const char* name, int index, int width = 90) {
    QLineEdit* e = b->lineEdit(name, index);
    e->setFixedWidth(width);
    return e;
  };

  auto* top = new QHBoxLayout;
  top->addWidget(b->label("LblName"));
  top->addWidget(field("Text2", 0, 110));
  top->addSpacing(16);
  top->addWidget(b->label("LblKind"));
  QComboBox* kind = b->comboBox("Phe_Tag");
  kind->setMinimumWidth(120);
  top->addWidget(kind);
  top->addStretch();
  right->addLayout(top);

  auto* plate = new QHBoxLayout;
  auto* ports = new QGridLayout;
  ports->addWidget(caption("LblPortCol", 0), 0, 1);
  ports->addWidget(caption("LblPortCol", 1), 0, 2);
  for (int r = 0; r < 2; ++r) {
    ports->addWidget(b->label("LblPort", r), r + 1, 0);
    ports->addWidget(field("Text2", 2 + r), r + 1, 1);  // PortIn1, PortOut1
    ports->addWidget(field("Text2", 4 + r), r + 1, 2);  // PortIn2, PortOut2
  }
  ports->setRowStretch(3, 1);
  plate->addLayout(ports);
  plate->addSpacing(16);
  auto* fields = new QGridLayout;
  for (int i = 0; i < 6; ++i) {
    const int row = i % 3, col = (i / 3) * 3;
    fields->addWidget(b->label("LblPlate", i), row, col);
    fields->addWidget(field("Text2", 6 + i, i < 3 ? 90 : 110), row, col + 1);
    if (model.controls().find("LblUnit", i)) fields->addWidget(b->label("LblUnit", i), row, col + 2);
    else fields->addWidget(new QLabel(body), row, col + 2);
  }
  fields->setColumnMinimumWidth(2, 28);
  plate->addLayout(fields);
  plate->addStretch();
  right->addLayout(plate);

  auto* lower = new QHBoxLayout;
  QGroupBox* corr = b->frame("Frame2");
  auto* c = new QGridLayout(corr);
  for (int col = 0; col < 3; ++col) c->addWidget(caption("LblCol", col), 0, col + 1);
  static const char* const columns[3] = {"Text3", "Text4", "Text5"};
  const int rowIndex[ModelEditor::kCorrelationRows] = {0, 1, 6, 2, 3, 4, 5};
  for (int r = 0; r < ModelEditor::kCorrelationRows; ++r) {
    QLabel* caption = b->label("LblCorr", rowIndex[r]);
    Control& control = *model.controls().find("LblCorr", rowIndex[r]);
    onClick(caption, [b, &model, &control] {
      Click(model.controls(), control);
      b->afterEvent();
    });
    c->addWidget(caption, r + 1, 0);
    for (int col = 0; col < 3; ++col) c->addWidget(field(columns[col], rowIndex[r], 100), r + 1, col + 1);
  }
  lower->addWidget(corr);
  auto* sections = new QGridLayout;
  sections->addWidget(caption("LblSecCol", 0), 0, 1);
  sections->addWidget(caption("LblSecCol", 1), 0, 2);
  for (int r = 0; r < 2; ++r) {
    sections->addWidget(b->label("LblSec", r), r + 1, 0);
    sections->addWidget(field("Text6", r, 100), r + 1, 1);
    sections->addWidget(field("Text7", r, 100), r + 1, 2);
  }
  sections->setRowStretch(3, 1);
  lower->addLayout(sections);
  lower->addStretch();
  right->addLayout(lower);

  auto* buttons = new QHBoxLayout;
  for (const char* name : {"Command2", "Command7", "Command8", "Command6", "Command9", "Command4"}) {
    QPushButton* button = b->button(name);
    button->setMinimumWidth(88);
    buttons->addWidget(button);
  }
  buttons->addStretch();
  right->addLayout(buttons);
  layout->addWidget(body, 1);

  // The explanation picture lies over the fields until it is clicked.
  auto* picture = new QLabel(body);
  picture->setObjectName("Picture1");
  picture->setFrameShape(QFrame::Box);
  picture->setAlignment(Qt::AlignCenter);
  picture->setAutoFillBackground(true);
  onClick(picture, [b, &model] {
    Click(model.controls(), *model.Picture1);
    b->afterEvent();
  });
  b->addUpdate([picture, body, &model] {
    const bool shown = model.Picture1->visible && !model.Picture1->text.empty();
    if (shown) {
      // The whole picture over the fields, scaled down where it is larger;
      // read again only when the file or the room changed.
      const QSize room = body->size() - QSize(4, 4);
      const QString key =
          QString::fromStdString(model.Picture1->text) + QString(" %1x%2").arg(room.width()).arg(room.height());
      if (picture->property("shown").toString() != key) {
        QPixmap image(QString::fromStdString(model.Picture1->text));
        if (!image.isNull() && (image.width() > room.width() || image.height() > room.height()))
          image = image.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        picture->setPixmap(image);
        picture->setProperty("shown", key);
      }
      picture->setGeometry(body->rect());
      picture->raise();
    }
    picture->setVisible(shown);
  });
  closeWithModel(this, session, model.name());
  b->refresh();
}

}  // namespace vx

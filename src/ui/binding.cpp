#include "ui/binding.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTableWidget>
#include <QTimer>

#include "common/controls.h"
#include "common/window_model.h"
#include "ui/qt_host.h"

namespace vx {

QColor toQColor(uint32_t value) { return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF); }

namespace {

// A picture box: lines in user coordinates.
class PictureBox : public QWidget {
 public:
  PictureBox(Control& c, QWidget* parent) : QWidget(parent), control_(c) {
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    const PictureState& pic = control_.picture;
    if (pic.width == 0 || pic.height == 0) return;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    auto map = [&](double x, double y) {
      return QPointF((x - pic.left) / pic.width * width(), (y - pic.top) / pic.height * height());
    };
    for (const auto& line : pic.lines) {
      p.setPen(QPen(toQColor(line.color), line.width));
      p.drawLine(map(line.x1, line.y1), map(line.x2, line.y2));
    }
  }

 private:
  Control& control_;
};

// Colour values with the high bit set name a system colour; the only one the
// view models use is the window (text box) background, shown as the
// palette's own base colour, as is the default colour.
bool looksNumeric(const QString& text) {
  bool ok = false;
  text.trimmed().toDouble(&ok);
  return ok || text.trimmed().isEmpty();
}

bool isSystemColor(uint32_t value) { return value != kDefaultColor && (value & 0x80000000u) != 0; }

void setBackColor(QLineEdit* w, uint32_t color) {
  const bool own = color == kDefaultColor || isSystemColor(color);
  QPalette p = w->palette();
  if (own && !p.isBrushSet(QPalette::Active, QPalette::Base)) return;  // never coloured
  const QPalette& app = QApplication::palette();
  for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
    p.setColor(group, QPalette::Base, own ? app.color(group, QPalette::Base) : toQColor(color));
  if (p != w->palette()) w->setPalette(p);
}

void setForeColor(QWidget* w, uint32_t color) {
  QPalette p = w->palette();
  QColor c = color == kDefaultColor ? QApplication::palette().color(QPalette::Text) : toQColor(color);
  // A disabled control keeps the style's grey, whatever its colour.
  for (auto group : {QPalette::Active, QPalette::Inactive}) {
    p.setColor(group, QPalette::Text, c);
    p.setColor(group, QPalette::WindowText, c);
    p.setColor(group, QPalette::ButtonText, c);
  }
  if (p != w->palette()) w->setPalette(p);
}

}  // namespace

Binder::Binder(WindowModel& model, QtHost& host, QWidget* owner) : QObject(owner), model_(model), host_(host), owner_(owner) {
  host_.addRefresher(this, [this] { refresh(); });
  connect(qApp, &QCoreApplication::aboutToQuit, this, [this] { ended_ = true; });
}

Control& Binder::control(const std::string& name, int index) {
  Control* c = model_.controls().find(name, index);
  if (!c) qFatal("no control %s(%d) in %s", name.c_str(), index, model_.name().c_str());
  return *c;
}

void Binder::add(QWidget* widget, Control& c, std::function<void()> update) {
  widget->setObjectName(QString::fromStdString(c.label()));
  if (!c.toolTip.empty()) widget->setToolTip(QString::fromStdString(c.toolTip));
  bound_.push_back({widget, &c, std::move(update)});
}

void Binder::afterEvent() { host_.refreshAll(); }

QLineEdit* Binder::lineEdit(const std::string& name, int index) {
  Control& c = control(name, index);
  auto* w = new QLineEdit(owner_);
  w->installEventFilter(this);
  connect(w, &QLineEdit::textEdited, this, [this, &c](const QString& text) {
    SetText(c, text.toStdString());
    afterEvent();
  });
  add(w, c, [w, &c] {
    QString text = QString::fromStdString(c.text);
    if (w->text() != text) {
      w->setText(text);
      // A text put there by the program shows from its start; the person
      // who types in the field keeps the caret where it is.
      if (!w->hasFocus()) w->setCursorPosition(0);
    }
    setForeColor(w, c.foreColor);
    setBackColor(w, c.backColor);
  });
  return w;
}

QCheckBox* Binder::checkBox(const std::string& name, int index) {
  Control& c = control(name, index);
  auto* w = new QCheckBox(QString::fromStdString(c.text), owner_);
  w->installEventFilter(this);
  connect(w, &QCheckBox::clicked, this, [this, &c](bool checked) {
    SetChecked(model_.controls(), c, checked);
    afterEvent();
  });
  add(w, c, [w, &c] {
    w->setChecked(c.checked);
    w->setText(QString::fromStdString(c.text));
  });
  return w;
}

QComboBox* Binder::comboBox(const std::string& name, int index) {
  Control& c = control(name, index);
  auto* w = new QComboBox(owner_);
  w->installEventFilter(this);
  connect(w, &QComboBox::activated, this, [this, &c](int entry) {
    Pick(c, entry);
    afterEvent();
  });
  add(w, c, [w, &c] {
    QStringList items;
    for (const auto& item : c.items) items << QString::fromStdString(item);
    QStringList shown;
    for (int i = 0; i < w->count(); ++i) shown << w->itemText(i);
    if (shown != items) {
      w->clear();
      w->addItems(items);
    }
    // A text that is not in the list (an adopted medium) shows as the
    // placeholder of an unselected list, in the colour of a chosen entry.
    w->setPlaceholderText(QString::fromStdString(c.text).trimmed());
    QPalette pal = w->palette();
    if (pal.color(QPalette::PlaceholderText) != pal.color(QPalette::ButtonText)) {
      pal.setColor(QPalette::PlaceholderText, pal.color(QPalette::ButtonText));
      w->setPalette(pal);
    }
    w->setCurrentIndex(c.listIndex);
  });
  return w;
}

QRadioButton* Binder::radio(const std::string& name, int index) {
  Control& c = control(name, index);
  auto* w = new QRadioButton(QString::fromStdString(c.text), owner_);
  w->setAutoExclusive(false);  // the view model decides
  w->installEventFilter(this);
  connect(w, &QRadioButton::clicked, this, [this, &c] {
    Click(model_.controls(), c);
    afterEvent();
  });
  add(w, c, [w, &c] { w->setChecked(c.checked); });
  return w;
}

QPushButton* Binder::button(const std::string& name, int index) {
  Control& c = control(name, index);
  auto* w = new QPushButton(QString::fromStdString(c.text), owner_);
  w->installEventFilter(this);
  connect(w, &QPushButton::clicked, this, [this, &c] {
    Click(model_.controls(), c);
    afterEvent();
  });
  add(w, c, [w, &c] { w->setText(QString::fromStdString(c.text)); });
  return w;
}

QLabel* Binder::label(const std::string& name, int index) {
  Control& c = control(name, index);
  auto* w = new QLabel(owner_);
  add(w, c, [w, &c] {
    w->setText(QString::fromStdString(c.text));
    setForeColor(w, c.foreColor);
  });
  return w;
}

QGroupBox* Binder::frame(const std::string& name, int index) {
  Control& c = control(name, index);
  auto* w = new QGroupBox(owner_);
  add(w, c, [w, &c] { w->setTitle(QString::fromStdString(c.text)); });
  return w;
}

QTableWidget* Binder::grid(const std::string& name, int index, GridOptions options) {
  Control& c = control(name, index);
  auto* w = new QTableWidget(owner_);
  w->horizontalHeader()->hide();
  w->verticalHeader()->hide();
  if (options.pickRows) {
    w->setEditTriggers(QAbstractItemView::NoEditTriggers);
    w->setSelectionBehavior(QAbstractItemView::SelectRows);
    w->setSelectionMode(QAbstractItemView::SingleSelection);
    auto pick = [this, &c](int row, int) {
      if (row < c.grid.fixedRows) return;
      Pick(c, row);
      afterEvent();
    };
    if (options.pickOnDoubleClick) connect(w, &QTableWidget::cellDoubleClicked, this, pick);
    else connect(w, &QTableWidget::cellClicked, this, pick);
  } else {
    w->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                       QAbstractItemView::AnyKeyPressed);
  }
  connect(w, &QTableWidget::itemChanged, this, [this, &c](QTableWidgetItem* item) {
    if (refreshing_ || ended_) return;
    SetCell(c, item->row(), item->column(), item->text().toStdString());
    afterEvent();
  });
  add(w, c, [this, w, &c, options] {
    const GridState& g = c.grid;
    if (w->rowCount() != g.rows) w->setRowCount(g.rows);
    if (w->columnCount() != g.cols) w->setColumnCount(g.cols);
    for (int r = 0; r < g.rows; ++r) {
      for (int col = 0; col < g.cols; ++col) {
        QTableWidgetItem* item = w->item(r, col);
        if (!item) {
          item = new QTableWidgetItem;
          w->setItem(r, col, item);
        }
        QString text = QString::fromStdString(g.cell(r, col));
        if (item->text() != text) item->setText(text);
        const bool fixed = r < g.fixedRows || col < g.fixedCols;
        uint32_t color = g.backColors[static_cast<size_t>(r * g.cols + col)];
        item->setBackground(color != kDefaultColor ? QBrush(toQColor(color))
                            : fixed                 ? w->palette().button()
                                                    : w->palette().base());
        Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        if (!options.pickRows && (!fixed || options.fixedEditable)) flags |= Qt::ItemIsEditable;
        item->setFlags(flags);
        // Numbers line up on the right, texts read from the left.
        item->setTextAlignment(fixed            ? Qt::AlignCenter
                               : looksNumeric(text) ? Qt::AlignRight | Qt::AlignVCenter
                                                    : Qt::AlignLeft | Qt::AlignVCenter);
      }
    }
    (void)this;
  });
  return w;
}

QWidget* Binder::picture(const std::string& name, int index) {
  Control& c = control(name, index);
  auto* w = new PictureBox(c, owner_);
  add(w, c, [w] { w->update(); });
  return w;
}

QTabBar* Binder::tabBar(const std::string& name, int index) {
  Control& c = control(name, index);
  auto* w = new QTabBar(owner_);
  w->setExpanding(false);
  w->installEventFilter(this);
  connect(w, &QTabBar::currentChanged, this, [this, &c](int tab) {
    if (refreshing_ || tab < 0) return;
    Pick(c, tab);
    afterEvent();
  });
  add(w, c, [w, &c] {
    bool same = w->count() == static_cast<int>(c.items.size());
    for (int i = 0; same && i < w->count(); ++i)
      same = w->tabText(i) == QString::fromStdString(c.items[static_cast<size_t>(i)]);
    if (!same) {
      while (w->count() > 0) w->removeTab(0);
      for (const auto& item : c.items) w->addTab(QString::fromStdString(item));
    }
    if (c.listIndex >= 0 && c.listIndex < w->count()) w->setCurrentIndex(c.listIndex);
  });
  return w;
}

QListWidget* Binder::listBox(const std::string& name, int index) {
  Control& c = control(name, index);
  auto* w = new QListWidget(owner_);
  w->installEventFilter(this);
  auto pick = [this, &c](const QModelIndex& entry) {
    // A click may also activate the entry: the second pick finds the list hidden.
    if (!Pick(c, entry.row())) return;
    afterEvent();
  };
  connect(w, &QListWidget::clicked, this, pick);
  connect(w, &QListWidget::activated, this, pick);
  add(w, c, [w, &c] {
    QStringList items;
    for (const auto& item : c.items) items << QString::fromStdString(item);
    QStringList shown;
    for (int i = 0; i < w->count(); ++i) shown << w->item(i)->text();
    if (shown != items) {
      w->clear();
      w->addItems(items);
    }
    if (w->currentRow() != c.listIndex) w->setCurrentRow(c.listIndex);
  });
  return w;
}

void Binder::addUpdate(std::function<void()> update) { updates_.push_back(std::move(update)); }

void Binder::refresh() {
  refreshing_ = true;
  for (auto& b : bound_) {
    if (!b.widget) continue;
    b.update();
    b.widget->setEnabled(b.control->enabled);
    b.widget->setVisible(b.control->visible);
  }
  for (auto& update : updates_) update();
  refreshing_ = false;
  owner_->setWindowTitle(QString::fromStdString(model_.caption));
  if (!model_.focus.empty()) {
    for (auto& b : bound_)
      if (b.widget && b.control->label() == model_.focus) b.widget->setFocus();
    model_.focus.clear();
  }
}

bool Binder::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusOut && !refreshing_ && !ended_) {
    // A control left for another one of the program: its `left` rule. The
    // focus that goes to a message box or a popup comes back.
    const auto reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) return false;
    for (auto& b : bound_) {
      if (b.widget == watched && b.control->left) {
        b.control->left();
        afterEvent();
        break;
      }
    }
    return false;
  }
  // Lists and tab strips move with the keys themselves.
  if (event->type() == QEvent::KeyPress && (qobject_cast<QListWidget*>(watched) || qobject_cast<QTabBar*>(watched)))
    return false;
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    Control* c = nullptr;
    for (auto& b : bound_)
      if (b.widget == watched) c = b.control;
    if (!c) return false;
    int code = 0;
    if (key->key() == Qt::Key_Backspace) code = 8;
    else if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) code = 13;
    else if (!key->text().isEmpty() && key->text()[0].unicode() >= 32) code = key->text()[0].unicode();
    if (code == 0) return false;  // arrows, Tab and the like are the screen's own
    int passed = FilterKey(*c, code);
    afterEvent();
    // Enter never edits a one-line field; a swallowed key is gone.
    return passed == 0 || passed == 13;
  }
  if (event->type() == QEvent::FocusIn) {
    // A field entered with the keyboard (or sent to by a rule) is selected
    // for overtyping; a click places the caret where the person clicked.
    const auto reason = static_cast<QFocusEvent*>(event)->reason();
    const bool keyboard = reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
                          reason == Qt::ShortcutFocusReason || reason == Qt::OtherFocusReason;
    if (auto* edit = qobject_cast<QLineEdit*>(watched); edit && keyboard)
      QTimer::singleShot(0, edit, &QLineEdit::selectAll);
  }
  return false;
}

}  // namespace vx

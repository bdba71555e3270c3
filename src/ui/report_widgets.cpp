#include "ui/report_widgets.h"

#include <QApplication>
#include <QFormLayout>
#include <QWheelEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "app/session.h"
#include "reports/outputs.h"
#include "reports/statistics.h"
#include "settings/frm_co_infor.h"
#include "tools/drawing.h"
#include "ui/binding.h"
#include "ui/page_painter.h"
#include "ui/qt_host.h"

namespace vx {

namespace {

// The page at full scale: the visible area shows page y from the scroll
// value down.
class PageCanvas : public QWidget {
 public:
  PageCanvas(Preview& model, QWidget* parent) : QWidget(parent), model_(model) {
    setObjectName("pic1");
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
    // The page is 10515 twips wide plus a margin.
    setMinimumSize(static_cast<int>(11200 * logicalDpiX() / 1440.0), 520);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    MapTwips(painter, *this);
    painter.translate(0, -model_.scroll());
    PainterSurface surface(painter);
    model_.drawing()(surface);
  }
  // The wheel over the page turns the page's scroll bar.
  void wheelEvent(QWheelEvent* e) override {
    if (scrollBar) QApplication::sendEvent(scrollBar, e);
  }

 public:
  QScrollBar* scrollBar = nullptr;

 private:
  Preview& model_;
};

}  // namespace

PreviewWidget::PreviewWidget(Preview& model, Session& session, QtHost& host) {
  setObjectName(QString::fromStdString(model.name()));
  setWindowTitle(QString::fromStdString(model.caption));
  auto* b = new Binder(model, host, this);
  auto* canvas = new PageCanvas(model, this);
  auto* scroll = new QScrollBar(Qt::Vertical, this);
  scroll->setObjectName("VScroll1");
  scroll->setRange(0, Preview::kScrollMax);
  scroll->setSingleStep(300);
  scroll->setPageStep(3000);
  canvas->scrollBar = scroll;
  connect(scroll, &QScrollBar::valueChanged, this, [b, &model](int v) {
    Assign(*model.VScroll1, std::to_string(v));
    b->afterEvent();
  });
  b->addUpdate([scroll, canvas, &model] {
    if (scroll->value() != model.scroll()) scroll->setValue(model.scroll());
    canvas->update();
  });
  auto* top = new QHBoxLayout;
  top->setSpacing(0);
  top->addWidget(canvas, 1);
  top->addWidget(scroll);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(b->button("Command4"));
  buttons->addWidget(b->button("Command3"));
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top, 1);
  layout->addLayout(buttons);
  resize(canvas->minimumWidth() + 40, 760);
  connect(this, &QObject::destroyed, &host, [&session, shown = &model] {
    if (session.existing(Preview::kName) == shown) session.closeWindow(Preview::kName);
  });
  b->refresh();
}

namespace {

// The statistics grid: read-only, the header rows merged where their texts
// are equal, the right button asking to remove the row under it.
class StatisticsTable : public QTableWidget {
 public:
  StatisticsTable(PheList& model, QtHost& host, QWidget* parent)
      : QTableWidget(parent), model_(model), host_(host) {
    setObjectName("GrdPheList");
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    QFont f = PageFont("宋体", 9, false);
    f.setPointSize(9);
    setFont(f);
    connect(this, &QTableWidget::cellClicked, this, [this](int r, int c) {
      ClickCell(*model_.GrdPheList, r, c);
    });
  }

  void refresh() {
    const GridState& g = model_.GrdPheList->grid;
    clearSpans();
    setRowCount(g.rows);
    setColumnCount(g.cols);
    for (int r = 0; r < g.rows; ++r)
      for (int c = 0; c < g.cols; ++c) {
        auto* item = new QTableWidgetItem(QString::fromStdString(g.cell(r, c)));
        if (r < g.fixedRows) {
          item->setTextAlignment(Qt::AlignCenter);
          item->setBackground(palette().button());
        }
        setItem(r, c, item);
      }
    // Adjacent header cells of row 0 with equal text are one cell.
    for (int c = 0; c < g.cols;) {
      int end = c + 1;
      while (end < g.cols && !g.cell(0, c).empty() && g.cell(0, end) == g.cell(0, c)) ++end;
      if (end - c > 1) setSpan(0, c, 1, end - c);
      c = end;
    }
    resizeColumnsToContents();
    for (int c = 0; c < g.cols; ++c) setColumnWidth(c, std::max(columnWidth(c), 64));
  }

 protected:
  void mouseReleaseEvent(QMouseEvent* e) override {
    QTableWidget::mouseReleaseEvent(e);
    if (e->button() != Qt::RightButton) return;
    const int r = rowAt(static_cast<int>(e->position().y()));
    if (r >= 0) ClickCell(*model_.GrdPheList, r, std::max(0, columnAt(static_cast<int>(e->position().x()))));
    Click(model_.controls(), *model_.rightButton);
    host_.refreshAll();
  }

 private:
  PheList& model_;
  QtHost& host_;
};

}  // namespace

PheListWidget::PheListWidget(PheList& model, Session& session, QtHost& host) {
  setObjectName(QString::fromStdString(model.name()));
  setWindowTitle(QString::fromStdString(model.caption));
  auto* b = new Binder(model, host, this);
  auto* table = new StatisticsTable(model, host, this);
  b->addUpdate([table] { table->refresh(); });
  auto* layout = new QVBoxLayout(this);
  // The grid follows the window's width.
  layout->addWidget(table, 1);
  auto* exit = b->button("Command1");
  layout->addWidget(exit, 0, Qt::AlignRight);
  // Wide enough for the fourteen columns' headers; the workspace sizes a
  // child window by its minimum.
  setMinimumSize(960, 320);
  connect(this, &QObject::destroyed, &host, [&session, shown = &model] {
    if (session.existing(PheList::kName) == shown) session.closeWindow(PheList::kName);
  });
  b->refresh();
}

namespace {

// The outline picture: the saved PNG, or "Not Data" until there is one.
class OutlinePicture : public QLabel {
 public:
  OutlinePicture(Drawing& model, QWidget* parent) : QLabel(parent), model_(model) {
    setObjectName("Picture1");
    setFrameShape(QFrame::Box);
    setAlignment(Qt::AlignCenter);
    setMinimumSize(320, 240);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
  }
  void refresh() {
    const QString path = QString::fromStdString(model_.Picture1->text);
    if (path == shown_) return;
    shown_ = path;
    QPixmap pixmap(path);
    if (pixmap.isNull()) {
      setText(QString::fromStdString(model_.Label1->text));
    } else {
      setPixmap(pixmap.scaled(size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    }
  }

 private:
  Drawing& model_;
  QString shown_ = "-";
};

}  // namespace

DrawingWidget::DrawingWidget(Drawing& model, Session& session, QtHost& host) {
  setObjectName(QString::fromStdString(model.name()));
  setWindowTitle(QString::fromStdString(model.caption));
  auto* b = new Binder(model, host, this);
  auto* form = new QGridLayout;
  const char* fields[] = {"lengtht", "widtht", "heightt", "wt", "gt"};
  int row = 0;
  for (int i = 0; i < 5; ++i, ++row) {
    form->addWidget(b->label("Label2", i), row, 0);
    QLineEdit* e = b->lineEdit(fields[i]);
    e->setMaximumWidth(120);
    form->addWidget(e, row, 1);
    form->addWidget(b->label("Label3", i), row, 2);
  }
  auto* tied = b->frame("Frame1");
  auto* tiedLayout = new QGridLayout(tied);
  tiedLayout->addWidget(b->label("Label2", 5), 0, 0);
  tiedLayout->addWidget(b->lineEdit("tiedmax"), 0, 1);
  tiedLayout->addWidget(b->label("Label3", 5), 0, 2);
  tiedLayout->addWidget(b->label("Label2", 6), 1, 0);
  tiedLayout->addWidget(b->lineEdit("tiedmin"), 1, 1);
  tiedLayout->addWidget(b->label("Label3", 6), 1, 2);
  form->addWidget(tied, row, 0, 1, 3);
  form->setRowStretch(row + 1, 1);

  auto* picture = new OutlinePicture(model, this);
  b->addUpdate([picture] { picture->refresh(); });
  auto* top = new QHBoxLayout;
  top->addLayout(form);
  top->addWidget(picture, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(b->button("Command3"));
  buttons->addWidget(b->button("Command1"));
  buttons->addWidget(b->button("Command2"));
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top, 1);
  layout->addLayout(buttons);
  // 9600 x 7200 twips.
  resize(640, 480);
  // The close box hides the window as 退出 does: its texts stay for the outputs.
  connect(this, &QObject::destroyed, &host, [&session, shown = &model] {
    if (session.existing(Drawing::kName) == shown) shown->visible = false;
  });
  b->refresh();
}

CoInforDialog::CoInforDialog(FrmCoInfor& model, Session& session, QtHost& host) {
  setObjectName(QString::fromStdString(model.name()));
  setWindowTitle(QString::fromStdString(model.caption));
  auto* b = new Binder(model, host, this);
  auto* form = new QGridLayout;
  for (int i = 0; i < 5; ++i) {
    form->addWidget(b->label("Label1", i), i, 0);
    QLineEdit* e = b->lineEdit("Text1", i);
    e->setMinimumWidth(i < 2 ? 380 : 200);
    form->addWidget(e, i, 1, 1, i < 2 ? 2 : 1);
  }
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(b->button("Command1", 0));
  buttons->addWidget(b->button("Command1", 1));
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addLayout(buttons);
  connect(this, &QDialog::finished, this, [&session] { session.closeWindow(FrmCoInfor::kName); });
  b->refresh();
}

}  // namespace vx

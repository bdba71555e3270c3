#include "ui/tool_widgets.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <cmath>

#include "app/session.h"
#include "common/number_text.h"
#include "tools/heat_index.h"
#include "tools/muley.h"
#include "tools/plate_analyse.h"
#include "tools/unit_convert.h"
#include "ui/binding.h"
#include "ui/qt_host.h"

namespace vx {

namespace {

// Closing a window by its frame ends its view model as "退出" does. A dialog
// says so when it finishes; a child window when it goes away with its frame.
template <typename Model>
void closeWithModel(QDialog* w, Session& session, Model&) {
  QObject::connect(w, &QDialog::finished, w, [&session] { session.closeWindow(Model::kName); });
}
template <typename Model>
void closeWithModel(QWidget* w, Session& session, QtHost& host, Model& model) {
  Model* shown = &model;
  QObject::connect(w, &QObject::destroyed, &host, [&session, shown] {
    if (session.existing(Model::kName) == shown) session.closeWindow(Model::kName);
  });
}

// A colour value of the view models; the system's window colour is the
// palette's base colour.
QColor viewColor(uint32_t value) {
  if (value == kDefaultColor || (value & 0x80000000u) != 0) return QApplication::palette().color(QPalette::Base);
  return toQColor(value);
}

QString qs(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

// ---------------------------------------------------------------- unit conversion

UnitWidget::UnitWidget(Unit& model, Session& session, QtHost& host, QWidget* parent) : QDialog(parent) {
  setObjectName(qs(model.name()));
  auto* b = new Binder(model, host, this);
  auto* v = new QVBoxLayout(this);
  auto* top = new QHBoxLayout;
  top->addWidget(new QLabel("类别", this));
  QComboBox* categories = b->comboBox("Combo1");
  categories->setMinimumWidth(260);
  top->addWidget(categories, 1);
  v->addLayout(top);

  auto* g = new QGridLayout;
  g->setHorizontalSpacing(10);
  for (int side = 0; side < 2; ++side) {
    auto* heading = new QLabel(side == 0 ? "换算前单位" : "换算后单位", this);
    g->addWidget(heading, 0, side * 2);
    QListWidget* list = b->listBox("List1", side);
    list->setMinimumSize(200, 240);
    g->addWidget(list, 1, side * 2);
  }
  auto* arrow = b->label("Label3");
  arrow->setAlignment(Qt::AlignCenter);
  g->addWidget(arrow, 3, 1);
  for (int side = 0; side < 2; ++side) {
    QLabel* name = b->label("Label1", side);
    name->setStyleSheet("font-weight: bold;");
    g->addWidget(name, 2, side * 2);
    auto* row = new QHBoxLayout;
    QLineEdit* value = b->lineEdit("Text1", side);
    value->setAlignment(Qt::AlignRight);
    value->setMinimumWidth(150);
    if (side == 1) value->setReadOnly(true);
    row->addWidget(value, 1);
    QLabel* symbol = b->label("Label2", side);
    symbol->setMinimumWidth(56);
    row->addWidget(symbol);
    g->addLayout(row, 3, side * 2);
  }
  v->addLayout(g);
  QLabel* note = b->label("Label4");
  note->setWordWrap(true);
  note->setMinimumHeight(40);
  note->setFrameShape(QFrame::StyledPanel);
  v->addWidget(note);
  auto* hint = new QLabel("温度、恩氏粘度和波美度在数值框中按回车键换算。", this);
  hint->setStyleSheet("color: gray;");
  v->addWidget(hint);
  b->refresh();
  closeWithModel(this, session, model);
}

// ---------------------------------------------------------------- heat index

ConstructionWidget::ConstructionWidget(Construction& model, Session& session, QtHost& host, QWidget* parent)
    : QWidget(parent) {
  setObjectName(qs(model.name()));
  auto* b = new Binder(model, host, this);
  auto* g = new QGridLayout(this);
  g->setHorizontalSpacing(8);
  g->addWidget(b->label("Label9", 0), 0, 0);
  QComboBox* types = b->comboBox("ContrType");
  types->setMinimumWidth(180);
  g->addWidget(types, 0, 1, 1, 2);
  g->addWidget(b->label("Label9", 1), 1, 0);
  g->addWidget(b->lineEdit("Text2"), 1, 1);
  g->addWidget(b->label("Label1"), 1, 2);
  g->addWidget(b->label("Label9", 2), 2, 0);
  g->addWidget(b->lineEdit("ContrArea"), 2, 1);
  g->addWidget(b->label("Label2"), 2, 2);
  g->addWidget(b->checkBox("Check1"), 3, 0, 1, 3);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(b->button("Command2", 0));
  buttons->addWidget(b->button("Command2", 1));
  g->addLayout(buttons, 4, 0, 1, 3);
  b->refresh();
  closeWithModel(this, session, host, model);
}

// ---------------------------------------------------------------- corrugated plate geometry

namespace {

// The chevron plate with the dimensions of the window's fields.
class PlateDrawing : public QWidget {
 public:
  PlateDrawing(Muley& model, QWidget* parent) : QWidget(parent), model_(model) { setFixedSize(300, 470); }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), QColor(250, 250, 250));
    auto text = [this](int i) { return qs(model_.Text1[static_cast<size_t>(i)]->text); };
    const QRectF plate(70, 30, 150, 390);
    p.setPen(QPen(QColor(60, 60, 60), 2));
    p.setBrush(QColor(225, 229, 236));
    p.drawRoundedRect(plate, 16, 16);
    // Ports: centres Lh apart across, Lp apart along the plate.
    const double r = 19;
    const QPointF tl(plate.left() + 38, plate.top() + 38), tr(plate.right() - 38, plate.top() + 38);
    const QPointF bl(plate.left() + 38, plate.bottom() - 38), br(plate.right() - 38, plate.bottom() - 38);
    p.setBrush(QColor(250, 250, 250));
    for (QPointF c : {tl, tr, bl, br}) p.drawEllipse(c, r, r);
    // The chevron field, angle beta from the flow direction.
    const double beta = Val(model_.Text1[6]->text);
    const QRectF field(plate.left() + 12, tl.y() + r + 18, plate.width() - 24, bl.y() - tl.y() - 2 * r - 36);
    p.setPen(QPen(QColor(120, 125, 140), 1.2));
    p.drawRect(field);
    const double rise = (field.width() / 2) / std::tan((beta > 5 && beta < 85 ? beta : 30) * M_PI / 180);
    p.save();
    p.setClipRect(field);
    for (double y = field.top() - rise; y < field.bottom() + rise; y += 10) {
      p.drawLine(QPointF(field.left(), y + rise), QPointF(field.center().x(), y));
      p.drawLine(QPointF(field.center().x(), y), QPointF(field.right(), y + rise));
    }
    p.restore();
    // Dimension lines.
    p.setPen(QPen(QColor(0, 70, 160), 1));
    QFont f = font();
    f.setPointSizeF(f.pointSizeF() * 0.9);
    p.setFont(f);
    auto dimV = [&p](double x, double y1, double y2, const QString& label) {
      p.drawLine(QPointF(x, y1), QPointF(x, y2));
      p.drawLine(QPointF(x - 4, y1), QPointF(x + 4, y1));
      p.drawLine(QPointF(x - 4, y2), QPointF(x + 4, y2));
      p.save();
      p.translate(x - 6, (y1 + y2) / 2);
      p.rotate(-90);
      p.drawText(QRectF(-80, -16, 160, 16), Qt::AlignCenter, label);
      p.restore();
    };
    auto dimH = [&p](double y, double x1, double x2, const QString& label, bool above) {
      p.drawLine(QPointF(x1, y), QPointF(x2, y));
      p.drawLine(QPointF(x1, y - 4), QPointF(x1, y + 4));
      p.drawLine(QPointF(x2, y - 4), QPointF(x2, y + 4));
      p.drawText(QRectF(x1 - 40, above ? y - 18 : y + 2, x2 - x1 + 80, 16), Qt::AlignCenter, label);
    };
    dimV(40, tl.y(), bl.y(), "Lp=" + text(0));
    dimV(plate.right() + 40, field.top(), field.bottom(), "LA=" + text(2));
    dimH(plate.bottom() + 22, plate.left(), plate.right(), "Lw=" + text(1), false);
    dimH(plate.top() - 8, tl.x(), tr.x(), "Lh=" + text(3), true);
    p.drawText(QRectF(tr.x() - 40, tr.y() + r + 2, 80, 16), Qt::AlignCenter, "Dp=" + text(4));
    const QString angle = "β=" + text(6) + "°";
    const QRectF angleBox(field.center().x() - 34, field.center().y() - 9, 68, 18);
    p.fillRect(angleBox, QColor(250, 250, 250));
    p.drawText(angleBox, Qt::AlignCenter, angle);
  }

 private:
  Muley& model_;
};

}  // namespace

MuleyWidget::MuleyWidget(Muley& model, Session& session, QtHost& host, QWidget* parent) : QDialog(parent) {
  setObjectName(qs(model.name()));
  auto* b = new Binder(model, host, this);
  auto* drawing = new PlateDrawing(model, this);
  auto* form = new QGridLayout;
  form->setVerticalSpacing(5);
  auto* inputs = new QLabel("板片几何尺寸", this);
  inputs->setStyleSheet("font-weight: bold;");
  form->addWidget(inputs, 0, 0, 1, 3);
  int row = 1;
  for (int i = 0; i < Muley::kFields; ++i) {
    if (i == Muley::kInputs - 1) {
      auto* water = new QLabel("水: 密度983 kg/m3, 粘度0.47 mPa·s, Pr 2.98", this);
      water->setStyleSheet("color: gray;");
      form->addWidget(water, row++, 0, 1, 3);
    }
    if (i == Muley::kInputs) {
      auto* results = new QLabel("计算结果", this);
      results->setStyleSheet("font-weight: bold;");
      form->addWidget(results, row++, 0, 1, 3);
    }
    form->addWidget(b->label("Label1", i), row, 0);
    QLineEdit* edit = b->lineEdit("Text1", i);
    edit->setAlignment(Qt::AlignRight);
    edit->setMinimumWidth(110);
    if (i >= Muley::kInputs) edit->setReadOnly(true);
    connect(edit, &QLineEdit::textChanged, drawing, [drawing] { drawing->update(); });
    form->addWidget(edit, row, 1);
    form->addWidget(b->label("Label2", i), row, 2);
    ++row;
  }
  form->setRowStretch(row, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  QPushButton* ok = b->button("Command1");
  ok->setDefault(true);
  buttons->addWidget(ok);
  buttons->addWidget(b->button("Command2"));
  auto* right = new QVBoxLayout;
  right->addLayout(form, 1);
  right->addLayout(buttons);
  auto* h = new QHBoxLayout(this);
  h->addWidget(drawing);
  h->addLayout(right);
  b->refresh();
  closeWithModel(this, session, model);
}

// ---------------------------------------------------------------- plate analysis

namespace {

// The chart: grid, axis titles, the accumulated curves and the cross-hair,
// all from the view model's chart in its coordinates.
class ChartView : public QWidget {
 public:
  ChartView(PlateAnalyse& model, std::function<void()> moved, QWidget* parent)
      : QWidget(parent), model_(model), moved_(std::move(moved)) {
    setMouseTracking(true);
    setMinimumSize(620, 440);
    setCursor(Qt::CrossCursor);
  }

  void setReadOut(QLabel* label) { readOut_ = label; }

  QPointF toScreen(double x, double y) const {
    const PlateChart& c = model_.chart();
    return {x / c.xMax() * width(), (1 - y / kChartYMax) * height()};
  }

  // Places the read-out near the pointer by the window's rule.
  void placeReadOut() {
    if (!readOut_) return;
    const PlateChart& c = model_.chart();
    readOut_->adjustSize();
    if (!c.crossHair || readOut_->text().isEmpty()) {
      readOut_->hide();
      return;
    }
    const double labelWidth = static_cast<double>(readOut_->width()) / width() * c.xMax();
    ChartPoint at = ReadOutPlace(c.pointer.x, c.pointer.y, labelWidth);
    QPointF topLeft = toScreen(at.x, at.y);
    // Kept inside the chart.
    int x = std::clamp(static_cast<int>(topLeft.x()), 0, std::max(0, width() - readOut_->width()));
    int y = std::clamp(static_cast<int>(topLeft.y()), 0, std::max(0, height() - readOut_->height()));
    readOut_->move(x, y);
    readOut_->show();
    readOut_->raise();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), toQColor(kChartBackground));
    const PlateChart& c = model_.chart();
    p.setPen(QPen(toQColor(kChartGridColor), 1));
    for (const auto& s : ChartGrid(c.reynolds)) p.drawLine(toScreen(s.from.x, s.from.y), toScreen(s.to.x, s.to.y));
    p.setPen(viewColor(kSystemWindowColor));
    for (const auto& t : ChartTitles(c.reynolds)) {
      QPointF at = toScreen(t.at.x, t.at.y);
      p.drawText(QRectF(at.x() + 2, at.y() + 1, 200, 20), Qt::AlignLeft | Qt::AlignTop, qs(t.text));
    }
    // Scale marks on the axes: every 0.1 m/s or 2000, every 2000 W/(m2 K) (20 kPa).
    QFont small = font();
    small.setPointSizeF(small.pointSizeF() * 0.8);
    p.setFont(small);
    // The marks stop short of the axis title at the bottom right.
    for (int k = 1; k <= (c.reynolds ? 8 : 12); ++k) {
      double x = c.reynolds ? k * 2000.0 : k * 0.1;
      QPointF at = toScreen(x, 0);
      p.drawText(QRectF(at.x() - 30, at.y() - 16, 60, 14), Qt::AlignCenter,
                 c.reynolds ? QString::number(static_cast<int>(x)) : QString::number(x, 'f', 1));
    }
    for (int k = 2; k < 30; k += 2) {
      QPointF at = toScreen(0, k * 1000.0);
      p.drawText(QRectF(at.x() + 2, at.y() - 7, 80, 14), Qt::AlignLeft | Qt::AlignVCenter,
                 QString::number(k * 1000) + " / " + QString::number(k * 10));
    }
    p.setRenderHint(QPainter::Antialiasing);
    for (const auto& curve : c.curves) {
      p.setPen(QPen(viewColor(curve.color), 1.6));
      for (const auto& s : curve.segments()) p.drawLine(toScreen(s.from.x, s.from.y), toScreen(s.to.x, s.to.y));
    }
    if (c.crossHair) {
      p.setRenderHint(QPainter::Antialiasing, false);
      p.setPen(QPen(QColor(255, 255, 255), 1, Qt::DotLine));
      QPointF at = toScreen(c.pointer.x, c.pointer.y);
      p.drawLine(QPointF(at.x(), 0), QPointF(at.x(), height()));
      p.drawLine(QPointF(0, at.y()), QPointF(width(), at.y()));
    }
  }

  void mouseMoveEvent(QMouseEvent* e) override {
    const PlateChart& c = model_.chart();
    const QPointF pos = e->position();
    const double x = pos.x() / width() * c.xMax();
    const double y = (1 - pos.y() / height()) * kChartYMax;
    if (model_.Picture1->mouseMoved) model_.Picture1->mouseMoved(x, y);
    moved_();
  }

  void resizeEvent(QResizeEvent*) override { placeReadOut(); }

 private:
  PlateAnalyse& model_;
  QLabel* readOut_ = nullptr;
  std::function<void()> moved_;
};

// The legend: one line per drawing in its colour.
class LegendView : public QWidget {
 public:
  LegendView(PlateAnalyse& model, QWidget* parent) : QWidget(parent), model_(model) { setMinimumSize(200, 120); }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), toQColor(kChartBackground));
    const auto& legend = model_.chart().legend;
    const int line = fontMetrics().height() + 4;
    // When the legend fills up, the latest lines stay in view.
    const int fits = std::max(1, (height() - 8) / line);
    const size_t first = legend.size() > static_cast<size_t>(fits) ? legend.size() - static_cast<size_t>(fits) : 0;
    int y = 4;
    for (size_t i = first; i < legend.size(); ++i) {
      const QColor colour = viewColor(legend[i].color);
      p.setPen(QPen(colour, 2));
      p.drawLine(8, y + line / 2 - 2, 26, y + line / 2 - 2);
      p.setPen(QPen(colour, 2, Qt::DashLine));
      p.drawLine(8, y + line / 2 + 3, 26, y + line / 2 + 3);
      p.setPen(colour);
      p.drawText(QRect(32, y, width() - 36, line), Qt::AlignLeft | Qt::AlignVCenter, qs(legend[i].text));
      y += line;
    }
  }

 private:
  PlateAnalyse& model_;
};

// A clickable colour box bound to a label of the view model.
QPushButton* colourBox(Binder& b, PlateAnalyse& model, const std::string& name, int index, QWidget* parent,
                       QSize size) {
  Control* c = model.controls().find(name, index);
  auto* w = new QPushButton(parent);
  w->setObjectName(qs(c->label()));
  w->setFixedSize(size);
  w->setToolTip(qs(c->toolTip));
  w->setFocusPolicy(Qt::NoFocus);
  QObject::connect(w, &QPushButton::clicked, parent, [&b, &model, c] {
    Click(model.controls(), *c);
    b.afterEvent();
  });
  b.addUpdate([w, c] {
    w->setStyleSheet(QString("QPushButton { background-color: %1; border: 1px solid #505050; }")
                         .arg(viewColor(c->backColor).name()));
    w->setVisible(c->visible);
  });
  return w;
}

// A read-only value of the plate data: a framed box as wide as its number
// (with room for the frame on both sides), at least as wide as a short one.
QLabel* valueBox(QLabel* v) {
  v->setFrameShape(QFrame::Box);
  v->setFrameShadow(QFrame::Plain);
  v->setMargin(2);  // a frame's contents margins would move the frame itself
  v->setAutoFillBackground(true);
  v->setBackgroundRole(QPalette::Base);
  v->setMinimumWidth(96);
  v->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
  return v;
}

}  // namespace

PlateAnalyseWidget::PlateAnalyseWidget(PlateAnalyse& model, Session& session, QtHost& host, QWidget* parent)
    : QDialog(parent), session_(session), host_(host) {
  setObjectName(qs(model.name()));
  auto* b = new Binder(model, host, this);

  // Left: the choices.
  auto* left = new QGridLayout;
  left->setVerticalSpacing(5);
  int row = 0;
  left->addWidget(b->label("Label1", 0), row, 0);
  QComboBox* models = b->comboBox("Combo1");
  models->setMinimumWidth(130);
  left->addWidget(models, row++, 1);
  left->addWidget(b->label("Label1", 11), row, 0);
  left->addWidget(b->comboBox("Combo2"), row++, 1);
  left->addWidget(b->label("Label3", 2), row, 0);
  left->addWidget(b->comboBox("Combo4"), row++, 1);
  left->addWidget(b->label("Label3", 0), row, 0);
  left->addWidget(b->lineEdit("Text1"), row++, 1);
  auto* direction = new QHBoxLayout;
  direction->addWidget(b->radio("Option1", 0));
  direction->addWidget(b->radio("Option1", 1));
  left->addLayout(direction, row++, 0, 1, 2);
  QGroupBox* axis = b->frame("Frame4");
  auto* axisRow = new QHBoxLayout(axis);
  axisRow->addWidget(b->radio("Option2", 0));
  axisRow->addWidget(b->radio("Option2", 1));
  left->addWidget(axis, row++, 0, 1, 2);
  left->addWidget(b->label("Label7", 1), row, 0);
  left->addWidget(b->comboBox("Combo3"), row++, 1);
  left->addWidget(b->label("Label7", 0), row, 0);
  left->addWidget(colourBox(*b, model, "Label6", -1, this, QSize(60, 22)), row++, 1);
  // The palette, shown under the colour box while it is open.
  auto* palette = new QFrame(this);
  palette->setFrameShape(QFrame::Box);
  auto* swatches = new QGridLayout(palette);
  swatches->setSpacing(4);
  for (int i = 0; i < static_cast<int>(kPaletteColors.size()); ++i)
    swatches->addWidget(colourBox(*b, model, "Label5", i, palette, QSize(26, 20)), i / 3, i % 3);
  b->addUpdate([palette, &model] { palette->setVisible(model.Picture3->visible); });
  left->addWidget(palette, row++, 1);

  // Plate and correlation data.
  auto* data = new QGridLayout;
  data->setVerticalSpacing(3);
  const int captions[3] = {0, 1, 2}, values[3] = {5, 4, 3};
  for (int i = 0; i < 3; ++i) {
    data->addWidget(b->label("Label8", captions[i]), i, 0);
    data->addWidget(valueBox(b->label("Label8", values[i])), i, 1, Qt::AlignLeft);
  }
  const int names[4] = {1, 2, 4, 5}, numbers[4] = {8, 6, 10, 7};
  for (int i = 0; i < 4; ++i) {
    data->addWidget(b->label("Label1", names[i]), 3 + i, 0);
    data->addWidget(valueBox(b->label("Label1", numbers[i])), 3 + i, 1, Qt::AlignLeft);
  }
  auto* leftColumn = new QVBoxLayout;
  leftColumn->addLayout(left);
  leftColumn->addSpacing(8);
  leftColumn->addLayout(data);
  leftColumn->addStretch(1);
  auto* legend = new LegendView(model, this);
  leftColumn->addWidget(legend);

  // The chart with its read-out.
  auto* chart = new ChartView(model, [b] { b->afterEvent(); }, this);
  QLabel* label4 = b->label("Label4");
  label4->setParent(chart);
  label4->setStyleSheet("QLabel { background-color: #ffffe0; color: black; border: 1px solid #606060; padding: 1px 3px; }");
  chart->setReadOut(label4);
  b->addUpdate([chart, legend] {
    chart->placeReadOut();
    chart->update();
    legend->update();
  });

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(b->button("Command2"));
  buttons->addWidget(b->button("Command3"));
  buttons->addWidget(b->button("Command1"));
  auto* right = new QVBoxLayout;
  right->addWidget(chart, 1);
  right->addLayout(buttons);

  auto* h = new QHBoxLayout(this);
  h->addLayout(leftColumn);
  h->addLayout(right, 1);
  resize(1060, 640);
  b->refresh();
  closeWithModel(this, session, model);
}

bool PlateAnalyseWidget::event(QEvent* e) {
  // Turning back to the window starts the chart again.
  if (e->type() == QEvent::WindowActivate) {
    session_.activated(PlateAnalyse::kName);
    host_.refreshAll();
  }
  return QDialog::event(e);
}

}  // namespace vx

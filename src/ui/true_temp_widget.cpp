#include "ui/true_temp_widget.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

#include "exchanger/true_temp.h"
#include "ui/binding.h"

namespace vx {

namespace {

// Circuit A in red and circuit B in blue, as in the conditions window.
const QColor kColourA(208, 0, 0);
const QColor kColourB(0, 64, 208);

constexpr int kCanvasWidth = 600;
constexpr int kCanvasHeight = 340;
const QRect kPlate(220, 20, 160, 262);
constexpr int kPortRadius = 17;
const QPoint kInA(255, 65), kOutA(255, 237), kInB(345, 237), kOutB(345, 65);
constexpr int kBoxWidth = 96;
constexpr int kLeftBoxes = 34, kRightBoxes = 470;

void drawArrow(QPainter& p, QPointF from, QPointF to, const QColor& colour) {
  p.setPen(QPen(colour, 3, Qt::SolidLine, Qt::FlatCap));
  const double angle = std::atan2(to.y() - from.y(), to.x() - from.x());
  const double head = 11;
  const QPointF base = to - QPointF(std::cos(angle) * head, std::sin(angle) * head);
  p.drawLine(from, base);
  QPolygonF tip;
  tip << to << base + QPointF(std::sin(angle) * head / 2, -std::cos(angle) * head / 2)
      << base - QPointF(std::sin(angle) * head / 2, -std::cos(angle) * head / 2);
  p.setPen(Qt::NoPen);
  p.setBrush(colour);
  p.drawPolygon(tip);
}

// A plate heat exchanger seen from the frame plate: the plate pack, its
// gasket and corrugation, the four ports and the flow of both circuits.
class Schematic : public QWidget {
 public:
  explicit Schematic(QWidget* parent) : QWidget(parent) { setFixedSize(kCanvasWidth, kCanvasHeight); }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    // The pack behind the first plate.
    for (int k = 3; k >= 1; --k) {
      p.setPen(QPen(QColor(110, 115, 125), 1));
      p.setBrush(QColor(200 - 12 * k, 205 - 12 * k, 212 - 12 * k));
      p.drawRoundedRect(kPlate.translated(4 * k, -3 * k), 14, 14);
    }
    p.setPen(QPen(QColor(70, 75, 85), 2));
    p.setBrush(QColor(232, 235, 240));
    p.drawRoundedRect(kPlate, 14, 14);
    // Gasket and herringbone corrugation.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(60, 60, 60), 2));
    p.drawRoundedRect(kPlate.adjusted(8, 8, -8, -8), 10, 10);
    p.setPen(QPen(QColor(165, 170, 180), 1.5));
    const int x0 = kPlate.left() + 14, x1 = kPlate.right() - 14, xm = kPlate.center().x();
    for (int y = kInA.y() + 34; y <= kOutA.y() - 44; y += 11) {
      p.drawLine(QPointF(x0, y), QPointF(xm, y + 14));
      p.drawLine(QPointF(xm, y + 14), QPointF(x1, y));
    }
    // The flow inside: A downwards along its ports, B upwards, counter to it.
    auto path = [&p](QPoint from, QPoint to, const QColor& colour) {
      p.setPen(QPen(colour, 2, Qt::DashLine));
      p.drawLine(from, to);
      drawArrow(p, QPointF(from.x(), (from.y() + to.y()) / 2.0 - 10 * (to.y() > from.y() ? 1 : -1)),
                QPointF(from.x(), (from.y() + to.y()) / 2.0 + 10 * (to.y() > from.y() ? 1 : -1)), colour);
    };
    path(kInA + QPoint(0, kPortRadius), kOutA - QPoint(0, kPortRadius), kColourA);
    path(kInB - QPoint(0, kPortRadius), kOutB + QPoint(0, kPortRadius), kColourB);
    // Ports.
    auto port = [&p](QPoint centre, const QColor& colour) {
      p.setPen(QPen(colour.darker(130), 2));
      p.setBrush(colour.lighter(175));
      p.drawEllipse(centre, kPortRadius, kPortRadius);
      p.setBrush(QColor(250, 250, 250));
      p.drawEllipse(centre, kPortRadius - 7, kPortRadius - 7);
    };
    port(kInA, kColourA);
    port(kOutA, kColourA);
    port(kInB, kColourB);
    port(kOutB, kColourB);
    // Nozzle arrows: into the inlets, out of the outlets.
    const int reach = 82;
    drawArrow(p, QPointF(kInA.x() - reach, kInA.y()), QPointF(kInA.x() - kPortRadius - 2, kInA.y()), kColourA);
    drawArrow(p, QPointF(kOutA.x() - kPortRadius - 2, kOutA.y()), QPointF(kOutA.x() - reach, kOutA.y()), kColourA);
    drawArrow(p, QPointF(kInB.x() + reach, kInB.y()), QPointF(kInB.x() + kPortRadius + 2, kInB.y()), kColourB);
    drawArrow(p, QPointF(kOutB.x() + kPortRadius + 2, kOutB.y()), QPointF(kOutB.x() + reach, kOutB.y()), kColourB);
  }
};

// A box with its caption above it, at the end of a nozzle arrow.
void placeAtNozzle(QLabel* caption, QLineEdit* box, int left, int arrowY, const QColor& colour) {
  caption->setAlignment(Qt::AlignCenter);
  caption->setStyleSheet(QString("color: %1; font-weight: bold;").arg(colour.name()));
  const int boxHeight = box->sizeHint().height();
  const int captionHeight = caption->sizeHint().height();
  box->setGeometry(left, arrowY - boxHeight / 2, kBoxWidth, boxHeight);
  caption->setGeometry(left - 10, arrowY - boxHeight / 2 - captionHeight - 2, kBoxWidth + 20, captionHeight);
}

}  // namespace

TrueTempWidget::TrueTempWidget(TrueTemp& model, QtHost& host, QWidget* parent) : QWidget(parent) {
  setObjectName(QString::fromStdString(model.name()));
  auto* b = new Binder(model, host, this);
  auto* canvas = new Schematic(this);

  QLineEdit* boxes[5];
  QLabel* captions[6];
  for (int i = 0; i < 5; ++i) {
    boxes[i] = b->lineEdit("txtShow", i);
    boxes[i]->setReadOnly(true);
    boxes[i]->setAlignment(Qt::AlignRight);
    // Results to read and copy, not stops of the Tab key: that goes to 退出.
    boxes[i]->setFocusPolicy(Qt::ClickFocus);
    boxes[i]->setParent(canvas);
  }
  for (int i = 0; i < 6; ++i) {
    captions[i] = b->label("Label31", i);
    captions[i]->setParent(canvas);
  }
  QPushButton* close = b->button("Command6");
  close->setMinimumSize(88, 28);
  // The captions' texts decide their sizes.
  b->refresh();

  // The captions stand by what they name: "出口温度" (2) over circuit B's
  // outlet box (3), "进口温度" (3) over its inlet box (2).
  placeAtNozzle(captions[0], boxes[0], kLeftBoxes, kInA.y(), kColourA);
  placeAtNozzle(captions[1], boxes[1], kLeftBoxes, kOutA.y(), kColourA);
  placeAtNozzle(captions[3], boxes[2], kRightBoxes, kInB.y(), kColourB);
  placeAtNozzle(captions[2], boxes[3], kRightBoxes, kOutB.y(), kColourB);
  // The temperatures carry their unit inside the box, behind the number.
  for (int i = 0; i < 4; ++i) {
    auto* unitLabel = new QLabel(QString::fromUtf8("℃"), boxes[i]);
    const int w = unitLabel->sizeHint().width() + 4;
    boxes[i]->setTextMargins(0, 0, w, 0);
    unitLabel->setGeometry(boxes[i]->width() - w - 2, 0, w, boxes[i]->height());
  }

  // The heat load of one unit under the plate pack.
  QLabel* load = captions[4];
  QLabel* unit = captions[5];
  const int y = kPlate.bottom() + 26, h = boxes[4]->sizeHint().height();
  const int loadWidth = load->sizeHint().width(), unitWidth = unit->sizeHint().width();
  const int total = loadWidth + 6 + kBoxWidth + 6 + unitWidth;
  int x = kPlate.center().x() - total / 2;
  load->setGeometry(x, y, loadWidth, h);
  x += loadWidth + 6;
  boxes[4]->setGeometry(x, y, kBoxWidth, h);
  x += kBoxWidth + 6;
  unit->setGeometry(x, y, unitWidth, h);

  auto* bottom = new QHBoxLayout;
  bottom->addStretch(1);
  bottom->addWidget(close);

  auto* v = new QVBoxLayout(this);
  v->addWidget(canvas);
  v->addLayout(bottom);
  close->setFocus();
}

}  // namespace vx

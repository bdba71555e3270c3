// veloxa-picturegen OUT: draws the explanation picture of the plate model
// editor ("comment.dat", a PNG image) that explains the correlation constants.
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: veloxa-picturegen OUT\n");
    return 1;
  }
  QGuiApplication app(argc, argv);
  QImage image(640, 420, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  QFont title("Noto Sans CJK SC");
  title.setPixelSize(20);
  title.setBold(true);
  QFont body("Noto Sans CJK SC");
  body.setPixelSize(15);

  p.setFont(title);
  p.drawText(20, 34, "关联式常数说明");
  p.setFont(body);
  const char* lines[] = {
      "传热:  Nu = Nu_c · Re^Nu_m · Pr^Pr_c",
      "压降:  Eu = Eu_c · Re^Eu_m,   ΔP = Eu · ρ · v² · 流程数",
      "雷诺数:  Re = v · d · ρ / μ      (v 板间流速, d 当量直径)",
      "膜系数:  h = Nu · λ / d",
      "Pr_c = 0 时: 被加热侧 0.4, 被冷却侧 0.3",
      "准则式的有效范围:  Re_Min ≤ Re ≤ Re_Max",
  };
  int y = 66;
  for (const char* line : lines) {
    p.drawText(24, y, QString::fromUtf8(line));
    y += 26;
  }

  // Log-log sketch: Nu grows with slope Nu_m, Eu falls with slope Eu_m.
  const QRect plot(60, 232, 520, 160);
  p.setPen(QPen(Qt::black, 1.5));
  p.drawLine(plot.bottomLeft(), plot.bottomRight());
  p.drawLine(plot.bottomLeft(), plot.topLeft());
  p.drawText(plot.right() - 36, plot.bottom() - 6, "lg Re");
  p.drawText(plot.left() - 50, plot.top() + 10, "lg Nu");
  p.drawText(plot.left() - 50, plot.top() + 30, "lg Eu");
  const int xMin = plot.left() + 80, xMax = plot.right() - 60;
  QPen dash(Qt::gray, 1, Qt::DashLine);
  p.setPen(dash);
  p.drawLine(xMin, plot.top(), xMin, plot.bottom());
  p.drawLine(xMax, plot.top(), xMax, plot.bottom());
  p.setPen(Qt::black);
  p.drawText(xMin - 24, plot.bottom() + 20, "Re_Min");
  p.drawText(xMax - 24, plot.bottom() + 20, "Re_Max");
  p.setPen(QPen(QColor(0xc0, 0x39, 0x2b), 2.5));
  p.drawLine(xMin, plot.bottom() - 30, xMax, plot.top() + 20);
  p.drawText(xMax - 160, plot.top() + 18, "斜率 Nu_m, 截距 Nu_c");
  p.setPen(QPen(QColor(0x3a, 0x7b, 0xd5), 2.5));
  p.drawLine(xMin, plot.top() + 50, xMax, plot.top() + 90);
  p.drawText(xMin + 10, plot.top() + 44, "斜率 Eu_m (负), 截距 Eu_c");
  p.end();
  // Saved as PNG whatever the file's name says; image readers go by content.
  return image.save(QString::fromLocal8Bit(argv[1]), "PNG") ? 0 : 1;
}

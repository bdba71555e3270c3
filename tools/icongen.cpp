// veloxa-icongen SVG OUTDIR: renders the icon source to the PNG sizes of the
// desktop's icon theme, OUTDIR/NxN/apps/veloxa.png.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: veloxa-icongen SVG OUTDIR\n");
    return 1;
  }
  QGuiApplication app(argc, argv);
  QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
  if (!svg.isValid()) {
    std::fprintf(stderr, "veloxa-icongen: cannot read %s\n", argv[1]);
    return 1;
  }
  for (int size : {16, 24, 32, 48, 64, 128, 256}) {
    const QString dir = QString("%1/%2x%2/apps").arg(QString::fromLocal8Bit(argv[2])).arg(size);
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    svg.render(&p);
    p.end();
    if (!QDir().mkpath(dir) || !image.save(dir + "/veloxa.png")) {
      std::fprintf(stderr, "veloxa-icongen: cannot write %s\n", qPrintable(dir));
      return 1;
    }
  }
  return 0;
}

#include "ui/page_painter.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <algorithm>
#include <cctype>
#include <cmath>

namespace vx {

QFont PageFont(const std::string& family, float points, bool bold) {
  std::string lower = family;
  std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
  QFont font;
  if (lower == "times new roman" || family == "宋体") {
    font.setFamilies({"Times New Roman", "Liberation Serif", "Noto Serif CJK SC", "Noto Serif CJK TC"});
    font.setStyleHint(QFont::Serif);
  } else {
    font.setFamilies({QString::fromStdString(family), "Noto Sans CJK SC"});
    font.setStyleHint(QFont::SansSerif);
  }
  // Pixel size in the painter's units: twips, 20 to the point.
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(points * 20))));
  font.setBold(bold);
  return font;
}

PainterSurface::PainterSurface(QPainter& painter) : painter_(painter) {
  fontChanged();
  painter_.setPen(Qt::black);
}

void PainterSurface::fontChanged() { painter_.setFont(PageFont(family(), size(), bold())); }

int PainterSurface::textWidth(const std::string& text) {
  QFontMetricsF fm(painter_.font());
  return static_cast<int>(std::lround(fm.horizontalAdvance(QString::fromStdString(text))));
}

int PainterSurface::lineHeight() {
  QFontMetricsF fm(painter_.font());
  return static_cast<int>(std::lround(fm.lineSpacing()));
}

void PainterSurface::drawText(int x, int y, const std::string& text) {
  QFontMetricsF fm(painter_.font());
  // The position is the text's top left corner; Qt draws at the baseline.
  painter_.drawText(QPointF(x, y + fm.ascent()), QString::fromStdString(text));
}

void PainterSurface::drawBox(int left, int top, int right, int bottom) {
  painter_.fillRect(QRectF(left, top, right - left, bottom - top), Qt::black);
}

void MapTwips(QPainter& painter, const QPaintDevice& device) {
  painter.scale(device.logicalDpiX() / 1440.0, device.logicalDpiY() / 1440.0);
}

}  // namespace vx

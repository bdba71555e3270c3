#include "common/page_surface.h"

#include <algorithm>
#include <cmath>

namespace vx {

void PageSurface::setFont(const std::string& family, float points, bool bold) {
  family_ = family;
  size_ = points;
  bold_ = bold;
  fontChanged();
}

void PageSurface::print(const std::string& text, bool newLine) {
  if (!text.empty()) drawText(x_, y_, text);
  if (newLine) {
    y_ += lineHeight();
    x_ = 0;
  } else {
    x_ += textWidth(text);
  }
}

void PageSurface::fillBox(int x1, int y1, int x2, int y2) {
  drawBox(std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2));
}

int RecordingSurface::textWidth(const std::string& text) {
  const double em = size() * 20.0;
  double width = 0;
  for (size_t i = 0; i < text.size();) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    size_t len = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    // Three-byte UTF-8 covers the CJK characters and full-width forms.
    width += len >= 3 ? em : em / 2;
    i += len;
  }
  return static_cast<int>(std::lround(width));
}

int RecordingSurface::lineHeight() { return static_cast<int>(std::lround(size() * 20.0 * 1.45)); }

void RecordingSurface::drawText(int x, int y, const std::string& text) {
  page_.texts.push_back({x, y, family(), size(), bold(), text});
}

void RecordingSurface::drawBox(int left, int top, int right, int bottom) {
  page_.boxes.push_back({left, top, right, bottom});
}

RecordedPage RecordPage(const PageDrawing& draw) {
  RecordingSurface surface;
  if (draw) draw(surface);
  return surface.page();
}

}  // namespace vx

#pragma once
// The page surface on a QPainter: the painter's user units are twips.
#include <QFont>
#include <QPainter>

#include "common/page_surface.h"

namespace vx {

// The font of a family name of the page: the Western family first, then a
// CJK font of the same style for the Chinese texts ("times new roman" and
// 宋体 a serif, other families a sans).
QFont PageFont(const std::string& family, float points, bool bold);

class PainterSurface : public PageSurface {
 public:
  // `painter` must already map twips to its device.
  explicit PainterSurface(QPainter& painter);
  int textWidth(const std::string& text) override;
  int lineHeight() override;

 protected:
  void fontChanged() override;
  void drawText(int x, int y, const std::string& text) override;
  void drawBox(int left, int top, int right, int bottom) override;

 private:
  QPainter& painter_;
};

// Scales `painter` so that one user unit is one twip of `device`.
void MapTwips(QPainter& painter, const QPaintDevice& device);

}  // namespace vx

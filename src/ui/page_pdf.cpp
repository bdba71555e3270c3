#include "ui/page_pdf.h"

#include <QBuffer>
#include <QMarginsF>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include "common/file_io.h"
#include "ui/page_painter.h"

namespace vx {

bool WritePagePdf(const std::string& path, const PageDrawing& draw) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  bool ok = false;
  {
    QPdfWriter writer(&buffer);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setResolution(1440);
    writer.setCreator("Veloxa");
    QPainter painter;
    if (painter.begin(&writer)) {
      MapTwips(painter, writer);
      PainterSurface surface(painter);
      draw(surface);
      ok = painter.end();
    }
  }
  return ok && writeFileAtomic(path, buffer.data().toStdString());
}

}  // namespace vx

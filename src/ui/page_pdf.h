#pragma once
// The page surface written as a one-page A4 PDF with its fonts embedded: the
// desktop program's export and the command line's share it. It needs a
// QGuiApplication (the offscreen platform will do) for the fonts.
#include <string>

#include "common/page_surface.h"

namespace vx {

// Draws `draw` in memory and writes it to `path` through the atomic write;
// false when either failed.
bool WritePagePdf(const std::string& path, const PageDrawing& draw);

}  // namespace vx

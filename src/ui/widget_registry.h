#pragma once
// Which widget shows which window, and whether it lives inside the main window.

namespace vx {

class QtHost;

void registerWidgets(QtHost& host);

}  // namespace vx

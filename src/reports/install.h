#pragma once
// Wires the reports into a session: the output commands of the main window
// and the windows "preview", "PheList" and "batch" (whose results it writes). The front ends call it once,
// right after creating their session.
namespace vx {

class Session;

void InstallReports(Session& session);

}  // namespace vx

#pragma once
// A session started on a temporary copy of the data folder, with a script
// host that records what it shows: the starting point of most tests.
#include <string>
#include <vector>

#include "app/script_host.h"
#include "app/session.h"
#include "reports/install.h"
#include "support/temp_data.h"

namespace vx::test {

struct StartedSession {
  explicit StartedSession(std::vector<std::string> answers = {})
      : host(std::move(answers)), session(host, data.dir()) {
    InstallReports(session);
    started = session.start();
  }

  // The id of the last message shown, 0 when none was.
  int lastId() const { return host.messages().empty() ? 0 : host.messages().back().id; }
  std::string lastText() const { return host.messages().empty() ? "" : host.messages().back().text; }
  // Whether message `id` was shown at all.
  bool shown(int id) const {
    for (const auto& m : host.messages())
      if (m.id == id) return true;
    return false;
  }

  TempData data;
  ScriptHost host;
  Session session;
  bool started = false;
};

}  // namespace vx::test

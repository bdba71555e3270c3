#pragma once
// Runs a scripted job on a Session: steps on the windows' controls, answers
// for the questions, and one JSON document of what the session shows.
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>

#include "app/script_host.h"

namespace vx {

class Session;

struct JobResult {
  int status = 0;        // 0 ran to its end, 1 malformed job, 2 the session ended
  std::string error;     // for status 1
  nlohmann::json output; // the document printed on standard output
};

// Runs `job` ({"steps": [...], "answers": [...]}) in a new session on `dataDir`.
// A PDF export writes its file through `pdfWriter`; without one it is only
// recorded.
JobResult RunJob(const nlohmann::json& job, const std::filesystem::path& dataDir,
                 const ScriptHost::PdfWriter& pdfWriter = {});

// Reads a job from its text: one JSON document and nothing after it, nested
// at most kMaxJobDepth deep (deeper documents would exhaust the stack).
// On failure `error` says why and the result is discarded.
constexpr int kMaxJobDepth = 64;
nlohmann::json ParseJob(const std::string& text, std::string& error);

// The state of a session as JSON: windows, case and main window.
nlohmann::json DescribeSession(Session& session, const ScriptHost& host);

// A single-precision value as the JSON number with the shortest text that
// reads back to the same float.
nlohmann::json FloatJson(float value);

}  // namespace vx

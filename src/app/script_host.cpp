#include "app/script_host.h"

#include <algorithm>
#include <cctype>

#include "common/file_io.h"

namespace vx {

std::optional<std::string> ScriptHost::nextAnswer() {
  if (answers_.empty()) return std::nullopt;
  std::string a = answers_.front();
  answers_.pop_front();
  return a;
}

static std::string lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
  return s;
}

Answer ScriptHost::message(const std::string& text, Icon icon, Buttons buttons, int id) {
  ShownMessage m{id, text, icon, buttons, ""};
  Answer answer = Answer::Ok;
  if (buttons != Buttons::Ok) {
    const bool hasCancel = buttons == Buttons::OkCancel || buttons == Buttons::YesNoCancel;
    answer = hasCancel ? Answer::Cancel : Answer::No;
    if (auto given = nextAnswer()) {
      std::string a = lower(*given);
      if (a == "yes" && (buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel)) answer = Answer::Yes;
      else if (a == "no" && (buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel)) answer = Answer::No;
      else if (a == "ok" && buttons == Buttons::OkCancel) answer = Answer::Ok;
      else if (a == "cancel" && hasCancel) answer = Answer::Cancel;
    }
  }
  m.answer = answerName(answer);
  messages_.push_back(m);
  return answer;
}

std::optional<std::string> ScriptHost::input(const std::string& prompt, const std::string&,
                                             const std::string& initial) {
  auto given = nextAnswer();
  events_.push_back("input " + prompt);
  if (!given) return initial;
  if (lower(*given) == "cancel") return std::nullopt;
  return given;
}

std::optional<std::string> ScriptHost::fileDialog(const FileDialogRequest& request) {
  lastDialog_ = request;
  events_.push_back(std::string(request.save ? "save dialog " : "open dialog ") + request.filter);
  auto given = nextAnswer();
  if (!given || lower(*given) == "cancel" || given->empty()) return std::nullopt;
  std::filesystem::path path(*given);
  if (path.is_relative() && !dialogFolder_.empty()) path = dialogFolder_ / path;
  if (request.save && !request.defaultSuffix.empty() && path.extension().empty()) path += "." + request.defaultSuffix;
  events_.back() += " -> " + path.string();
  return path.string();
}

void ScriptHost::busy(bool on) { busy_ = on; }
void ScriptHost::progress(int, int, bool) {}
void ScriptHost::showWindow(const std::string& name, bool modal) {
  events_.push_back(std::string(modal ? "show modal " : "show ") + name);
}
void ScriptHost::closeWindow(const std::string& name) { events_.push_back("close " + name); }
void ScriptHost::placeTopRight(const std::string& name) { events_.push_back("place top right " + name); }
void ScriptHost::arrangeCascade() { events_.push_back("cascade"); }
bool ScriptHost::startProgram(const std::string& path) {
  events_.push_back("start " + path);
  return true;
}
void ScriptHost::showHelp(const std::string& topic) { events_.push_back("help " + topic); }
void ScriptHost::showHelpIndex() { events_.push_back("help index"); }


Host::PrintResult ScriptHost::printPage(const PageDrawing& draw) {
  if (!hasPrinter_) {
    events_.push_back("print: no printer");
    return PrintResult::NoPrinter;
  }
  pages_.push_back(RecordPage(draw));
  events_.push_back("print");
  return PrintResult::Printed;
}

bool ScriptHost::writePdf(const std::string& path, const PageDrawing& draw) {
  pages_.push_back(RecordPage(draw));
  const bool written = !pdfWriter_ || pdfWriter_(path, draw);
  events_.push_back("pdf " + path + (written ? "" : ": not written"));
  return written;
}

bool ScriptHost::openDocument(const std::string& path) {
  events_.push_back("open " + path);
  return opensDocuments_;
}

bool ScriptHost::saveClipboardPicture(const std::string& path) {
  if (clipboardPng_.empty() || !writeFileAtomic(path, clipboardPng_)) return false;
  events_.push_back("picture " + path);
  return true;
}

std::string ScriptHost::setting(const std::string& key) {
  auto it = settings_.find(key);
  return it == settings_.end() ? std::string() : it->second;
}

bool ScriptHost::setSetting(const std::string& key, const std::string& value) {
  settings_[key] = value;
  events_.push_back("setting " + key + " = " + value);
  return true;
}

std::string ScriptHost::today() { return today_.empty() ? Host::today() : today_; }

}  // namespace vx

#include "common/host.h"

#include <algorithm>
#include <cctype>
#include <ctime>

#include "common/messages.h"

namespace vx {

const char* iconName(Icon icon) {
  switch (icon) {
    case Icon::None: return "none";
    case Icon::Information: return "information";
    case Icon::Question: return "question";
    case Icon::Exclamation: return "exclamation";
    case Icon::Critical: return "critical";
  }
  return "none";
}

const char* buttonsName(Buttons buttons) {
  switch (buttons) {
    case Buttons::Ok: return "ok";
    case Buttons::OkCancel: return "ok-cancel";
    case Buttons::YesNo: return "yes-no";
    case Buttons::YesNoCancel: return "yes-no-cancel";
  }
  return "ok";
}

const char* answerName(Answer answer) {
  switch (answer) {
    case Answer::Ok: return "ok";
    case Answer::Cancel: return "cancel";
    case Answer::Yes: return "yes";
    case Answer::No: return "no";
  }
  return "ok";
}

// A host without these platform facilities refuses them.
Host::PrintResult Host::printPage(const PageDrawing&) { return PrintResult::NoPrinter; }
bool Host::writePdf(const std::string&, const PageDrawing&) { return false; }
bool Host::openDocument(const std::string&) { return false; }
bool Host::clipboardHasPicture() { return false; }
bool Host::saveClipboardPicture(const std::string&) { return false; }

std::string Host::today() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return std::to_string(local.tm_year + 1900) + "/" + std::to_string(local.tm_mon + 1) + "/" +
         std::to_string(local.tm_mday);
}

Answer ShowMessage(Host& host, int id, const std::vector<std::string>& pairs, Icon icon, Buttons buttons) {
  return host.message(LoadMessage(id, pairs), icon, buttons, id);
}

std::optional<std::string> AskSavePath(Host& host, const std::string& title, const std::string& filter,
                                       const std::string& defaultName, const std::string& suffix) {
  return AskSavePathIn(host, title, filter, defaultName, suffix, {});
}

std::optional<std::string> AskSavePathIn(Host& host, const std::string& title, const std::string& filter,
                                         const std::string& defaultName, const std::string& suffix,
                                         const std::string& folder) {
  FileDialogRequest request;
  request.folder = folder;
  request.save = true;
  request.title = title;
  request.filter = filter;
  request.defaultName = defaultName;
  request.defaultSuffix = suffix;
  auto path = host.fileDialog(request);
  if (!path || path->empty()) return std::nullopt;
  const std::string ending = "." + suffix;
  std::string tail = path->size() >= ending.size() ? path->substr(path->size() - ending.size()) : "";
  std::transform(tail.begin(), tail.end(), tail.begin(), [](unsigned char c) { return std::tolower(c); });
  if (tail != ending) *path += ending;
  return path;
}

}  // namespace vx

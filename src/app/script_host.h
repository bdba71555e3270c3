#pragma once
// The host of the tests and the command line: it records every message and
// event and answers questions and dialogs from a list, in order.
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "common/host.h"

namespace vx {

struct ShownMessage {
  int id = 0;
  std::string text;
  Icon icon = Icon::Information;
  Buttons buttons = Buttons::Ok;
  std::string answer;
};

class ScriptHost : public Host {
 public:
  ScriptHost() = default;
  explicit ScriptHost(std::vector<std::string> answers) : answers_(answers.begin(), answers.end()) {}

  void addAnswer(const std::string& answer) { answers_.push_back(answer); }
  // A relative path answered to a file dialog is taken against this folder.
  void setDialogFolder(const std::filesystem::path& folder) { dialogFolder_ = folder; }

  // A message with only an OK button is not a question and takes no answer.
  // A question without an answer left gets Cancel, or No where there is no
  // Cancel: the answer that changes nothing.
  Answer message(const std::string& text, Icon icon, Buttons buttons, int id) override;
  std::optional<std::string> input(const std::string& prompt, const std::string& title,
                                   const std::string& initial) override;
  std::optional<std::string> fileDialog(const FileDialogRequest& request) override;
  void busy(bool on) override;
  void progress(int maximum, int value, bool shown) override;
  void showWindow(const std::string& name, bool modal) override;
  void closeWindow(const std::string& name) override;
  void placeTopRight(const std::string& name) override;
  void arrangeCascade() override;
  bool startProgram(const std::string& path) override;
  void showHelp(const std::string& topic) override;
  void showHelpIndex() override;
  // The page of a print or a PDF export is recorded, not put on paper;
  // "print" or "pdf PATH" goes into the events. With a PDF writer the export
  // also writes the file from the same drawing ("pdf PATH: not written" when
  // that failed).
  PrintResult printPage(const PageDrawing& draw) override;
  bool writePdf(const std::string& path, const PageDrawing& draw) override;
  using PdfWriter = std::function<bool(const std::string& path, const PageDrawing& draw)>;
  void setPdfWriter(PdfWriter writer) { pdfWriter_ = std::move(writer); }
  // "open PATH" goes into the events.
  bool openDocument(const std::string& path) override;
  bool clipboardHasPicture() override { return !clipboardPng_.empty(); }
  bool saveClipboardPicture(const std::string& path) override;
  void setHasPrinter(bool has) { hasPrinter_ = has; }
  void setOpensDocuments(bool opens) { opensDocuments_ = opens; }
  // PNG bytes that stand for the picture on the clipboard.
  void setClipboardPicture(std::string png) { clipboardPng_ = std::move(png); }
  // The pages printed or exported, in order.
  const std::vector<RecordedPage>& pages() const { return pages_; }
  // An in-memory setting store, empty at the start.
  std::string setting(const std::string& key) override;
  bool setSetting(const std::string& key, const std::string& value) override;
  // A fixed date when one was set, else the real one.
  std::string today() override;
  void setToday(const std::string& date) { today_ = date; }
  const std::map<std::string, std::string>& settings() const { return settings_; }

  const std::vector<ShownMessage>& messages() const { return messages_; }
  // Other things the host was asked to do, one line each ("show Condition").
  const std::vector<std::string>& events() const { return events_; }
  size_t answersLeft() const { return answers_.size(); }
  // What the last file dialog was asked for.
  const FileDialogRequest& lastDialog() const { return lastDialog_; }
  bool busyNow() const { return busy_; }

 private:
  std::optional<std::string> nextAnswer();
  std::deque<std::string> answers_;
  std::vector<ShownMessage> messages_;
  std::vector<std::string> events_;
  bool busy_ = false;
  bool hasPrinter_ = true;
  bool opensDocuments_ = true;
  std::string clipboardPng_;
  std::vector<RecordedPage> pages_;
  std::map<std::string, std::string> settings_;
  std::string today_;
  std::filesystem::path dialogFolder_;
  FileDialogRequest lastDialog_;
  PdfWriter pdfWriter_;
};

}  // namespace vx

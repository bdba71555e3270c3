#pragma once
// How the view models talk to the person. The Qt host shows real dialogs;
// the script host of the tests and the command line records every message
// and answers from a list.
#include <optional>
#include <string>
#include <vector>

#include "common/page_surface.h"

namespace vx {

enum class Icon { None, Information, Question, Exclamation, Critical };
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Answer { Ok, Cancel, Yes, No };

const char* iconName(Icon icon);
const char* buttonsName(Buttons buttons);
const char* answerName(Answer answer);

struct FileDialogRequest {
  bool save = false;        // save dialog (with the overwrite prompt) or open dialog
  std::string title;
  std::string filter;       // e.g. "设计文件 (*.pda)"
  std::string folder;       // starting folder
  std::string defaultName;
  std::string defaultSuffix;  // added to a name without one, e.g. "pda"
};

class Host {
 public:
  virtual ~Host() = default;
  // A modal message box titled "Veloxa"; `id` is the catalogue id or 0.
  virtual Answer message(const std::string& text, Icon icon, Buttons buttons, int id) = 0;
  // An input box; nullopt when cancelled.
  virtual std::optional<std::string> input(const std::string& prompt, const std::string& title,
                                           const std::string& initial) = 0;
  // The file dialog; nullopt when cancelled.
  virtual std::optional<std::string> fileDialog(const FileDialogRequest& request) = 0;
  virtual void busy(bool on) = 0;
  virtual void progress(int maximum, int value, bool shown) = 0;
  // Shows a window of the system (creating its widgets), modally or not,
  // and gives it the focus.
  virtual void showWindow(const std::string& name, bool modal) = 0;
  // Closes a window's widgets; its view model is gone.
  virtual void closeWindow(const std::string& name) = 0;
  // Moves a child window to the top right corner of the main window's client area.
  virtual void placeTopRight(const std::string& name) = 0;
  // Arranges the child windows of the main window in cascade.
  virtual void arrangeCascade() = 0;
  // Whether the main window has an active child window, as the screen
  // knows it; nullopt where there is no screen to ask.
  virtual std::optional<bool> hasActiveChild() { return std::nullopt; }

  // The outputs. Printing goes to the default printer without a dialog.
  enum class PrintResult { Printed, NoPrinter, Failed };
  virtual PrintResult printPage(const PageDrawing& draw);
  // Writes the page as a PDF file (through a temporary file); false on failure.
  virtual bool writePdf(const std::string& path, const PageDrawing& draw);
  // Opens a document with the desktop's default application; false when
  // nothing opened it.
  virtual bool openDocument(const std::string& path);
  // Whether the clipboard holds a picture; saves it as a PNG file (false
  // when there is none or the file cannot be written).
  virtual bool clipboardHasPicture();
  virtual bool saveClipboardPicture(const std::string& path);
  // Starts a program without waiting for it; false when it could not start.
  virtual bool startProgram(const std::string& path) = 0;
  // Opens the help at a topic (a window name), or the keyword index.
  virtual void showHelp(const std::string& topic) = 0;
  virtual void showHelpIndex() = 0;

  // The per-user setting store: the stored text, or an empty text when the
  // value does not exist. setSetting is false when the value could not be
  // stored.
  virtual std::string setting(const std::string& key) = 0;
  virtual bool setSetting(const std::string& key, const std::string& value) = 0;
  // Today's date as text in the Chinese short form ("2026/12/9").
  virtual std::string today();
};

// The busy pointer for the length of a command.
class BusyPointer {
 public:
  explicit BusyPointer(Host& host) : host_(host) { host_.busy(true); }
  ~BusyPointer() { host_.busy(false); }
  BusyPointer(const BusyPointer&) = delete;
  BusyPointer& operator=(const BusyPointer&) = delete;

 private:
  Host& host_;
};

// Asks for a file to save with the save dialog; the path ends in
// ".<suffix>" (added when the person typed none, letter case aside).
// Nullopt when the dialog was cancelled.
std::optional<std::string> AskSavePath(Host& host, const std::string& title, const std::string& filter,
                                       const std::string& defaultName, const std::string& suffix);
// The same, the dialog starting in `folder` (empty: where the dialog
// chooses).
std::optional<std::string> AskSavePathIn(Host& host, const std::string& title, const std::string& filter,
                                         const std::string& defaultName, const std::string& suffix,
                                         const std::string& folder);

// Shows catalogue message `id` with its placeholder pairs.
Answer ShowMessage(Host& host, int id, const std::vector<std::string>& pairs = {}, Icon icon = Icon::Information,
                   Buttons buttons = Buttons::Ok);

}  // namespace vx

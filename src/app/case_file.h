#pragma once
// Case files "*.pda": a design case as 59 comma-separated items (the
// conditions, the circuit properties and the customer texts) followed by a
// 44-item summary of the result, in 49 GBK lines with CR LF ends. The
// commands new, open, save, save as and view results of the main window.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vx {

class Session;

inline constexpr int kCaseItems = 59;      // section 1: what open assigns
inline constexpr int kSummaryItems = 44;   // section 2: what view results shows
inline constexpr int kCaseLines = 49;      // the lines of the two sections
// The line after them: the seven selection boxes, the flow direction and the
// phase of circuit B, so that the case balances as it did.
inline constexpr int kSelectionItems = 9;
inline constexpr const char* kFolderSetting = "PHE_SAVE_PATH";
inline constexpr const char* kCaseFilter = "Condition Files (*.pda)";

// The 49 lines of the current case and the selection line (UTF-8; written
// as GBK).
std::vector<std::string> CaseFileLines(Session& session);

// The items of a case file in order, the quotes of text items removed; at
// least `minItems` of them. nullopt when the file is missing, unreadable,
// oversized or too short.
std::optional<std::vector<std::string>> ReadCaseItems(const std::filesystem::path& path, size_t minItems);

// The number written for a single-precision item: the shortest text that
// reads back to the same value.
std::string CaseNumber(float value);

class CaseFiles {
 public:
  explicit CaseFiles(Session& session) : session_(session) {}

  // The file last opened or saved; empty after a new case.
  const std::string& currentFile() const { return current_; }

  // Before a new case or an open drops an unsaved result: the exit's
  // question 514. False when the command is to stop (Cancel, or Yes and the
  // save did not happen).
  bool settleUnsaved();
  void newCase();
  // True when a file was opened.
  bool open();
  // Save (mode 0) and save as (mode 1). True when the case was written.
  bool save(int mode);
  void viewResults();

  // The file dialog of the case files: mode 0 save (no dialog when a
  // current file exists), 1 save as, 2 open. Empty when cancelled. The
  // current file name changes only when the command succeeds.
  std::string ChooseCaseFile(int mode);
  // Stores the folder of `path` as the folder of the next dialogs.
  void RememberFolder(const std::string& path);

 private:
  bool assignCase(const std::vector<std::string>& items);
  Session& session_;
  std::string current_;
};

// Whether `target` is one of the files of the data folder (a catalogue,
// the presets, any installation file): a case must not be saved over it.
bool IsDataFolderFile(const std::filesystem::path& dataDir, const std::filesystem::path& target);

// Withdraws the result and empties what showed it: after a new case or an
// open (`balanceToo`: the balance rows of the intermediate data as well),
// or when the design window closes for data management.
void WithdrawShownResult(Session& session, bool balanceToo = false);

}  // namespace vx

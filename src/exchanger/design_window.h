#pragma once
// The design window "设计计算": the plate model and its arrangement, the
// correction controls, the structure grid with its option lists, the four
// calculation commands and the result fields.
#include <array>
#include <optional>
#include <vector>

#include "common/option_lists.h"
#include "common/preset_file.h"
#include "common/window_model.h"
#include "exchanger/catalogue.h"
#include "exchanger/design_state.h"
#include "exchanger/ntu.h"

namespace vx {

class Condition;
class OtherData;

// One entry of the automatic design's candidate list.
struct Candidate {
  std::string name;  // 20 characters, blank-padded
  short modelIndex = 0;
  short mixIndex = 0;
  short plates = 0;  // 0 marks an unused entry
  short firstKind = 0;
  short secondKind = 0;
  short passes = 1;
  float area = 3276730;
  float margin = 0;
};

class DesignWindow : public WindowModel {
 public:
  static constexpr const char* kName = "detail";
  static constexpr int kGridRows = 13;
  static constexpr int kGridCols = 4;
  static constexpr int kOptionLists = 13;
  static constexpr uint32_t kWindowColour = 0x80000005;

  // Creates the window: reads the presets, the option lists and the
  // catalogue. `created` is false when one of them could not be read.
  explicit DesignWindow(AppContext& context);
  bool created() const { return created_; }

  // The window became active.
  void activate();
  void onActivate() override;

  // Arrangement fields and commands, by the names of the window.
  Control* cbotype = nullptr;
  Control* txtplatenb = nullptr;
  Control* txtPass1 = nullptr;
  Control* txtPass2 = nullptr;
  Control* setnb = nullptr;
  Control* Text5 = nullptr;
  Control* CobThermalMix = nullptr;
  Control* MixC1 = nullptr;
  Control* MixC2 = nullptr;
  Control* narrowInC1 = nullptr;
  Control* narrowInC2 = nullptr;
  Control* PassLock = nullptr;
  Control* Check1 = nullptr;
  Control* Check2 = nullptr;
  Control* TabStrip2 = nullptr;
  Control* TabStrip3 = nullptr;
  Control* cvdt = nullptr;
  Control* LmtdC = nullptr;
  Control* Chkvc1 = nullptr;
  Control* Txtvc1 = nullptr;
  Control* Chkvc2 = nullptr;
  Control* Txtvc2 = nullptr;
  Control* ChkPortPd = nullptr;
  Control* LVCorrect = nullptr;
  Control* Command1 = nullptr;   // check
  Control* Command2 = nullptr;   // design
  Control* Command9 = nullptr;   // automatic design
  Control* Command10 = nullptr;  // NTU
  Control* txtover = nullptr;
  Control* txtarea = nullptr;
  Control* GrossArea = nullptr;
  Control* txtwall = nullptr;
  std::array<Control*, 2> Command4{};  // margin spin
  Control* PheGrid = nullptr;
  std::array<Control*, kOptionLists> Defdata{};
  Control* GridBTN = nullptr;
  Control* Text1 = nullptr;
  Control* AutoGrid = nullptr;
  Control* ProgressBar1 = nullptr;
  Control* candidateFrame = nullptr;
  Control* mixLabel = nullptr;  // "流道分配", enabled with MixC1 and MixC2

  // Values the window keeps for the calculation.
  DesignPresets presets;
  std::vector<Candidate> candidates;  // indexes 0 to AutoListSize
  float PlateConductivity = 0;        // W/(m K)
  float PlateThicknessM = 0;          // m
  std::string GasketCodeSuffix;
  std::string FramePatternSuffix;
  float DesignMargin = 0;             // %
  bool AutoClearResults = true;
  int windowHeight = 6280;            // twips
  std::string ModelDesignation;

  // The loaded model and its channel kinds.
  CatalogueCache catalogue;
  std::optional<PlateModel> model;
  ChannelKinds channelKinds{};
  OptionLists options;

  // The working values of the calculation.
  DesignState state;

  // The commands. Each reports through the host and returns true when it
  // produced a result.
  bool RunCheck();
  bool RunDesign();
  bool RunAutoDesign();
  bool RunNtu();
  // The last answer of the NTU command, at full precision.
  NtuResult ntuAnswer;
  // The precondition of the commands: the message to show (490 or 536), 0
  // when they may run.
  int CanGoing();
  // True (427 shown) when no heat balance stands behind the design case.
  bool refuseWithoutBalance();
  // Shows the result of the last check (result fields, grid, notes, state).
  void ShowResults();
  // The margin spin: raises (0) or lowers (1) the shown margin.
  void spinMargin(int button);
  // Applies candidate r of the automatic design's list and checks it.
  void applyCandidate(int row);

  // Picks model entry `index` of cbotype as the person does.
  void selectModel(int index);
  // Picks an entry of option list `list` (also at creation).
  void pickOption(int list, int entry);
  // Opens the option list of the grid's current row (GridBTN).
  void openRowList();
  // Clears the shown results, unless the automatic design switched that off.
  void ClearShownResults();
  // Withdraws or produces the result state of the application.
  void setResultState(bool available);

  int currentRow = 0, currentCol = 3;  // the grid cell last clicked

  Condition* condition();
  OtherData* otherData();
  AppContext& context() { return ctx_; }

 private:
  void build();
  void create();
  void buildGrid();
  Control& addText(const std::string& name, const std::string& text, int index = -1);
  Control& addCheck(const std::string& name, const std::string& text, int index = -1);
  Control& addButton(const std::string& name, const std::string& text, int index = -1);

  // The arrangement rules.
  void plateCountChanged();
  void firstKindChanged();
  void thermalMixPicked();
  void passAChanged();
  void passBChanged();
  // The number of units in parallel that setnb holds; 0 for none usable.
  float parallelCount() const;
  void parallelChanged();
  void parallelLeft();
  void narrowClicked();
  void assemblyTabPicked();
  void correctionTabPicked();
  void viscosityFactorLeft(int circuit);
  bool isTwoKindArrangement() const;
  void recomputeUnitFlows();

  // The commands' steps.
  void takeInputs();
  short plateKind() const;
  void writePortDiameters();
  bool checkSteps();
  bool rateAsArranged();
  void arithmeticFailure(const char* code);
  void buildNotes();

  AppContext& ctx_;
  bool created_ = false;
};

}  // namespace vx

#pragma once
// The design conditions window "设计条件": the duty of circuits A and B, the
// heat load, the media and the flow direction, with the rules that run when
// the person (or the system) changes them.
#include <array>

#include "common/number_text.h"
#include "common/window_model.h"

namespace vx {

class OtherData;

// Field indexes of TxtInput.
enum ConditionField : int {
  kFlowA = 0, kTinA = 1, kToutA = 2,
  kFlowB = 3, kTinB = 4, kToutB = 5,
  kHeatLoad = 6,
  kAllowDpA = 7, kAllowDpB = 8,
  kFoulingA = 9, kFoulingB = 10,
  kDesignPressureA = 11, kDesignPressureB = 12,
  kDesignTemperatureA = 13, kDesignTemperatureB = 14,
  kSteamPressure = 15,
  kMargin = 16,
};

inline constexpr uint32_t kRed = 255;
inline constexpr uint32_t kBlue = 0xFF0000;
inline constexpr uint32_t kBlack = 0;

class Condition : public WindowModel {
 public:
  static constexpr const char* kName = "Condition";
  static constexpr int kFields = 17;
  static constexpr int kBoxes = 7;

  // Builds the window and runs its load rule. `loaded` is false when the
  // preset file could not be read (the window must not be used then).
  explicit Condition(AppContext& context);
  bool loaded() const { return loaded_; }

  Control& field(int i) { return *TxtInput[static_cast<size_t>(i)]; }
  Control& box(int i) { return *ChkIndex[static_cast<size_t>(i)]; }
  double number(int i) { return Val(field(i).text); }
  bool given(int i) { return box(i).checked; }

  std::array<Control*, kFields> TxtInput{};
  std::array<Control*, kBoxes> ChkIndex{};
  Control* cbomedium1 = nullptr;
  Control* cbomedium2 = nullptr;
  Control* cboflowunit1 = nullptr;
  Control* cboflowunit2 = nullptr;
  Control* cbofoulingunit1 = nullptr;
  Control* cbofoulingunit2 = nullptr;
  Control* cboheatloadunit = nullptr;
  std::array<Control*, 2> Option1{};
  std::array<Control*, 2> Opt2LV{};
  std::array<Control*, 2> counterflow{};
  Control* balanceButton = nullptr;
  Control* Command5 = nullptr;
  Control* Command3 = nullptr;
  Control* Command4 = nullptr;
  Control* lbldt = nullptr;
  Control* Picture1 = nullptr;
  std::array<Control*, 12> Label9{};

  // The saturation temperature of circuit B's steam, unrounded.
  float SteamTsat = 0;

  // The person's commands and the rules other windows call.
  void runBalance();        // "热平衡"
  void openDesign();        // "设计计算"
  // "选择其他的介质": opens the property window for circuit A or B.
  void chooseMedium(int circuit);
  void adoptForA();         // after the property window closed, circuit A
  void adoptForB();         // the same for circuit B
  // Picks an entry of circuit B's medium list (rule 8; also the case file).
  void pickMediumB(int index);
  // Selects a phase of circuit B (rule 10).
  void selectPhaseB(int index);
  // The steam lookup of circuit B's steam pressure field.
  void GetSteamProperty();
  // An edit of the conditions (text, box, option, list, or a value another
  // window writes in): withdraws the balance and any result.
  void contentEdited();

  AppContext& context() { return ctx_; }
  OtherData* otherData();

 private:
  void build();
  void load();
  Control& addCombo(const std::string& name, std::vector<std::string> items, int index = -1);
  int windowKey(int key);              // a key typed anywhere in the window
  int fieldKey(int index, int key);    // a key typed in a field
  void fieldChanged(int index);
  void boxClicked(int index);
  void mediumBTextChanged();
  void setSteamControlsEnabled(bool enabled);

  AppContext& ctx_;
  bool loaded_ = false;
  bool steamResetting_ = false;
};

}  // namespace vx

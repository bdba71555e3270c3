#pragma once
// The property window "介质物理性质": self-built media, common fluids and the
// pure-component data bank, and the medium it hands over to the design case.
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/number_text.h"
#include "common/window_model.h"
#include "properties/fluid_records.h"
#include "properties/property_calc.h"

namespace vx {

inline constexpr uint32_t kSelectedCellYellow = 0x00FFFF;  // RGB 255, 255, 0

class PropertyWindow : public WindowModel {
 public:
  static constexpr const char* kName = "property";
  enum Mode : int { kSelfView = 0, kCommonView = 1, kBaseView = 2 };

  explicit PropertyWindow(AppContext& context);

  // Runs when the window closes, by a command or by its title bar: the
  // conditions window applies the hand-over here.
  std::function<void()> whenClosed;
  void onClose() override;

  int mode() const { return mode_; }

  // The person's commands and rules.
  void SelectView(int node);
  void LoadSelfRecord();
  int GridKey(int key);
  void SaveSelf();
  void DeleteSelf();
  void LoadCommonFluid();
  void ScrollChanged(int i);
  // The person types into entry box i: its bar moves with it.
  void EntryTyped(int i);
  void CommonFluidCommand();
  void AddComponent();
  void ShowComponent(int row);
  void DeleteComponentRow();
  void Estimate();
  void Adopt();
  void Cancel();

  // Scroll bar state: value and bounds (whole numbers), steps.
  struct ScrollState {
    int value = 0, min = 0, max = 100, smallStep = 1, largeStep = 10;
  };
  std::array<ScrollState, 2> scroll{};

  // The current cells of the property grid and the component list.
  int currentRow = 1, currentCol = 1;
  int mixRow = 1, mixCol = 0;

  const std::optional<PropertyRecord>& loadedRecord() const { return loaded_; }
  const std::optional<BaseDataRecord>& loadedComponent() const { return component_; }
  // The record numbers of the List1 entries.
  const std::vector<int>& selfRecords() const { return selfRecords_; }

  Control* TreeView1 = nullptr;
  Control* StatusBar1 = nullptr;
  std::array<Control*, 3> Frame1{};
  Control* List1 = nullptr;
  Control* MassName = nullptr;
  Control* shuoming = nullptr;
  Control* MyDataGrid = nullptr;
  std::array<Control*, 7> MyDataBaseUnit{};
  Control* GridBTN = nullptr;
  Control* Command1 = nullptr;
  Control* Command2 = nullptr;
  Control* List2 = nullptr;
  std::array<Control*, 2> Scroll{};
  std::array<Control*, 2> Text2{};
  std::array<Control*, 4> Label5{};
  Control* Command5 = nullptr;
  Control* pdensity = nullptr;
  Control* pspecificheat = nullptr;
  Control* pconduction = nullptr;
  Control* pviscosity = nullptr;
  Control* txtp5gas = nullptr;
  Control* txttalent = nullptr;
  Control* Combo7 = nullptr;
  // Entry i of Combo7 with its formula and names, to find a component by any
  // of them.
  std::vector<std::string> componentSearchTexts;
  Control* Frication = nullptr;
  Control* Component = nullptr;
  Control* Command12 = nullptr;
  Control* DpGridMix = nullptr;
  Control* DpGrid = nullptr;
  Control* DpGridMixData = nullptr;
  Control* Text8 = nullptr;
  std::array<Control*, 2> Label4{};
  Control* DelRow = nullptr;
  Control* Command3 = nullptr;
  Control* Command7 = nullptr;

  // Factors from the second unit of grid rows 4 to 7 to the stored unit.
  static constexpr std::array<double, 7> kSecondUnitFactor = {0, 0, 0, 4.187, 1.163, 1000, 4.187};

 private:
  void build();
  void OnLoad();
  void fillSelfList();
  void showCount(size_t count);
  void selectUnit(int i, int entry);
  void setScrollBounds(int i, bool enabled, float low, float high);
  void setScrollValue(int i, int value);
  void followConcentration();
  void selectedTemperatureChanged();
  void setMixFocus(bool focused);
  double gridNumber(int row, int col) { return Val(MyDataGrid->grid.cell(row, col)); }
  std::string selfGridText(int row, float value) const;
  void handOver(const std::string& name, float density, float vapourDensity, float cp, float conductivity,
                float viscosity, float latent);
  void close();

  AppContext& ctx_;
  int mode_ = kSelfView;
  std::vector<int> selfRecords_;
  std::optional<PropertyRecord> loaded_;
  std::optional<BaseDataRecord> component_;
};

}  // namespace vx

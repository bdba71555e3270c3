#pragma once
// The unit conversion window "UnitConvert": a category of "Unit.Dat", a unit
// to convert from and one to convert to. Ordinary categories convert by their
// factors at once; temperature, Engler degrees and Baumé degrees have their
// own formulas and convert on Enter in the value field.
#include <array>
#include <optional>
#include <string>

#include "common/window_model.h"
#include "common/unit_file.h"

namespace vx {

// What one conversion gives.
struct UnitConversion {
  enum Outcome { Value, Nothing, GravityOutOfRange, BaumeNotOffered } outcome = Nothing;
  double value = 0;
};

// Converts x from unit i to unit j of `category`. Computed in double
// precision so that 37 ℃ gives 98.6 ℉, not the single-precision 98.599998.
// A zero factor on either side or a result that is not finite gives Nothing.
UnitConversion ConvertUnits(const UnitCategory& category, int i, int j, double x);

// The result text: "0.00000E+00" above 10000, "0.00000E-00" between 0 and
// 0.0001, else "0.######".
std::string UnitResultText(double r);

class Unit : public WindowModel {
 public:
  static constexpr const char* kName = "Unit";
  explicit Unit(AppContext& context);

  void ChooseCategory();
  void ChooseUnit(int side);
  void Convert();

  Control* Combo1 = nullptr;
  std::array<Control*, 2> List1{};
  std::array<Control*, 2> Text1{};
  std::array<Control*, 2> Label1{};
  std::array<Control*, 2> Label2{};
  Control* Label3 = nullptr;
  Control* Label4 = nullptr;

 private:
  int keyInValue(int field, int key);
  bool special() const { return IsSpecialUnitCategory(category_.name); }

  AppContext& ctx_;
  UnitCategory category_;
};

}  // namespace vx

#pragma once
// The company information window "基本信息": name, address, telephone, fax
// and postcode of the company that issues the calculation sheets.
#include <array>

#include "common/window_model.h"

namespace vx {

class FrmCoInfor : public WindowModel {
 public:
  static constexpr const char* kName = "FrmCoInfor";
  explicit FrmCoInfor(AppContext& context);

  std::array<Control*, 5> Text1{};   // name, address, telephone, fax, postcode
  std::array<Control*, 5> Label1{};
  std::array<Control*, 2> Command1{};  // 0 "保存", 1 "退出"

  // Writes the record from the five fields; the window stays open.
  void save();

 private:
  AppContext& ctx_;
};

}  // namespace vx

#pragma once
// The customer information window "用户信息": the free texts that identify a
// design case for the customer. Its fields are the only copy of these texts;
// the case files and the outputs read and write them here.
#include <array>
#include <string>

#include "common/window_model.h"

namespace vx {

class FrmCustomer : public WindowModel {
 public:
  static constexpr const char* kName = "FrmCustomer";
  // The longest texts the fields take, in characters.
  static constexpr size_t kMaxFieldChars = 200;
  static constexpr size_t kMaxRemarkChars = 1000;

  // Builds the window and runs its load rule (captions, today's date).
  explicit FrmCustomer(AppContext& context);

  // The fields, in tab order: custname, project, ref, Ref1, txtdate,
  // designer, remark.
  Control* custname = nullptr;
  Control* project = nullptr;
  Control* ref = nullptr;
  Control* Ref1 = nullptr;
  Control* txtdate = nullptr;
  Control* designer = nullptr;
  Control* remark = nullptr;
  std::array<Control*, 6> Label9{};
  Control* Frame2 = nullptr;
  Control* Command1 = nullptr;  // "确定": hides the window

  // The person closes the window (确定 or its close box): it is hidden and
  // keeps its texts for the next output.
  void hide();
  // The caption of a field's label.
  std::string Label(const Control& c) const;

 private:
  AppContext& ctx_;
};

}  // namespace vx

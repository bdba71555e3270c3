#include "app/frm_customer.h"

#include "common/messages.h"

namespace vx {

FrmCustomer::FrmCustomer(AppContext& context) : WindowModel(kName), ctx_(context) {
  caption = LoadMessage(233);
  // Added in tab order; the labels are elements 0 to 5 of Label9.
  static const int labels[6] = {395, 342, 346, 494, 234, 238};
  for (int i = 0; i < 6; ++i) {
    Label9[static_cast<size_t>(i)] = &controls_.add("Label9", ControlKind::Label, i);
    Label9[static_cast<size_t>(i)]->text = LoadMessage(labels[i]);
  }
  custname = &controls_.add("custname", ControlKind::TextBox);
  project = &controls_.add("project", ControlKind::TextBox);
  ref = &controls_.add("ref", ControlKind::TextBox);
  Ref1 = &controls_.add("Ref1", ControlKind::TextBox);
  txtdate = &controls_.add("txtdate", ControlKind::TextBox);
  designer = &controls_.add("designer", ControlKind::TextBox);
  Frame2 = &controls_.add("Frame2", ControlKind::Frame, 0);
  Frame2->text = LoadMessage(348);
  remark = &controls_.add("remark", ControlKind::TextBox);
  Command1 = &controls_.add("Command1", ControlKind::Button);
  Command1->text = LoadMessage(325);
  Command1->clicked = [this] { hide(); };

  txtdate->text = ctx_.host.today();
}

void FrmCustomer::hide() {
  visible = false;
  ctx_.host.closeWindow(kName);
}

}  // namespace vx

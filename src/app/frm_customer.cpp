#include "app/frm_customer.h"

#include "common/messages.h"
#include "common/storable_text.h"

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

  // What is shown is what the case file and the outputs keep: no character
  // they cannot hold gets in, and no text longer than the file reads back.
  for (Control* c : {custname, project, ref, Ref1, txtdate, designer, remark}) {
    const bool lineBreaks = c == remark;
    const size_t limit = c == remark ? kMaxRemarkChars : kMaxFieldChars;
    c->keyPress = [lineBreaks](int key) { return StorableKey(key, lineBreaks) ? key : 0; };
    c->changed = [this, c, lineBreaks, limit] {
      StorableText s = Storable(c->text, limit, lineBreaks);
      if (!s.dropped && !s.cut) return;
      c->text = s.text;
      if (s.dropped)
        ctx_.host.message("不能保存的字符（双引号、换行或GBK以外的字符）已从“" + Label(*c) + "”中去掉。",
                          Icon::Information, Buttons::Ok, 0);
      if (s.cut)
        ctx_.host.message("文字过长，“" + Label(*c) + "”只保留前" + std::to_string(limit) + "个字符。",
                          Icon::Information, Buttons::Ok, 0);
    };
  }

  txtdate->text = ctx_.host.today();
}

std::string FrmCustomer::Label(const Control& c) const {
  if (&c == remark) return Frame2->text;
  const Control* fields[6] = {custname, project, ref, Ref1, txtdate, designer};
  for (size_t i = 0; i < 6; ++i)
    if (&c == fields[i]) return Label9[i]->text;
  return c.name;
}

void FrmCustomer::hide() {
  visible = false;
  ctx_.host.closeWindow(kName);
}

}  // namespace vx

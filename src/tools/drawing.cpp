#include "tools/drawing.h"

#include <algorithm>
#include <cctype>

#include "common/messages.h"

namespace vx {

Drawing::Drawing(AppContext& context) : WindowModel(kName), ctx_(context) {
  caption = LoadMessage(247);
  auto label = [this](const std::string& name, int index, const std::string& text) {
    controls_.add(name, ControlKind::Label, index).text = text;
  };
  auto field = [this](const char* name) { return &controls_.add(name, ControlKind::TextBox); };
  // Captions: 0 length, 1 width, 2 height, 3 net weight, 4 gross weight,
  // 5 maximum and 6 minimum in the clamping frame; units beside them.
  label("Label2", 0, LoadMessage(283));
  label("Label2", 1, LoadMessage(406));
  label("Label2", 2, LoadMessage(274));
  label("Label2", 3, LoadMessage(310));
  label("Label2", 4, LoadMessage(269));
  label("Label2", 5, LoadMessage(301));
  label("Label2", 6, LoadMessage(304));
  controls_.add("Frame1", ControlKind::Frame).text = LoadMessage(492);
  const char* units[] = {"mm", "mm", "mm", "kg", "kg", "mm", "mm"};
  for (int i = 0; i < 7; ++i) label("Label3", i, units[i]);
  lengtht = field("lengtht");
  widtht = field("widtht");
  heightt = field("heightt");
  wt = field("wt");
  gt = field("gt");
  tiedmax = field("tiedmax");
  tiedmin = field("tiedmin");
  Picture1 = &controls_.add("Picture1", ControlKind::Picture);
  Label1 = &controls_.add("Label1", ControlKind::Label);
  Label1->text = "Not Data";
  Command1 = &controls_.add("Command1", ControlKind::Button);
  Command1->text = LoadMessage(341);
  Command2 = &controls_.add("Command2", ControlKind::Button);
  Command2->text = LoadMessage(253);
  Command2->clicked = [this] { hide(); };
  Command3 = &controls_.add("Command3", ControlKind::Button);
  Command3->text = "get picture";
  Command3->clicked = [this] { getPicture(); };
}

void Drawing::hide() {
  // Hidden, not unloaded: the outputs keep reading the texts.
  visible = false;
  ctx_.host.closeWindow(kName);
}

void Drawing::getPicture() {
  if (!ctx_.host.clipboardHasPicture()) {
    ctx_.host.message("剪贴板中没有图片。", Icon::Information, Buttons::Ok, 0);
    return;
  }
  const auto path = AskSavePath(ctx_.host, "保存外形图", "PNG图片 (*.png)", LoadMessage(247) + ".png", "png");
  if (!path) return;
  const std::string& target = *path;
  if (!ctx_.host.saveClipboardPicture(target)) {
    ctx_.host.message("图片无法保存到" + target + "。", Icon::Exclamation, Buttons::Ok, 0);
    return;
  }
  Picture1->text = target;
  Label1->visible = false;
}

}  // namespace vx

#include "settings/password_windows.h"

#include <cmath>

#include "common/messages.h"
#include "common/record_file.h"
#include "settings/catalogue_edit.h"

namespace vx {

void ShowCatalogueFailure(Host& host, CatalogueEdit status) {
  if (status == CatalogueEdit::WriteFailed) {
    host.message(WriteFailureText(kCatalogueFile), Icon::Critical, Buttons::Ok, 0);
    return;
  }
  ShowMessage(host, 531, {"|1", "304"}, Icon::Critical);
}

PasswordWindow::PasswordWindow(AppContext& context) : WindowModel(kName), ctx_(context) {
  caption = LoadMessage(331);
  controls_.add("Label1", ControlKind::Label, 0).text = LoadMessage(529);
  controls_.add("Label1", ControlKind::Label, 1).text = LoadMessage(530);
  Text1 = &controls_.add("Text1", ControlKind::TextBox);
  Control& ok = controls_.add("Command1", ControlKind::Button, 0);
  ok.text = LoadMessage(325);
  ok.clicked = [this] { confirm(); };
  Control& quit = controls_.add("Command1", ControlKind::Button, 1);
  quit.text = LoadMessage(253);
  quit.clicked = [this] { ctx_.windows.closeWindow(kName); };
  focus = Text1->label();
}

void PasswordWindow::confirm() {
  CatalogueEdit status;
  auto stored = CataloguePassword(ctx_.dataDir, &status);
  if (!stored) return ShowCatalogueFailure(ctx_.host, status);
  float password = *stored;
  // No typed number equals a stored infinity or NaN: a damaged header would
  // lock the editor for good. The installed password opens it instead.
  if (!std::isfinite(password)) {
    ctx_.host.message("型号库Veloxa.dat中保存的密码已损坏。请用默认密码7139进入，然后重新设置密码。",
                      Icon::Exclamation, Buttons::Ok, 0);
    password = kDefaultPassword;
  }
  if (PasswordNumber(Text1->text) != password) {
    // Naming the default after the password was changed would mislead.
    const std::string hint = password == kDefaultPassword ? kDefaultPasswordHint : "。";
    ctx_.host.message(LoadMessage(528) + hint, Icon::Information, Buttons::Ok, 528);
    focus = Text1->label();
    return;
  }
  // The editor is shown modally from here: this window's rule is still
  // running, and the session keeps its view model alive until it returns.
  AppContext& ctx = ctx_;
  ctx.windows.closeWindow(kName);
  ctx.windows.showWindow("newproduct", true);
}

ChangePasswordWindow::ChangePasswordWindow(AppContext& context) : WindowModel(kName), ctx_(context) {
  caption = LoadMessage(331);
  controls_.add("Label1", ControlKind::Label, 0).text = LoadMessage(312);
  controls_.add("Label1", ControlKind::Label, 1).text = LoadMessage(330);
  Text1New = &controls_.add("Text1", ControlKind::TextBox, 1);
  Text1Confirm = &controls_.add("Text1", ControlKind::TextBox, 2);
  Control& ok = controls_.add("Command1", ControlKind::Button);
  ok.text = LoadMessage(325);
  ok.clicked = [this] { confirm(); };
  Control& cancel = controls_.add("Command2", ControlKind::Button);
  cancel.text = LoadMessage(216);
  cancel.clicked = [this] { ctx_.windows.closeWindow(kName); };
  focus = Text1New->label();
}

void ChangePasswordWindow::confirm() {
  if (trimField(Text1New->text) != trimField(Text1Confirm->text)) {
    ShowMessage(ctx_.host, 410);
    Text1New->text.clear();
    Text1Confirm->text.clear();
    focus = Text1New->label();
    return;
  }
  float password = PasswordNumber(Text1New->text);
  if (password == 0) {
    ShowMessage(ctx_.host, 411);
    return;
  }
  CatalogueEdit status = StorePassword(ctx_.dataDir, password);
  if (status != CatalogueEdit::Done) return ShowCatalogueFailure(ctx_.host, status);
  ShowMessage(ctx_.host, 412);
}

}  // namespace vx

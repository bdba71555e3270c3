#include "app/about_window.h"

#include "app/session.h"
#include "common/messages.h"

namespace vx {

AboutWindow::AboutWindow(Session& session) : WindowModel("about") {
  caption = LoadMessage(201);
  controls_.add("lblTitle", ControlKind::Label).text = FullVersionTitle();
  controls_.add("lblDescription", ControlKind::Label).text = LoadMessage(532);
  controls_.add("cmdOK", ControlKind::Button).text = "确定";
  controls_.find("cmdOK")->clicked = [&session] { session.closeWindow("about"); };
}

}  // namespace vx

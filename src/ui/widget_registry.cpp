#include "ui/widget_registry.h"

#include "conditions/condition.h"
#include "conditions/other_data.h"
#include "ui/about_dialog.h"
#include "ui/condition_widget.h"
#include "ui/other_data_widget.h"
#include "ui/qt_host.h"

namespace vx {

void registerWidgets(QtHost& host) {
  host.registerWidget("about", false, [](Session& s, WindowModel& m) -> QWidget* { return new AboutDialog(s, m, nullptr); });
  host.registerWidget(Condition::kName, true, [&host](Session&, WindowModel& m) -> QWidget* {
    return new ConditionWidget(static_cast<Condition&>(m), host);
  });
  host.registerWidget(OtherData::kName, true, [&host](Session&, WindowModel& m) -> QWidget* {
    return new OtherDataWidget(static_cast<OtherData&>(m), host);
  });
}

}  // namespace vx

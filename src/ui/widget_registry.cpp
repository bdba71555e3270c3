#include "ui/widget_registry.h"

#include "app/batch_window.h"
#include "app/frm_customer.h"
#include "conditions/condition.h"
#include "conditions/other_data.h"
#include "exchanger/check_result.h"
#include "exchanger/design_window.h"
#include "exchanger/true_temp.h"
#include "settings/model_editor.h"
#include "settings/password_windows.h"
#include "settings/settings_window.h"
#include "properties/property_window.h"
#include "ui/about_dialog.h"
#include "ui/batch_widget.h"
#include "ui/check_result_widget.h"
#include "ui/condition_widget.h"
#include "ui/customer_widget.h"
#include "ui/design_widget.h"
#include "ui/other_data_widget.h"
#include "ui/settings_widgets.h"
#include "ui/property_dialog.h"
#include "ui/qt_host.h"
#include "ui/report_widgets.h"
#include "reports/outputs.h"
#include "reports/statistics.h"
#include "settings/frm_co_infor.h"
#include "tools/drawing.h"
#include "ui/tool_widgets.h"
#include "ui/true_temp_widget.h"
#include "tools/heat_index.h"
#include "tools/muley.h"
#include "tools/plate_analyse.h"
#include "tools/unit_convert.h"

namespace vx {

void registerWidgets(QtHost& host) {
  host.registerWidget("about", false, [](Session& s, WindowModel& m) -> QWidget* { return new AboutDialog(s, m, nullptr); });
  host.registerWidget(Condition::kName, true, [&host](Session&, WindowModel& m) -> QWidget* {
    return new ConditionWidget(static_cast<Condition&>(m), host);
  });
  host.registerWidget(OtherData::kName, true, [&host](Session&, WindowModel& m) -> QWidget* {
    return new OtherDataWidget(static_cast<OtherData&>(m), host);
  });
  host.registerWidget(DesignWindow::kName, true, [&host](Session& s, WindowModel& m) -> QWidget* {
    return new DesignWidget(static_cast<DesignWindow&>(m), s, host);
  });
  host.registerWidget(CheckResult::kName, true, [&host](Session&, WindowModel& m) -> QWidget* {
    return new CheckResultWidget(static_cast<CheckResult&>(m), host);
  });
  host.registerWidget(FrmCustomer::kName, true, [&host](Session&, WindowModel& m) -> QWidget* {
    return new CustomerWidget(static_cast<FrmCustomer&>(m), host);
  });
  host.registerWidget(PropertyWindow::kName, false, [&host](Session& s, WindowModel& m) -> QWidget* {
    return new PropertyDialog(static_cast<PropertyWindow&>(m), s, host);
  });
  host.registerWidget(TrueTemp::kName, true, [&host](Session&, WindowModel& m) -> QWidget* {
    return new TrueTempWidget(static_cast<TrueTemp&>(m), host);
  });
  host.registerWidget(Preview::kName, false, [&host](Session& s, WindowModel& m) -> QWidget* {
    return new PreviewWidget(static_cast<Preview&>(m), s, host);
  });
  host.registerWidget(PheList::kName, true, [&host](Session& s, WindowModel& m) -> QWidget* {
    return new PheListWidget(static_cast<PheList&>(m), s, host);
  });
  host.registerWidget(Drawing::kName, true, [&host](Session& s, WindowModel& m) -> QWidget* {
    return new DrawingWidget(static_cast<Drawing&>(m), s, host);
  });
  host.registerWidget(FrmCoInfor::kName, false, [&host](Session& s, WindowModel& m) -> QWidget* {
    return new CoInforDialog(static_cast<FrmCoInfor&>(m), s, host);
  });
  host.registerWidget(SettingsWindow::kName, false, [&host](Session& s, WindowModel& m) -> QWidget* {
    return new SettingsDialog(static_cast<SettingsWindow&>(m), s, host);
  });
  host.registerWidget(PasswordWindow::kName, false, [&host](Session& s, WindowModel& m) -> QWidget* {
    return new PasswordDialog(static_cast<PasswordWindow&>(m), s, host);
  });
  host.registerWidget(ChangePasswordWindow::kName, false, [&host](Session& s, WindowModel& m) -> QWidget* {
    return new ChangePasswordDialog(static_cast<ChangePasswordWindow&>(m), s, host);
  });
  host.registerWidget(ModelEditor::kName, false, [&host](Session& s, WindowModel& m) -> QWidget* {
    return new ModelEditorDialog(static_cast<ModelEditor&>(m), s, host);
  });
  host.registerWidget(Unit::kName, false, [&host](Session& s, WindowModel& m) -> QWidget* {
    return new UnitWidget(static_cast<Unit&>(m), s, host);
  });
  host.registerWidget(Construction::kName, true, [&host](Session& s, WindowModel& m) -> QWidget* {
    return new ConstructionWidget(static_cast<Construction&>(m), s, host);
  });
  host.registerWidget(Muley::kName, false, [&host](Session& s, WindowModel& m) -> QWidget* {
    return new MuleyWidget(static_cast<Muley&>(m), s, host);
  });
  host.registerWidget(BatchWindow::kName, true, [&host](Session& s, WindowModel& m) -> QWidget* {
    return new BatchWidget(static_cast<BatchWindow&>(m), s, host);
  });
  host.registerWidget(PlateAnalyse::kName, false, [&host](Session& s, WindowModel& m) -> QWidget* {
    return new PlateAnalyseWidget(static_cast<PlateAnalyse&>(m), s, host);
  });
}

}  // namespace vx

#pragma once
// A started session with a checked design of the default duty (VX038N with
// 47 plates): the starting point of the output tests.
#include <gtest/gtest.h>

#include "conditions/condition.h"
#include "common/number_text.h"
#include "common/record_file.h"
#include "exchanger/design_window.h"
#include "reports/calculation_sheet.h"
#include "support/started_session.h"

namespace vx::test {

struct DesignedCase : StartedSession {
  explicit DesignedCase(std::vector<std::string> answers = {}) : StartedSession(std::move(answers)) {
    cond = session.existingAs<Condition>(Condition::kName);
    Click(cond->controls(), *cond->balanceButton);
    Click(cond->controls(), *cond->Command5);
    design = session.existingAs<DesignWindow>(DesignWindow::kName);
    for (size_t i = 0; i < design->cbotype->items.size(); ++i)
      if (design->cbotype->items[i].rfind("VX038N", 0) == 0) Pick(*design->cbotype, static_cast<int>(i));
    SetText(*design->txtplatenb, "47");
    designed = design->RunCheck();
  }
  // Fills the customer window's texts (those the outputs warn about).
  void customer(const std::string& name, const std::string& project) {
    if (WindowModel* w = session.window("FrmCustomer")) {
      Assign(*w->controls().find("custname"), name);
      Assign(*w->controls().find("project"), project);
    }
  }
  // Whether the system has the customer window whose texts the outputs print.
  bool hasCustomer() { return session.knowsWindow("FrmCustomer"); }
  // Whether an output asks its question first (customer or project empty,
  // or a negative margin).
  bool willAsk() {
    const CustomerTexts c = ReadCustomerTexts(session);
    return trimField(c.custname).empty() || trimField(c.project).empty() || Val(design->txtover->text) < 0;
  }
  // Runs a main-window command whose output question (if any) is answered Yes.
  void confirmed(const std::string& item) {
    if (willAsk()) host.addAnswer("yes");
    Click(session.main().controls(), session.main().menuItem(item));
  }
  Condition* cond = nullptr;
  DesignWindow* design = nullptr;
  bool designed = false;
};

}  // namespace vx::test

#include <gtest/gtest.h>

#include "app/frm_customer.h"
#include "support/started_session.h"

namespace vx {

namespace {
using Started = test::StartedSession;
}  // namespace

TEST(Customer, CreatedOnFirstReadWithCaptionsAndTodaysDate) {
  Started s;
  s.host.setToday("2026/12/9");
  EXPECT_EQ(s.session.existing(FrmCustomer::kName), nullptr);
  FrmCustomer& c = s.session.customer();
  EXPECT_EQ(c.caption, "用户信息");
  EXPECT_FALSE(c.visible);  // read, not shown
  EXPECT_EQ(c.custname->text, "");
  EXPECT_EQ(c.project->text, "");
  EXPECT_EQ(c.txtdate->text, "2026/12/9");
  const char* labels[] = {"用户名称", "项目名称", "编号", "设备号", "日期", "设计"};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(c.Label9[static_cast<size_t>(i)]->text, labels[i]);
  EXPECT_EQ(c.Frame2->text, "备注");
  EXPECT_EQ(c.Command1->text, "确定");
  // The same window on the next read.
  EXPECT_EQ(&s.session.customer(), &c);
  // Tab order: the order of the fields in the control table.
  std::vector<std::string> order;
  for (const Control& ctl : c.controls().all())
    if (ctl.kind == ControlKind::TextBox) order.push_back(ctl.name);
  EXPECT_EQ(order, (std::vector<std::string>{"custname", "project", "ref", "Ref1", "txtdate", "designer", "remark"}));
}

TEST(Customer, TheToolbarKeyShowsAndOkHidesKeepingTheTexts) {
  Started s;
  Click(s.session.main().controls(), s.session.main().toolKey("KeyCustomer"));
  FrmCustomer* c = s.session.existingAs<FrmCustomer>(FrmCustomer::kName);
  ASSERT_NE(c, nullptr);
  EXPECT_TRUE(c->visible);
  SetText(*c->custname, "某热力公司");
  SetText(*c->remark, "备用");
  Click(c->controls(), *c->Command1);
  EXPECT_FALSE(c->visible);
  Click(s.session.main().controls(), s.session.main().toolKey("KeyCustomer"));
  ASSERT_EQ(s.session.existingAs<FrmCustomer>(FrmCustomer::kName), c);
  EXPECT_TRUE(c->visible);
  EXPECT_EQ(c->custname->text, "某热力公司");
  EXPECT_EQ(c->remark->text, "备用");
}

TEST(Customer, TodayIsTheShortFormWithoutLeadingZeros) {
  ScriptHost host;
  std::string d = host.today();
  // yyyy/M/d
  ASSERT_GE(d.size(), 8u);
  EXPECT_EQ(d[4], '/');
  size_t second = d.find('/', 5);
  ASSERT_NE(second, std::string::npos);
  EXPECT_NE(d[5], '0');
  EXPECT_NE(d[second + 1], '0');
}

}  // namespace vx

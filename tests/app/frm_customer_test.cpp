#include <gtest/gtest.h>

#include "app/case_file.h"
#include "app/frm_customer.h"
#include "common/storable_text.h"
#include "common/text_file.h"
#include "reports/report_text.h"
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

// What is shown is what the case file and the outputs keep: a quote, a line
// break or a character outside GBK does not get in, typed or pasted, and a
// text longer than a field takes is cut, with a word to the person.
TEST(Customer, TextsHoldOnlyWhatTheFilesKeep) {
  Started s;
  FrmCustomer& c = s.session.customer();
  for (int key : {int{'A'}, int{'"'}, 13, 10, 0x4E2D /* 中 */, 0x1F600 /* an emoji */, 0xB0 /* degree sign: in GBK */, 0xFFFF})
    TypeKey(*c.custname, key);
  EXPECT_EQ(c.custname->text, "A中°");
  EXPECT_TRUE(s.host.messages().empty());
  // Pasted: dropped with a message naming the field.
  SetText(*c.project, "换热站\"二期\"\r\n😀𠀀x");
  EXPECT_EQ(c.project->text, "换热站二期x");
  EXPECT_EQ(s.lastText(), "不能保存的字符（双引号、换行或GBK以外的字符）已从“项目名称”中去掉。");
  // The remark keeps its line breaks; a quote goes.
  SetText(*c.remark, "第一行\r\n第二\"行");
  EXPECT_EQ(c.remark->text, "第一行\r\n第二行");
  // 200 characters a field, 1000 the remark.
  const size_t shown = s.host.messages().size();
  SetText(*c.designer, std::string(200, 'x'));
  EXPECT_EQ(s.host.messages().size(), shown);
  std::string longName;
  for (int i = 0; i < 250; ++i) longName += "张";
  SetText(*c.designer, longName);
  EXPECT_EQ(c.designer->text, longName.substr(0, 200 * 3));
  EXPECT_EQ(s.lastText(), "文字过长，“设计”只保留前200个字符。");
  SetText(*c.remark, std::string(1500, 'r'));
  EXPECT_EQ(c.remark->text.size(), 1000u);
}

// A line break is one blank in every file item: the case file and the report
// text write the remark alike.
TEST(Customer, ALineBreakIsOneBlankInTheCaseFileAndTheReportText) {
  EXPECT_EQ(OneLine("a\r\nb\nc\rd\r\n\r\ne"), "a b c d  e");
  EXPECT_EQ(ReportTextLines({{{"甲\r\n乙\n丙", false}}})[0], "\"甲 乙 丙\"");
  Started s;
  SetText(*s.session.customer().remark, "甲\r\n乙\n丙");
  const auto lines = CaseFileLines(s.session);
  ASSERT_EQ(lines.size(), 50u);
  EXPECT_EQ(lines[47], "\"甲 乙 丙\"");
}

}  // namespace vx

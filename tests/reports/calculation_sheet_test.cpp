// The calculation sheet as the page surface records it.
#include <gtest/gtest.h>

#include <algorithm>

#include "common/number_text.h"
#include "common/record_file.h"
#include "reports/calculation_sheet.h"
#include "reports/outputs.h"
#include "settings/company_record.h"
#include "support/designed_case.h"
#include "tools/drawing.h"

namespace vx {

namespace {

const PageText* find(const RecordedPage& page, const std::string& text) {
  for (const auto& t : page.texts)
    if (t.text == text) return &t;
  return nullptr;
}

std::vector<const PageText*> atX(const RecordedPage& page, int x) {
  std::vector<const PageText*> out;
  for (const auto& t : page.texts)
    if (t.x == x) out.push_back(&t);
  return out;
}

bool hasBox(const RecordedPage& page, int l, int t, int r, int b) {
  return std::any_of(page.boxes.begin(), page.boxes.end(),
                     [&](const PageBox& x) { return x.left == l && x.top == t && x.right == r && x.bottom == b; });
}

}  // namespace

TEST(SheetNumbers, RoundedFormsAndThePatternsOfTheRows) {
  // 2345.678 x 2 = 4691.356 -> Int(469135.6 + 0.5) / 100 = 4691.36.
  EXPECT_EQ(Rounded2(2345.678f * 2), " 4691.36");
  EXPECT_EQ(Rounded2(2345.678f), " 2345.68");
  // 89.95 is 89.94999695 in single precision: Int(899.4999 + 0.5) = 899.
  EXPECT_EQ(Rounded1(89.95f), " 89.9");
  EXPECT_EQ(Rounded1(89.96f), " 90");
  EXPECT_EQ(Format(0.00005f, "0.#####"), "0.00005");
  EXPECT_EQ(Format(0.0f, "0.#####"), "0.");
  EXPECT_EQ(SheetRowLabel(13), "设计压力/试验压力");
  EXPECT_EQ(SheetRowLabel(25), "对数平均温差修正系数");
  EXPECT_EQ(SheetRowLabel(26), "净重/毛重");
  EXPECT_EQ(SheetRowUnit(24), "W/(㎡.K)");
}

TEST(Sheet, TheDefaultDesignLiesOnTheReferenceBaselines) {
  test::DesignedCase c;
  ASSERT_TRUE(c.designed);
  RecordedPage page = RecordPage(SheetDrawing(c.session.context()));
  // The row numbers at x0 = 800: rows 1 to 14 at 2890 + 340 (n - 1), row 15
  // at 7650, 16 to 19 from 8250 by 300, 20 to 22 from 9450 by 340, 23 to 25
  // from 10470 by 300, 26 to 33 from 11670 by 300, 34 to 36 from 14070 by
  // 340 and the remark row "37" at 15090.
  std::vector<int> expected;
  for (int n = 1; n <= 14; ++n) expected.push_back(2890 + 340 * (n - 1));
  expected.push_back(7650);
  for (int y : {8250, 8550, 8850, 9150, 9450, 9790, 10130, 10470, 10770, 11070}) expected.push_back(y);
  for (int n = 26; n <= 33; ++n) expected.push_back(11670 + 300 * (n - 26));
  for (int y : {14070, 14410, 14750, 15090}) expected.push_back(y);
  std::vector<const PageText*> numbers;
  for (const PageText* t : atX(page, 800))
    if (t->text.size() == 2 && isdigit(static_cast<unsigned char>(t->text[0]))) numbers.push_back(t);
  ASSERT_EQ(numbers.size(), 37u);
  for (size_t i = 0; i < numbers.size(); ++i) {
    const std::string want = (i + 1 < 10 ? "0" : "") + std::to_string(i + 1);
    EXPECT_EQ(numbers[i]->text, want);
    EXPECT_EQ(numbers[i]->y, expected[i]) << "row " << i + 1;
  }
  EXPECT_EQ(find(page, "设计条件")->y, 2590);
  EXPECT_TRUE(find(page, "设计条件")->bold);
  EXPECT_EQ(find(page, "计算结果")->y, 7950);
  EXPECT_EQ(find(page, "结构参数")->y, 11370);
  const PageText* title = find(page, "板式换热器工艺计算书");
  ASSERT_TRUE(title);
  EXPECT_EQ(title->x, 1100);
  EXPECT_EQ(title->size, 16);
  EXPECT_TRUE(title->bold);
  // Frame, the rules under the header and the last rule of the table.
  EXPECT_TRUE(hasBox(page, 700, 885, 10500, 900));
  EXPECT_TRUE(hasBox(page, 700, 15400, 10515, 15415));
  EXPECT_TRUE(hasBox(page, 700, 1625, 10500, 1640));
  EXPECT_TRUE(hasBox(page, 700, 8185, 10500, 8200));
  EXPECT_TRUE(hasBox(page, 700, 15035, 10500, 15040));
  // Column lines: the 8000 line of the conditions stops above row 15, the
  // 4300 line of the construction runs from its heading rule to the end.
  EXPECT_TRUE(hasBox(page, 8000, 2840, 8005, 7600));
  EXPECT_TRUE(hasBox(page, 4300, 11620, 4305, 15040));
  EXPECT_TRUE(hasBox(page, 8000, 9400, 8005, 10420));
  // Values: rows 3, 16 and 19; the single values centred on 7950.
  const auto& v = c.session.var();
  const PageText* flow = find(page, Rounded2(v.UnitFlowA));
  ASSERT_TRUE(flow);
  EXPECT_EQ(flow->x, 6300);
  const PageText* one = nullptr;
  for (const PageText* t : atX(page, 7950 - RecordingSurface().textWidth("1") / 2))
    if (t->text == "1" && t->y == 9150) one = t;
  EXPECT_TRUE(one);
  EXPECT_TRUE(find(page, trimField(c.design->ModelDesignation)));
  // Empty outline dimensions give "/" and "//".
  EXPECT_TRUE(find(page, "//"));
}

TEST(Sheet, CustomerCompanyOutlineAndRemarkTexts) {
  test::DesignedCase c;
  ASSERT_TRUE(c.designed);
  WriteCompanyRecord(c.data.dir(), {"华东换热", "一号路", "111", "222", "200000"});
  c.customer("用户甲", "项目乙");
  WindowModel* customer = c.session.window("FrmCustomer");
  auto* drawing = c.session.windowAs<Drawing>(Drawing::kName);
  ASSERT_TRUE(drawing);
  SetText(*drawing->lengtht, "1200");
  SetText(*drawing->widtht, "480");
  SetText(*drawing->heightt, "1500");
  Click(drawing->controls(), *drawing->Command2);  // hidden, not unloaded
  RecordedPage page = RecordPage(SheetDrawing(c.session.context()));
  EXPECT_TRUE(find(page, "1200/480/1500"));
  const PageText* line = find(page, "地址: 一号路   电话: 111   传真: 222");
  ASSERT_TRUE(line);
  EXPECT_EQ(line->x, 800);
  EXPECT_EQ(line->y, 15500);
  EXPECT_EQ(line->size, 9);
  const PageText* company = find(page, "华东换热");
  ASSERT_TRUE(company);
  // Centred on 8000 with the width at 16 pt (4 CJK characters of 320 twips).
  EXPECT_EQ(company->x, 8000 - 4 * 320 / 2);
  EXPECT_EQ(company->size, 14);
  if (customer) {
    EXPECT_TRUE(find(page, "用户名称: 用户甲"));
    EXPECT_TRUE(find(page, "项目名称: 项目乙"));
    // a, line feed, b: b on the next text line at the same x; the frame and
    // the company line below it make room for it.
    Assign(*customer->controls().find("remark"), "a\r\nb");
    page = RecordPage(SheetDrawing(c.session.context()));
    RecordingSurface measure;
    measure.setFont("times new roman", 10, false);
    const int lineHeight = measure.lineHeight();
    const PageText* label = find(page, "备注: ");
    ASSERT_TRUE(label);
    const PageText* a = find(page, "a");
    const PageText* b = find(page, "b");
    ASSERT_TRUE(a && b);
    const int xr = label->x + measure.textWidth("备注: ");
    EXPECT_EQ(a->x, xr);
    EXPECT_EQ(a->y, 15090);
    EXPECT_EQ(b->x, xr);
    EXPECT_EQ(b->y, 15090 + lineHeight);
    const int frame = 15400 + lineHeight;  // one line more than the frame holds
    EXPECT_TRUE(hasBox(page, 700, frame, 10515, frame + 15));
    EXPECT_EQ(find(page, "地址: 一号路   电话: 111   传真: 222")->y, frame + 100);
    // A long remark stays inside the frame and the frame on the page: cut
    // at its right edge, the lines that do not fit joined to the last one.
    Assign(*customer->controls().find("remark"), std::string(400, 'x') + "\n2\n3\n4\n5\n6\n7\n8");
    page = RecordPage(SheetDrawing(c.session.context()));
    const PageText* foot = find(page, "地址: 一号路   电话: 111   传真: 222");
    ASSERT_TRUE(foot);
    EXPECT_LE(foot->y + measure.lineHeight(), 16838 - 400);
    int remarkLines = 0;
    for (const auto& t : page.texts)
      if (t.x == xr && t.y >= 15090 && t.y < foot->y) {
        ++remarkLines;
        EXPECT_LE(t.x + measure.textWidth(t.text), kFrameRight);
        EXPECT_LE(t.y + lineHeight, foot->y - 100);
      }
    EXPECT_GE(remarkLines, 3);
    EXPECT_LT(remarkLines, 8);
  }
}

TEST(Sheet, TheCalculatedAreaAndTheMarginStandBesideTheProvidedArea) {
  test::DesignedCase c;
  ASSERT_TRUE(c.designed);
  ASSERT_FALSE(c.design->txtarea->text.empty());
  RecordedPage page = RecordPage(SheetDrawing(c.session.context()));
  const std::string note =
      "计算面积 " + c.design->txtarea->text + "㎡  裕度 " + trimField(c.design->txtover->text) + "%";
  const PageText* shown = find(page, note);
  ASSERT_TRUE(shown);
  // On row 17, right of the centred provided area and inside the frame.
  const PageText* provided = find(page, c.design->GrossArea->text);
  ASSERT_TRUE(provided);
  EXPECT_EQ(provided->y, 8550);
  EXPECT_GT(shown->y, 8550);
  EXPECT_LT(shown->y, 8550 + 250);
  RecordingSurface measure;
  measure.setFont("times new roman", provided->size, false);
  const int providedRight = provided->x + measure.textWidth(provided->text);
  measure.setFont("times new roman", shown->size, false);
  EXPECT_GT(shown->x, providedRight);
  EXPECT_LE(shown->x + measure.textWidth(note), kFrameRight);
}

TEST(Sheet, ConfirmOutputWarnsInOrderAndOnlyWhenNeeded) {
  {
    test::DesignedCase c({"no"});
    ASSERT_TRUE(c.designed);
    Assign(*c.design->txtover, "-3.5");
    EXPECT_FALSE(ConfirmOutput(c.session.context()));
    ASSERT_EQ(c.lastId(), 507);
    EXPECT_EQ(c.lastText(), "用户名称或项目名称填写不完整\r\r换热量不满足要求\r\r是否继续？\r\r");
    EXPECT_EQ(c.host.messages().back().icon, Icon::None);
  }
  test::DesignedCase c;
  c.customer("用户", "项目");
  if (c.session.window("FrmCustomer")) {
    const size_t before = c.host.messages().size();
    EXPECT_TRUE(ConfirmOutput(c.session.context()));
    EXPECT_EQ(c.host.messages().size(), before);
  }
}

}  // namespace vx

// The company information window.
#include <gtest/gtest.h>

#include "settings/company_record.h"
#include "settings/frm_co_infor.h"
#include "support/started_session.h"

namespace vx {

TEST(FrmCoInforWindow, ShowsSavesAndKeepsOneRecord) {
  test::StartedSession s;
  s.data.remove(kCompanyFile);
  s.session.showWindow(FrmCoInfor::kName, true);
  auto* w = s.session.existingAs<FrmCoInfor>(FrmCoInfor::kName);
  ASSERT_TRUE(w);
  EXPECT_EQ(w->caption, "基本信息");
  EXPECT_EQ(w->Label1[2]->text, "电话");
  EXPECT_EQ(w->Text1[0]->text, "");  // a missing file reads as empty fields
  std::string sixty;
  for (int i = 0; i < 60; ++i) sixty += "汉";
  SetText(*w->Text1[0], sixty);
  SetText(*w->Text1[1], "一号路");
  Click(w->controls(), *w->Command1[0]);
  EXPECT_EQ(s.lastId(), 439);
  Click(w->controls(), *w->Command1[0]);
  EXPECT_EQ(std::filesystem::file_size(s.data.file(kCompanyFile)), 290u);
  EXPECT_TRUE(s.session.existing(FrmCoInfor::kName));  // saving keeps it open
  Click(w->controls(), *w->Command1[1]);
  EXPECT_FALSE(s.session.existing(FrmCoInfor::kName));
  // Reopened: the name cut to 100 bytes (50 characters); the record's
  // padding is not shown, so typing goes behind the text.
  s.session.showWindow(FrmCoInfor::kName, true);
  w = s.session.existingAs<FrmCoInfor>(FrmCoInfor::kName);
  EXPECT_EQ(w->Text1[0]->text, sixty.substr(0, 50 * 3));
  EXPECT_EQ(w->Text1[1]->text, "一号路");
  EXPECT_EQ(CompanyText(s.data.dir(), 1), "地址: 一号路   电话:    传真: ");
}

TEST(FrmCoInforWindow, ADamagedFileOpensEmptyWithAMessage) {
  test::StartedSession s;
  s.data.write(kCompanyFile, std::string(70u * 1024u * 1024u, 'x'));
  s.session.showWindow(FrmCoInfor::kName, true);
  auto* w = s.session.existingAs<FrmCoInfor>(FrmCoInfor::kName);
  ASSERT_TRUE(w);
  EXPECT_EQ(w->Text1[0]->text, "");
  EXPECT_EQ(s.host.messages().back().icon, Icon::Exclamation);
}

}  // namespace vx

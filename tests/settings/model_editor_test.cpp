// The password lock and the plate model editor as a person uses them, and
// what the design window then sees.
#include "settings/model_editor.h"

#include <gtest/gtest.h>

#include "common/file_io.h"
#include "common/number_text.h"
#include "conditions/condition.h"
#include "exchanger/design_window.h"
#include "settings/catalogue_edit.h"
#include "settings/password_windows.h"
#include "support/started_session.h"

namespace vx {
namespace {

const char* const kWrong = "输入的密码不正确,请重新输入密码。默认密码：7139";

class EditorTest : public ::testing::Test, protected test::StartedSession {
 protected:
  std::string catalogue() { return readFileBytes(data.file(kCatalogueFile)).value_or(""); }
  void click(WindowModel& w, const char* name, int index = -1) { Click(w.controls(), *w.controls().find(name, index)); }
  // 数据管理, then the password; true when the editor opened.
  bool unlock(const std::string& password) {
    click(session.main(), "CreateData");
    auto* w = session.existingAs<PasswordWindow>(PasswordWindow::kName);
    if (!w) return false;
    SetText(*w->Text1, password);
    click(*w, "Command1", 0);
    return session.existing(ModelEditor::kName) != nullptr;
  }
  ModelEditor& editor() {
    if (!session.existing(ModelEditor::kName)) {
      EXPECT_TRUE(unlock("7139"));
    }
    return *session.existingAs<ModelEditor>(ModelEditor::kName);
  }
  void save(const std::string& answer) {
    host.addAnswer(answer);
    click(editor(), "Command2");
  }
  int previousId() const { return host.messages()[host.messages().size() - 2].id; }
  DesignWindow& design() {
    auto* cond = session.existingAs<Condition>(Condition::kName);
    Click(cond->controls(), *cond->balanceButton);
    Click(cond->controls(), *cond->Command5);
    return *session.existingAs<DesignWindow>(DesignWindow::kName);
  }
};

}  // namespace

TEST_F(EditorTest, TheLockOpensTheEditorOnlyForTheStoredPassword) {
  EXPECT_FALSE(unlock("1234"));
  EXPECT_EQ(lastText(), kWrong);
  EXPECT_EQ(session.existingAs<PasswordWindow>(PasswordWindow::kName)->Text1->text, "1234");  // stays as typed
  EXPECT_FALSE(unlock(""));
  EXPECT_TRUE(unlock("7139.00"));
  EXPECT_EQ(session.existing(PasswordWindow::kName), nullptr);

  const std::string before = catalogue();
  click(editor(), "Command9");
  auto& ch = *session.existingAs<ChangePasswordWindow>(ChangePasswordWindow::kName);
  auto change = [&](const char* a, const char* b) {
    SetText(*ch.Text1New, a);
    SetText(*ch.Text1Confirm, b);
    click(ch, "Command1");
    return lastId();
  };
  EXPECT_EQ(change("1234", "1235"), 410);
  EXPECT_EQ(ch.Text1New->text + ch.Text1Confirm->text, "");  // both cleared
  EXPECT_EQ(change("abc", "abc"), 411);
  EXPECT_EQ(catalogue(), before);
  EXPECT_EQ(change("  2468 ", "2468"), 412);  // compared after trimming
  click(ch, "Command2");
  click(editor(), "Command4");
  // Only the four password bytes of record 1 changed.
  const std::string after = catalogue();
  ASSERT_EQ(after.size(), before.size());
  EXPECT_EQ(after.substr(0, kPasswordOffset), before.substr(0, kPasswordOffset));
  EXPECT_EQ(after.substr(kPasswordOffset + 4), before.substr(kPasswordOffset + 4));
  // The refusal names the default only while it is the password.
  EXPECT_FALSE(unlock("7139"));
  EXPECT_EQ(lastText(), "输入的密码不正确,请重新输入密码。");
  click(*session.existing(PasswordWindow::kName), "Command1", 1);
  EXPECT_TRUE(unlock("2468"));
}

// A damaged header: a password that is no number is damaged, and the
// default opens the editor to set a new one; a header cut before the
// password is a damaged catalogue, not an empty password.
TEST_F(EditorTest, ADamagedStoredPasswordIsSaidAndTheDefaultOpens) {
  std::string bytes = catalogue();
  for (const char* damage : {"\x00\x00\x80\x7f", "\x00\x00\xc0\x7f", "\x00\x00\x80\xff"}) {  // +inf, NaN, -inf
    bytes.replace(kPasswordOffset, 4, damage, 4);
    data.write(kCatalogueFile, bytes);
    EXPECT_FALSE(unlock("1234"));
    const auto& shown = host.messages();
    ASSERT_GE(shown.size(), 2u);
    EXPECT_EQ(shown[shown.size() - 2].text, "型号库Veloxa.dat中保存的密码已损坏。请用默认密码7139进入，然后重新设置密码。");
    EXPECT_EQ(lastText(), kWrong);
    click(*session.existing(PasswordWindow::kName), "Command1", 1);
    EXPECT_TRUE(unlock("7139"));
    click(editor(), "Command4");
  }
  for (size_t size : {size_t{0}, size_t{100}, size_t{kPasswordOffset + 3}}) {
    data.write(kCatalogueFile, bytes.substr(0, size));
    EXPECT_FALSE(unlock("")) << size;
    EXPECT_EQ(lastId(), 531) << size;
    click(*session.existing(PasswordWindow::kName), "Command1", 1);
  }
}

TEST_F(EditorTest, AMissingCatalogueShows531AndIsNotCreated) {
  data.remove(kCatalogueFile);
  EXPECT_FALSE(unlock("7139"));
  EXPECT_EQ(lastText(), "无法找到必要的文件，错误代码 304 ，请重新安装软件。");
  EXPECT_FALSE(std::filesystem::exists(data.file(kCatalogueFile)));
}

TEST_F(EditorTest, DataManagementFirstGivesUpAnOpenDesign) {
  design();
  click(session.main(), "CreateData");  // No to 508
  EXPECT_EQ(lastId(), 508);
  EXPECT_NE(session.existing(DesignWindow::kName), nullptr);
  EXPECT_EQ(session.existing(PasswordWindow::kName), nullptr);
  host.addAnswer("yes");
  click(session.main(), "CreateData");
  EXPECT_EQ(session.existing(DesignWindow::kName), nullptr);
  EXPECT_NE(session.existing(PasswordWindow::kName), nullptr);
}

TEST_F(EditorTest, ShowsAModelWithItsFormatsAndCaptionsByKind) {
  ModelEditor& e = editor();
  const PlateModel m = Catalogue::load(data.dir())->listed()[0];
  EXPECT_EQ(e.DataList->listIndex, 0);
  EXPECT_EQ(e.Text2[0]->text, m.ModelName);  // padding included
  EXPECT_EQ(e.Text2[2]->text, Str(m.PortIn1));
  EXPECT_EQ(e.Text2[7]->text, Format(m.PlateArea, "0.####"));
  EXPECT_EQ(e.Corr[0][0]->text, Format(m.channels[0].Nu_c, "0.######"));
  EXPECT_EQ(e.Corr[0][4]->text, Str(m.channels[0].Re_Min));
  EXPECT_EQ(e.Text6[0]->text, Format(m.NarrowSection, "0.########"));
  // The first port row holds the inlets.
  EXPECT_EQ(e.controls().find("LblPort", 0)->text, "进口口径");
  Pick(*e.Phe_Tag, 1);
  EXPECT_EQ(e.LblCol[1]->text + e.LblPortCol[1]->text + e.LblSecCol[1]->text, "宽通道宽通道宽通道");
  Pick(*e.Phe_Tag, 2);
  EXPECT_EQ(e.LblCol[2]->text + e.LblPortCol[0]->text + e.LblSecCol[0]->text, "软通道回路A");
  // A missing explanation picture shows nothing.
  data.remove(ModelEditor::kPictureFile);
  click(e, "Command8");
  EXPECT_FALSE(e.Picture1->visible);
}

TEST_F(EditorTest, SavingAnUnchangedModelKeepsTheFileByteForByte) {
  const std::string before = catalogue();
  ModelEditor& e = editor();
  for (int i = 0; i < static_cast<int>(e.DataList->items.size()); ++i) {
    Pick(*e.DataList, i);
    save("yes");
    ASSERT_EQ(previousId(), 498) << i;
    ASSERT_EQ(lastId(), 439) << host.messages()[host.messages().size() - 2].text;
    ASSERT_EQ(e.DataList->listIndex, i);
  }
  EXPECT_EQ(catalogue(), before);
}

TEST_F(EditorTest, ANewModelReachesTheDesignWindowAndADeleteRemovesIt) {
  const std::string before = catalogue();
  ModelEditor& e = editor();
  const size_t count = e.DataList->items.size();
  SetText(*e.Text2[0], "VXNEW");
  SetText(*e.Text2[7], "0.04");
  save("no");  // 499 declined: nothing written
  EXPECT_EQ(lastId(), 499);
  EXPECT_EQ(catalogue(), before);
  save("yes");
  EXPECT_EQ(lastText(), "VXNEW数据被保存。");
  EXPECT_EQ(e.DataList->items.size(), count + 1);
  EXPECT_EQ(e.DataList->text, "VXNEW");
  click(e, "Command4");

  DesignWindow& d = design();
  auto& items = d.cbotype->items;
  const int index = static_cast<int>(std::find(items.begin(), items.end(), "VXNEW     ") - items.begin());
  ASSERT_LT(index, static_cast<int>(items.size()));
  Pick(*d.cbotype, index);
  EXPECT_FLOAT_EQ(d.channelKinds[1].plateArea, 0.04f);
  SetText(*d.txtplatenb, "41");
  EXPECT_TRUE(d.RunCheck());
  // The catalogue is read afresh for each pick: a change saved meanwhile is used.
  PlateModel changed = *d.model;
  changed.PlateArea = 0.06f;
  ASSERT_EQ(SaveModelRecord(data.dir(), changed), CatalogueEdit::Done);
  Pick(*d.cbotype, index);
  EXPECT_FLOAT_EQ(d.channelKinds[1].plateArea, 0.06f);

  host.addAnswer("yes");  // 508
  ModelEditor& e2 = editor();
  click(e2, "Command7");  // No to 526: nothing changes
  EXPECT_EQ(lastId(), 526);
  EXPECT_EQ(e2.DataList->items.size(), count + 1);
  Pick(*e2.DataList, index);
  host.addAnswer("yes");
  click(e2, "Command7");
  EXPECT_EQ(std::count(e2.DataList->items.begin(), e2.DataList->items.end(), "VXNEW"), 0);
  // Compacted to the models and one end marker; record 1 with the password as it was.
  const std::string after = catalogue();
  EXPECT_EQ(after.substr(0, kCatalogueRecordLength), before.substr(0, kCatalogueRecordLength));
  EXPECT_EQ(after.size(), (count + 2) * kCatalogueRecordLength);
}

TEST_F(EditorTest, SaveChecksRefuseWithoutWriting) {
  const std::string before = catalogue();
  ModelEditor& e = editor();
  struct Case {
    Control* box;
    std::string text;
    int kind;
    std::string refusal;
  };
  const std::vector<Case> cases = {
      {e.Text2[0], "   ", 0, "请输入型号。"},
      {e.Text2[6], "0.4", 0, "“最多板片数”不能为0。"},  // a count after rounding
      {e.Text2[6], "40000", 0, "“最多板片数”必须是1到32767之间的整数。"},
      {e.Text2[3], "-50", 0, "“通道一的出口口径”必须是1到32767之间的整数。"},
      {e.Text2[7], "-0.1", 0, "“单板面积”必须大于0。"},
      {e.Corr[0][3], "", 0, "“通道一的Eu_m”不能为0。"},
      {e.Text6[1], "0", 0, "“窄通道的当量直径”不能为0。"},
      {e.Text7[1], "0", 1, "“宽通道的当量直径”不能为0。"},  // asymmetric: the wide channel too
      {e.Corr[1][0], "0", 1, "“通道二的Nu_c”不能为0。"},
      {e.Corr[2][2], "0", 2, "“通道三的Eu_c”不能为0。"},
      {e.Text2[9], "1e39", 0, "“容积”超出了数值的范围。"},
  };
  for (const Case& c : cases) {
    Pick(*e.DataList, 0);
    SetText(*e.Text2[0], "VXCHECK");
    Pick(*e.Phe_Tag, c.kind);
    // Every channel complete, so that only the case's field is wrong.
    for (int col = 1; col < 3; ++col)
      for (int i = 0; i < 4; ++i) SetText(*e.Corr[static_cast<size_t>(col)][static_cast<size_t>(i)], "0.5");
    SetText(*e.Text7[0], "0.001");
    SetText(*e.Text7[1], "0.002");
    SetText(*c.box, c.text);
    const size_t shown = host.messages().size();
    click(e, "Command2");
    ASSERT_EQ(host.messages().size(), shown + 1) << c.refusal;
    EXPECT_EQ(lastText(), c.refusal);
    EXPECT_EQ(host.messages().back().icon, Icon::Critical);
  }
  EXPECT_EQ(catalogue(), before);
  // A normal plate with empty wide-channel fields is accepted; 12.5 plates
  // are stored as 12 and 13.5 as 14 (halves to even).
  Pick(*e.DataList, 0);
  SetText(*e.Text2[0], "VXCHECK");
  SetText(*e.Text7[1], "");
  auto plates = [&](const char* text) {
    SetText(*e.Text2[6], text);
    save("yes");
    return Catalogue::load(data.dir())->find(modelNameField("VXCHECK"))->MaxPlates;
  };
  EXPECT_EQ(plates("12.5"), 12);
  EXPECT_EQ(plates("13.5"), 14);
  EXPECT_EQ(previousId(), 498);
  // Eleven characters are cut to ten and then name the same model.
  SetText(*e.Text2[0], "VXCHECK   X");
  save("no");
  EXPECT_EQ(lastId(), 498);
}

}  // namespace vx

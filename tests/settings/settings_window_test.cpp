// The settings window "参数设定" as a person uses it: the preset parameters
// with their checks, and the option tables with their row commands and cell
// editor.
#include "settings/settings_window.h"

#include <gtest/gtest.h>

#include "common/file_io.h"
#include "common/text_file.h"
#include "support/started_session.h"

namespace vx {
namespace {

class SettingsWindowTest : public ::testing::Test, protected test::StartedSession {
 protected:
  SettingsWindow& open() {
    Click(session.main().controls(), session.main().menuItem("MnuPreSet"));
    w = session.existingAs<SettingsWindow>(SettingsWindow::kName);
    EXPECT_NE(w, nullptr);
    return *w;
  }
  std::string file(const char* name) { return readFileBytes(data.file(name)).value_or(""); }
  void type(Control& c, const std::string& keys) {
    for (char k : keys) TypeKey(c, static_cast<unsigned char>(k));
  }
  int click(const char* name) {
    Click(w->controls(), *w->controls().find(name));
    return lastId();
  }
  SettingsWindow* w = nullptr;
};

}  // namespace

TEST_F(SettingsWindowTest, PresetChecksRefuseAndASaveWritesTheTextsAsTyped) {
  SettingsWindow& s = open();
  EXPECT_EQ(s.Text1[2]->text, "4.5");
  EXPECT_EQ(s.controls().find("Label1", 12)->text, "回路A允许压力降");
  const std::string before = file(kPresetFile);
  // 10.5 passes is above 10; "abc" reads as 0; the soft identifier is checked too.
  for (auto [box, text, id] : {std::tuple{1, "10.5", 440}, {4, "abc", 440}, {2, "6.01", 440}, {7, "   ", 441},
                               {7, "HHH", 442}, {5, "", 441}}) {
    click("Command3");  // the defaults, written nowhere
    Assign(*s.Text1[static_cast<size_t>(box)], text);
    EXPECT_EQ(click("Command5"), id) << text;
    EXPECT_EQ(file(kPresetFile), before) << text;
  }
  // Digits only in lines 1, 2 and 5; digits, "-" and "." in lines 3, 4 and 9 to 14; any key for identifiers.
  Assign(*s.Text1[1], "");
  type(*s.Text1[1], "1a.0");
  Assign(*s.Text1[8], "");
  type(*s.Text1[8], "-1.x6");
  EXPECT_EQ(s.Text1[8]->text, "-1.6");
  // The design pressure goes into every designation: a positive number.
  for (const char* pressure : {"-1.6", "0", "nan", "999999999999999999999999999999999999999999999"}) {
    Assign(*s.Text1[8], pressure);
    EXPECT_EQ(click("Command5"), 440) << pressure;
    EXPECT_EQ(file(kPresetFile), before) << pressure;
  }
  Assign(*s.Text1[8], "1.6");
  Assign(*s.Text1[5], "");
  type(*s.Text1[5], " H ");
  Assign(*s.Text1[6], "HH");
  Assign(*s.Text1[11], "");  // lines 9 to 14 are saved unchecked
  Assign(*s.Text1[12], "abc");
  EXPECT_EQ(click("Command5"), 443);
  auto lines = splitTextLines(file(kPresetFile));
  ASSERT_EQ(lines.size(), 14u);
  EXPECT_EQ(lines[1] + lines[5] + lines[6] + lines[8] + lines[11] + lines[12], R"("10"" H ""HH""1.6""""abc")");
  click("Command4");
  EXPECT_EQ(session.existing(SettingsWindow::kName), nullptr);
}

TEST_F(SettingsWindowTest, TablesByTheTreeAndAnUnchangedSaveKeepsTheFile) {
  const std::string before = file(kOptionListFile);
  SettingsWindow& s = open();
  const GridState& gaskets = s.MSFlexGrid1[2]->grid;
  EXPECT_EQ(gaskets.cell(0, 1), "耐温℃");
  EXPECT_EQ(gaskets.cell(3, 2), "HN");
  Pick(*s.TreeView1, 1);  // "板片材料": table 0
  EXPECT_TRUE(s.MSFlexGrid1[0]->visible && s.LblHint->visible);
  Pick(*s.TreeView1, 4);  // the group "框架": no table
  for (auto* g : s.MSFlexGrid1) EXPECT_FALSE(g->visible);
  EXPECT_FALSE(s.LblHint->visible);
  EXPECT_EQ(click("Command1"), 439);
  EXPECT_EQ(file(kOptionListFile), before);
}

TEST_F(SettingsWindowTest, RowCommandsAndTheCellEditor) {
  SettingsWindow& s = open();
  Pick(*s.TreeView1, 2);  // "板片厚度"
  GridState& g = s.MSFlexGrid1[1]->grid;
  const int rows = g.rows;
  const std::string first = g.cell(1, 0);
  // Inserting at row 1 moves every entry down and leaves row 1 empty.
  ClickCell(*s.MSFlexGrid1[1], 1, 0);
  click("MA");
  ASSERT_EQ(g.rows, rows + 1);
  EXPECT_EQ(g.cell(1, 0) + "|" + g.cell(2, 0), "|" + first);
  // An empty thickness would reach the wall resistance as zero: refused.
  const std::string before = file(kOptionListFile);
  EXPECT_EQ(click("Command1"), 440);
  EXPECT_EQ(file(kOptionListFile), before);
  // A number the design cannot hold in single precision, too large or too
  // small, would refuse every later design window (569 "102" or 423).
  for (const char* n : {"99999999999999999999999999999999999999999", "1e-51", "-0.4"}) {
    s.editCell(1, 1, 0);
    Assign(*s.Text2, n);
    EXPECT_EQ(click("Command1"), 440) << n;
    EXPECT_EQ(file(kOptionListFile), before) << n;
    Pick(*s.TreeView1, 1);  // the plate conductivities
    s.editCell(0, 1, 1);
    Assign(*s.Text2, n);
    g.cell(1, 0) = "0.5";
    EXPECT_EQ(click("Command1"), 440) << n;
    EXPECT_EQ(file(kOptionListFile), before) << n;
    s.editCell(0, 1, 1);
    Assign(*s.Text2, "16");
    s.commitCell();
    g.cell(1, 0) = "";
  }
  // The editor of a numeric cell takes digits, "-" and "."; the save commits an open editor.
  s.editCell(1, 1, 0);
  type(*s.Text2, "1x.2");
  EXPECT_EQ(s.Text2->text, "1.2");
  EXPECT_EQ(click("Command1"), 439);
  EXPECT_FALSE(s.Text2->visible);
  auto lines = splitTextLines(file(kOptionListFile));
  ASSERT_EQ(lines.size(), 13u);
  EXPECT_EQ(lines[2].substr(0, 10), "2|1.2|0.4|");
  EXPECT_EQ(lines[11], "0|");

  // Deleting asks 526: No keeps the row, Yes removes it.
  EXPECT_EQ(click("MD"), 526);
  EXPECT_EQ(g.rows, rows + 1);
  host.addAnswer("yes");
  click("MD");
  ASSERT_EQ(g.rows, rows);
  EXPECT_EQ(g.cell(1, 0), first);
  // A table with only its header: deleting changes nothing, inserting adds row 1.
  for (int i = 0; i <= rows; ++i) host.addAnswer("yes");
  for (int i = 0; i <= rows; ++i) click("MD");
  EXPECT_EQ(g.rows, 1);
  click("MA");
  EXPECT_EQ(g.rows, 2);
}

TEST_F(SettingsWindowTest, AFileThatCannotBeReadOrWrittenIsNeverSavedOver) {
  data.write(kOptionListFile, "1|a|\r\n");
  SettingsWindow& s = open();
  EXPECT_EQ(lastId(), 531);
  EXPECT_FALSE(s.Command1->enabled);
  // A folder where the preset file stood: reading went well, replacing it fails.
  data.remove(kPresetFile);
  std::filesystem::create_directory(data.file(kPresetFile));
  // It is not what the window read: the person is asked first.
  host.addAnswer("yes");
  click("Command5");
  EXPECT_TRUE(shown(580));
  EXPECT_EQ(lastText(), "无法写入文件“Preset.dat”，数据没有保存。");
  EXPECT_FALSE(shown(443));
  EXPECT_EQ(file(kOptionListFile), "1|a|\r\n");
}

// A file another copy of the program saved since the window read it is
// neither overwritten silently nor lost: the person chooses.
TEST_F(SettingsWindowTest, AFileChangedSinceTheWindowReadItAsksBeforeItIsOverwritten) {
  SettingsWindow& s = open();
  auto other = ReadPresetFile(data.dir());
  ASSERT_TRUE(other);
  other->Margin = "7";
  ASSERT_TRUE(WritePresetFile(data.dir(), *other));
  const std::string theirs = file(kPresetFile);

  // Cancel: nothing written, the window keeps its texts.
  Assign(*s.Text1[12], "60");
  EXPECT_EQ(click("Command5"), 580);
  EXPECT_EQ(lastText(), "文件Preset.dat在本窗口打开以后已被修改（可能另一个Veloxa正在运行）。是否用本窗口的数据覆盖它?（选“否”重新读入该文件）");
  EXPECT_EQ(host.messages().back().buttons, Buttons::YesNoCancel);
  EXPECT_EQ(file(kPresetFile), theirs);
  EXPECT_EQ(s.Text1[12]->text, "60");

  // No: the file is read again; the next save asks nothing.
  host.addAnswer("no");
  EXPECT_EQ(click("Command5"), 580);
  EXPECT_EQ(file(kPresetFile), theirs);
  EXPECT_EQ(s.Text1[11]->text, "7");
  EXPECT_EQ(s.Text1[12]->text, other->AllowedPressureDropA);
  Assign(*s.Text1[12], "60");
  EXPECT_EQ(click("Command5"), 443);
  EXPECT_EQ(ReadPresetFile(data.dir())->Margin, "7");
  EXPECT_EQ(ReadPresetFile(data.dir())->AllowedPressureDropA, "60");

  // Yes: the window's data replace the other change.
  other->Margin = "9";
  ASSERT_TRUE(WritePresetFile(data.dir(), *other));
  host.addAnswer("yes");
  Assign(*s.Text1[13], "70");
  click("Command5");
  EXPECT_EQ(lastId(), 443);
  EXPECT_EQ(ReadPresetFile(data.dir())->Margin, "7");
  EXPECT_EQ(ReadPresetFile(data.dir())->AllowedPressureDropB, "70");

  // The option lists the same way.
  auto lists = ReadOptionLists(data.dir());
  ASSERT_TRUE(lists);
  lists->FrameMaterials.push_back("另一处的材料");
  ASSERT_TRUE(WriteOptionLists(data.dir(), *lists));
  host.addAnswer("no");
  EXPECT_EQ(click("Command1"), 580);
  const GridState& frames = s.MSFlexGrid1[4]->grid;
  EXPECT_EQ(frames.cell(frames.rows - 1, 0), "另一处的材料");
  EXPECT_EQ(click("Command1"), 439);
}

}  // namespace vx

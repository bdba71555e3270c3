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
    if (!w) throw std::runtime_error("the settings window did not open");
    return *w;
  }
  std::string file(const char* name) { return readFileBytes(data.file(name)).value_or(""); }
  void type(Control& c, const std::string& keys) {
    for (char k : keys) TypeKey(c, static_cast<unsigned char>(k));
  }
  void click(const char* name) { Click(w->controls(), *w->controls().find(name)); }
  const GridState& table(int t) { return w->MSFlexGrid1[static_cast<size_t>(t)]->grid; }

  SettingsWindow* w = nullptr;
};

}  // namespace

TEST_F(SettingsWindowTest, PresetChecksRefuseAndASaveWritesTheTextsAsTyped) {
  SettingsWindow& s = open();
  EXPECT_EQ(s.caption, "参数设定");
  EXPECT_EQ(s.TabStrip1->items, (std::vector<std::string>{"常规", "详细数据"}));
  EXPECT_EQ(s.Text1[2]->text, "4.5");
  EXPECT_EQ(s.controls().find("Label1", 12)->text, "回路A允许压力降");
  EXPECT_EQ(s.controls().find("LblUnit", 8)->text, "Mpa");
  const std::string before = file(kPresetFile);

  struct Case {
    int box;
    std::string text;
    int id;
  };
  // 10.5 passes is above 10; "abc" reads as 0; the soft identifier is checked too.
  for (const Case& c : {Case{1, "10.5", 440}, Case{4, "abc", 440}, Case{2, "6.01", 440}, Case{7, "   ", 441},
                        Case{7, "HHH", 442}, Case{5, "", 441}}) {
    PresetParameters p = DefaultPresetParameters();
    for (int i = 0; i < kPresetLineCount; ++i) Assign(*s.Text1[static_cast<size_t>(i)], PresetLine(p, i + 1));
    Assign(*s.Text1[static_cast<size_t>(c.box)], c.text);
    click("Command5");
    EXPECT_EQ(lastId(), c.id) << c.text;
    EXPECT_EQ(file(kPresetFile), before) << c.text;
  }

  // Digits only in lines 1, 2 and 5; digits, "-" and "." in the others; any key for identifiers.
  Assign(*s.Text1[1], "");
  type(*s.Text1[1], "1a.0");
  EXPECT_EQ(s.Text1[1]->text, "10");
  Assign(*s.Text1[8], "");
  type(*s.Text1[8], "-1.x6");
  EXPECT_EQ(s.Text1[8]->text, "-1.6");
  Assign(*s.Text1[5], "");
  type(*s.Text1[5], " H ");
  Assign(*s.Text1[6], "HH");
  Assign(*s.Text1[11], "");  // lines 9 to 14 are saved unchecked
  Assign(*s.Text1[12], "abc");
  click("Command5");
  EXPECT_EQ(lastId(), 443);
  auto lines = splitTextLines(file(kPresetFile));
  ASSERT_EQ(lines.size(), 14u);
  EXPECT_EQ(lines[1], "\"10\"");
  EXPECT_EQ(lines[5], "\" H \"");
  EXPECT_EQ(lines[8], "\"-1.6\"");
  EXPECT_EQ(lines[11], "\"\"");
  EXPECT_EQ(lines[12], "\"abc\"");

  // Defaults fill the boxes and write nothing.
  const std::string saved = file(kPresetFile);
  click("Command3");
  EXPECT_EQ(s.Text1[1]->text, "5");
  EXPECT_EQ(s.Text1[11]->text, "0.0");
  EXPECT_EQ(file(kPresetFile), saved);
  click("Command4");
  EXPECT_EQ(session.existing(SettingsWindow::kName), nullptr);
}

TEST_F(SettingsWindowTest, TablesShowTheGroupsAndAnUnchangedSaveKeepsTheFile) {
  const std::string before = file(kOptionListFile);
  SettingsWindow& s = open();
  EXPECT_EQ(table(0).cols, 2);
  EXPECT_EQ(table(0).cell(0, 1), "导热系数W/(m.K)");
  EXPECT_EQ(table(2).cols, 3);
  EXPECT_EQ(table(2).cell(0, 1), "耐温℃");
  EXPECT_EQ(table(2).cell(3, 2), "HN");
  EXPECT_EQ(table(7).cell(1, 0), "HG/T 20592-2009");
  // The tree: "板片材料" shows table 0, a group node ("框架") none.
  Pick(*s.TreeView1, 1);
  EXPECT_TRUE(s.MSFlexGrid1[0]->visible);
  EXPECT_TRUE(s.LblHint->visible);
  Pick(*s.TreeView1, 4);
  EXPECT_EQ(s.shownPanel(), 8);
  for (auto* g : s.MSFlexGrid1) EXPECT_FALSE(g->visible);
  EXPECT_FALSE(s.LblHint->visible);
  Click(s.controls(), *s.Command1);
  EXPECT_EQ(lastId(), 439);
  EXPECT_EQ(file(kOptionListFile), before);
}

TEST_F(SettingsWindowTest, RowCommandsAndTheCellEditor) {
  SettingsWindow& s = open();
  Pick(*s.TreeView1, 2);  // "板片厚度"
  Control& thickness = *s.MSFlexGrid1[1];
  const int rows = thickness.grid.rows;
  const std::string first = thickness.grid.cell(1, 0);
  // Inserting at row 1 moves every entry down and leaves row 1 empty.
  ClickCell(thickness, 1, 0);
  click("MA");
  ASSERT_EQ(thickness.grid.rows, rows + 1);
  EXPECT_EQ(thickness.grid.cell(1, 0), "");
  EXPECT_EQ(thickness.grid.cell(2, 0), first);
  // An empty thickness would reach the wall resistance as zero: refused.
  const std::string before = file(kOptionListFile);
  Click(s.controls(), *s.Command1);
  EXPECT_EQ(lastId(), 440);
  EXPECT_EQ(file(kOptionListFile), before);
  // The cell editor takes digits, "-" and "." in a numeric column; an open
  // editor is committed by the save.
  s.editCell(1, 1, 0);
  ASSERT_TRUE(s.Text2->visible);
  type(*s.Text2, "1x.2");
  EXPECT_EQ(s.Text2->text, "1.2");
  Click(s.controls(), *s.Command1);
  EXPECT_EQ(lastId(), 439);
  EXPECT_FALSE(s.Text2->visible);
  auto lines = splitTextLines(file(kOptionListFile));
  ASSERT_EQ(lines.size(), 13u);
  EXPECT_EQ(lines[2].substr(0, 10), "2|1.2|0.4|");
  EXPECT_EQ(lines[11], "0|");
  // A name column takes any key.
  Pick(*s.TreeView1, 1);
  s.editCell(0, 2, 0);
  type(*s.Text2, "x");
  s.Text2->left();
  EXPECT_EQ(table(0).cell(2, 0).back(), 'x');

  // Deleting asks 526: No keeps the row, Yes removes it.
  Pick(*s.TreeView1, 2);
  ClickCell(thickness, 1, 0);
  click("MD");
  EXPECT_EQ(lastId(), 526);
  EXPECT_EQ(thickness.grid.rows, rows + 1);
  host.addAnswer("yes");
  click("MD");
  ASSERT_EQ(thickness.grid.rows, rows);
  EXPECT_EQ(thickness.grid.cell(1, 0), first);
  // A table with only its header: deleting changes nothing, inserting adds row 1.
  while (thickness.grid.rows > 1) {
    host.addAnswer("yes");
    click("MD");
  }
  host.addAnswer("yes");
  click("MD");
  EXPECT_EQ(thickness.grid.rows, 1);
  click("MA");
  EXPECT_EQ(thickness.grid.rows, 2);
}

TEST_F(SettingsWindowTest, AnUnreadableFileIsNeverSavedOver) {
  data.write(kOptionListFile, "1|a|\r\n");
  SettingsWindow& s = open();
  EXPECT_EQ(lastId(), 531);
  EXPECT_FALSE(s.Command1->enabled);
  EXPECT_TRUE(s.Command5->enabled);
  EXPECT_EQ(file(kOptionListFile), "1|a|\r\n");
}

TEST_F(SettingsWindowTest, AFailedWriteIsReportedInsteadOfTheSavedMessage) {
  SettingsWindow& s = open();
  // A folder where the files stood: reading went well, replacing them fails.
  for (const char* name : {kPresetFile, kOptionListFile}) {
    data.remove(name);
    std::filesystem::create_directory(data.file(name));
  }
  click("Command5");
  EXPECT_EQ(lastText(), "无法写入文件“Preset.dat”，数据没有保存。");
  EXPECT_EQ(host.messages().back().icon, Icon::Critical);
  Click(s.controls(), *s.Command1);
  EXPECT_EQ(lastText(), "无法写入文件“DefData.Dat”，数据没有保存。");
  EXPECT_FALSE(shown(443));
  EXPECT_FALSE(shown(439));
}

}  // namespace vx

// Case files: save, open, new and view results, driven as a person drives
// them through the main window's menu.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include <fstream>

#include "app/case_file.h"
#include "app/frm_customer.h"
#include "common/text_file.h"
#include "conditions/condition.h"
#include "conditions/other_data.h"
#include "exchanger/check_result.h"
#include "exchanger/design_window.h"
#include "reports/calculation_sheet.h"
#include "tools/drawing.h"
#include "support/started_session.h"

namespace vx {

namespace {

// Everything a case file is to give back: the texts and list entries of
// the conditions window (not its boxes and options, which the file does not
// hold), the case values and the customer texts.
struct Snapshot {
  std::vector<std::pair<std::string, std::string>> controls;
  std::vector<float> values;
  short state = 0;
  bool operator==(const Snapshot&) const = default;
};

class CaseFileTest : public ::testing::Test, protected test::StartedSession {
 protected:
  Condition& cond() { return *session.existingAs<Condition>(Condition::kName); }
  FrmCustomer& customer() { return session.customer(); }
  MainWindow& main() { return session.main(); }
  CaseFiles& files() { return session.files(); }
  void menu(const std::string& name, int index = -1) { Click(main().controls(), main().menuItem(name, index)); }
  void save() { menu("mnuFileSave", 0); }
  void saveAs() { menu("mnuFileSave", 1); }
  void open() { menu("mnuFileOpen"); }
  void newCase() { menu("mnuFileNew"); }

  // Balance, open the design window and design VX038N: a result.
  void calculate(const std::string& gasketLimit = "") {
    Click(cond().controls(), *cond().balanceButton);
    ASSERT_TRUE(session.var().BalanceDone) << lastText();
    Click(cond().controls(), *cond().Command5);
    DesignWindow* d = session.existingAs<DesignWindow>(DesignWindow::kName);
    ASSERT_NE(d, nullptr);
    if (!gasketLimit.empty()) d->PheGrid->grid.cell(3, 3) = gasketLimit;  // as edited in the grid
    for (size_t i = 0; i < d->cbotype->items.size(); ++i)
      if (d->cbotype->items[i].rfind("VX038N", 0) == 0) Pick(*d->cbotype, static_cast<int>(i));
    Click(d->controls(), *d->Command2);
    ASSERT_TRUE(session.var().ResultAvailable) << lastText();
  }

  Snapshot snapshot() {
    Snapshot s;
    for (const Control& c : cond().controls().all()) {
      std::string text = c.text;
      // The design pressures come back as the plain text of their number.
      if (c.name == "TxtInput" && (c.index == kDesignPressureA || c.index == kDesignPressureB))
        text = PlainNumber(static_cast<float>(Val(text)));
      if (c.kind == ControlKind::TextBox || c.kind == ControlKind::ComboBox)
        s.controls.emplace_back(c.label(), text + "|" + std::to_string(c.listIndex));
    }
    for (const Control& c : customer().controls().all())
      if (c.kind == ControlKind::TextBox && c.name != "remark") s.controls.emplace_back(c.name, c.text);
    const VeloxaVar& v = session.var();
    s.values.assign(v.MediumPropFlat.begin(), v.MediumPropFlat.end());
    s.values.insert(s.values.end(), {v.HeatLoad, v.Lmtd, v.FlowA, v.FlowB});
    s.state = v.MediumStateB;
    return s;
  }
  void expectSame(const Snapshot& a, const Snapshot& b) {
    EXPECT_EQ(a.controls, b.controls);
    EXPECT_EQ(a.values, b.values);
    EXPECT_EQ(a.state, b.state);
  }
  void setCustomer(Snapshot& s, const std::string& name, const std::string& text) {
    for (auto& [n, t] : s.controls)
      if (n == name) t = text;
  }

  std::string path(const std::string& name) { return (dir.dir() / name).string(); }
  std::string bytes(const std::string& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  test::TempDir dir;
};

}  // namespace

TEST_F(CaseFileTest, SaveNewOpenGivesTheCaseBackWithCustomerTexts) {
  calculate();
  SetText(*customer().custname, "某热力公司, 北区");
  SetText(*customer().project, "换热站 二期");
  SetText(*customer().Ref1, "E-101,'A'");
  SetText(*customer().remark, "备注");
  const Snapshot saved = snapshot();
  const std::string file = path("case");  // the suffix is added
  host.addAnswer(file);
  save();
  const std::string pda = file + ".pda";
  ASSERT_TRUE(std::filesystem::exists(pda)) << lastText();
  EXPECT_TRUE(session.var().CaseSaved);
  EXPECT_EQ(main().caption, "Veloxa   " + pda);
  EXPECT_EQ(files().currentFile(), pda);
  EXPECT_EQ(host.setting("PHE_SAVE_PATH"), dir.dir().string());

  // 49 lines with CR LF ends; 59 items, then 44.
  const std::string raw = bytes(pda);
  size_t crlf = 0;
  for (size_t i = 0; (i = raw.find("\r\n", i)) != std::string::npos; i += 2) ++crlf;
  EXPECT_EQ(crlf, 50u);
  EXPECT_EQ(raw.find('\n'), raw.find("\r\n") + 1);
  EXPECT_EQ(raw.substr(raw.size() - 2), "\r\n");
  auto lines = readTextLines(pda);
  ASSERT_TRUE(lines);
  ASSERT_EQ(lines->size(), 50u);
  size_t first = 0, second = 0;
  for (size_t i = 0; i < 49; ++i) (i < 25 ? first : second) += splitItems((*lines)[i]).size();
  EXPECT_EQ(first, 59u);
  EXPECT_EQ(second, 44u);
  EXPECT_EQ((*lines)[22], "#TRUE#,#TRUE#");
  EXPECT_EQ((*lines)[24].rfind("\"某热力公司, 北区\",\"换热站 二期\",", 0), 0u) << (*lines)[24];
  // The given values, counter-current, circuit B liquid.
  EXPECT_EQ((*lines)[49], "#TRUE#,#TRUE#,#TRUE#,#FALSE#,#TRUE#,#TRUE#,#FALSE#,0,0");

  newCase();
  EXPECT_EQ(main().caption, "Veloxa");
  EXPECT_EQ(files().currentFile(), "");
  EXPECT_FALSE(session.var().ResultAvailable);
  EXPECT_FALSE(main().menuItem("mnuFilePrint").enabled);
  EXPECT_EQ(cond().field(kFlowA).text, "60000.0");
  OtherData& od = *session.existingAs<OtherData>(OtherData::kName);
  EXPECT_EQ(od.cell(1, 1), "");   // no balance of the new case yet
  EXPECT_EQ(od.cell(14, 1), "");  // nor its result
  EXPECT_FALSE(main().toolKey("KeyDesign").enabled);
  // A new case keeps the customer's texts.
  EXPECT_EQ(customer().custname->text, "某热力公司, 北区");
  SetText(*customer().remark, "留下");
  SetText(*customer().custname, "别的");
  SetText(cond().field(kFlowA), "1");

  host.addAnswer(pda);
  open();
  EXPECT_EQ(main().caption, "Veloxa " + pda);
  EXPECT_EQ(files().currentFile(), pda);
  Snapshot back = snapshot();
  expectSame(back, saved);
  EXPECT_EQ(customer().remark->text, "留下");  // not stored
  const VeloxaVar& v = session.var();
  EXPECT_TRUE(v.ConditionsChanged);
  EXPECT_FALSE(v.BalanceDone);
  EXPECT_FALSE(v.ResultAvailable);
  EXPECT_FALSE(main().menuItem("mnuFileSave", 0).enabled);
  EXPECT_FALSE(main().toolKey("KeyDesign").enabled);
  // Nothing to save: closing asks nothing.
  const size_t shown = host.messages().size();
  EXPECT_TRUE(session.requestExit());
  EXPECT_EQ(host.messages().size(), shown);
}

TEST_F(CaseFileTest, SaveAfterOpenWritesToTheOpenedFile) {
  calculate();
  host.addAnswer(path("a.pda"));
  save();
  newCase();
  host.addAnswer(path("a.pda"));
  open();
  SetText(*customer().designer, "李工");
  calculate();
  const size_t answers = host.answersLeft();
  save();  // no dialog
  EXPECT_EQ(host.answersLeft(), answers);
  EXPECT_EQ(main().caption, "Veloxa   " + path("a.pda"));
  auto lines = *readTextLines(path("a.pda"));
  EXPECT_EQ(splitItems(lines[23])[1], "李工");
}

TEST_F(CaseFileTest, NewAndOpenForgetTheOutlineOfTheOldExchanger) {
  calculate();
  host.addAnswer(path("a.pda"));
  save();
  auto typeOutline = [this] {
    auto* drawing = session.windowAs<Drawing>(Drawing::kName);
    ASSERT_NE(drawing, nullptr);
    SetText(*drawing->lengtht, "1200");
    SetText(*drawing->wt, "850");
    Click(drawing->controls(), *drawing->Command2);  // hidden: its texts stay for the outputs
    ASSERT_EQ(ReadOutlineTexts(session.context().windows).lengtht, "1200");
  };
  typeOutline();
  newCase();
  OutlineTexts o = ReadOutlineTexts(session.context().windows);
  EXPECT_EQ(o.lengtht, "");
  EXPECT_EQ(o.wt, "");
  typeOutline();
  host.addAnswer(path("a.pda"));
  open();
  o = ReadOutlineTexts(session.context().windows);
  EXPECT_EQ(o.lengtht, "");
  EXPECT_EQ(o.wt, "");
}

TEST_F(CaseFileTest, SteamKeepsItsPressureAndTemperaturesOnOpen) {
  Pick(*cond().cbomedium2, 1);
  SetChecked(cond().controls(), cond().box(0), false);
  SetChecked(cond().controls(), cond().box(kHeatLoad), true);
  SetText(*cond().TxtInput[kHeatLoad], "1000");
  SetText(*cond().TxtInput[kTinA], "60");
  SetText(*cond().TxtInput[kToutA], "90");
  SetText(*cond().TxtInput[kSteamPressure], "0.5");
  SetText(*cond().TxtInput[kDesignTemperatureA], "200");  // above the saturation temperature
  calculate("250");
  const float lmtd = session.var().Lmtd;
  const Snapshot saved = snapshot();
  host.addAnswer(path("steam.pda"));
  save();
  newCase();
  EXPECT_EQ(session.var().MediumStateB, kStateWater);
  host.addAnswer(path("steam.pda"));
  open();
  EXPECT_EQ(cond().field(kSteamPressure).text, "0.5");
  // Not the 0.3 MPa that picking steam writes (143.6 C), and not the
  // balance's rounded text "158.8": the saturation temperature of 0.5 MPa.
  EXPECT_EQ(cond().field(kTinB).text, Format(cond().SteamTsat, "0.##"));
  EXPECT_NE(cond().field(kTinB).text, "158.8");
  EXPECT_NEAR(cond().SteamTsat, 158.8, 0.05);
  // The balance of the opened case gives the same case.
  Click(cond().controls(), *cond().balanceButton);
  ASSERT_TRUE(session.var().BalanceDone);
  EXPECT_EQ(session.var().Lmtd, lmtd);
  expectSame(snapshot(), saved);
}

TEST_F(CaseFileTest, SaveNeedsAResultThatStillHolds) {
  save();
  EXPECT_EQ(lastId(), 515);
  EXPECT_EQ(lastText(), "请先计算再保存结果。");
  calculate();
  // A key in the conditions window after the result disables the menu
  // items; the toolbar key stays.
  TypeKey(cond().field(kFlowA), '5');
  EXPECT_TRUE(session.var().ResultAvailable);
  const size_t shown = host.messages().size();
  Click(main().controls(), main().toolKey("KeySave"));
  ASSERT_EQ(host.messages().size(), shown + 1);
  EXPECT_EQ(lastId(), 515);
  EXPECT_FALSE(session.var().CaseSaved);
  // Closing: 514, Yes, the save is refused, the program stays open.
  host.addAnswer("yes");
  EXPECT_FALSE(session.requestExit());
  EXPECT_EQ(lastId(), 515);
  EXPECT_FALSE(session.ended());
}

TEST_F(CaseFileTest, SaveAfterSaveWritesWithoutDialogAndSaveAsAsks) {
  calculate();
  // Cancelled dialog: nothing changes.
  host.addAnswer("cancel");
  save();
  EXPECT_EQ(files().currentFile(), "");
  EXPECT_FALSE(session.var().CaseSaved);
  EXPECT_EQ(main().caption, "Veloxa 5.0");

  host.addAnswer(path("one.pda"));
  save();
  ASSERT_EQ(files().currentFile(), path("one.pda"));
  std::filesystem::remove(path("one.pda"));
  session.var().CaseSaved = false;
  const size_t events = host.events().size();
  save();  // no dialog: the same path
  EXPECT_EQ(host.events().size(), events + 1);  // only the setting
  EXPECT_TRUE(std::filesystem::exists(path("one.pda")));

  host.addAnswer("cancel");
  saveAs();
  EXPECT_EQ(files().currentFile(), path("one.pda"));  // cancelling keeps the name
  host.addAnswer(path("two.PDA"));
  saveAs();
  EXPECT_EQ(files().currentFile(), path("two.PDA"));
  EXPECT_TRUE(std::filesystem::exists(path("two.PDA")));
  EXPECT_EQ(host.events()[events + 2].rfind("save dialog Condition Files (*.pda)", 0), 0u);
}

TEST_F(CaseFileTest, AFailedWriteChangesNothing) {
  calculate();
  host.addAnswer(path("kept.pda"));
  save();
  ASSERT_TRUE(session.var().CaseSaved);
  const std::string caption = main().caption;
  session.var().CaseSaved = false;
  const std::string missing = (dir.dir() / "no-such-folder" / "x.pda").string();
  host.addAnswer(missing);
  saveAs();
  EXPECT_EQ(lastId(), 581);
  EXPECT_EQ(lastText(), "文件" + missing + "无法写入：文件夹不存在。数据没有保存。");
  EXPECT_FALSE(session.var().CaseSaved);
  EXPECT_EQ(main().caption, caption);
  EXPECT_EQ(files().currentFile(), path("kept.pda"));
  EXPECT_EQ(host.setting("PHE_SAVE_PATH"), dir.dir().string());

  // A FIFO in the file's place stays one.
  ASSERT_EQ(mkfifo(path("pipe.pda").c_str(), 0644), 0);
  host.addAnswer(path("pipe.pda"));
  saveAs();
  EXPECT_EQ(lastText(), "文件" + path("pipe.pda") + "无法写入：不是普通文件。数据没有保存。");
  EXPECT_TRUE(std::filesystem::is_fifo(path("pipe.pda")));

  // A full disk (a file size limit stands in for it).
  const pid_t child = fork();
  if (child == 0) {
    signal(SIGXFSZ, SIG_IGN);
    const rlimit small{100, 100};
    setrlimit(RLIMIT_FSIZE, &small);
    host.addAnswer(path("full.pda"));
    saveAs();
    _exit(lastText() == "文件" + path("full.pda") + "无法写入：磁盘已满。数据没有保存。" ? 0 : 1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_FALSE(std::filesystem::exists(path("full.pda")));
}

TEST_F(CaseFileTest, ExitYesSavesAndClosesOnlyWhenSaved) {
  calculate();
  // 514 Yes, then the save dialog is cancelled: the program stays open.
  host.addAnswer("yes");
  host.addAnswer("cancel");
  EXPECT_FALSE(session.requestExit());
  EXPECT_EQ(host.messages().back().id, 514);
  EXPECT_EQ(host.events().back().rfind("save dialog", 0), 0u);
  EXPECT_FALSE(session.ended());
  // 514 Yes and a file: saved, then closed.
  host.addAnswer("yes");
  host.addAnswer(path("exit.pda"));
  EXPECT_TRUE(session.requestExit());
  EXPECT_TRUE(std::filesystem::exists(path("exit.pda")));
}

TEST_F(CaseFileTest, DamagedFilesOpenNothing) {
  calculate();
  host.addAnswer(path("good.pda"));
  save();
  const std::string good = bytes(path("good.pda"));
  SetText(cond().field(kFlowA), "12345");
  const Snapshot before = snapshot();
  const std::string caption = main().caption;

  auto lines = *readTextLines(path("good.pda"));
  auto withLine = [&lines](size_t i, const std::string& text) {
    auto copy = lines;
    copy[i] = text;
    std::string out;
    for (auto& l : copy) out += l + "\r\n";
    return out;
  };
  const std::vector<std::pair<std::string, std::string>> damaged = {
      {"empty", ""},
      {"truncated", good.substr(0, good.size() / 3)},
      {"binary", std::string("\x00\xff\x13\x88\x01,\x02\r\n\x7f", 10)},
      {"index out of range", withLine(3, "0,7")},
      {"unit out of range", withLine(11, "2")},
      {"not a number", withLine(21, "1,2,3,4,5,6,7,8,9,10,x,12,13,14,15,16")},
      {"too large", withLine(21, "1,2,3,4,5,6,7,8,9,10,1e39,12,13,14,15,16")},
      {"overflow", withLine(21, "1,2,3,4,5,6,7,8,9,10,1e999,12,13,14,15,16")},
  };
  for (const auto& [what, content] : damaged) {
    std::ofstream(path("bad.pda"), std::ios::binary) << content;
    const size_t shown = host.messages().size();
    host.addAnswer(path("bad.pda"));
    open();
    ASSERT_EQ(host.messages().size(), shown + 1) << what;
    EXPECT_EQ(lastText(), "程序运行出错，错误代码104。") << what;
    EXPECT_EQ(main().caption, caption) << what;
    EXPECT_EQ(files().currentFile(), path("good.pda")) << what;
    expectSame(snapshot(), before);
  }
  // 100 MB: refused by its size, not read.
  std::filesystem::resize_file(path("bad.pda"), 100u * 1024 * 1024);
  host.addAnswer(path("bad.pda"));
  open();
  EXPECT_EQ(lastText(), "程序运行出错，错误代码104。");
  // A folder, and a missing file (519).
  host.addAnswer(dir.dir().string());
  open();
  EXPECT_EQ(lastId(), 569);
  host.addAnswer(path("missing.pda"));
  open();
  EXPECT_EQ(lastId(), 519);
  EXPECT_EQ(lastText(), "无法找到指定的文件。");
  EXPECT_EQ(files().currentFile(), path("good.pda"));
  expectSame(snapshot(), before);
}

TEST_F(CaseFileTest, ViewResultsShowsTheStoredSummary) {
  menu("mnuFileCheck");
  EXPECT_EQ(lastId(), 518);
  EXPECT_EQ(lastText(), "尚未打开的文件.");
  calculate();
  SelectEntry(*cond().cboheatloadunit, 0);
  SetText(*customer().remark, "甲, 乙");
  SetText(*customer().designer, "张工");
  host.addAnswer(path("view.pda"));
  // The pick above counts as an edit: calculate again first.
  calculate();
  save();
  ASSERT_TRUE(session.var().CaseSaved) << lastText();
  menu("mnuFileCheck");
  CheckResult* view = session.existingAs<CheckResult>(CheckResult::kName);
  ASSERT_NE(view, nullptr);
  EXPECT_TRUE(view->visible);
  EXPECT_EQ(view->caption, path("view.pda"));
  auto lines = *readTextLines(path("view.pda"));
  std::vector<std::string> summary;
  for (size_t i = 25; i < 49; ++i)
    for (auto& item : splitItems(lines[i])) summary.push_back(item);
  ASSERT_EQ(summary.size(), 44u);
  for (int i = 0; i < CheckResult::kValues; ++i) EXPECT_EQ(view->Label2[static_cast<size_t>(i)]->text, summary[static_cast<size_t>(i)]);
  EXPECT_EQ(view->Label2[0]->text, "水");
  EXPECT_EQ(view->Label2[42]->text, "甲, 乙");
  EXPECT_EQ(view->Label2[41]->text, "张工");
  EXPECT_EQ(view->Label2[24]->text.rfind("VX038N", 0), 0u);
  EXPECT_EQ(view->Label2[25]->text.substr(view->Label2[25]->text.size() - 2), "m2");
  EXPECT_EQ(view->Label5[0]->text, "KW");
  EXPECT_EQ(view->Label5[1]->text, "kg/h");
  EXPECT_EQ(view->Label5[6]->text, "m2.K/W");
  // After a new case there is no current file.
  newCase();
  menu("mnuFileCheck");
  EXPECT_EQ(lastId(), 518);
}

TEST_F(CaseFileTest, DataManagementWithdrawsTheResult) {
  calculate();
  host.addAnswer("yes");     // 508
  host.addAnswer("cancel");  // the password window's input, if it asks
  menu("CreateData");
  EXPECT_EQ(session.existing(DesignWindow::kName), nullptr);
  EXPECT_FALSE(session.var().ResultAvailable);
  EXPECT_FALSE(main().menuItem("mnuFilePrint").enabled);
  EXPECT_EQ(session.existingAs<OtherData>(OtherData::kName)->cell(14, 1), "");
}

TEST_F(CaseFileTest, TheFolderOfTheLastSaveStartsTheDialogs) {
  host.setSetting("PHE_SAVE_PATH", "  " + dir.dir().string() + " ");
  EXPECT_EQ(files().ChooseCaseFile(2), "");  // cancelled (no answer)
  EXPECT_FALSE(host.lastDialog().save);
  EXPECT_EQ(host.lastDialog().folder, dir.dir().string());  // read trimmed
  EXPECT_EQ(host.lastDialog().filter, "Condition Files (*.pda)");
  files().RememberFolder("case.pda");  // no folder: nothing stored
  EXPECT_EQ(host.setting("PHE_SAVE_PATH"), "  " + dir.dir().string() + " ");
  EXPECT_EQ(CaseNumber(0.1f), "0.1");
  EXPECT_EQ(CaseNumber(4185.5f), "4185.5");
  EXPECT_EQ(static_cast<float>(Val(CaseNumber(1.0f / 3))), 1.0f / 3);
  EXPECT_EQ(CaseNumber(1.0f / 3), "0.33333334");  // 8 digits: 7 would not read back
  EXPECT_EQ(static_cast<float>(Val(CaseNumber(0.00002f))), 0.00002f);  // written "2e-05"
}

// The case balances after opening as it did when saved: which values were
// given, the flow direction and every value of the balance.
TEST_F(CaseFileTest, TheCaseReopensAsSaved) {
  // Flow B given, outlet B computed, co-current.
  SetChecked(cond().controls(), cond().box(kFlowB), true);
  SetChecked(cond().controls(), cond().box(kToutB), false);
  SetText(cond().field(kFlowB), "60000");
  SetText(cond().field(kTinB), "20");
  Click(cond().controls(), *cond().counterflow[1]);
  calculate();
  auto balanced = [this] {
    const VeloxaVar& v = session.var();
    std::vector<float> values(v.MediumPropFlat.begin(), v.MediumPropFlat.end());
    values.insert(values.end(), {v.TinA, v.ToutA, v.TinB, v.ToutB, v.FlowA, v.FlowB, v.HeatLoad, v.Lmtd});
    std::string boxes;
    for (int i = 0; i < Condition::kBoxes; ++i) boxes += cond().box(i).checked ? "1" : "0";
    boxes += cond().counterflow[1]->checked ? "co" : "counter";
    return std::make_tuple(snapshot(), values, boxes);
  };
  const auto saved = balanced();
  EXPECT_EQ(std::get<2>(saved), "1111100co");
  EXPECT_EQ(session.var().FlowB, 60000.0f);
  host.addAnswer(path("given.pda"));
  save();
  newCase();
  EXPECT_FALSE(cond().box(kFlowB).checked);  // the defaults again
  host.addAnswer(path("given.pda"));
  open();
  Click(cond().controls(), *cond().balanceButton);
  ASSERT_TRUE(session.var().BalanceDone) << lastText();
  const auto back = balanced();
  expectSame(std::get<0>(back), std::get<0>(saved));
  EXPECT_EQ(std::get<1>(back), std::get<1>(saved));
  EXPECT_EQ(std::get<2>(back), std::get<2>(saved));

  // A file of the 49-line format opens with the boxes as they stand; a
  // damaged selection line changes nothing.
  auto lines = *readTextLines(path("given.pda"));
  lines.pop_back();
  ASSERT_TRUE(writeTextLines(path("old.pda"), lines));
  newCase();
  host.addAnswer(path("old.pda"));
  open();
  EXPECT_EQ(files().currentFile(), path("old.pda"));
  EXPECT_FALSE(cond().box(kFlowB).checked);
  EXPECT_TRUE(cond().counterflow[0]->checked);
  for (const char* bad : {"#TRUE#,#TRUE#", "#TRUE#,#TRUE#,#TRUE#,1,#TRUE#,#FALSE#,#FALSE#,1,0",
                          "#TRUE#,#TRUE#,#TRUE#,#TRUE#,#TRUE#,#FALSE#,#FALSE#,2,0"}) {
    auto copy = lines;
    copy.push_back(bad);
    ASSERT_TRUE(writeTextLines(path("bad.pda"), copy));
    host.addAnswer(path("bad.pda"));
    open();
    EXPECT_EQ(lastText(), "程序运行出错，错误代码104。") << bad;
    EXPECT_EQ(files().currentFile(), path("old.pda")) << bad;
  }
}

// Property values no medium could have are a damaged file: nothing changes.
TEST_F(CaseFileTest, ValuesThatAreNoMediumOpenNothing) {
  calculate();
  host.addAnswer(path("good.pda"));
  save();
  SetText(cond().field(kFlowA), "12345");
  const Snapshot before = snapshot();
  auto lines = *readTextLines(path("good.pda"));
  auto items = splitItems(lines[21]);
  ASSERT_EQ(items.size(), 16u);
  // Item n of the case as position n - 36 of line 22.
  const std::vector<std::pair<int, std::string>> hostile = {
      {37, "1e-38"},  {36, "-1000"}, {38, "0"},   {39, "1e30"},  {41, "1e-30"}, {44, "-5"},
      {45, "-0.5"},   {46, "0"},     {47, "-3"},  {48, "3e38"},  {49, "0"},     {50, "-60000"}, {51, "0"}};
  for (const auto& [n, value] : hostile) {
    auto copy = items;
    copy[static_cast<size_t>(n - 36)] = value;
    auto file = lines;
    file[21].clear();
    for (size_t i = 0; i < copy.size(); ++i) file[21] += (i ? "," : "") + copy[i];
    ASSERT_TRUE(writeTextLines(path("bad.pda"), file));
    host.addAnswer(path("bad.pda"));
    open();
    EXPECT_EQ(lastText(), "程序运行出错，错误代码104。") << n << " = " << value;
    expectSame(snapshot(), before);
  }
}

// Saving as one of the data folder's own files would destroy it; a folder
// is no file name; any other name ends in ".pda".
TEST_F(CaseFileTest, SaveAsRefusesTheProgramsFilesAndFolders) {
  calculate();
  const std::string catalogue = bytes(data.file("Veloxa.dat").string());
  for (const std::string& name : {std::string("Veloxa.dat"), std::string("PRESET.DAT"), std::string("Res.Dat")}) {
    host.addAnswer((data.dir() / name).string());
    saveAs();
    EXPECT_EQ(lastText(), "设计文件不能保存为程序的数据文件“" + name + "”。请另选文件名或文件夹。");
    EXPECT_FALSE(session.var().CaseSaved);
    EXPECT_FALSE(std::filesystem::exists(data.dir() / (name + ".pda")));
  }
  EXPECT_EQ(bytes(data.file("Veloxa.dat").string()), catalogue);
  std::filesystem::create_directory(dir.dir() / "DIR");
  std::filesystem::create_directory(dir.dir() / "box.pda");
  for (const std::string& name : {std::string("DIR/"), std::string(".."), std::string("."), std::string("box.pda"),
                                  std::string("box")}) {
    host.addAnswer((dir.dir() / name).string());
    saveAs();
    EXPECT_EQ(lastText().rfind("设计文件名不能是文件夹", 0), 0u) << name << ": " << lastText();
    EXPECT_FALSE(session.var().CaseSaved) << name;
  }
  // Another extension gets the suffix.
  host.addAnswer(path("notes.txt"));
  saveAs();
  EXPECT_TRUE(std::filesystem::exists(path("notes.txt.pda")));
  EXPECT_FALSE(std::filesystem::exists(path("notes.txt")));
  EXPECT_EQ(files().currentFile(), path("notes.txt.pda"));
  // A case file in the data folder is no file of the program's.
  session.var().CaseSaved = false;
  host.addAnswer((data.dir() / "case.pda").string());
  saveAs();
  EXPECT_TRUE(session.var().CaseSaved);
  EXPECT_TRUE(std::filesystem::exists(data.dir() / "case.pda"));
}

// 新建 and 打开 ask about an unsaved result as closing does.
TEST_F(CaseFileTest, NewAndOpenAskBeforeAnUnsavedResultIsDropped) {
  calculate();
  host.addAnswer(path("kept.pda"));
  save();
  calculate();  // a new result, not saved
  // Cancel: nothing happens.
  host.addAnswer("cancel");
  newCase();
  EXPECT_EQ(lastId(), 514);
  EXPECT_EQ(host.messages().back().icon, Icon::Exclamation);
  EXPECT_TRUE(session.var().ResultAvailable);
  host.addAnswer("cancel");
  open();
  EXPECT_EQ(lastId(), 514);
  EXPECT_TRUE(session.var().ResultAvailable);
  EXPECT_NE(host.events().back().rfind("open dialog", 0), 0u);
  // Yes saves (to the current file), then the new case comes.
  std::filesystem::remove(path("kept.pda"));
  host.addAnswer("yes");
  newCase();
  EXPECT_TRUE(std::filesystem::exists(path("kept.pda")));
  EXPECT_FALSE(session.var().ResultAvailable);
  EXPECT_EQ(files().currentFile(), "");
  // Yes and a cancelled save dialog: the result stays.
  calculate();
  host.addAnswer("yes");
  host.addAnswer("cancel");
  open();
  EXPECT_TRUE(session.var().ResultAvailable);
  EXPECT_EQ(host.events().back().rfind("save dialog", 0), 0u);
  // No: dropped without a file, and the open goes on.
  host.addAnswer("no");
  host.addAnswer(path("kept.pda"));
  open();
  EXPECT_EQ(files().currentFile(), path("kept.pda"));
  EXPECT_FALSE(session.var().ResultAvailable);
}

}  // namespace vx

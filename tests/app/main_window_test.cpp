#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include <functional>

#include <fstream>

#include "app/data_folder.h"
#include "app/script_host.h"
#include "app/session.h"
#include "common/file_io.h"
#include "common/res_table.h"
#include "common/text_file.h"
#include "support/started_session.h"
#include "support/temp_data.h"

namespace vx {

namespace {

using Started = test::StartedSession;

}  // namespace

TEST(StartUp, WithEveryFileTheMainWindowIsReady) {
  Started s;
  ASSERT_TRUE(s.started);
  MainWindow& m = s.session.main();
  EXPECT_EQ(m.caption, "Veloxa 5.0");
  EXPECT_TRUE(s.host.messages().empty());
  EXPECT_NE(s.session.existing("Condition"), nullptr);
  EXPECT_NE(s.session.existing("OtherData"), nullptr);
  EXPECT_FALSE(m.menuItem("mnuFilePrint").enabled);
  EXPECT_FALSE(m.menuItem("OuttoWord").enabled);
  EXPECT_TRUE(m.menuItem("PutInTo").checked);
  EXPECT_FALSE(m.menuItem("MnuNozzleLoc").enabled);
  EXPECT_FALSE(m.toolKey("KeyPrint").enabled);
  EXPECT_FALSE(m.toolKey("KeyPreview").enabled);
  EXPECT_FALSE(m.toolKey("KeyDim").enabled);
  EXPECT_FALSE(m.toolKey("KeyDesign").enabled);
  const VeloxaVar& v = s.session.var();
  EXPECT_TRUE(v.CaseSaved);
  EXPECT_FALSE(v.ResultAvailable);
  EXPECT_FALSE(v.DesignWindowOpened);
  for (float p : v.MediumPropFlat) EXPECT_EQ(p, 0);
}

TEST(StartUp, TheFifthMissingFileEndsTheProgramWithOneMessage) {
  test::TempData data;
  auto files = LoadResTable(data.dir(), 10, 16);
  ASSERT_TRUE(files.ok);
  data.remove(files.entries[4]);
  // Later files missing as well: they must not be looked for.
  data.remove(files.entries[9]);
  ScriptHost host;
  Session session(host, data.dir());
  EXPECT_FALSE(session.start());
  EXPECT_TRUE(session.ended());
  EXPECT_NE(session.exitStatus(), 0);
  ASSERT_EQ(host.messages().size(), 1u);
  EXPECT_EQ(host.messages()[0].id, 531);
  EXPECT_EQ(host.messages()[0].text, "无法找到必要的文件，错误代码 304 ，请重新安装软件。");
  EXPECT_EQ(host.messages()[0].icon, Icon::Critical);
}

TEST(StartUp, ADamagedResourceListRefusesToStart) {
  for (const std::vector<std::string>& lines :
       {std::vector<std::string>{">19", "住宅|60"}, std::vector<std::string>{">10", "Veloxa.dat|", "PROPER.DAT|"}}) {
    test::TempData data;
    ASSERT_TRUE(writeTextLines(data.file("Res.Dat"), lines));
    ScriptHost host;
    Session session(host, data.dir());
    EXPECT_FALSE(session.start());
    ASSERT_EQ(host.messages().size(), 1u);
    EXPECT_EQ(host.messages()[0].id, 531);
  }
  test::TempData data;
  data.remove("Res.Dat");
  ScriptHost host;
  Session session(host, data.dir());
  EXPECT_FALSE(session.start());
  EXPECT_EQ(host.messages().at(0).id, 531);
}

// What stands in place of an installation file must be a readable file of
// the folder; damaged presets end the program the same way.
TEST(StartUp, OnlyReadableFilesOfTheFolderCount) {
  auto refusedWith = [](int id, const std::function<void(test::TempData&)>& damage) {
    test::TempData data;
    damage(data);
    ScriptHost host;
    Session session(host, data.dir());
    const bool started = session.start();
    return !started && session.ended() && session.exitStatus() != 0 && !host.messages().empty() &&
           host.messages().back().id == id;
  };
  auto refused = [&](const std::function<void(test::TempData&)>& damage) { return refusedWith(531, damage); };
  // What stands in a file's place is named: installing again would not
  // remove it.
  EXPECT_TRUE(refusedWith(582, [](test::TempData& d) {
    d.remove("Steam.dat");
    std::filesystem::create_directory(d.file("Steam.dat"));
  }));
  EXPECT_TRUE(refusedWith(582, [](test::TempData& d) {
    d.remove("Steam.dat");
    ASSERT_EQ(mkfifo(d.file("Steam.dat").c_str(), 0644), 0);
  }));
  // Past the read limit: refused at the start, not read later as an empty database.
  EXPECT_TRUE(refusedWith(582, [](test::TempData& d) {
    std::filesystem::resize_file(d.file("PubData.dat"), kMaxDataFileBytes + 1);
  }));
  // A link to nowhere is a missing file.
  EXPECT_TRUE(refused([](test::TempData& d) {
    d.remove("Steam.dat");
    std::filesystem::create_symlink("/nonexistent/Steam.dat", d.file("Steam.dat"));
  }));
  EXPECT_TRUE(refused([](test::TempData& d) {
    auto lines = readTextLines(d.file("Res.Dat"));
    ASSERT_TRUE(lines);
    for (auto& line : *lines)
      if (line.rfind("Steam.dat", 0) == 0) line = "../Steam.dat" + line.substr(9);
    ASSERT_TRUE(writeTextLines(d.file("Res.Dat"), *lines));
  }));
  EXPECT_TRUE(refused([](test::TempData& d) { ASSERT_TRUE(writeTextLines(d.file("Preset.dat"), {"x"})); }));
}

TEST(StartUp, FileNamesMatchWithoutRegardToCase) {
  test::TempData data;
  std::filesystem::rename(data.file("PROPER.DAT"), data.file("proper.dat"));
  ScriptHost host;
  Session session(host, data.dir());
  EXPECT_TRUE(session.start());
}

TEST(Exit, RightAfterStartUpAsksNothing) {
  Started s;
  ASSERT_TRUE(s.started);
  EXPECT_TRUE(s.session.requestExit());
  EXPECT_TRUE(s.host.messages().empty());
  EXPECT_EQ(s.session.exitStatus(), 0);
}

TEST(Exit, AnUnsavedResultAsks514) {
  Started s({"cancel", "no"});
  ASSERT_TRUE(s.started);
  ProduceResult(s.session.var(), s.session.main());
  EXPECT_TRUE(s.session.main().menuItem("mnuFilePrint").enabled);

  // Cancel keeps the program running.
  EXPECT_FALSE(s.session.requestExit());
  EXPECT_FALSE(s.session.ended());
  ASSERT_EQ(s.host.messages().size(), 1u);
  EXPECT_EQ(s.host.messages()[0].id, 514);
  EXPECT_EQ(s.host.messages()[0].icon, Icon::Exclamation);
  EXPECT_EQ(s.host.messages()[0].buttons, Buttons::YesNoCancel);

  // No ends it without saving.
  bool saved = false;
  s.session.main().setCommand(cmd::kSave, [&saved] { saved = true; });
  EXPECT_TRUE(s.session.requestExit());
  EXPECT_TRUE(s.session.ended());
  EXPECT_FALSE(saved);
}

TEST(Exit, YesSavesAndEndsOnlyWhenTheSaveSucceeded) {
  Started s({"yes", "yes"});
  ASSERT_TRUE(s.started);
  ProduceResult(s.session.var(), s.session.main());
  int saves = 0;
  bool succeeds = false;
  s.session.main().setCommand(cmd::kSave, [&] {
    ++saves;
    if (succeeds) s.session.var().CaseSaved = true;
  });
  // The save did not happen (refused, cancelled or failed): the case would be lost.
  EXPECT_FALSE(s.session.requestExit());
  EXPECT_EQ(saves, 1);
  EXPECT_FALSE(s.session.ended());
  succeeds = true;
  EXPECT_TRUE(s.session.requestExit());
  EXPECT_EQ(saves, 2);
  EXPECT_TRUE(s.session.ended());
}

TEST(Exit, TheExitMenuRunsTheSameSequence) {
  Started s({"cancel"});
  ASSERT_TRUE(s.started);
  ProduceResult(s.session.var(), s.session.main());
  Control& exit = s.session.main().menuItem("mnuFileExit");
  Click(s.session.main().controls(), exit);
  EXPECT_FALSE(s.session.ended());
  s.host.addAnswer("no");
  Click(s.session.main().controls(), exit);
  EXPECT_TRUE(s.session.ended());
}

TEST(ResultState, ProduceAndWithdrawSetFlagsAndOutputs) {
  Started s;
  ASSERT_TRUE(s.started);
  VeloxaVar& v = s.session.var();
  MainWindow& m = s.session.main();
  ProduceResult(v, m);
  EXPECT_FALSE(v.ConditionsChanged);
  EXPECT_TRUE(v.ResultAvailable);
  EXPECT_FALSE(v.CaseSaved);
  for (const char* key : {"KeyPrint", "KeyPreview", "KeyDim"}) EXPECT_TRUE(m.toolKey(key).enabled) << key;
  EXPECT_TRUE(m.menuItem("OuttoWord").enabled);
  EXPECT_TRUE(m.menuItem("mnuFilePdf").enabled);
  WithdrawResult(v, m);
  EXPECT_TRUE(v.ConditionsChanged);
  EXPECT_FALSE(v.ResultAvailable);
  EXPECT_TRUE(v.CaseSaved);
  for (const char* key : {"KeyPrint", "KeyPreview", "KeyDim"}) EXPECT_FALSE(m.toolKey(key).enabled) << key;
  EXPECT_FALSE(m.menuItem("mnuFileSave", 0).enabled);
  EXPECT_FALSE(m.menuItem("mnuFilePrint").enabled);
  EXPECT_FALSE(m.menuItem("mnuFilePdf").enabled);
}

TEST(Menus, CaptionsOrderShortcutsAndToolbar) {
  Started s;
  ASSERT_TRUE(s.started);
  MainWindow& m = s.session.main();
  std::vector<std::string> titles;
  for (const auto& menu : m.menus()) titles.push_back(menu.title->text);
  EXPECT_EQ(titles, (std::vector<std::string>{"文件(&F)", "标准", "设置", "工具", "窗口", "帮助"}));
  std::vector<std::string> file;
  for (Control* item : m.menus()[0].items) file.push_back(item ? item->text : "—");
  EXPECT_EQ(file, (std::vector<std::string>{"新建(&N)", "打开文件(&O)", "查看结果(&L)", "—", "保存(&S)", "另存为(&A)",
                                            "—", "统计", "批量设计…", "—", "导出至MS Word", "打印", "导出PDF", "—", "退出(&P)"}));
  EXPECT_EQ(m.menuItem("mnuFileNew").shortcut, "Ctrl+N");
  EXPECT_EQ(m.menuItem("mnuFileOpen").shortcut, "Ctrl+O");
  EXPECT_EQ(m.menuItem("GB16409").text, "GB16409-1996");

  const auto& bar = m.toolbar();
  ASSERT_EQ(bar.size(), 17u);
  for (size_t sep : {3u, 6u, 12u}) EXPECT_EQ(bar[sep], nullptr) << sep;
  EXPECT_EQ(bar[4]->name, "KeyPrint");
  EXPECT_EQ(bar[5]->name, "KeyPreview");
  EXPECT_EQ(bar[14]->name, "KeyDesign");
  EXPECT_EQ(bar[16]->name, "KeyDim");
  EXPECT_EQ(bar[16]->toolTip, "");
  EXPECT_EQ(bar[7]->toolTip, "介质物性");
}

TEST(Menus, PutIntoTogglesAndInertItemsDoNothing) {
  Started s;
  ASSERT_TRUE(s.started);
  MainWindow& m = s.session.main();
  const size_t eventsAtStart = s.host.events().size();
  Click(m.controls(), m.menuItem("PutInTo"));
  EXPECT_FALSE(m.putIntoChecked());
  Click(m.controls(), m.menuItem("PutInTo"));
  EXPECT_TRUE(m.putIntoChecked());
  Click(m.controls(), m.menuItem("GB16409"));
  EXPECT_FALSE(Click(m.controls(), m.menuItem("MnuNozzleLoc")));  // disabled
  EXPECT_TRUE(s.host.messages().empty());
  EXPECT_EQ(s.host.events().size(), eventsAtStart);
}

TEST(Menus, AboutHelpAndCascade) {
  Started s;
  ASSERT_TRUE(s.started);
  MainWindow& m = s.session.main();
  Click(m.controls(), m.menuItem("mnuHelpAbout"));
  WindowModel* about = s.session.existing("about");
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(about->controls().find("lblTitle")->text, "Veloxa 5.0.3");
  EXPECT_EQ(about->controls().find("lblDescription")->text, "板式换热器工艺计算软件");
  Click(about->controls(), *about->controls().find("cmdOK"));
  EXPECT_EQ(s.session.existing("about"), nullptr);

  Click(m.controls(), m.menuItem("mnuHelpContents"));
  Click(m.controls(), m.menuItem("mnuHelpSearchForHelpOn"));
  Click(m.controls(), m.menuItem("ReArrange"));
  const auto& ev = s.host.events();
  EXPECT_NE(std::find(ev.begin(), ev.end(), "help Veloxa"), ev.end());
  EXPECT_NE(std::find(ev.begin(), ev.end(), "help index"), ev.end());
  EXPECT_NE(std::find(ev.begin(), ev.end(), "cascade"), ev.end());
}

TEST(Menus, CalculatorStartsTheFirstProgramFoundOnPathOrSaysWhatToInstall) {
  Started s;
  ASSERT_TRUE(s.started);
  test::TempDir bin;
  const char* old = std::getenv("PATH");
  std::string saved = old ? old : "";
  setenv("PATH", bin.dir().c_str(), 1);
  const size_t eventsAtStart = s.host.events().size();
  Click(s.session.main().controls(), s.session.main().menuItem("MnuCalculator"));
  EXPECT_EQ(s.host.events().size(), eventsAtStart);  // none found: nothing started...
  ASSERT_EQ(s.host.messages().size(), 1u);             // ...and the person learns what to install
  EXPECT_NE(s.host.messages()[0].text.find("galculator"), std::string::npos);
  for (const char* name : {"xcalc", "galculator"}) {
    std::ofstream(bin.dir() / name) << "#!/bin/sh\n";
    std::filesystem::permissions(bin.dir() / name, std::filesystem::perms::owner_all);
  }
  Click(s.session.main().controls(), s.session.main().toolKey("KeyCal"));
  setenv("PATH", saved.c_str(), 1);
  ASSERT_EQ(s.host.events().size(), eventsAtStart + 1);
  EXPECT_EQ(s.host.events().back(), "start " + (bin.dir() / "galculator").string());
}

TEST(DataManagement, AsksBeforeDroppingAnOpenDesign) {
  Started s({"no"});
  ASSERT_TRUE(s.started);
  int passwordWindows = 0;
  s.session.main().setCommand(cmd::kPasswordWindow, [&passwordWindows] { ++passwordWindows; });
  Click(s.session.main().controls(), s.session.main().menuItem("CreateData"));
  EXPECT_EQ(passwordWindows, 1);
  EXPECT_TRUE(s.host.messages().empty());

  s.session.var().DesignWindowOpened = true;
  Click(s.session.main().controls(), s.session.main().menuItem("CreateData"));
  ASSERT_EQ(s.host.messages().size(), 1u);
  EXPECT_EQ(s.host.messages()[0].id, 508);
  EXPECT_EQ(s.host.messages()[0].icon, Icon::None);
  EXPECT_EQ(passwordWindows, 1);  // No stops
  s.host.addAnswer("yes");
  Click(s.session.main().controls(), s.session.main().menuItem("CreateData"));
  EXPECT_EQ(passwordWindows, 2);
}

TEST(DataFolder, SeedsThePerUserFolderOnceAndHonoursTheOverride) {
  test::TempData install;
  test::TempDir home;
  setenv("XDG_DATA_HOME", home.dir().c_str(), 1);
  std::string error;
  auto dir = resolveDataDir(std::nullopt, install.dir(), error);
  ASSERT_TRUE(dir) << error;
  EXPECT_EQ(*dir, home.dir() / "veloxa");
  EXPECT_TRUE(std::filesystem::exists(*dir / "Res.Dat"));
  // Seeded once: the user's changes stay from one start to the next.
  ASSERT_TRUE(writeFileAtomic(*dir / "Preset.dat", "mine"));
  auto again = resolveDataDir(std::nullopt, install.dir(), error);
  ASSERT_TRUE(again);
  EXPECT_EQ(readFileBytes(*again / "Preset.dat"), "mine");
  unsetenv("XDG_DATA_HOME");

  auto chosen = resolveDataDir(install.dir().string(), "/nonexistent", error);
  ASSERT_TRUE(chosen);
  EXPECT_EQ(*chosen, install.dir());
  EXPECT_FALSE(resolveDataDir(std::string("/nonexistent/veloxa"), install.dir(), error));
}

// A data file that is a link to a device or a FIFO is named with its cause
// at the start, and stays as it was.
TEST(StartUp, ALinkToADeviceOrAFifoIsNamedWithItsCause) {
  for (const char* target : {"/dev/zero", "fifo"}) {
    test::TempData data;
    if (std::string(target) == "fifo") ASSERT_EQ(mkfifo(data.file("fifo").c_str(), 0644), 0);
    data.remove("PROPER.DAT");
    std::filesystem::create_symlink(target, data.file("PROPER.DAT"));
    ScriptHost host;
    Session session(host, data.dir());
    EXPECT_FALSE(session.start());
    ASSERT_FALSE(host.messages().empty());
    EXPECT_EQ(host.messages().back().id, 582);
    EXPECT_EQ(host.messages().back().text,
              "数据文件" + data.file("PROPER.DAT").string() + "无法使用：不是普通文件。请移走该文件后重新运行本软件。");
    EXPECT_TRUE(std::filesystem::is_symlink(data.file("PROPER.DAT")));
  }
}

// A data folder that is a file, and a first start on a full disk (a file
// size limit stands in for it), say what is wrong and where.
TEST(DataFolder, AFileInItsPlaceAndAFullDiskAreNamed) {
  test::TempData install;
  test::TempDir home;
  setenv("XDG_DATA_HOME", home.dir().c_str(), 1);
  std::ofstream(home.dir() / "veloxa") << "not a folder";
  std::string error;
  EXPECT_FALSE(resolveDataDir(std::nullopt, install.dir(), error));
  EXPECT_NE(error.find((home.dir() / "veloxa").string() + " 不存在：该处是一个文件"), std::string::npos) << error;
  EXPECT_FALSE(resolveDataDir((home.dir() / "veloxa").string(), install.dir(), error));
  EXPECT_NE(error.find("该处是一个文件"), std::string::npos) << error;
  std::filesystem::remove(home.dir() / "veloxa");

  const pid_t child = fork();
  if (child == 0) {
    signal(SIGXFSZ, SIG_IGN);
    const rlimit small{4096, 4096};
    setrlimit(RLIMIT_FSIZE, &small);
    std::string why;
    const bool made = resolveDataDir(std::nullopt, install.dir(), why).has_value();
    _exit(!made && why == "无法建立数据文件夹 " + (home.dir() / "veloxa").string() + "：磁盘已满。" ? 0 : 1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_FALSE(std::filesystem::exists(home.dir() / "veloxa"));
  for (const auto& entry : std::filesystem::directory_iterator(home.dir())) ADD_FAILURE() << entry.path();
  unsetenv("XDG_DATA_HOME");
}

// The refresh of the per-user folder never writes through a link to
// nowhere: the file it points at is not created outside the folder.
TEST(DataUpdate, ADanglingLinkIsLeftAndItsTargetNotCreated) {
  test::TempData install;
  test::TempDir home, elsewhere;
  setenv("XDG_DATA_HOME", home.dir().c_str(), 1);
  std::string error;
  auto dir = resolveDataDir(std::nullopt, install.dir(), error);
  ASSERT_TRUE(dir) << error;
  std::filesystem::remove(*dir / "Preset.dat");
  std::filesystem::create_symlink(elsewhere.dir() / "Preset.dat", *dir / "Preset.dat");
  ASSERT_TRUE(writeFileAtomic(install.file("Preset.dat"), "\"6\"\r\n"));  // a newer installation
  EXPECT_TRUE(resolveDataDir(std::nullopt, install.dir(), error));
  EXPECT_TRUE(std::filesystem::is_symlink(*dir / "Preset.dat"));
  EXPECT_FALSE(std::filesystem::exists(elsewhere.dir() / "Preset.dat"));
  unsetenv("XDG_DATA_HOME");
}

}  // namespace vx

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>

#include "app/help_compose.h"
#include "app/help_search.h"
#include "common/file_io.h"
#include "support/started_session.h"
#include "support/temp_data.h"

namespace vx {
namespace {

std::string builtPage() {
  const auto page = readFileBytes(test::builtDataDir() / "veloxa.htm");
  return page ? *page : "";
}

// Every window the program can open has its topic, each topic of a window
// its picture drawn by the build, and F1 in the main window opens "Veloxa".
TEST(HelpGuide, EveryWindowHasATopicWithItsPicture) {
  const std::string page = builtPage();
  ASSERT_FALSE(page.empty());
  test::StartedSession s;
  std::vector<std::string> windows = s.session.windowNames();
  windows.push_back("Veloxa");
  for (const std::string& name : windows) {
    EXPECT_NE(page.find("id=\"" + name + "\""), std::string::npos) << name;
    const auto picture = readFileBytes(test::builtDataDir() / ("guide-" + name + ".png"));
    ASSERT_TRUE(picture) << name;
    EXPECT_EQ(picture->substr(1, 3), "PNG") << name;
    EXPECT_NE(page.find("src=\"guide-" + name + ".png\""), std::string::npos) << name;
  }
  const std::regex img("<img src=\"([^\"]+)\"");
  for (std::sregex_iterator it(page.begin(), page.end(), img), end; it != end; ++it)
    EXPECT_TRUE(readFileBytes(test::builtDataDir() / (*it)[1].str())) << (*it)[1];
}

// Every message the program shows, by number or in its own words, has its
// row in the guide's table of messages.
TEST(HelpGuide, EveryMessageShownHasWhatToDo) {
  const std::string page = builtPage();
  const size_t table = page.find("id=\"messages\"");
  ASSERT_NE(table, std::string::npos);
  const std::string rows = page.substr(table);
  std::set<std::string> ids, literals;
  const std::regex byNumber(R"(ShowMessage\([^,()]+,\s*(\d{3}))");
  const std::regex inOwnWords(R"(\.message\(\s*"([^"]+)\")");
  for (const auto& entry : std::filesystem::recursive_directory_iterator(std::string(VELOXA_SOURCE_DIR) + "/src")) {
    if (entry.path().extension() != ".cpp") continue;
    const auto code = readFileBytes(entry.path());
    ASSERT_TRUE(code);
    for (std::sregex_iterator it(code->begin(), code->end(), byNumber), end; it != end; ++it) ids.insert((*it)[1]);
    for (std::sregex_iterator it(code->begin(), code->end(), inOwnWords), end; it != end; ++it)
      literals.insert((*it)[1]);
  }
  EXPECT_GT(ids.size(), 40u);
  for (const std::string& id : ids) EXPECT_NE(rows.find("<tr id=\"msg-" + id + "\">"), std::string::npos) << id;
  for (const std::string& text : literals) EXPECT_NE(rows.find(HtmlEscape(text)), std::string::npos) << text;
}

TEST(HelpGuide, ComposedFromFragmentsAndTheCatalogue) {
  test::TempDir dir;
  std::ofstream(dir.dir() / "veloxa.htm") << "<h1>x</h1>\n  <!--#include part.htm-->\n<!--#messages-->\n";
  std::ofstream(dir.dir() / "part.htm") << "<h2 id=\"part\">片段</h2>";
  std::ofstream(dir.dir() / "messages.txt") << "# comment\n\n413|检查流量。\n\"超出范围.\"|换一个 <值>。\n";
  std::string error;
  auto page = ComposeHelpPage(dir.dir(), error);
  ASSERT_TRUE(page) << error;
  EXPECT_NE(page->find("<h2 id=\"part\">片段</h2>"), std::string::npos);
  EXPECT_EQ(page->find("#include"), std::string::npos);
  // The catalogue's text, its placeholder shown as an ellipsis.
  EXPECT_NE(page->find("<tr id=\"msg-413\"><td><a name=\"msg-413\"></a>413</td><td>回路… 的流量无效。</td><td>检查流量。</td></tr>"),
            std::string::npos);
  EXPECT_NE(page->find("<td>超出范围.</td><td>换一个 &lt;值&gt;。</td>"), std::string::npos);
  // Each message is a place of its own for the search.
  const auto topics = HelpTopics(*page);
  ASSERT_EQ(topics.size(), 3u);
  EXPECT_EQ(topics[1].id, "msg-413");
  EXPECT_EQ(topics[1].title, "413 回路… 的流量无效。");
  EXPECT_EQ(SearchHelp(topics, "413").at(0).id, "msg-413");
  EXPECT_EQ(SearchHelp(topics, "换一个").at(0).id, "msg-t1");

  std::ofstream(dir.dir() / "messages.txt") << "999|没有这条。\n";
  EXPECT_FALSE(ComposeHelpPage(dir.dir(), error));
  EXPECT_NE(error.find("999"), std::string::npos);
  std::ofstream(dir.dir() / "veloxa.htm") << "<!--#include ../secret-->\n";
  EXPECT_FALSE(ComposeHelpPage(dir.dir(), error));
}

TEST(HelpSearch, FindsTopicsHoldingEveryWord) {
  const auto topics = HelpTopics(
      "<h1 id=\"contents\">帮助</h1><p>目录</p>"
      "<h2 id=\"Condition\">设计条件</h2><p>按“热平衡”计算 LMTD &amp; 流量。</p>"
      "<h2 id=\"TrueTemp\">NTU方式</h2><p>用 NTU 法计算出口温度。</p>"
      "<h3 id=\"basis-ntu\">NTU法</h3><p>效能 ε 与 ntu 的关系，热平衡以后。</p>");
  ASSERT_EQ(topics.size(), 4u);
  EXPECT_EQ(topics[1].title, "设计条件");
  EXPECT_EQ(topics[1].text, "按“热平衡”计算 LMTD & 流量。");

  auto ids = [&](const std::string& query) {
    std::vector<std::string> out;
    for (const HelpHit& hit : SearchHelp(topics, query)) out.push_back(hit.id);
    return out;
  };
  // Topics named by the word first, then the page's order; Latin letters in any case.
  EXPECT_EQ(ids("ntu"), (std::vector<std::string>{"TrueTemp", "basis-ntu"}));
  EXPECT_EQ(ids("热平衡"), (std::vector<std::string>{"Condition", "basis-ntu"}));
  EXPECT_EQ(ids("热平衡 ε"), (std::vector<std::string>{"basis-ntu"}));
  EXPECT_EQ(ids("热平衡\u3000lmtd"), (std::vector<std::string>{"Condition"}));
  EXPECT_TRUE(ids("换热器外形").empty());
  EXPECT_TRUE(ids("   ").empty());
  EXPECT_NE(SearchHelp(topics, "流量").at(0).excerpt.find("流量"), std::string::npos);
}

}  // namespace
}  // namespace vx

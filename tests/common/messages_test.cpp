#include "common/messages.h"

#include <gtest/gtest.h>

#include <set>

namespace vx {

TEST(LoadMessage, ReplacesPlaceholdersInOrder) {
  EXPECT_EQ(LoadMessage(413, {"|1", "A"}), "回路A 的流量无效。");
  EXPECT_EQ(LoadMessage(531, {"|1", "304"}), "无法找到必要的文件，错误代码 304 ，请重新安装软件。");
  // An empty list leaves the placeholders.
  EXPECT_EQ(LoadMessage(569), "程序运行出错，错误代码|1。");
  // A value holding a later placeholder is replaced by the later pair.
  EXPECT_EQ(LoadMessage(454, {"|1", "|2", "|2", "3"}), "注意：采用了3台换热器。");
  // Comparison is exact: "|2" does not match "|1".
  EXPECT_EQ(LoadMessage(458, {"|2", "X"}), "|1管中流速偏大");
}

TEST(Catalogue, HoldsEveryQuotedEntryOnce) {
  std::set<int> ids;
  for (const auto& e : catalogue()) {
    EXPECT_TRUE(ids.insert(e.id).second) << "duplicate id " << e.id;
    EXPECT_GE(e.id, 201);
    // 580 on: the messages about the data folder that two copies share.
    EXPECT_TRUE(e.id <= 572 || (e.id >= 580 && e.id <= 582)) << e.id;
    EXPECT_NE(std::string(e.text), "") << e.id;
  }
  EXPECT_FALSE(HasMessage(473));
  // Entries the shared pieces depend on.
  EXPECT_EQ(LoadMessage(221), "回路A");
  EXPECT_EQ(LoadMessage(222), "回路B");
  EXPECT_EQ(LoadMessage(249), "℃");
  EXPECT_EQ(LoadMessage(366), "蒸汽");
  EXPECT_EQ(LoadMessage(402), "水");
  EXPECT_EQ(LoadMessage(514), "当前设计没有保存，是否保存?");
  EXPECT_EQ(LoadMessage(532), "板式换热器工艺计算软件");
  EXPECT_EQ(LoadMessage(570), "不合理的数据。错误代码|1。");
  // Menu captions hold no accelerator: the menu adds it.
  EXPECT_EQ(LoadMessage(257), "文件");
  EXPECT_EQ(LoadMessage(352), "保存");
  EXPECT_EQ(LoadMessage(286), "液态");
  EXPECT_EQ(LoadMessage(396), "气态");
  EXPECT_EQ(LoadMessage(435), "最大并联台数(1-10)");
  // The captions of the data-bank grid, 542 to 555.
  EXPECT_EQ(LoadMessage(542), "中文名称");
  EXPECT_EQ(LoadMessage(550), "临界温度,K");
  EXPECT_EQ(catalogue().size(), 321u);
}

TEST(Version, Titles) {
  EXPECT_EQ(ShortVersionTitle(), "Veloxa 5.0");
  EXPECT_EQ(FullVersionTitle(), "Veloxa 5.0.3");
}

}  // namespace vx

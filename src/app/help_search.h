#pragma once
// The help page's text, topic by topic, and the search of 搜索 over it.
#include <string>
#include <vector>

namespace vx {

// A topic of the page: a heading with an id, or a table row with an id (a
// message of the message table), and the plain text up to the next one.
struct HelpTopic {
  std::string id;
  std::string title;
  std::string text;
};

std::vector<HelpTopic> HelpTopics(const std::string& html);

struct HelpHit {
  std::string id;
  std::string title;
  std::string excerpt;  // the text around the first match
};

// The topics that hold every word of the query (words split at blanks; Latin
// letters match without regard to case), in the page's order; topics whose
// title holds the first word come first.
std::vector<HelpHit> SearchHelp(const std::vector<HelpTopic>& topics, const std::string& query);

}  // namespace vx

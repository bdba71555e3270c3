#pragma once
// The help window: our own help pages, opened at a window's topic, with a
// search over the text of every topic.
#include <QDialog>
#include <vector>

#include "app/help_search.h"

class QLineEdit;
class QTextBrowser;

namespace vx {

class HelpViewer : public QDialog {
  Q_OBJECT
 public:
  HelpViewer(const QString& helpFile, QWidget* parent);
  void showTopic(const QString& topic);
  // Opens the index with the cursor in the search field.
  void showSearch();
  // Shows the topics that hold the words of `query`, each a link to its topic.
  void search(const QString& query);

  QLineEdit* searchField() const { return query_; }
  QTextBrowser* browser() const { return browser_; }

 private:
  QUrl topicUrl(const QString& topic) const;
  void bringUp();

  QString helpFile_;
  QLineEdit* query_;
  QTextBrowser* browser_;
  std::vector<HelpTopic> topics_;
};

}  // namespace vx

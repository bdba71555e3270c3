#pragma once
// The help window: our own help pages, opened at a window's topic.
#include <QDialog>

class QTextBrowser;

namespace vx {

class HelpViewer : public QDialog {
  Q_OBJECT
 public:
  HelpViewer(const QString& helpFile, QWidget* parent);
  void showTopic(const QString& topic);

 private:
  QString helpFile_;
  QTextBrowser* browser_;
};

}  // namespace vx

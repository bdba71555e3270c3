#include "ui/help_viewer.h"

#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace vx {

HelpViewer::HelpViewer(const QString& helpFile, QWidget* parent)
    : QDialog(parent), helpFile_(helpFile), browser_(new QTextBrowser(this)) {
  setWindowTitle("Veloxa - 帮助");
  setAttribute(Qt::WA_DeleteOnClose);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(browser_);
  resize(640, 520);
}

void HelpViewer::showTopic(const QString& topic) {
  QUrl url = QUrl::fromLocalFile(helpFile_);
  // Windows without a topic of their own open the contents.
  url.setFragment(topic.isEmpty() ? "contents" : topic);
  browser_->setSource(url);
  if (!topic.isEmpty() && browser_->toPlainText().isEmpty()) browser_->setSource(QUrl::fromLocalFile(helpFile_));
  browser_->scrollToAnchor(url.fragment());
  show();
  raise();
  activateWindow();
}

}  // namespace vx

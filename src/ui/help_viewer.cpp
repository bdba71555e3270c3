#include "ui/help_viewer.h"

#include <QHBoxLayout>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "app/help_compose.h"
#include "common/file_io.h"

namespace vx {

namespace {

// The guide's pictures are drawn large; a picture wider than the page shows
// at the page's width, so no picture needs the scroll bar.
class FittingBrowser : public QTextBrowser {
 public:
  using QTextBrowser::QTextBrowser;

 protected:
  QVariant loadResource(int type, const QUrl& name) override {
    QVariant resource = QTextBrowser::loadResource(type, name);
    if (type != QTextDocument::ImageResource) return resource;
    QImage image = resource.value<QImage>();
    if (image.isNull()) image.loadFromData(resource.toByteArray());
    const int room = viewport()->width() - 2 * static_cast<int>(document()->documentMargin()) - 8;
    if (image.isNull() || room <= 0 || image.width() <= room) return resource;
    return image.scaledToWidth(room, Qt::SmoothTransformation);
  }
};

}  // namespace

HelpViewer::HelpViewer(const QString& helpFile, QWidget* parent)
    : QDialog(parent), helpFile_(helpFile), query_(new QLineEdit(this)), browser_(new FittingBrowser(this)) {
  setWindowTitle("Veloxa - 帮助");
  setAttribute(Qt::WA_DeleteOnClose);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 4, 0, 0);
  auto* bar = new QHBoxLayout;
  bar->setContentsMargins(4, 0, 4, 0);
  auto* contents = new QPushButton("目录", this);
  auto* find = new QPushButton("搜索", this);
  // Enter in the search field searches; it must not press a dialog button.
  for (QPushButton* b : {contents, find}) b->setAutoDefault(false);
  query_->setPlaceholderText("输入要查找的文字");
  query_->setClearButtonEnabled(true);
  bar->addWidget(contents);
  bar->addWidget(query_, 1);
  bar->addWidget(find);
  layout->addLayout(bar);
  layout->addWidget(browser_);
  connect(contents, &QPushButton::clicked, this, [this] { showTopic("contents"); });
  connect(find, &QPushButton::clicked, this, [this] { search(query_->text()); });
  connect(query_, &QLineEdit::returnPressed, this, [this] { search(query_->text()); });
  // The search runs over the text of the topics; the page is small and read once.
  if (auto page = readFileBytes(helpFile.toStdString())) topics_ = HelpTopics(*page);
  resize(720, 560);
}

QUrl HelpViewer::topicUrl(const QString& topic) const {
  QUrl url = QUrl::fromLocalFile(helpFile_);
  url.setFragment(topic);
  return url;
}

void HelpViewer::bringUp() {
  show();
  raise();
  activateWindow();
}

void HelpViewer::showTopic(const QString& topic) {
  // Windows without a topic of their own open the contents.
  const QUrl url = topicUrl(topic.isEmpty() ? "contents" : topic);
  // Shown first: the pictures take the width of the laid-out page.
  bringUp();
  browser_->setSource(url);
  if (!topic.isEmpty() && browser_->toPlainText().isEmpty()) browser_->setSource(QUrl::fromLocalFile(helpFile_));
  browser_->scrollToAnchor(url.fragment());
  bringUp();
}

void HelpViewer::showSearch() {
  showTopic("index");
  query_->setFocus();
  query_->selectAll();
}

void HelpViewer::search(const QString& query) {
  query_->setText(query);
  const auto hits = SearchHelp(topics_, query.toStdString());
  const std::string shown = HtmlEscape(query.trimmed().toStdString());
  std::string html = "<h2>搜索“" + shown + "”</h2>";
  if (hits.empty()) {
    html += "<p>没有找到包含“" + shown + "”的主题。</p>";
  } else {
    html += "<p>找到 " + std::to_string(hits.size()) + " 个主题：</p><ul>";
    for (const HelpHit& hit : hits)
      html += "<li><a href=\"" + HtmlEscape(topicUrl(QString::fromStdString(hit.id)).toString().toStdString()) +
              "\">" + HtmlEscape(hit.title) + "</a><br>" + HtmlEscape(hit.excerpt) + "</li>";
    html += "</ul>";
  }
  browser_->setHtml(QString::fromStdString(html));
  bringUp();
}

}  // namespace vx

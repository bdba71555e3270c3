// The help window of the built guide through its real widgets: 搜索 opens it
// with the cursor in the search field, a search lists the topics holding the
// words as links, and a link opens its topic.
#include <QLineEdit>
#include <QTextBlock>
#include <QTextBrowser>
#include <QtTest>

#include "support/temp_data.h"
#include "ui/help_viewer.h"
#include "ui/qt_host.h"

namespace vx {

class HelpViewerTest : public QObject {
  Q_OBJECT

 private slots:
  void searchListsTopicsAndOpensThem() {
    QWidget main;
    QtHost host(&main);
    const QString page = QString::fromStdString((test::builtDataDir() / "veloxa.htm").string());
    host.setHelpFile(page);
    host.showHelpIndex();
    auto* viewer = main.findChild<HelpViewer*>();
    QVERIFY(viewer);
    QVERIFY(viewer->isVisible());
    QTRY_VERIFY(viewer->searchField()->hasFocus());

    QTest::keyClicks(viewer->searchField(), "NTU ");
    viewer->searchField()->insert("出口温度");  // as an input method hands over Chinese
    QTest::keyClick(viewer->searchField(), Qt::Key_Return);
    const QString found = viewer->browser()->toPlainText();
    QVERIFY2(found.contains("NTU方式"), qPrintable(found));
    QVERIFY(!found.contains("没有找到"));

    // The first link leads to the topic in the guide itself.
    QString link;
    for (QTextBlock b = viewer->browser()->document()->begin(); b.isValid() && link.isEmpty(); b = b.next())
      for (auto it = b.begin(); !it.atEnd() && link.isEmpty(); ++it)
        if (it.fragment().charFormat().isAnchor()) link = it.fragment().charFormat().anchorHref();
    QVERIFY(link.startsWith("file:"));
    viewer->browser()->setSource(QUrl(link));
    QVERIFY(viewer->browser()->toPlainText().contains("Veloxa 板式换热器工艺计算软件"));

    viewer->search("没有这种文字");
    QVERIFY(viewer->browser()->toPlainText().contains("没有找到"));
  }
};

}  // namespace vx

QTEST_MAIN(vx::HelpViewerTest)
#include "help_viewer_test.moc"

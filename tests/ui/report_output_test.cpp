// The calculation sheet through Qt: the PDF file and the preview window.
#include <QImage>
#include <QProcess>
#include <QScrollBar>
#include <QStandardPaths>
#include <QtTest>

#include "common/file_io.h"
#include "reports/outputs.h"
#include "settings/company_record.h"
#include "support/designed_case.h"
#include "ui/qt_host.h"
#include "ui/report_widgets.h"

namespace vx {

class ReportOutputTest : public QObject {
  Q_OBJECT
 private slots:
  void thePdfHoldsTheSheet();
  void thePreviewScrollsThePage();
  void theWordDocumentOpensInLibreOffice();
};

namespace {

// The darkness of a rendered page around a point given in twips.
int darkPixels(const QImage& page, int dpi, int xTwips, int yTwips, int radius = 2) {
  const int cx = xTwips * dpi / 1440, cy = yTwips * dpi / 1440;
  int dark = 0;
  for (int y = cy - radius; y <= cy + radius; ++y)
    for (int x = cx - radius; x <= cx + radius; ++x)
      if (page.valid(x, y) && qGray(page.pixel(x, y)) < 128) ++dark;
  return dark;
}

}  // namespace

void ReportOutputTest::thePdfHoldsTheSheet() {
  test::DesignedCase c;
  QVERIFY(c.designed);
  WriteCompanyRecord(c.data.dir(), {"华东换热设备有限公司", "上海市一号路100号", "021-1234567", "021-7654321", ""});
  c.customer("某热力公司", "换热站改造");
  if (WindowModel* w = c.session.window("FrmCustomer")) Assign(*w->controls().find("remark"), "第一行备注\n第二行备注");
  QtHost host;
  const auto pdf = c.data.file("sheet.pdf");
  QVERIFY(host.writePdf(pdf.string(), SheetDrawing(c.session.context())));
  const auto bytes = readFileBytes(pdf);
  QVERIFY(bytes && bytes->rfind("%PDF", 0) == 0);
  int files = 0;
  for (const auto& e : std::filesystem::directory_iterator(c.data.dir())) files += e.path().extension() == ".tmp";
  QCOMPARE(files, 0);
  // A folder that does not exist: false, and nothing left behind.
  QVERIFY(!host.writePdf((c.data.dir() / "missing" / "x.pdf").string(), SheetDrawing(c.session.context())));

  const QString pdftoppm = QStandardPaths::findExecutable("pdftoppm");
  if (pdftoppm.isEmpty()) QSKIP("pdftoppm (poppler-utils) is not installed");
  const int dpi = 96;
  const QString prefix = QString::fromStdString((c.data.dir() / "page").string());
  QCOMPARE(QProcess::execute(pdftoppm, {"-png", "-r", QString::number(dpi), "-singlefile",
                                        QString::fromStdString(pdf.string()), prefix}),
           0);
  QImage page(prefix + ".png");
  QVERIFY(!page.isNull());
  // A4 at 96 dpi.
  QCOMPARE(page.width(), 794);
  // The frame's corners and the rule under the title are black; the
  // middle of an empty row is white; the title has ink.
  QVERIFY(darkPixels(page, dpi, 705, 890, 1) > 0);
  QVERIFY(darkPixels(page, dpi, 10505, 15405, 1) > 0);
  QVERIFY(darkPixels(page, dpi, 3000, 1632, 1) > 0);
  QCOMPARE(darkPixels(page, dpi, 10000, 3000, 3), 0);
  QVERIFY(darkPixels(page, dpi, 1500, 1330, 6) > 0);
  // The customer name behind its label, the company name centred on 8000.
  QVERIFY(darkPixels(page, dpi, 1900, 1790, 6) > 0);
  QVERIFY(darkPixels(page, dpi, 8000, 1330, 6) > 0);
  if (qEnvironmentVariableIsSet("VELOXA_KEEP_PDF")) {
    QFile::copy(QString::fromStdString(pdf.string()), qEnvironmentVariable("VELOXA_KEEP_PDF"));
  }
}

void ReportOutputTest::thePreviewScrollsThePage() {
  test::DesignedCase c;
  QVERIFY(c.designed);
  QtHost host;
  host.setSession(&c.session);
  c.session.showWindow(Preview::kName, false);
  auto* model = c.session.existingAs<Preview>(Preview::kName);
  QVERIFY(model);
  PreviewWidget widget(*model, c.session, host);
  widget.show();
  auto* scroll = widget.findChild<QScrollBar*>("VScroll1");
  QVERIFY(scroll);
  QCOMPARE(scroll->maximum(), 8000);
  const QImage top = widget.grab().toImage();
  scroll->setValue(6000);
  QCOMPARE(model->scroll(), 6000);
  QCOMPARE(model->VScroll1->text, std::string("6000"));
  const QImage lower = widget.grab().toImage();
  QVERIFY(top != lower);
  // The recording follows the scroll: the same page, drawn again.
  QVERIFY(!model->page().texts.empty());
  if (qEnvironmentVariableIsSet("VELOXA_KEEP_PREVIEW")) top.save(qEnvironmentVariable("VELOXA_KEEP_PREVIEW"));
}

void ReportOutputTest::theWordDocumentOpensInLibreOffice() {
  test::DesignedCase c;
  QVERIFY(c.designed);
  c.confirmed("OuttoWord");
  const auto doc = c.data.file("Doc1.docx");
  QVERIFY(std::filesystem::exists(doc));
  const QString soffice = QStandardPaths::findExecutable("soffice");
  if (soffice.isEmpty()) QSKIP("LibreOffice is not installed");
  const QString out = QString::fromStdString(c.data.dir().string());
  // A profile of its own, so a running LibreOffice does not take the job.
  const QString profile = "-env:UserInstallation=file://" + out + "/lo-profile";
  QProcess lo;
  lo.start(soffice, {profile, "--headless", "--convert-to", "pdf", "--outdir", out, QString::fromStdString(doc.string())});
  QVERIFY(lo.waitForFinished(120000));
  const auto pdf = readFileBytes(c.data.file("Doc1.pdf"));
  QVERIFY(pdf && pdf->rfind("%PDF", 0) == 0);
}

}  // namespace vx

QTEST_MAIN(vx::ReportOutputTest)
#include "report_output_test.moc"

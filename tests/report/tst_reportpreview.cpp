// The modal preview and the Print command's steps, driven through the hooks:
// margins from the printer readings, window settings, export, print, and the
// printer choices that stay for the next preview.
#include "reportfixture.h"

#include "report/reportpreview.h"

#include <QAction>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>

using calc::Decimal;
using report::ReportPreviewDialog;

namespace {

const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);

// 600 dpi; top 0.1, left 0.2, right 0.3, bottom 0.4 inch on Letter portrait.
const report::FixedPrinterReader kPrinter(report::PrinterReadings{600, 600, 4800, 6300, 60, 120});

QMarginsF Inches(QPrinter &printer)
{
    const QMarginsF m = printer.pageLayout().margins(QPageLayout::Inch);
    return QMarginsF(float(m.left()), float(m.top()), float(m.right()), float(m.bottom()));
}

QMarginsF Expected(float left, float top, float right, float bottom)
{
    return QMarginsF(left, top, right, bottom);
}

} // namespace

class TestReportPreview : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void previewWindowAndMargins();
    void noPrinterKeepsTheTemplateMargins();
    void exportWritesTheReport();
    void exportCancelledOrFailingLosesNothing();
    void printKeepsChoicesForTheNextPreview();

private:
    QTemporaryDir m_dir;
    reporttest::Scenario m_short;
};

void TestReportPreview::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_short = reporttest::MakeScenario(Decimal(300), Decimal(179, 1), Decimal(5), 0, false, kEnglish);
    // Nothing in these tests may reach a real printer or a modal loop.
    ReportPreviewDialog::messageHook = [](QWidget *, const QString &message) { QFAIL(qPrintable(message)); };
}

void TestReportPreview::cleanup()
{
    ReportPreviewDialog::printDialogHook = nullptr;
    ReportPreviewDialog::saveFileHook = nullptr;
    report::previewOpenHook = nullptr;
}

void TestReportPreview::previewWindowAndMargins()
{
    report::PayoffReport report;
    report.printer().setOutputFormat(QPrinter::PdfFormat);
    bool opened = false;
    report::previewOpenHook = [&](ReportPreviewDialog &dialog) {
        opened = true;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Orvanel"));
        QCOMPARE(dialog.size(), QSize(914, 800));
        QVERIFY(dialog.isModal());
        QCOMPARE(dialog.previewWidget()->zoomMode(), QPrintPreviewWidget::FitToWidth);
        QCOMPARE(dialog.previewWidget()->viewMode(), QPrintPreviewWidget::SinglePageView);
        dialog.show();
        QTRY_COMPARE(dialog.previewWidget()->pageCount(), 2);
        // The user zooms; the next preview opens at page width again.
        dialog.previewWidget()->setZoomFactor(3.0);
    };
    const report::ReportInput input{m_short.fields(), &m_short.rows, {kEnglish, QDate(2026, 3, 4)}};
    report::PreviewReport(report, input, nullptr, QStringLiteral("Orvanel"), &kPrinter);
    QVERIFY(opened);
    QCOMPARE(Inches(report.printer()), Expected(0.2f, 0.1f, 0.3f, 0.4f));

    opened = false;
    report::previewOpenHook = [&](ReportPreviewDialog &dialog) {
        opened = true;
        QCOMPARE(dialog.previewWidget()->zoomMode(), QPrintPreviewWidget::FitToWidth);
    };
    report::PreviewReport(report, input, nullptr, QStringLiteral("Orvanel"), &kPrinter);
    QVERIFY(opened);
}

void TestReportPreview::noPrinterKeepsTheTemplateMargins()
{
    report::PayoffReport report;
    report::previewOpenHook = [](ReportPreviewDialog &) {};
    const report::FixedPrinterReader none(std::nullopt);
    report::PreviewReport(report, {m_short.fields(), &m_short.rows, {kEnglish}}, nullptr, QStringLiteral("Orvanel"),
                          &none);
    QCOMPARE(Inches(report.printer()), Expected(0.25f, 0.07f, 0.25f, 0.6f));

    // A reading that gives a negative right margin (wider paper) leaves that
    // margin as it was and sets the other three.
    const report::FixedPrinterReader wide(report::PrinterReadings{600, 600, 5100, 6400, 100, 100});
    report::PreviewReport(report, {m_short.fields(), &m_short.rows, {kEnglish}}, nullptr, QStringLiteral("Orvanel"),
                          &wide);
    QCOMPARE(Inches(report.printer()), Expected(0.17f, 0.17f, 0.25f, 0.17f));
}

void TestReportPreview::exportWritesTheReport()
{
    QVERIFY(ReportPreviewDialog::DefaultExportPath().endsWith(QLatin1String("/Report.pdf")));
    report::PayoffReport report;
    QString suggested;
    const QString target = m_dir.filePath(QStringLiteral("exported")); // ".pdf" is added
    ReportPreviewDialog::saveFileHook = [&](QWidget *, const QString &proposal) {
        suggested = proposal;
        return target;
    };
    report::previewOpenHook = [](ReportPreviewDialog &dialog) { dialog.exportAction()->trigger(); };
    report::PreviewReport(report, {m_short.fields(), &m_short.rows, {kEnglish}}, nullptr, QStringLiteral("Orvanel"),
                          &kPrinter);
    QCOMPARE(suggested, ReportPreviewDialog::DefaultExportPath());
    QCOMPARE(reporttest::PdfPages(target + QLatin1String(".pdf")), 2);
    QCOMPARE(report.series().slices().size(), std::size_t(2));
}

void TestReportPreview::exportCancelledOrFailingLosesNothing()
{
    report::PayoffReport report;
    const QString existing = m_dir.filePath(QStringLiteral("keep.pdf"));
    {
        QFile file(existing);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("previous content");
    }
    QStringList messages;
    ReportPreviewDialog::messageHook = [&](QWidget *, const QString &message) { messages << message; };
    QString answer;
    ReportPreviewDialog::saveFileHook = [&](QWidget *, const QString &) { return answer; };
    report::previewOpenHook = [&](ReportPreviewDialog &dialog) {
        answer.clear(); // cancelled
        dialog.exportAction()->trigger();
        answer = m_dir.filePath(QStringLiteral("no-such-folder/Report.pdf"));
        dialog.exportAction()->trigger();
    };
    report::PreviewReport(report, {m_short.fields(), &m_short.rows, {kEnglish}}, nullptr, QStringLiteral("Orvanel"),
                          &kPrinter);
    ReportPreviewDialog::messageHook = [](QWidget *, const QString &message) { QFAIL(qPrintable(message)); };
    QCOMPARE(messages.size(), 1);
    QVERIFY(messages.first().contains(QLatin1String("no-such-folder")));
    QFile file(existing);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("previous content"));
}

void TestReportPreview::printKeepsChoicesForTheNextPreview()
{
    report::PayoffReport report;
    const QString printed = m_dir.filePath(QStringLiteral("printed.pdf"));
    int dialogs = 0;
    bool accept = false;
    ReportPreviewDialog::printDialogHook = [&](QPrinter &printer, QWidget *) {
        ++dialogs;
        // The user picks file output and landscape.
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printed);
        printer.setPageOrientation(QPageLayout::Landscape);
        return accept;
    };
    report::previewOpenHook = [&](ReportPreviewDialog &dialog) {
        dialog.show();
        QTRY_COMPARE(dialog.previewWidget()->pageCount(), 2);
        dialog.printAction()->trigger(); // cancelled
        QVERIFY(!QFile::exists(printed));
        accept = true;
        dialog.printAction()->trigger();
    };
    const report::ReportInput input{m_short.fields(), &m_short.rows, {kEnglish}};
    report::PreviewReport(report, input, nullptr, QStringLiteral("Orvanel"), &kPrinter);
    QCOMPARE(dialogs, 2);
    QCOMPARE(reporttest::PdfPages(printed), 2);
    QCOMPARE(report.series().slices().size(), std::size_t(2));

    // The next preview maps the same readings to the landscape page.
    report::previewOpenHook = [](ReportPreviewDialog &) {};
    report::PreviewReport(report, input, nullptr, QStringLiteral("Orvanel"), &kPrinter);
    QCOMPARE(report.printer().pageLayout().orientation(), QPageLayout::Landscape);
    QCOMPARE(Inches(report.printer()), Expected(0.1f, 0.2f, 0.4f, 0.3f));
}

QTEST_MAIN(TestReportPreview)
#include "tst_reportpreview.moc"

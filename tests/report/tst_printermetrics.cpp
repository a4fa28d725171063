// Page margins from printer readings: the arithmetic, the orientation
// mapping, negative margins, and the layouts they end up in.
#include "report/payoffreport.h"
#include "report/printermetrics.h"

#include <QPrinter>
#include <QTest>

using report::PrinterReadings;

Q_DECLARE_METATYPE(report::PrinterReadings)

namespace {

PrinterReadings Readings(int dpi, int width, int height, int top, int left)
{
    return PrinterReadings{dpi, dpi, width, height, top, left};
}

} // namespace

class TestPrinterMetrics : public QObject
{
    Q_OBJECT

private slots:
    void margins_data();
    void margins();
    void derivedPixels();
    void noResolutionNoMetrics();
    void negativeMarginKeepsPrevious();
    void layoutTakesTheMargins();
    void marginJustBelowTheDeviceMinimumIsRaised();
    void defaultMarginsWithoutAPrinterAreTheTemplates();
    void pdfOutputIsNoPrinter();
};

void TestPrinterMetrics::margins_data()
{
    QTest::addColumn<PrinterReadings>("readings");
    QTest::addColumn<QPageLayout::Orientation>("orientation");
    QTest::addColumn<float>("top");
    QTest::addColumn<float>("bottom");
    QTest::addColumn<float>("left");
    QTest::addColumn<float>("right");

    // 600 dpi, offsets 100, printable 4900 x 6400: 1/6 inch all round.
    QTest::newRow("600 dpi, 1/6 inch all round")
        << Readings(600, 4900, 6400, 100, 100) << QPageLayout::Portrait << 0.17f << 0.17f << 0.17f << 0.17f;
    // Offsets 60 top and 120 left, 180 right and 240 bottom at 600 dpi.
    QTest::newRow("four different margins, portrait")
        << Readings(600, 4800, 6300, 60, 120) << QPageLayout::Portrait << 0.1f << 0.4f << 0.2f << 0.3f;
    QTest::newRow("four different margins, landscape maps them")
        << Readings(600, 4800, 6300, 60, 120) << QPageLayout::Landscape << 0.2f << 0.3f << 0.1f << 0.4f;
    QTest::newRow("right 0.33 beside left 0.17")
        << Readings(600, 4800, 6400, 100, 100) << QPageLayout::Portrait << 0.17f << 0.17f << 0.17f << 0.33f;
    QTest::newRow("half rounds away from zero")
        << Readings(600, 4950, 6450, 75, 75) << QPageLayout::Portrait << 0.13f << 0.13f << 0.13f << 0.13f;
    QTest::newRow("borderless")
        << Readings(300, 2550, 3300, 0, 0) << QPageLayout::Portrait << 0.f << 0.f << 0.f << 0.f;
    QTest::newRow("wider paper gives a negative right")
        << Readings(600, 5100, 6400, 100, 100) << QPageLayout::Portrait << 0.17f << 0.17f << 0.17f << -0.17f;
}

void TestPrinterMetrics::margins()
{
    QFETCH(PrinterReadings, readings);
    QFETCH(QPageLayout::Orientation, orientation);
    const auto metrics = report::ReadPrinterMetrics(report::FixedPrinterReader(readings));
    QVERIFY(metrics);
    const report::ReportMargins m = report::MarginsFor(*metrics, orientation);
    QTEST(m.top, "top");
    QTEST(m.bottom, "bottom");
    QTEST(m.left, "left");
    QTEST(m.right, "right");
}

void TestPrinterMetrics::derivedPixels()
{
    const auto m = report::ComputePrinterMetrics(Readings(600, 4800, 6300, 60, 120));
    QVERIFY(m);
    QCOMPARE(double(m->MarginR), 180.0); // 600 * 8.5 - 120 - 4800
    QCOMPARE(double(m->MarginB), 240.0); // 600 * 11 - 60 - 6300
}

void TestPrinterMetrics::noResolutionNoMetrics()
{
    QVERIFY(!report::ComputePrinterMetrics(Readings(0, 4900, 6400, 100, 100)));
    QVERIFY(!report::ReadPrinterMetrics(report::FixedPrinterReader(std::nullopt)));
}

void TestPrinterMetrics::negativeMarginKeepsPrevious()
{
    const QMarginsF previous(0.25, 0.07, 0.25, 0.6); // left, top, right, bottom
    const QMarginsF next = report::ApplyMargins(previous, {0.17f, -0.02f, 0.17f, -0.17f});
    QCOMPARE(next.top(), qreal(0.17f));
    QCOMPARE(next.left(), qreal(0.17f));
    QCOMPARE(next.bottom(), 0.6);
    QCOMPARE(next.right(), 0.25);
}

void TestPrinterMetrics::layoutTakesTheMargins()
{
    const auto metrics = report::ComputePrinterMetrics(Readings(600, 4800, 6300, 60, 120));
    QVERIFY(metrics);
    QPageLayout landscape(QPageSize(QPageSize::Letter), QPageLayout::Landscape, QMarginsF(), QPageLayout::Millimeter);
    landscape = report::WithMargins(landscape, report::MarginsFor(*metrics, QPageLayout::Landscape));
    const QMarginsF inch = landscape.margins(QPageLayout::Inch);
    QCOMPARE(float(inch.top()), 0.2f);
    QCOMPARE(float(inch.bottom()), 0.3f);
    QCOMPARE(float(inch.left()), 0.1f);
    QCOMPARE(float(inch.right()), 0.4f);
}

void TestPrinterMetrics::marginJustBelowTheDeviceMinimumIsRaised()
{
    // A device whose true minimum is 0.124 inch reads as 0.12 after rounding;
    // the layout would refuse 0.12 and keep its old margins.
    QPageLayout layout(QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF(0.5, 0.5, 0.5, 0.5),
                       QPageLayout::Inch, QMarginsF(0.124, 0.124, 0.124, 0.124));
    layout = report::WithMargins(layout, {0.12f, 0.2f, 0.12f, 0.2f});
    const QMarginsF inch = layout.margins(QPageLayout::Inch);
    QCOMPARE(inch.top(), 0.124);
    QCOMPARE(inch.left(), 0.124);
    QCOMPARE(float(inch.bottom()), 0.2f);
    QCOMPARE(float(inch.right()), 0.2f);
}

void TestPrinterMetrics::defaultMarginsWithoutAPrinterAreTheTemplates()
{
    const report::FixedPrinterReader none(std::nullopt);
    const QMarginsF fallback = report::DefaultReportMarginsInch(&none);
    QCOMPARE(fallback.top(), 0.07);
    QCOMPARE(fallback.bottom(), 0.6);
    QCOMPARE(fallback.left(), 0.25);
    QCOMPARE(fallback.right(), 0.25);

    const report::FixedPrinterReader printer(Readings(600, 4800, 6400, 100, 100));
    const QMarginsF fromPrinter = report::DefaultReportMarginsInch(&printer);
    QCOMPARE(float(fromPrinter.top()), 0.17f);
    QCOMPARE(float(fromPrinter.right()), 0.33f);
}

void TestPrinterMetrics::pdfOutputIsNoPrinter()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    QVERIFY(!report::QPrinterReader(printer).read());
}

QTEST_MAIN(TestPrinterMetrics)
#include "tst_printermetrics.moc"

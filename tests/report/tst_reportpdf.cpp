// The generated report as poppler reads it back: page structure, the title
// page's texts, every schedule row once and in order, the footer's date and
// page number, the pie's two slices, and margins that change the pagination.
#include "reportfixture.h"

#include "calc/numbertext.h"
#include "report/payoffreport.h"

#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using calc::Decimal;
using reporttest::PdfPageText;
using reporttest::PdfPages;

namespace {

const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);
const QLocale kGerman(QLocale::German, QLocale::Germany);
const QDate kDate(2026, 3, 4);

QPageLayout TemplateLayout()
{
    return QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF(0.25, 0.07, 0.25, 0.6),
                       QPageLayout::Inch);
}

// The detail lines of a page: six columns of numbers.
QList<QStringList> DetailLines(const QString &pageText)
{
    static const QRegularExpression line(
        QStringLiteral("^\\s*(\\d+)\\s+(\\S+)\\s+(\\S+)\\s+(\\S+)\\s+(\\S+)\\s+(\\S+)\\s*$"));
    QList<QStringList> lines;
    for (const QString &text : pageText.split(QLatin1Char('\n'))) {
        const auto match = line.match(text);
        if (match.hasMatch())
            lines.append(match.capturedTexts().mid(1));
    }
    return lines;
}

QStringList Expected(const calc::ScheduleRow &row, const QLocale &locale)
{
    const QString money = QStringLiteral("#,0.00;(#,0.00)");
    return {QString::number(row.Pmt),
            calc::FormatPattern(row.Balance, money, locale),
            calc::FormatPattern(row.Payment, money, locale),
            calc::FormatPattern(row.Interest, money, locale),
            calc::FormatPattern(row.Principal, money, locale),
            calc::FormatPattern(row.NewBalance, money, locale)};
}

} // namespace

class TestReportPdf : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void shortScheduleGivesTitlePageAndOnePage();
    void highRateScheduleHasEveryRowOnceInOrder();
    void zeroBalanceGivesOneBlankPage();
    void marginsInEffectDecideRowsPerPage();
    void pieHoldsTwoSlicesEveryGeneration_data();
    void pieHoldsTwoSlicesEveryGeneration();
    void unwritableFileKeepsNothingAndSaysWhy();

private:
    QString write(const reporttest::Scenario &s, const QPageLayout &layout, const QString &name,
                  const QLocale &locale = kEnglish);
    QTemporaryDir m_dir;
};

void TestReportPdf::initTestCase()
{
    QVERIFY(m_dir.isValid());
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("poppler-utils (pdftotext, pdfinfo) is not installed");
}

QString TestReportPdf::write(const reporttest::Scenario &s, const QPageLayout &layout, const QString &name,
                             const QLocale &locale)
{
    const QString path = m_dir.filePath(name);
    report::PayoffReport report;
    QString error;
    const bool ok = report::WriteReportPdf(path, report, report::ReportInput{s.fields(), &s.rows, {locale, kDate}},
                                           layout, &error);
    if (!ok)
        qWarning() << error;
    return ok ? path : QString();
}

void TestReportPdf::shortScheduleGivesTitlePageAndOnePage()
{
    const auto s = reporttest::MakeScenario(Decimal(300), Decimal(179, 1), Decimal(5), 5, true, kEnglish);
    QVERIFY(s.rows.size() > 1 && s.rows.size() < 40);
    const QString pdf = write(s, TemplateLayout(), QStringLiteral("short.pdf"));
    QVERIFY(!pdf.isEmpty());
    QCOMPARE(PdfPages(pdf), 2);

    const QString title = PdfPageText(pdf, 1);
    for (const char *text : {"Supplied Values", "Summary Details", "Balance Interest Breakdown", "Orvanel"})
        QVERIFY2(title.contains(QLatin1String(text)), text);
    const QString money = QStringLiteral("#,0.00;-#,0.00");
    const QList<QRegularExpression> pairs = {
        QRegularExpression(QStringLiteral("Balance:\\s+300\\.00")),
        QRegularExpression(QStringLiteral("Annual Percentage Rate:\\s+17\\.90")),
        QRegularExpression(QStringLiteral("Minimum Payment Percent:\\s+5\\.0\\b")),
        QRegularExpression(QStringLiteral("Extra Money Each Month:\\s+5\\.00")),
        QRegularExpression(QStringLiteral("Constant Payment:\\s+Yes")),
        QRegularExpression(QStringLiteral("Minimum Payment:\\s+") + QRegularExpression::escape(s.source.minPmtText)),
        QRegularExpression(QStringLiteral("Total Interest Paid:\\s+")
                           + QRegularExpression::escape(s.source.totalInterestText)),
        QRegularExpression(QStringLiteral("Total Money Paid:\\s+")
                           + QRegularExpression::escape(s.source.totalMoneyText)),
        QRegularExpression(QStringLiteral("Number of Payments:\\s+%1\\b").arg(s.rows.size())),
        QRegularExpression(QStringLiteral("Length of Payoff Time:\\s+")
                           + QRegularExpression::escape(s.source.payoffLengthText)),
    };
    for (const QRegularExpression &pair : pairs)
        QVERIFY2(pair.match(title).hasMatch(), qPrintable(pair.pattern() + QLatin1String("\n") + title));

    // The title page's footer shows the notice alone: the title band's own
    // copyright line is hidden, and so are the date and the page number.
    const QString notice = report::DefaultCopyrightNotice();
    QCOMPARE(title.count(notice), 1);
    QVERIFY(!title.contains(QStringLiteral("3/4/26")));
    QVERIFY2(!QRegularExpression(QStringLiteral("\\b1\\s*$")).match(title.trimmed()).hasMatch(), qPrintable(title));

    const QString page2 = PdfPageText(pdf, 2);
    QVERIFY(QRegularExpression(QStringLiteral("Pmt\\s+Balance\\s+Payment\\s+Interest\\s+Principal\\s+New Balance"))
                .match(page2)
                .hasMatch());
    QVERIFY(page2.contains(QStringLiteral("3/4/26")));
    QVERIFY(page2.contains(notice));
    QVERIFY2(QRegularExpression(QStringLiteral("\\b2\\s*$")).match(page2.trimmed()).hasMatch(), qPrintable(page2));
    const auto lines = DetailLines(page2);
    QCOMPARE(lines.size(), qsizetype(s.rows.size()));
    QCOMPARE(lines.first(), Expected(s.rows.front(), kEnglish));
    QCOMPARE(lines.last(), Expected(s.rows.back(), kEnglish));
}

void TestReportPdf::highRateScheduleHasEveryRowOnceInOrder()
{
    const auto s = reporttest::MakeScenario(Decimal(50000), Decimal(36), Decimal(32, 1), 0, false, kEnglish);
    QCOMPARE(s.rows.size(), std::size_t(2452));
    const QString pdf = write(s, TemplateLayout(), QStringLiteral("high.pdf"));
    QVERIFY(!pdf.isEmpty());
    // 40 lines fit between header and footer with the template's margins.
    const int pages = PdfPages(pdf);
    QCOMPARE(pages, 1 + (2452 + 39) / 40);

    // The count is grouped on the title page and plain in the column.
    QVERIFY(QRegularExpression(QStringLiteral("Number of Payments:\\s+2,452\\b")).match(PdfPageText(pdf, 1)).hasMatch());

    std::size_t next = 0;
    for (int page = 2; page <= pages; ++page) {
        const QString text = PdfPageText(pdf, page);
        QVERIFY2(QRegularExpression(QStringLiteral("\\b%1\\s*$").arg(page)).match(text.trimmed()).hasMatch(),
                 qPrintable(QStringLiteral("page number %1").arg(page)));
        for (const QStringList &line : DetailLines(text)) {
            QVERIFY2(next < s.rows.size(), "more lines than rows");
            QCOMPARE(line, Expected(s.rows[next], kEnglish));
            ++next;
        }
    }
    QCOMPARE(next, s.rows.size());
    QCOMPARE(DetailLines(PdfPageText(pdf, pages)).last().first(), QStringLiteral("2452"));
}

void TestReportPdf::zeroBalanceGivesOneBlankPage()
{
    const auto s = reporttest::MakeScenario(Decimal(0), Decimal(179, 1), Decimal(25, 1), 0, false, kEnglish);
    QVERIFY(s.rows.empty());
    int fieldReads = 0;
    const std::vector<calc::ScheduleRow> rows;
    const report::FieldProvider counting = [&](const QString &name) {
        ++fieldReads;
        return report::FieldValue(name, s.source);
    };
    const QString path = m_dir.filePath(QStringLiteral("zero.pdf"));
    report::PayoffReport report;
    QString error;
    QVERIFY2(report::WriteReportPdf(path, report, {counting, &rows, {kEnglish, kDate}}, TemplateLayout(), &error),
             qPrintable(error));
    QCOMPARE(PdfPages(path), 1);
    QCOMPARE(PdfPageText(path, 1).trimmed(), QString());
    QCOMPARE(fieldReads, 0);
}

void TestReportPdf::marginsInEffectDecideRowsPerPage()
{
    // A printer with 1/6 inch all round leaves room for 42 lines a page, the
    // template's margins for 40.
    const auto s = reporttest::MakeScenario(Decimal(50000), Decimal(36), Decimal(32, 1), 0, false, kEnglish);
    const QPageLayout printer(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                              QMarginsF(0.17, 0.17, 0.17, 0.17), QPageLayout::Inch);
    const QString pdf = write(s, printer, QStringLiteral("printer-margins.pdf"));
    QVERIFY(!pdf.isEmpty());
    QCOMPARE(PdfPages(pdf), 1 + (2452 + 41) / 42);
    QCOMPARE(DetailLines(PdfPageText(pdf, 2)).size(), 42);
}

void TestReportPdf::pieHoldsTwoSlicesEveryGeneration_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("interestText");
    QTest::addColumn<double>("interest");

    QTest::newRow("English 1,234.56") << kEnglish << "1,234.56" << 1234.56;
    // Removing every "," from "1.234,56" would give 1.23456.
    QTest::newRow("German 1.234,56") << kGerman << "1.234,56" << 1234.56;
    QTest::newRow("no number gives an empty slice") << kEnglish << "" << 0.0;
}

void TestReportPdf::pieHoldsTwoSlicesEveryGeneration()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, interestText);
    QFETCH(double, interest);

    auto s = reporttest::MakeScenario(Decimal(2100), Decimal(179, 1), Decimal(25, 1), 0, false, locale);
    s.source.totalInterestText = interestText;
    report::PayoffReport report;
    const report::ReportInput input{s.fields(), &s.rows, {locale, kDate}};
    for (int generation = 1; generation <= 2; ++generation) {
        QString error;
        QVERIFY2(report::WriteReportPdf(m_dir.filePath(QStringLiteral("pie%1.pdf").arg(generation)), report, input,
                                        TemplateLayout(), &error),
                 qPrintable(error));
        const auto &slices = report.series().slices();
        QCOMPARE(slices.size(), std::size_t(2));
        QCOMPARE(slices[0].label, QStringLiteral("Balance"));
        QCOMPARE(slices[0].value, 2100.0);
        QCOMPARE(slices[0].colour, QColor(79, 121, 151));
        QCOMPARE(slices[1].label, QStringLiteral("Interest"));
        QCOMPARE(slices[1].value, interest);
        QCOMPARE(slices[1].colour, QColor(179, 8, 14));
    }
    QVERIFY(!report.layout().find(QStringLiteral("pplblTitleCopyright"))->visible);
}

void TestReportPdf::unwritableFileKeepsNothingAndSaysWhy()
{
    const auto s = reporttest::MakeScenario(Decimal(300), Decimal(179, 1), Decimal(5), 0, false, kEnglish);
    const QString path = m_dir.filePath(QStringLiteral("missing-folder/Report.pdf"));
    QString error;
    QVERIFY(!report::WriteReportPdf(path, s.fields(), s.rows, &error));
    QVERIFY(error.contains(path));
    QVERIFY(!QFile::exists(path));

    // An existing file is replaced only by a whole report.
    const QString existing = m_dir.filePath(QStringLiteral("existing.pdf"));
    QVERIFY(report::WriteReportPdf(existing, s.fields(), s.rows, &error, {kEnglish, kDate}));
    QCOMPARE(PdfPages(existing), 2);
}

QTEST_MAIN(TestReportPdf)
#include "tst_reportpdf.moc"

// orvanel-schedule: its options, its three output formats and its refusals.
#include "schedulecli.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class TestScheduleCli : public QObject
{
    Q_OBJECT

private:
    static cli::Options parse(const QStringList &args)
    {
        const auto result = cli::ParseArguments(args, QLocale::c());
        if (!result.options)
            qFatal("refused: %s", qPrintable(result.error));
        return *result.options;
    }

private slots:
    void refusals_data();
    void refusals();
    void refusedRunPrintsNothing();
    void tableInLocale_data();
    void tableInLocale();
    void csv();
    void jsonCarriesExactDecimals();
    void jsonZeroBalance();
    void writesReport();
};

void TestScheduleCli::refusals_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("error");

    QTest::newRow("unknown option") << QStringList{"--bogus"} << "Unknown option \"--bogus\" (see --help)";
    QTest::newRow("not a number") << QStringList{"--balance", "2,100"} << "The balance \"2,100\" is not a number";
    QTest::newRow("missing value") << QStringList{"--apr"} << "The option --apr needs a value";
    QTest::newRow("extra not offered") << QStringList{"--extra", "7"}
                                       << "The extra money \"7\" is not one of 0, 5, 10, 15, 20, 25, 50 or 100";
    QTest::newRow("balance too high") << QStringList{"--balance", "60000"} << "The Balance is too high (at most 50000.00)";
    QTest::newRow("balance too low") << QStringList{"--balance=-1"} << "The Balance is too low (at least 0.00)";
    QTest::newRow("rate too high") << QStringList{"--apr", "40"} << "The Annual Percentage Rate is too high (at most 36.00)";
    QTest::newRow("percent below the floor") << QStringList{"--min-percent", "1.6"}
                                             << "The Minimum Payment Percent is too low (at least 1.7)";
    QTest::newRow("percent too high") << QStringList{"--min-percent", "100.1"}
                                      << "The Minimum Payment Percent is too high (at most 100.0)";
    QTest::newRow("unknown format") << QStringList{"--format", "xml"} << "The format \"xml\" is not one of table, csv or json";
    QTest::newRow("unknown locale") << QStringList{"--locale", "xx_YY"} << "The locale \"xx_YY\" is not known";
    QTest::newRow("flag with a value") << QStringList{"--constant=yes"} << "Unknown option \"--constant=yes\" (see --help)";
}

void TestScheduleCli::refusals()
{
    QFETCH(QStringList, args);
    QFETCH(QString, error);
    const auto result = cli::ParseArguments(args, QLocale::c());
    QVERIFY(!result.options);
    QCOMPARE(result.error, error);
}

void TestScheduleCli::refusedRunPrintsNothing()
{
    // A floor above 100 raises the highest admitted percent with it.
    QVERIFY(cli::ParseArguments({"--balance", "10", "--min-percent", "150"}, QLocale::c()).options);

    QProcess p;
    p.start(QStringLiteral(ORVANEL_SCHEDULE_EXE), {"--balance", "60000"});
    QVERIFY(p.waitForFinished(10000));
    QCOMPARE(p.exitCode(), 2);
    QVERIFY(p.readAllStandardOutput().isEmpty());
    const QByteArray err = p.readAllStandardError();
    QCOMPARE(err.count('\n'), 1);
    QVERIFY(err.contains("The Balance is too high"));
}

void TestScheduleCli::tableInLocale_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("interestLine");
    QTest::addColumn<QString>("firstRow");
    QTest::newRow("C") << "C" << "Total Interest Paid    2,539.03" << "  1  2,100.00    53.00     31.33      21.67     2,078.33";
    QTest::newRow("de_DE") << "de_DE" << "Total Interest Paid    2.539,03" << "  1  2.100,00    53,00     31,33      21,67     2.078,33";
}

void TestScheduleCli::tableInLocale()
{
    QFETCH(QString, locale);
    QFETCH(QString, interestLine);
    QFETCH(QString, firstRow);
    const cli::Options o = parse({"--locale", locale});
    const QStringList lines = cli::RenderTable(o, cli::Compute(o.inputs)).split('\n');
    QCOMPARE(lines.at(0), QStringLiteral("Minimum Payment        ") + (locale == "C" ? "53.00" : "53,00"));
    QCOMPARE(lines.at(1), interestLine);
    QCOMPARE(lines.at(4), QStringLiteral("Length of Payoff Time  15 Yrs 5 Mos"));
    QCOMPARE(lines.at(6), QStringLiteral("Pmt   Balance  Payment  Interest  Principal  New Balance"));
    QCOMPARE(lines.at(7), firstRow);
    QCOMPARE(lines.size(), 7 + 185 + 1);
}

void TestScheduleCli::csv()
{
    const cli::Options o = parse({"--balance", "50000", "--apr", "0", "--min-percent", "0", "--format", "csv"});
    const QStringList lines = cli::RenderCsv(cli::Compute(o.inputs)).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 1 + 3334);
    QCOMPARE(lines.first(), QStringLiteral("Pmt,Balance,Payment,Interest,Principal,NewBalance"));
    QCOMPARE(lines.at(1), QStringLiteral("1,50000.00,15.00,0.00,15.00,49985.00"));
    QCOMPARE(lines.last(), QStringLiteral("3334,5.00,5.00,0.00,5.00,0.00"));
}

void TestScheduleCli::jsonCarriesExactDecimals()
{
    const cli::Options o = parse({"--balance", "2100.555", "--format", "json"});
    const QString text = cli::RenderJson(o, cli::Compute(o.inputs));
    QVERIFY(text.contains(QStringLiteral("\"totalMoneyPaid\": 4645.285,")));

    QJsonParseError error;
    const QJsonObject doc = QJsonDocument::fromJson(text.toUtf8(), &error).object();
    QCOMPARE(error.error, QJsonParseError::NoError);
    QCOMPARE(doc["inputs"]["balance"].toDouble(), 2100.555);
    QCOMPARE(doc["minPmtPctFloor"].toDouble(), 1.7);
    const QJsonObject summary = doc["summary"].toObject();
    QCOMPARE(summary["minimumPayment"].toDouble(), 53.0);
    QCOMPARE(summary["totalInterestPaid"].toDouble(), 2544.73);
    QCOMPARE(summary["numberOfPayments"].toInt(), 186);
    QCOMPARE(summary["payoffYears"].toInt(), 15);
    QCOMPARE(summary["payoffMonths"].toInt(), 6);
    QCOMPARE(summary["texts"]["txtTotalMoneyPaidValue"].toString(), QStringLiteral("4,645.29"));
    QCOMPARE(summary["texts"]["txtPayoffLength"].toString(), QStringLiteral("15 Yrs 6 Mos"));
    const QJsonArray rows = doc["rows"].toArray();
    QCOMPARE(rows.size(), 186);
    const QJsonObject first = rows.first().toObject();
    QCOMPARE(first.keys(), (QStringList{"Balance", "Interest", "NewBalance", "Payment", "Pmt", "Principal"}));
    QCOMPARE(first["Balance"].toDouble(), 2100.56);
    QCOMPARE(first["NewBalance"].toDouble(), 2078.89);
}

void TestScheduleCli::jsonZeroBalance()
{
    const cli::Options o = parse({"--balance", "0", "--format", "json"});
    const QJsonObject doc = QJsonDocument::fromJson(cli::RenderJson(o, cli::Compute(o.inputs)).toUtf8()).object();
    QVERIFY(doc["summary"]["minimumPayment"].isNull());
    QCOMPARE(doc["summary"]["texts"]["txtPayoffLength"].toString(), QStringLiteral("0 Mos"));
    QVERIFY(doc["rows"].toArray().isEmpty());
}

void TestScheduleCli::writesReport()
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath("Report.pdf");
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    env.remove("QT_QPA_PLATFORM"); // the tool picks the off-screen platform itself
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(ORVANEL_SCHEDULE_EXE), {"--report", pdf, "--format", "csv", "--locale", "de_DE"});
    QVERIFY(p.waitForFinished(60000));
    QCOMPARE(p.exitCode(), 0);
    QVERIFY(p.readAllStandardOutput().startsWith("Pmt,Balance"));

    // The title page shows the summary in the chosen locale's separators.
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {"-f", "1", "-l", "1", "-layout", pdf, "-"});
    if (!text.waitForStarted(10000))
        QSKIP("pdftotext (poppler-utils) is not installed");
    QVERIFY(text.waitForFinished(30000));
    const QString page1 = QString::fromUtf8(text.readAllStandardOutput()).simplified();
    QVERIFY2(page1.contains("Balance: 2.100,00"), qPrintable(page1));
    QVERIFY2(page1.contains("Total Interest Paid: 2.539,03"), qPrintable(page1));
    QVERIFY2(page1.contains("Total Money Paid: 4.639,03"), qPrintable(page1));

    // An unwritable place is a failure, said on stderr.
    p.start(QStringLiteral(ORVANEL_SCHEDULE_EXE), {"--report", dir.filePath("missing/Report.pdf")});
    QVERIFY(p.waitForFinished(60000));
    QCOMPARE(p.exitCode(), 1);
    QVERIFY(p.readAllStandardError().contains("cannot be written"));
}

QTEST_APPLESS_MAIN(TestScheduleCli)
#include "tst_schedulecli.moc"

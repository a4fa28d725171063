// Number texts: the 18-digit half-away rounding, grouping by the locale,
// display-format patterns and reading numbers back.
#include "calc/numbertext.h"

#include <QTest>

using calc::Decimal;

Q_DECLARE_METATYPE(long double)

class TestNumberText : public QObject
{
    Q_OBJECT

private slots:
    void formatFixedAndNumber_data();
    void formatFixedAndNumber();
    void roundThroughText_data();
    void roundThroughText();
    void formatPattern_data();
    void formatPattern();
    void parseNumberText_data();
    void parseNumberText();
    void decimalFromText_data();
    void decimalFromText();
    void longDoubleRoundTrip();
};

static const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);
static const QLocale kGerman(QLocale::German, QLocale::Germany);
static const QLocale kFrench(QLocale::French, QLocale::France);
static const QLocale kSwiss(QLocale::German, QLocale::Switzerland);

void TestNumberText::formatFixedAndNumber_data()
{
    QTest::addColumn<long double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("fixed");
    QTest::addColumn<QString>("number");

    QTest::newRow("half goes up") << 52.5L << 0 << kEnglish << "53" << "53";
    QTest::newRow("2.665 up") << 2.665L << 2 << kEnglish << "2.67" << "2.67";
    QTest::newRow("2.675 just below, judged on 18 digits") << 2.675L << 2 << kEnglish << "2.68" << "2.68";
    QTest::newRow("negative half away") << -52.5L << 0 << kEnglish << "-53" << "-53";
    QTest::newRow("carry makes a new digit") << 999.995L << 2 << kEnglish << "1000.00" << "1,000.00";
    QTest::newRow("zero has no sign") << -0.001L << 2 << kEnglish << "0.00" << "0.00";
    QTest::newRow("zero, no decimals") << 0.0L << 0 << kEnglish << "0" << "0";
    QTest::newRow("below one") << 0.5L << 2 << kEnglish << "0.50" << "0.50";
    QTest::newRow("grouped millions") << 1234567.891L << 2 << kEnglish << "1234567.89" << "1,234,567.89";
    QTest::newRow("negative grouped") << -744404.41L << 2 << kEnglish << "-744404.41" << "-744,404.41";
    QTest::newRow("German separators") << 2539.03L << 2 << kGerman << "2539,03" << "2.539,03";
    QTest::newRow("French separators") << 2539.03L << 2 << kFrench << "2539,03"
                                       << QString("2") + kFrench.groupSeparator() + "539,03";
    QTest::newRow("Swiss separators") << 2539.03L << 2 << kSwiss << "2539.03"
                                      << QString("2") + kSwiss.groupSeparator() + "539.03";
    QTest::newRow("rate to seven places") << (17.9L / 1200) << 7 << kEnglish << "0.0149167" << "0.0149167";
}

void TestNumberText::formatFixedAndNumber()
{
    QFETCH(long double, value);
    QFETCH(int, decimals);
    QFETCH(QLocale, locale);
    QFETCH(QString, fixed);
    QFETCH(QString, number);
    QCOMPARE(calc::FormatFixed(value, decimals, locale), fixed);
    QCOMPARE(calc::FormatNumber(value, decimals, locale), number);
}

void TestNumberText::roundThroughText_data()
{
    QTest::addColumn<long double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("expected");

    QTest::newRow("payment") << 52.5L << 0 << "53";
    QTest::newRow("cents") << 2100.555L << 2 << "2100.56";
    QTest::newRow("floor half") << 0.75L << 1 << "0.8";
    QTest::newRow("negative") << -2.675L << 2 << "-2.68";
}

void TestNumberText::roundThroughText()
{
    QFETCH(long double, value);
    QFETCH(int, decimals);
    QFETCH(QString, expected);
    const long double rounded = calc::RoundThroughText(value, decimals);
    QCOMPARE(Decimal::fromLongDouble(rounded)->toPlainString(), expected);
}

void TestNumberText::formatPattern_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("expected");

    const QString field = "#,##0.00;(#,##0.00)";
    QTest::newRow("field rounds to the format") << "1234.567" << field << kEnglish << "1,234.57";
    QTest::newRow("negative in parentheses") << "-12.34" << field << kEnglish << "(12.34)";
    QTest::newRow("negative with minus section") << "-12.34" << "#,0.00;-#,0.00" << kEnglish << "-12.34";
    QTest::newRow("one section, negative") << "-1234.5" << "#,##0.00" << kEnglish << "-1,234.50";
    QTest::newRow("tiny negative prints zero") << "-0.001" << field << kEnglish << "0.00";
    QTest::newRow("percent field") << "2.5" << "#,##0.0;(#,##0.0)" << kEnglish << "2.5";
    QTest::newRow("percent rounds half away") << "2.45" << "#,##0.0;(#,##0.0)" << kEnglish << "2.5";
    QTest::newRow("payment count") << "3334" << "#,##0" << kEnglish << "3,334";
    QTest::newRow("whole number") << "1234" << "#,0;-#,0" << kEnglish << "1,234";
    QTest::newRow("grid amount zero") << "0" << "#,###,##0.00" << kEnglish << "0.00";
    QTest::newRow("grid amount") << "2078.33" << "#,###,##0.00" << kEnglish << "2,078.33";
    QTest::newRow("grid amount German") << "2078.33" << "#,###,##0.00" << kGerman << "2.078,33";
    QTest::newRow("no grouping") << "1234.5" << "0.00" << kEnglish << "1234.50";
    QTest::newRow("optional decimals") << "1.5" << "0.##" << kEnglish << "1.5";
    QTest::newRow("literal text") << "100" << "#,##0.00 units" << kEnglish << "100.00 units";
}

void TestNumberText::formatPattern()
{
    QFETCH(QString, value);
    QFETCH(QString, pattern);
    QFETCH(QLocale, locale);
    QFETCH(QString, expected);
    QCOMPARE(calc::FormatPattern(*Decimal::fromText(value), pattern, locale), expected);
}

void TestNumberText::parseNumberText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QString>("expected");

    QTest::newRow("grouped") << "1,234.56" << kEnglish << true << "1234.56";
    QTest::newRow("parentheses") << "(12.34)" << kEnglish << true << "-12.34";
    QTest::newRow("minus") << "-12.34" << kEnglish << true << "-12.34";
    QTest::newRow("German") << "1.234,56" << kGerman << true << "1234.56";
    QTest::newRow("French narrow space") << QString("1") + kFrench.groupSeparator() + "234,56" << kFrench << true << "1234.56";
    QTest::newRow("French plain space") << "1 234,56" << kFrench << true << "1234.56";
    QTest::newRow("Swiss apostrophe") << "1'234.56" << kSwiss << true << "1234.56";
    QTest::newRow("surrounding spaces") << " 53.00 " << kEnglish << true << "53";
    QTest::newRow("empty") << "" << kEnglish << false << "";
    QTest::newRow("words") << "15 Yrs 5 Mos" << kEnglish << false << "";
    QTest::newRow("two points") << "1.2.3" << kEnglish << false << "";
    QTest::newRow("group after point") << "1.234,5" << kEnglish << false << "";
    QTest::newRow("sign twice") << "(-1)" << kEnglish << false << "";
    QTest::newRow("German point is a group") << "2.539,03" << kGerman << true << "2539.03";
    // Found by fuzzing: 31 digits once overflowed the fixed text with seven decimals.
    QTest::newRow("too large to be an amount") << "4444222244444.244444444222244444" << kGerman << false << "";
}

void TestNumberText::parseNumberText()
{
    QFETCH(QString, text);
    QFETCH(QLocale, locale);
    QFETCH(bool, valid);
    QFETCH(QString, expected);
    const auto parsed = calc::ParseNumberText(text, locale);
    QCOMPARE(parsed.has_value(), valid);
    if (valid)
        QCOMPARE(parsed->toPlainString(), expected);
}

void TestNumberText::decimalFromText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QString>("plain");

    QTest::newRow("integer") << "2100" << true << "2100";
    QTest::newRow("three decimals stay exact") << "2100.555" << true << "2100.555";
    QTest::newRow("leading point") << ".5" << true << "0.5";
    QTest::newRow("exponent") << "1.5e3" << true << "1500";
    QTest::newRow("negative exponent") << "15e-1" << true << "1.5";
    QTest::newRow("sign") << "-0.25" << true << "-0.25";
    QTest::newRow("comma is not a point") << "1,5" << false << "";
    QTest::newRow("letters") << "12abc" << false << "";
    QTest::newRow("only a sign") << "-" << false << "";
    QTest::newRow("too many digits") << QString(60, '9') << false << "";
    QTest::newRow("huge exponent") << "1e999" << false << "";
    QTest::newRow("twenty integer digits") << "12345678901234567890.5" << true << "12345678901234567890.5";
    QTest::newRow("twenty-one integer digits") << "123456789012345678901" << false << "";
    QTest::newRow("twenty-one by exponent") << "1.5e20" << false << "";
}

void TestNumberText::decimalFromText()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(QString, plain);
    const auto d = Decimal::fromText(text);
    QCOMPARE(d.has_value(), valid);
    if (valid)
        QCOMPARE(d->toPlainString(), plain);
}

void TestNumberText::longDoubleRoundTrip()
{
    // Values entered with two decimals come back exactly from their extended form.
    for (int cents = 0; cents <= 5000000; cents += 997) {
        const Decimal exact = Decimal::fromCents(cents);
        const auto back = Decimal::fromLongDouble(exact.toLongDouble());
        QVERIFY(back.has_value());
        QCOMPARE(back->rounded(2), exact.normalized().withScale(2));
        QCOMPARE(*back, exact);
    }
    QVERIFY(!Decimal::fromLongDouble(std::numeric_limits<long double>::quiet_NaN()));
    QVERIFY(!Decimal::fromLongDouble(std::numeric_limits<long double>::infinity()));
}

QTEST_APPLESS_MAIN(TestNumberText)
#include "tst_numbertext.moc"

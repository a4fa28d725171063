// The report's single-record fields and the printed text of field values.
#include "report/reportfields.h"

#include <QTest>

using report::FieldType;
using report::ReportValue;

Q_DECLARE_METATYPE(report::FieldType)

namespace {

const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);
const QLocale kGerman(QLocale::German, QLocale::Germany);

// The window as it shows the default inputs with some summary texts.
report::FieldSource Window(const QLocale &locale = kEnglish)
{
    report::FieldSource s;
    s.title = QStringLiteral("Orvanel");
    s.balance = 2100.0L;
    s.apr = 17.9L;
    s.minPmtPct = 2.5L;
    s.minPmtText = QStringLiteral("1,234.56");
    s.extraMoneyText = QStringLiteral("100");
    s.constantPayment = false;
    s.totalInterestText = QStringLiteral("1,234.56");
    s.totalMoneyText = QStringLiteral("3,334.56");
    s.numberOfPaymentsText = QStringLiteral("1,234");
    s.payoffLengthText = QStringLiteral("15 Yrs 5 Mos");
    s.locale = locale;
    return s;
}

// A QVariant column stands for a ReportValue: invalid is null.
ReportValue FromVariant(const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::QString: return v.toString();
    case QMetaType::Double: return v.toDouble();
    case QMetaType::Int: return qint32(v.toInt());
    case QMetaType::Bool: return v.toBool();
    default: return std::monostate{};
    }
}

QVariant ToVariant(const ReportValue &value)
{
    return std::visit(
        [](const auto &v) -> QVariant {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, std::monostate>)
                return QVariant();
            else
                return QVariant::fromValue(v);
        },
        value);
}

} // namespace

class TestReportFields : public QObject
{
    Q_OBJECT

private slots:
    void fieldValue_data();
    void fieldValue();
    void minPmtReadsTheLocaleThatWroteIt_data();
    void minPmtReadsTheLocaleThatWroteIt();
    void fieldText_data();
    void fieldText();
};

void TestReportFields::fieldValue_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QVariant>("expected"); // type and value; invalid for null

    QTest::newRow("Title") << "Title" << QVariant(QStringLiteral("Orvanel"));
    QTest::newRow("Balance as double") << "Balance" << QVariant(2100.0);
    QTest::newRow("APR in percent") << "APR" << QVariant(double(17.9L));
    QTest::newRow("MinPmtPct") << "MinPmtPct" << QVariant(2.5);
    QTest::newRow("MinPmt 1,234.56 parsed") << "MinPmt" << QVariant(1234.56);
    QTest::newRow("ExtraMoney integer") << "ExtraMoney" << QVariant(100);
    QTest::newRow("ConstantPayment false") << "ConstantPayment" << QVariant(false);
    QTest::newRow("TotalInterestPaid text unchanged") << "TotalInterestPaid" << QVariant(QStringLiteral("1,234.56"));
    QTest::newRow("TotalMoneyPaid text") << "TotalMoneyPaid" << QVariant(QStringLiteral("3,334.56"));
    QTest::newRow("NumberOfPayments text") << "NumberOfPayments" << QVariant(QStringLiteral("1,234"));
    QTest::newRow("LengthOfPayoffTime text") << "LengthOfPayoffTime" << QVariant(QStringLiteral("15 Yrs 5 Mos"));
    QTest::newRow("other case is null") << "title" << QVariant();
    QTest::newRow("trailing space is null") << "Balance " << QVariant();
    QTest::newRow("empty name is null") << "" << QVariant();
    QTest::newRow("grid field is not a single-record field") << "Pmt" << QVariant();
}

void TestReportFields::fieldValue()
{
    QFETCH(QString, name);
    QFETCH(QVariant, expected);
    const QVariant actual = ToVariant(report::FieldValue(name, Window()));
    QCOMPARE(actual.typeId(), expected.typeId());
    QCOMPARE(actual, expected);
}

void TestReportFields::minPmtReadsTheLocaleThatWroteIt_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QVariant>("expected");

    QTest::newRow("English grouping") << kEnglish << "1,234.56" << QVariant(1234.56);
    // Removing every "," would read this as 1.23456.
    QTest::newRow("German grouping and decimal comma") << kGerman << "1.234,56" << QVariant(1234.56);
    QTest::newRow("German plain") << kGerman << "53,00" << QVariant(53.0);
    QTest::newRow("empty label is null") << kEnglish << "" << QVariant();
    QTest::newRow("no number is null") << kEnglish << "n/a" << QVariant();
}

void TestReportFields::minPmtReadsTheLocaleThatWroteIt()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, text);
    QFETCH(QVariant, expected);
    report::FieldSource source = Window(locale);
    source.minPmtText = text;
    QCOMPARE(ToVariant(report::FieldValue(QStringLiteral("MinPmt"), source)), expected);
}

void TestReportFields::fieldText_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<report::FieldType>("type");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("expected");

    const QString money = QStringLiteral("#,0.00;(#,0.00)");
    const QString minus = QStringLiteral("#,0.00;-#,0.00");
    QTest::newRow("null prints blank") << QVariant() << FieldType::Float << money << kEnglish << "";
    QTest::newRow("double 1234.56") << QVariant(1234.56) << FieldType::Float << money << kEnglish << "1,234.56";
    QTest::newRow("text 1,234.56 both ways") << QVariant(QStringLiteral("1,234.56")) << FieldType::Float << money
                                             << kEnglish << "1,234.56";
    QTest::newRow("integer 100 as 100.00") << QVariant(100) << FieldType::Integer << money << kEnglish << "100.00";
    QTest::newRow("integer 5 as 5.00") << QVariant(5) << FieldType::Integer << money << kEnglish << "5.00";
    QTest::newRow("true Yes") << QVariant(true) << FieldType::Boolean << "Yes;No" << kEnglish << "Yes";
    QTest::newRow("false No") << QVariant(false) << FieldType::Boolean << "Yes;No" << kEnglish << "No";
    QTest::newRow("negative in parentheses") << QVariant(-12.34) << FieldType::Float << money << kEnglish
                                             << "(12.34)";
    QTest::newRow("negative with minus") << QVariant(-12.34) << FieldType::Float << minus << kEnglish << "-12.34";
    QTest::newRow("negative text in parentheses")
        << QVariant(QStringLiteral("-12.34")) << FieldType::Float << money << kEnglish << "(12.34)";
    QTest::newRow("one decimal percent") << QVariant(2.5) << FieldType::Float << "#,0.0;(#,0.0)" << kEnglish
                                         << "2.5";
    QTest::newRow("count 1,234 on the title page")
        << QVariant(QStringLiteral("1,234")) << FieldType::Integer << "#,0;-#,0" << kEnglish << "1,234";
    QTest::newRow("count 1234 in the column") << QVariant(1234) << FieldType::Integer << "" << kEnglish << "1234";
    QTest::newRow("general format, 15 digits") << QVariant(0.1 + 0.2) << FieldType::Float << "" << kEnglish
                                               << "0.3";
    QTest::newRow("text no number prints blank")
        << QVariant(QStringLiteral("abc")) << FieldType::Float << money << kEnglish << "";
    QTest::newRow("empty text prints blank") << QVariant(QString()) << FieldType::Float << money << kEnglish << "";
    QTest::newRow("German text converted")
        << QVariant(QStringLiteral("1.234,56")) << FieldType::Float << money << kGerman << "1.234,56";
    QTest::newRow("German double") << QVariant(50000.0) << FieldType::Float << money << kGerman << "50.000,00";
    QTest::newRow("text field prints text")
        << QVariant(QStringLiteral("15 Yrs 5 Mos")) << FieldType::Text << "" << kEnglish << "15 Yrs 5 Mos";
    QTest::newRow("rounded to the section") << QVariant(0.005) << FieldType::Float << money << kEnglish << "0.01";
}

void TestReportFields::fieldText()
{
    QFETCH(QVariant, value);
    QFETCH(report::FieldType, type);
    QFETCH(QString, format);
    QFETCH(QLocale, locale);
    QFETCH(QString, expected);
    QCOMPARE(report::FieldText(FromVariant(value), type, format, locale), expected);
}

QTEST_GUILESS_MAIN(TestReportFields)
#include "tst_reportfields.moc"

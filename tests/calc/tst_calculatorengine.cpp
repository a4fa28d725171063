// The pop-up calculator's engine: key sequences, their display and result,
// the error state and the bounds no key sequence may break.

#include "calc/calculatorengine.h"

#include <QRandomGenerator>
#include <QTest>

#include <cmath>

using calc::CalculatorEngine;

namespace {

// Types a sequence: the characters of CalculatorEngine::keyForChar.
void type(CalculatorEngine &engine, const QString &keys)
{
    for (QChar c : keys) {
        const std::optional<CalculatorEngine::Key> key = CalculatorEngine::keyForChar(c);
        QVERIFY2(key.has_value(), qPrintable(QStringLiteral("no key for '%1'").arg(c)));
        engine.press(*key);
    }
}

QString resultText(const CalculatorEngine &engine)
{
    const std::optional<calc::Decimal> r = engine.resultDecimal();
    return r ? r->toPlainString() : QStringLiteral("none");
}

} // namespace

class TestCalculatorEngine : public QObject
{
    Q_OBJECT
private slots:
    void keySequences_data();
    void keySequences();
    void startValue_data();
    void startValue();
    void localeDisplay();
    void randomKeysKeepDisplayAndResultInStep();
};

void TestCalculatorEngine::keySequences_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("display");  // under the C locale
    QTest::addColumn<QString>("result");   // plain decimal, or "none"

    QTest::newRow("digits") << "60000" << "60000" << "60000";
    QTest::newRow("no leading zeros") << "007" << "7" << "7";
    QTest::newRow("point and comma both decimal") << "1,5+1.25=" << "2.75" << "2.75";
    QTest::newRow("lone point") << "." << "0." << "0";
    QTest::newRow("second point ignored") << "1.2.3" << "1.23" << "1.23";
    QTest::newRow("immediate execution") << "2+3*4=" << "20" << "20";
    QTest::newRow("operator replaces operator") << "5+*3=" << "15" << "15";
    QTest::newRow("equals without entry uses shown") << "5+=" << "10" << "10";
    QTest::newRow("subtraction below zero") << "3-5=" << "-2" << "-2";
    QTest::newRow("negate entry") << "2100\u00B1" << "-2100" << "-2100";
    QTest::newRow("negate zero stays zero") << "0\u00B1" << "0" << "0";
    QTest::newRow("negate result") << "2+3=\u00B1" << "-5" << "-5";
    QTest::newRow("decimal sum exact") << "0.1+0.2=" << "0.3" << "0.3";
    QTest::newRow("division rounded to ten decimals") << "2/3=" << "0.6666666667" << "0.6666666667";
    QTest::newRow("result after pending operator") << "12+" << "12" << "12";
    QTest::newRow("chain after equals") << "2+3=*2=" << "10" << "10";
    QTest::newRow("digit after equals starts anew") << "2+3=7=" << "7" << "7";
    QTest::newRow("clear") << "12+3C4=" << "4" << "4";
    QTest::newRow("back-space") << "123\b" << "12" << "12";
    QTest::newRow("back-space to nothing") << "7\b" << "0" << "0";
    QTest::newRow("back-space removes point") << "1.\b5" << "15" << "15";
    QTest::newRow("back-space on a result ignored") << "2+3=\b" << "5" << "5";
    QTest::newRow("entry bounded to 15 digits") << "1234567890123456789" << "123456789012345" << "123456789012345";
    QTest::newRow("entry bounded to 10 decimals") << "0.123456789012" << "0.1234567890" << "0.123456789";
    QTest::newRow("division by zero") << "5/0=" << "Error" << "none";
    QTest::newRow("division by zero via chain") << "5/0+" << "Error" << "none";
    QTest::newRow("error ignores operators and equals") << "5/0=+=\b" << "Error" << "none";
    QTest::newRow("digit after error starts anew") << "5/0=7" << "7" << "7";
    QTest::newRow("clear after error") << "5/0=C" << "0" << "0";
    QTest::newRow("overflow") << "999999999999999*10=" << "Error" << "none";
    QTest::newRow("largest number") << "999999999999999+0=" << "999999999999999" << "999999999999999";
    QTest::newRow("result rounded to 15 digits") << "99999999999.9999*3=" << "300000000000" << "300000000000";
}

void TestCalculatorEngine::keySequences()
{
    QFETCH(QString, keys);
    QFETCH(QString, display);
    QFETCH(QString, result);
    CalculatorEngine engine;
    type(engine, keys);
    QCOMPARE(engine.display(QLocale::c()), display);
    QCOMPARE(resultText(engine), result);
    QCOMPARE(engine.hasError(), result == u"none");
}

void TestCalculatorEngine::startValue_data()
{
    QTest::addColumn<double>("start");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("display");

    QTest::newRow("balance") << 2100.0 << "" << "2100";
    QTest::newRow("rate") << 17.9 << "" << "17.9";
    QTest::newRow("typing replaces the start value") << 2100.0 << "5" << "5";
    QTest::newRow("operator continues from it") << 2100.0 << "+0.5=" << "2100.5";
    QTest::newRow("negative") << -12.5 << "" << "-12.5";
    QTest::newRow("too large starts at zero") << 1e20 << "" << "0";
    QTest::newRow("not a number starts at zero") << double(NAN) << "" << "0";
    QTest::newRow("infinity starts at zero") << double(INFINITY) << "" << "0";
}

void TestCalculatorEngine::startValue()
{
    QFETCH(double, start);
    QFETCH(QString, keys);
    QFETCH(QString, display);
    CalculatorEngine engine;
    type(engine, QStringLiteral("9+"));  // start() forgets everything before it
    engine.start(start);
    type(engine, keys);
    QCOMPARE(engine.display(QLocale::c()), display);
    QVERIFY(engine.result().has_value());
}

void TestCalculatorEngine::localeDisplay()
{
    const QLocale german(QLocale::German, QLocale::Germany);
    CalculatorEngine engine;
    engine.start(-2100.5);
    QCOMPARE(engine.display(german), QStringLiteral("-2100,5"));
    type(engine, QStringLiteral("1.5"));
    QCOMPARE(engine.display(german), QStringLiteral("1,5"));
    type(engine, QStringLiteral("\b\b"));
    QCOMPARE(engine.display(german), QStringLiteral("1"));
}

void TestCalculatorEngine::randomKeysKeepDisplayAndResultInStep()
{
    // Whatever is pressed, the display is a number the engine can return (or
    // "Error" with no result), within the engine's size bounds.
    const QString keys = QStringLiteral("0123456789.+-*/=C\u00B1\b99999");
    QRandomGenerator random(20261211);
    CalculatorEngine engine;
    for (int i = 0; i < 50000; ++i) {
        type(engine, QString(keys.at(random.bounded(int(keys.size())))));
        const QString shown = engine.display(QLocale::c());
        const std::optional<long double> r = engine.result();
        if (engine.hasError()) {
            QCOMPARE(shown, QStringLiteral("Error"));
            QVERIFY(!r);
            continue;
        }
        QVERIFY(r.has_value());
        QVERIFY(std::isfinite(*r));
        QVERIFY(std::fabs(*r) < 1e15L);
        QVERIFY2(shown.size() <= 1 + CalculatorEngine::MaxDigits + 1, qPrintable(shown));
        QString plain = shown;
        if (plain.endsWith(u'.'))
            plain.chop(1);
        const std::optional<calc::Decimal> read = calc::Decimal::fromText(plain);
        QVERIFY2(read.has_value(), qPrintable(shown));
        QCOMPARE(read->toPlainString(), resultText(engine));
    }
}

QTEST_APPLESS_MAIN(TestCalculatorEngine)
#include "tst_calculatorengine.moc"

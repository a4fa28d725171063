#include "calculatorengine.h"

#include <cmath>

namespace calc {

namespace {

const Decimal &limit()
{
    // 10^MaxDigits: the first number too large to show.
    static const Decimal value(Decimal::Mantissa(1'000'000'000'000'000), 0);
    return value;
}

Decimal magnitude(const Decimal &d)
{
    return d.isNegative() ? -d : d;
}

// The number rounded to what the calculator shows, or nothing when it is not
// a number or too large.
std::optional<Decimal> fit(long double x)
{
    if (!std::isfinite(x) || std::fabs(x) >= 1e15L)
        return std::nullopt;
    const long double ax = std::fabs(x);
    int intDigits = 1;
    for (long double p = 10; ax >= p && intDigits < CalculatorEngine::MaxDigits; p *= 10)
        ++intDigits;
    const int decimals = qMin(CalculatorEngine::MaxDecimals, CalculatorEngine::MaxDigits - intDigits);
    const std::optional<Decimal> d = Decimal::fromLongDouble(x);
    if (!d)
        return std::nullopt;
    const Decimal rounded = d->rounded(qMax(0, decimals)).normalized();
    if (magnitude(rounded) >= limit())
        return std::nullopt;
    return rounded;
}

} // namespace

void CalculatorEngine::clear()
{
    m_accumulator = Decimal();
    m_shown = Decimal();
    m_pending = Operator::None;
    m_entry.clear();
    m_entryNegative = false;
    m_typing = false;
    m_error = false;
}

void CalculatorEngine::start(long double value)
{
    clear();
    m_shown = fit(value).value_or(Decimal());
}

void CalculatorEngine::fail()
{
    clear();
    m_error = true;
}

void CalculatorEngine::startEntry()
{
    m_typing = true;
    m_entry.clear();
    m_entryNegative = false;
}

Decimal CalculatorEngine::shownValue() const
{
    if (!m_typing)
        return m_shown;
    QString text = m_entry;
    if (text.endsWith(u'.'))
        text.chop(1);
    if (text.isEmpty())
        return Decimal();
    const std::optional<Decimal> d = Decimal::fromText(text);
    if (!d)
        return Decimal(); // cannot happen: the entry holds only digits and one "."
    return m_entryNegative ? -*d : *d;
}

void CalculatorEngine::setShown(const Decimal &value)
{
    m_shown = value.normalized();
    m_typing = false;
    m_entry.clear();
    m_entryNegative = false;
}

void CalculatorEngine::pressDigit(int digit)
{
    if (digit < 0 || digit > 9)
        return;
    if (m_error)
        clear();
    if (!m_typing)
        startEntry();
    if (m_entry == u"0")
        m_entry.clear(); // no leading zeros
    int digits = 0;
    for (QChar c : std::as_const(m_entry))
        digits += c.isDigit() ? 1 : 0;
    const qsizetype point = m_entry.indexOf(u'.');
    if (digits >= MaxDigits || (point >= 0 && m_entry.size() - point - 1 >= MaxDecimals))
        return;
    if (m_entry.isEmpty() && digit == 0) {
        m_entry = QStringLiteral("0");
        return;
    }
    m_entry.append(QChar(u'0' + digit));
}

void CalculatorEngine::pressDecimal()
{
    if (m_error)
        clear();
    if (!m_typing)
        startEntry();
    if (m_entry.contains(u'.'))
        return;
    if (m_entry.isEmpty())
        m_entry = QStringLiteral("0");
    m_entry.append(u'.');
}

bool CalculatorEngine::applyPending(const Decimal &operand)
{
    const Operator pending = m_pending;
    m_pending = Operator::None;
    const long double a = m_accumulator.toLongDouble();
    const long double b = operand.toLongDouble();
    long double r = b;
    switch (pending) {
    case Operator::Add: r = a + b; break;
    case Operator::Subtract: r = a - b; break;
    case Operator::Multiply: r = a * b; break;
    case Operator::Divide:
        if (operand.isZero()) {
            fail();
            return false;
        }
        r = a / b;
        break;
    case Operator::None: break;
    }
    const std::optional<Decimal> value = fit(r);
    if (!value) {
        fail();
        return false;
    }
    m_accumulator = *value;
    return true;
}

void CalculatorEngine::pressOperator(Operator op)
{
    if (m_error || op == Operator::None)
        return;
    if (m_typing || m_pending == Operator::None) {
        // A new entry (or the shown result) becomes the left operand, after
        // the pending operator, if any, has been applied to it.
        if (!applyPending(shownValue()))
            return;
        setShown(m_accumulator);
    }
    // Right after another operator: the new one replaces it.
    m_pending = op;
}

void CalculatorEngine::pressEquals()
{
    if (m_error)
        return;
    if (!applyPending(shownValue()))
        return;
    setShown(m_accumulator);
    m_accumulator = Decimal();
}

void CalculatorEngine::pressBackspace()
{
    if (m_error || !m_typing || m_entry.isEmpty())
        return;
    m_entry.chop(1);
    if (m_entry.isEmpty() || m_entry == u"0")
        m_entryNegative = false;
}

void CalculatorEngine::pressNegate()
{
    if (m_error)
        return;
    if (m_typing) {
        if (!shownValue().isZero())
            m_entryNegative = !m_entryNegative;
        return;
    }
    m_shown = -m_shown;
}

void CalculatorEngine::press(Key key)
{
    switch (key) {
    case Key::Digit0: case Key::Digit1: case Key::Digit2: case Key::Digit3: case Key::Digit4:
    case Key::Digit5: case Key::Digit6: case Key::Digit7: case Key::Digit8: case Key::Digit9:
        pressDigit(int(key) - int(Key::Digit0));
        break;
    case Key::Decimal: pressDecimal(); break;
    case Key::Add: pressOperator(Operator::Add); break;
    case Key::Subtract: pressOperator(Operator::Subtract); break;
    case Key::Multiply: pressOperator(Operator::Multiply); break;
    case Key::Divide: pressOperator(Operator::Divide); break;
    case Key::Equals: pressEquals(); break;
    case Key::Backspace: pressBackspace(); break;
    case Key::Clear: clear(); break;
    case Key::Negate: pressNegate(); break;
    }
}

std::optional<CalculatorEngine::Key> CalculatorEngine::keyForChar(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return Key(int(Key::Digit0) + (u - u'0'));
    switch (u) {
    case u'.': case u',': return Key::Decimal;
    case u'+': return Key::Add;
    case u'-': case u'\u2212': return Key::Subtract;
    case u'*': case u'x': case u'X': case u'\u00D7': return Key::Multiply;
    case u'/': case u'\u00F7': return Key::Divide;
    case u'=': return Key::Equals;
    case u'c': case u'C': return Key::Clear;
    case u'\u00B1': return Key::Negate;
    case u'\b': return Key::Backspace;
    default: return std::nullopt;
    }
}

QString CalculatorEngine::display(const QLocale &locale) const
{
    if (m_error)
        return QStringLiteral("Error");
    QString text;
    bool negative = false;
    if (m_typing) {
        text = m_entry.isEmpty() ? QStringLiteral("0") : m_entry;
        negative = m_entryNegative;
    } else {
        text = magnitude(m_shown).toPlainString();
        negative = m_shown.isNegative();
    }
    text.replace(u'.', locale.decimalPoint());
    return negative ? locale.negativeSign() + text : text;
}

std::optional<Decimal> CalculatorEngine::resultDecimal() const
{
    if (m_error)
        return std::nullopt;
    return shownValue();
}

std::optional<long double> CalculatorEngine::result() const
{
    const std::optional<Decimal> d = resultDecimal();
    if (!d)
        return std::nullopt;
    return d->toLongDouble();
}

} // namespace calc

#pragma once

// CalculatorEngine: the keys and arithmetic of the numeric fields' pop-up
// calculator, without any widget.
//
// It works like a pocket calculator with immediate execution: "2 + 3 × 4 ="
// gives 20. An operator key after a new entry first applies the pending
// operator; an operator key right after another replaces it; "=" with no new
// entry uses the shown number as the right operand ("5 + =" gives 10).
//
// Every number the engine holds is a decimal of at most MaxDigits significant
// digits and MaxDecimals decimals, below 10^MaxDigits in size: each result is
// rounded half away from zero to fit. A division by zero or a result too large
// puts the engine into its error state: the display reads "Error", result() is
// empty, operator, "=" and back-space keys are ignored, and a digit, the
// decimal key or clear start afresh. No key sequence can make it fail.

#include "decimal.h"

#include <QChar>
#include <QLocale>
#include <QString>

#include <optional>

namespace calc {

class CalculatorEngine
{
public:
    static constexpr int MaxDigits = 15;
    static constexpr int MaxDecimals = 10;

    enum class Operator { None, Add, Subtract, Multiply, Divide };
    enum class Key {
        Digit0, Digit1, Digit2, Digit3, Digit4, Digit5, Digit6, Digit7, Digit8, Digit9,
        Decimal, Add, Subtract, Multiply, Divide, Equals, Backspace, Clear, Negate
    };

    CalculatorEngine() = default;

    // Clears everything and shows `value` (rounded to fit; 0 when it does not
    // fit or is not a number). A digit typed next replaces it.
    void start(long double value);
    void clear();

    void pressDigit(int digit);        // 0..9; anything else is ignored
    void pressDecimal();
    void pressOperator(Operator op);
    void pressEquals();
    void pressBackspace();              // removes the last typed character
    void pressNegate();                 // changes the sign of the shown number
    void press(Key key);

    // The key a typed character stands for: digits, "." and "," (decimal
    // point), + - * / x × ÷, "=", "c"/"C" (clear), "±" (negate) and
    // back-space (U+0008).
    static std::optional<Key> keyForChar(QChar c);

    // The shown number with the locale's decimal separator and minus sign and
    // no grouping ("2100", "-0,5", "12." while typing "12."), or "Error".
    QString display(const QLocale &locale) const;
    // The shown number; empty in the error state.
    std::optional<long double> result() const;
    std::optional<Decimal> resultDecimal() const;

    bool hasError() const { return m_error; }
    Operator pendingOperator() const { return m_pending; }
    bool isTyping() const { return m_typing; }

private:
    Decimal shownValue() const;
    void setShown(const Decimal &value);
    void startEntry();
    bool applyPending(const Decimal &operand); // false: now in the error state
    void fail();

    Decimal m_accumulator;             // left operand of the pending operator
    Decimal m_shown;                   // the shown number when not typing
    Operator m_pending = Operator::None;
    QString m_entry;                   // typed digits and ".", no sign
    bool m_entryNegative = false;
    bool m_typing = false;
    bool m_error = false;
};

} // namespace calc

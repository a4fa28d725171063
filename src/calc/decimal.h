#pragma once

#include <QString>
#include <QtGlobal>

#include <compare>
#include <cstdint>
#include <optional>

namespace calc {

// An exact decimal number: an integer count of units of 10^-scale.
//
// Amounts, rates and percents of the payoff schedule are carried as exact
// decimals, so every rounding step happens exactly where the schedule names one
// and nowhere else. Values that arrive as binary floating point (a long double
// from a widget) enter through fromLongDouble(), which reads the value's
// 18-significant-digit decimal form, the same form the number texts round on.
class Decimal
{
public:
    using Mantissa = __int128;
    static constexpr int MaxScale = 18;         // decimals held at most
    static constexpr int MaxIntegerDigits = 20; // integer digits fromText() admits

    constexpr Decimal() = default;
    constexpr Decimal(Mantissa units, int scale) : m_units(units), m_scale(scale) {}
    constexpr Decimal(int whole) : m_units(whole), m_scale(0) {} // NOLINT: implicit by design
    static constexpr Decimal fromCents(std::int64_t cents) { return Decimal(cents, 2); }

    // The value's 18-significant-digit decimal form (the 18th digit rounded to
    // nearest), kept to at most MaxScale decimals. Not-a-number and infinities
    // give std::nullopt.
    static std::optional<Decimal> fromLongDouble(long double value);
    static std::optional<Decimal> fromDouble(double value) { return fromLongDouble(value); }

    // Exact parse of a plain decimal text: optional sign, digits, optional "."
    // and digits, optional exponent "e±NN"; decimals beyond MaxScale are
    // rounded half away from zero. No grouping, no locale. Anything else, or
    // more than MaxIntegerDigits integer digits, gives std::nullopt.
    static std::optional<Decimal> fromText(QStringView text);

    Mantissa units() const { return m_units; }
    int scale() const { return m_scale; }

    // Half away from zero to `decimals` places (the only rounding rule of the
    // payoff schedule). Rounding to more places than held is exact.
    Decimal rounded(int decimals) const;
    // Units of 10^-decimals after rounded(decimals); e.g. cents for 2.
    // `decimals` is taken within 0 to MaxScale.
    Mantissa roundedUnits(int decimals) const;
    // The quotient num / den rounded half away from zero to `decimals` places.
    // den must not be zero.
    static Decimal divideRounded(const Decimal &num, const Decimal &den, int decimals);

    // The same value with trailing zero decimals removed.
    Decimal normalized() const;
    // The same value at exactly `scale` decimals (only raises the scale).
    Decimal withScale(int scale) const;

    bool isZero() const { return m_units == 0; }
    bool isNegative() const { return m_units < 0; }
    int sign() const { return m_units > 0 ? 1 : (m_units < 0 ? -1 : 0); }

    // The nearest long double / double to the exact decimal value.
    long double toLongDouble() const;
    double toDouble() const;

    // Plain text: "-" for negatives, "." as decimal point, no grouping,
    // no trailing zero decimals ("4645.285", "53", "0.0149167").
    QString toPlainString() const;
    // Plain text with exactly `decimals` places (at most MaxScale), rounded
    // half away from zero.
    QString toFixedString(int decimals) const;

    friend Decimal operator+(const Decimal &a, const Decimal &b);
    friend Decimal operator-(const Decimal &a, const Decimal &b);
    friend Decimal operator*(const Decimal &a, const Decimal &b);
    Decimal operator-() const { return Decimal(-m_units, m_scale); }
    Decimal &operator+=(const Decimal &b) { return *this = *this + b; }
    Decimal &operator-=(const Decimal &b) { return *this = *this - b; }

    friend std::strong_ordering operator<=>(const Decimal &a, const Decimal &b);
    friend bool operator==(const Decimal &a, const Decimal &b) { return (a <=> b) == 0; }

private:
    Mantissa m_units = 0;
    int m_scale = 0;
};

} // namespace calc

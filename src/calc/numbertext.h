#pragma once

#include "decimal.h"

#include <QLocale>
#include <QString>

#include <optional>

// Number texts of the calculator: the fixed and grouped forms the schedule
// rounds through, and the display-format patterns of fields, grid and report.
// Every function takes the QLocale whose separators it uses; nothing here reads
// global locale state.
namespace calc {

// The value with exactly `decimals` places and no grouping, rounded half away
// from zero on its 18-significant-digit form; the zero form has no sign.
QString FormatFixed(const Decimal &value, int decimals, const QLocale &locale);
QString FormatFixed(long double value, int decimals, const QLocale &locale);

// As FormatFixed, with the integer digits grouped by threes with the locale's
// group separator.
QString FormatNumber(const Decimal &value, int decimals, const QLocale &locale);
QString FormatNumber(long double value, int decimals, const QLocale &locale);

// FormatFixed's text read back as a number. Formatting and parsing share the
// separator, so the result is the same under every locale: the value rounded
// half away from zero to `decimals` places (as the nearest long double).
long double RoundThroughText(long double value, int decimals);

// A display-format pattern: one or two sections separated by ";" (the second
// for negative values, printed without their minus sign). "0" is a digit that
// always prints, "#" one that prints only when significant, a "," before the
// decimal point groups the thousands, "." is the decimal point; other
// characters print literally. Examples: "#,##0.00;(#,##0.00)", "#,###,##0.00",
// "#,0;-#,0", "#,##0".
QString FormatPattern(const Decimal &value, QStringView pattern, const QLocale &locale);
QString FormatPattern(long double value, QStringView pattern, const QLocale &locale);

// Reads a number as the locale writes it: optional "-" or enclosing
// parentheses (negative), the locale's group separators ignored wherever they
// stand in the integer part, the locale's decimal separator. Surrounding
// spaces are allowed. Returns std::nullopt for anything else (an empty text
// included).
std::optional<Decimal> ParseNumberText(QStringView text, const QLocale &locale);

} // namespace calc

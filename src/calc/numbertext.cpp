#include "numbertext.h"

#include <algorithm>

namespace calc {
namespace {

// Inserts the group separator between groups of three integer digits.
QString grouped(const QString &digits, const QString &separator)
{
    if (digits.size() <= 3 || separator.isEmpty())
        return digits;
    QString out;
    out.reserve(digits.size() + digits.size() / 3 * separator.size());
    const qsizetype lead = digits.size() % 3;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (i - lead) % 3 == 0)
            out += separator;
        out += digits[i];
    }
    return out;
}

// The rounded magnitude's integer and fraction digits: `decimals` fraction
// digits, halves away from zero.
struct Digits
{
    QString integer;
    QString fraction;
    bool negative = false; // the value is negative and not all digits are zero
};

Digits splitDigits(const Decimal &value, int decimals)
{
    const QString fixed = value.toFixedString(decimals);
    Digits d;
    QStringView view(fixed);
    if (view.startsWith(u'-')) {
        d.negative = true;
        view = view.mid(1);
    }
    const qsizetype point = view.indexOf(u'.');
    d.integer = (point < 0 ? view : view.left(point)).toString();
    if (point >= 0)
        d.fraction = view.mid(point + 1).toString();
    return d;
}

QString fixedText(const Decimal &value, int decimals, const QLocale &locale, bool group)
{
    const Digits d = splitDigits(value, decimals);
    QString out;
    if (d.negative)
        out += u'-';
    out += group ? grouped(d.integer, locale.groupSeparator()) : d.integer;
    if (decimals > 0)
        out += locale.decimalPoint() + d.fraction;
    return out;
}

// One section of a display-format pattern: literal text around the digit
// placeholders.
struct PatternSection
{
    QStringView prefix;
    QStringView suffix;
    int decimals = 0;     // placeholders after the point
    int minDecimals = 0;  // "0" placeholders after the point
    int minInteger = 0;   // "0" placeholders before the point
    bool grouping = false;
};

PatternSection parseSection(QStringView s)
{
    auto isPlaceholder = [](QChar c) { return c == u'0' || c == u'#' || c == u',' || c == u'.'; };
    PatternSection p;
    qsizetype first = -1, last = -1;
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] == u'0' || s[i] == u'#') {
            if (first < 0)
                first = i;
            last = i;
        }
    }
    if (first < 0) {
        p.prefix = s;
        return p;
    }
    while (first > 0 && isPlaceholder(s[first - 1]))
        --first;
    p.prefix = s.left(first);
    p.suffix = s.mid(last + 1);
    const QStringView number = s.mid(first, last - first + 1);
    const qsizetype point = number.indexOf(u'.');
    const QStringView integer = point < 0 ? number : number.left(point);
    const QStringView fraction = point < 0 ? QStringView() : number.mid(point + 1);
    p.decimals = std::min(int(fraction.count(u'0') + fraction.count(u'#')), Decimal::MaxScale);
    p.minDecimals = std::min(int(fraction.count(u'0')), p.decimals);
    p.minInteger = int(integer.count(u'0'));
    p.grouping = integer.contains(u',');
    return p;
}

bool isAllZero(const Digits &d)
{
    return d.integer.count(u'0') == d.integer.size() && d.fraction.count(u'0') == d.fraction.size();
}

// The digits laid out by the section, without any sign.
QString formatSection(const Digits &digits, const PatternSection &section, const QLocale &locale)
{
    QString integer = digits.integer;
    if (integer == u"0" && section.minInteger == 0)
        integer.clear();
    while (integer.size() < section.minInteger)
        integer.prepend(u'0');
    QString fraction = digits.fraction;
    while (fraction.size() > section.minDecimals && fraction.endsWith(u'0'))
        fraction.chop(1);
    QString out = section.prefix.toString();
    out += section.grouping ? grouped(integer, locale.groupSeparator()) : integer;
    if (!fraction.isEmpty())
        out += locale.decimalPoint() + fraction;
    out += section.suffix;
    return out;
}

Decimal fromLongDoubleOrZero(long double value)
{
    return Decimal::fromLongDouble(value).value_or(Decimal());
}

bool isSpaceLike(QChar c)
{
    return c == u' ' || c == QChar(0x00A0) || c == QChar(0x202F) || c == QChar(0x2009);
}

bool isApostropheLike(QChar c)
{
    return c == u'\'' || c == QChar(0x2019);
}

} // namespace

QString FormatFixed(const Decimal &value, int decimals, const QLocale &locale)
{
    return fixedText(value, decimals, locale, false);
}

QString FormatFixed(long double value, int decimals, const QLocale &locale)
{
    return FormatFixed(fromLongDoubleOrZero(value), decimals, locale);
}

QString FormatNumber(const Decimal &value, int decimals, const QLocale &locale)
{
    return fixedText(value, decimals, locale, true);
}

QString FormatNumber(long double value, int decimals, const QLocale &locale)
{
    return FormatNumber(fromLongDoubleOrZero(value), decimals, locale);
}

long double RoundThroughText(long double value, int decimals)
{
    return fromLongDoubleOrZero(value).rounded(decimals).toLongDouble();
}

QString FormatPattern(const Decimal &value, QStringView pattern, const QLocale &locale)
{
    const qsizetype semicolon = pattern.indexOf(u';');
    if (semicolon >= 0 && value.isNegative()) {
        // The negative section prints the magnitude; its text supplies the sign.
        // A value that rounds to zero there prints as zero.
        const PatternSection negative = parseSection(pattern.mid(semicolon + 1));
        const Digits magnitude = splitDigits(-value, negative.decimals);
        if (!isAllZero(magnitude))
            return formatSection(magnitude, negative, locale);
        const PatternSection positive = parseSection(pattern.left(semicolon));
        return formatSection(splitDigits(Decimal(), positive.decimals), positive, locale);
    }
    const PatternSection section = parseSection(semicolon < 0 ? pattern : pattern.left(semicolon));
    const Digits digits = splitDigits(value, section.decimals);
    return (digits.negative ? QStringLiteral("-") : QString()) + formatSection(digits, section, locale);
}

QString FormatPattern(long double value, QStringView pattern, const QLocale &locale)
{
    return FormatPattern(fromLongDoubleOrZero(value), pattern, locale);
}

std::optional<Decimal> ParseNumberText(QStringView text, const QLocale &locale)
{
    QStringView t = text.trimmed();
    bool negative = false;
    if (t.size() >= 2 && t.front() == u'(' && t.back() == u')') {
        negative = true;
        t = t.mid(1, t.size() - 2).trimmed();
    }
    const QString minus = locale.negativeSign();
    if (t.startsWith(u'-') || (!minus.isEmpty() && t.startsWith(minus))) {
        if (negative)
            return std::nullopt;
        negative = true;
        t = t.mid(t.startsWith(u'-') ? 1 : minus.size());
    }
    const QString decimalPoint = locale.decimalPoint();
    const QString group = locale.groupSeparator();
    const bool spaceGroup = group.size() == 1 && isSpaceLike(group[0]);
    const bool apostropheGroup = group.size() == 1 && isApostropheLike(group[0]);

    QString plain;
    plain.reserve(t.size());
    bool seenPoint = false;
    bool seenDigit = false;
    for (qsizetype i = 0; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c >= u'0' && c <= u'9') {
            plain += c;
            seenDigit = true;
        } else if (!seenPoint && t.mid(i).startsWith(decimalPoint)) {
            plain += u'.';
            seenPoint = true;
            i += decimalPoint.size() - 1;
        } else if (!seenPoint && seenDigit
                   && ((!group.isEmpty() && t.mid(i).startsWith(group))
                       || (spaceGroup && isSpaceLike(c)) || (apostropheGroup && isApostropheLike(c)))) {
            if (!group.isEmpty() && t.mid(i).startsWith(group))
                i += group.size() - 1;
        } else {
            return std::nullopt;
        }
    }
    if (!seenDigit)
        return std::nullopt;
    auto value = Decimal::fromText(plain);
    if (value && negative)
        value = -*value;
    return value;
}

} // namespace calc

#include "decimal.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace calc {
namespace {

using M = Decimal::Mantissa;

constexpr std::array<M, 39> makePowers()
{
    std::array<M, 39> p{};
    p[0] = 1;
    for (std::size_t i = 1; i < p.size(); ++i)
        p[i] = p[i - 1] * 10;
    return p;
}
constexpr auto kPow10 = makePowers();

M pow10(int n) { return kPow10[static_cast<std::size_t>(n)]; }

M absValue(M v) { return v < 0 ? -v : v; }

// n / d rounded half away from zero; d > 0.
M divRoundHalfAway(M n, M d)
{
    M q = n / d;
    M r = n % d;
    if (absValue(r) * 2 >= d)
        q += (n < 0) ? -1 : 1;
    return q;
}

// Brings a and b to the larger of their scales.
void align(const Decimal &a, const Decimal &b, M &ua, M &ub, int &scale)
{
    scale = std::max(a.scale(), b.scale());
    ua = a.units() * pow10(scale - a.scale());
    ub = b.units() * pow10(scale - b.scale());
}

// Appends the decimal digits of v >= 0.
void appendDigits(std::string &out, M v)
{
    char buf[48];
    int n = 0;
    do {
        buf[n++] = char('0' + int(v % 10));
        v /= 10;
    } while (v > 0);
    while (n > 0)
        out.push_back(buf[--n]);
}

} // namespace

std::optional<Decimal> Decimal::fromLongDouble(long double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    if (value == 0.0L)
        return Decimal();
    if (std::fabs(value) >= 1e20L)
        return std::nullopt;
    // 18 significant digits: d.ddddddddddddddddde±x
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 17);
    if (res.ec != std::errc())
        return std::nullopt;
    std::string_view text(buf, std::size_t(res.ptr - buf));
    bool negative = false;
    std::size_t i = 0;
    if (text[i] == '-') {
        negative = true;
        ++i;
    }
    M digits = 0;
    int count = 0;
    for (; i < text.size() && text[i] != 'e'; ++i) {
        if (text[i] == '.')
            continue;
        digits = digits * 10 + (text[i] - '0');
        ++count;
    }
    int exponent = std::atoi(std::string(text.substr(i + 1)).c_str());
    // value = digits × 10^(exponent - (count - 1))
    int scale = (count - 1) - exponent;
    if (scale < 0) {
        digits *= pow10(-scale);
        scale = 0;
    } else if (scale > MaxScale) {
        const int drop = scale - MaxScale;
        digits = drop >= 38 ? 0 : divRoundHalfAway(digits, pow10(drop));
        scale = MaxScale;
    }
    return Decimal(negative ? -digits : digits, scale).normalized();
}

std::optional<Decimal> Decimal::fromText(QStringView text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    bool negative = false;
    if (i < n && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    M units = 0;
    int significant = 0; // digits held in units, leading zeros excluded
    int scale = 0;
    bool anyDigit = false;
    bool seenPoint = false;
    M dropped = 0;        // first digit dropped beyond MaxScale decides the rounding
    bool droppedAny = false;
    for (; i < n; ++i) {
        const QChar c = text[i];
        if (c == u'.') {
            if (seenPoint)
                return std::nullopt;
            seenPoint = true;
            continue;
        }
        if (c < u'0' || c > u'9')
            break;
        anyDigit = true;
        const int d = c.unicode() - u'0';
        if (seenPoint && scale >= MaxScale) {
            if (!droppedAny) {
                dropped = d;
                droppedAny = true;
            }
            continue;
        }
        if (significant >= 36)
            return std::nullopt; // far beyond any amount the calculator handles
        units = units * 10 + d;
        if (units != 0)
            ++significant;
        if (seenPoint)
            ++scale;
    }
    if (!anyDigit)
        return std::nullopt;
    if (droppedAny && dropped >= 5)
        units += 1;
    // At most 20 integer digits: no amount, rate or percent comes near it, and
    // every text form stays within the mantissa.
    if (significant - scale > MaxIntegerDigits)
        return std::nullopt;
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        ++i;
        bool expNegative = false;
        if (i < n && (text[i] == u'-' || text[i] == u'+')) {
            expNegative = text[i] == u'-';
            ++i;
        }
        int exponent = 0;
        bool expDigit = false;
        for (; i < n && text[i] >= u'0' && text[i] <= u'9'; ++i) {
            exponent = exponent * 10 + (text[i].unicode() - u'0');
            expDigit = true;
            if (exponent > 60)
                return std::nullopt;
        }
        if (!expDigit)
            return std::nullopt;
        if (expNegative) {
            scale += exponent;
            if (scale > MaxScale) {
                const int drop = scale - MaxScale;
                units = drop >= 38 ? 0 : divRoundHalfAway(units, pow10(drop));
                scale = MaxScale;
            }
        } else {
            const int up = std::min(exponent, scale);
            scale -= up;
            exponent -= up;
            if (significant - scale + exponent > MaxIntegerDigits)
                return std::nullopt;
            units *= pow10(exponent);
        }
    }
    if (i != n)
        return std::nullopt;
    return Decimal(negative ? -units : units, scale);
}

Decimal Decimal::rounded(int decimals) const
{
    if (decimals >= m_scale)
        return *this;
    return Decimal(divRoundHalfAway(m_units, pow10(m_scale - decimals)), decimals);
}

Decimal::Mantissa Decimal::roundedUnits(int decimals) const
{
    decimals = std::clamp(decimals, 0, MaxScale);
    if (decimals >= m_scale)
        return m_units * pow10(decimals - m_scale);
    return divRoundHalfAway(m_units, pow10(m_scale - decimals));
}

Decimal Decimal::divideRounded(const Decimal &num, const Decimal &den, int decimals)
{
    // num/den × 10^decimals = num.units × 10^(den.scale - num.scale + decimals) / den.units
    M n = num.m_units;
    M d = den.m_units;
    if (d < 0) {
        n = -n;
        d = -d;
    }
    const int e = den.m_scale - num.m_scale + decimals;
    if (e >= 0)
        n *= pow10(e);
    else
        d *= pow10(-e);
    return Decimal(divRoundHalfAway(n, d), decimals);
}

Decimal Decimal::normalized() const
{
    M u = m_units;
    int s = m_scale;
    while (s > 0 && u % 10 == 0) {
        u /= 10;
        --s;
    }
    return Decimal(u, s);
}

Decimal Decimal::withScale(int scale) const
{
    scale = std::min(scale, MaxScale);
    if (scale <= m_scale)
        return *this;
    return Decimal(m_units * pow10(scale - m_scale), scale);
}

long double Decimal::toLongDouble() const
{
    const std::string text = toPlainString().toStdString();
    long double v = 0;
    std::from_chars(text.data(), text.data() + text.size(), v);
    return v;
}

double Decimal::toDouble() const
{
    const std::string text = toPlainString().toStdString();
    double v = 0;
    std::from_chars(text.data(), text.data() + text.size(), v);
    return v;
}

QString Decimal::toPlainString() const
{
    const Decimal d = normalized();
    std::string out;
    if (d.m_units < 0)
        out.push_back('-');
    const M a = absValue(d.m_units);
    const M p = pow10(d.m_scale);
    appendDigits(out, a / p);
    if (d.m_scale > 0) {
        out.push_back('.');
        std::string frac;
        appendDigits(frac, a % p);
        out.append(std::size_t(d.m_scale) - frac.size(), '0');
        out += frac;
    }
    return QString::fromLatin1(out.data(), qsizetype(out.size()));
}

QString Decimal::toFixedString(int decimals) const
{
    decimals = std::clamp(decimals, 0, MaxScale);
    const Decimal r = rounded(decimals).withScale(decimals);
    std::string out;
    if (r.m_units < 0)
        out.push_back('-');
    const M a = absValue(r.m_units);
    const M p = pow10(decimals);
    appendDigits(out, a / p);
    if (decimals > 0) {
        out.push_back('.');
        std::string frac;
        appendDigits(frac, a % p);
        out.append(std::size_t(decimals) - frac.size(), '0');
        out += frac;
    }
    return QString::fromLatin1(out.data(), qsizetype(out.size()));
}

Decimal operator+(const Decimal &a, const Decimal &b)
{
    M ua, ub;
    int s;
    align(a, b, ua, ub, s);
    return Decimal(ua + ub, s);
}

Decimal operator-(const Decimal &a, const Decimal &b)
{
    M ua, ub;
    int s;
    align(a, b, ua, ub, s);
    return Decimal(ua - ub, s);
}

Decimal operator*(const Decimal &a, const Decimal &b)
{
    Decimal p(a.m_units * b.m_units, a.m_scale + b.m_scale);
    return p.m_scale > 36 ? p.rounded(36) : p;
}

std::strong_ordering operator<=>(const Decimal &a, const Decimal &b)
{
    M ua, ub;
    int s;
    align(a, b, ua, ub, s);
    return ua <=> ub;
}

} // namespace calc

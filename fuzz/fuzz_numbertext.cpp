// Reads arbitrary text as a number under several locales, and formats
// whatever it reads back through every text form.
#include "calc/numbertext.h"

#include <QLocale>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const QLocale locales[] = {QLocale::c(), QLocale(QLocale::English, QLocale::UnitedStates),
                                      QLocale(QLocale::German, QLocale::Germany),
                                      QLocale(QLocale::French, QLocale::France),
                                      QLocale(QLocale::German, QLocale::Switzerland)};
    if (size == 0)
        return 0;
    const QLocale &locale = locales[data[0] % std::size(locales)];
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));

    if (const auto d = calc::Decimal::fromText(text)) {
        (void)d->toPlainString();
        (void)d->toLongDouble();
    }
    const auto value = calc::ParseNumberText(text, locale);
    if (!value)
        return 0;
    // Below 10^18, the range of every amount, what the fixed form prints reads
    // back as the rounded value. (Above it, rounding may carry past the
    // longest number a text may hold, which then reads as no number.)
    static const calc::Decimal limit = *calc::Decimal::fromText(u"1e18");
    const bool inRange = *value < limit && -*value < limit;
    for (int decimals : {0, 1, 2, 7}) {
        const QString fixed = calc::FormatFixed(*value, decimals, locale);
        const auto back = calc::ParseNumberText(fixed, locale);
        if (inRange && (!back || *back != value->rounded(decimals)))
            __builtin_trap();
        (void)calc::FormatNumber(*value, decimals, locale);
    }
    (void)calc::FormatPattern(*value, u"#,##0.00;(#,##0.00)", locale);
    (void)calc::FormatPattern(*value, text, locale);
    (void)calc::RoundThroughText(value->toLongDouble(), 2);
    return 0;
}

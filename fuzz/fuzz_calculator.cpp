// Presses arbitrary key sequences on the pop-up calculator's engine.
#include "calc/calculatorengine.h"

#include <QLocale>

#include <cmath>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const QLocale locales[] = {QLocale::c(), QLocale(QLocale::German, QLocale::Germany)};
    calc::CalculatorEngine engine;
    if (size >= 1) {
        // The first byte picks a start value, the rest are keys.
        static const long double starts[] = {0.0L, 2100.0L, 17.9L, -1.5L, 1e15L, 0.001L};
        engine.start(starts[data[0] % std::size(starts)]);
    }
    for (std::size_t i = 1; i < size; ++i) {
        const std::uint8_t b = data[i];
        if (b & 0x80) {
            engine.press(static_cast<calc::CalculatorEngine::Key>((b & 0x7f) % 19));
        } else if (const auto key = calc::CalculatorEngine::keyForChar(QChar(b))) {
            engine.press(*key);
        }
        (void)engine.display(locales[i % 2]);
        if (const auto r = engine.result()) {
            if (!std::isfinite(*r))
                __builtin_trap(); // an accepted result is always a finite number
        }
    }
    return 0;
}

#include "FuzzInput.h"

#include "data/Formats.h"

#include <cstring>

using namespace modTamberlock;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = fuzzText(data, size);
    if (const auto amount = parseCurrency(text)) {
        // The money form reads back as the amount rounded to cents.
        const QString shown = formatCurrency(*amount);
        const auto back = parseCurrency(shown);
        FUZZ_ASSERT(back.has_value());
        FUZZ_ASSERT(*back % 100 == 0);
        FUZZ_ASSERT(formatCurrency(*back) == shown);
        FUZZ_ASSERT(parseCurrency(currencyToPlainText(*amount)) == amount);
        FUZZ_ASSERT(formatCurrencyText(text) == shown);
    } else {
        FUZZ_ASSERT(formatCurrencyText(text) == text);
    }
    if (size > sizeof(qint64)) {
        qint64 rate;
        memcpy(&rate, data, sizeof rate);
        (void)costOfHours(fuzzText(data + sizeof rate, size - sizeof rate), rate);
        (void)formatCurrency(rate);
        double d;
        memcpy(&d, data, sizeof d);
        (void)formatNumber4(d);
    }
    return 0;
}

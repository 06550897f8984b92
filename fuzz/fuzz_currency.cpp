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
    // Under formats of other kinds: what is read shows and reads back as the
    // amount rounded to the currency's decimals.
    static const RegionalFormats others[] = {RegionalFormats::fromLocale(QLocale(QStringLiteral("de_DE"))),
                                             RegionalFormats::fromLocale(QLocale(QStringLiteral("fr_FR"))),
                                             RegionalFormats::fromLocale(QLocale(QStringLiteral("en_IN"))),
                                             RegionalFormats::fromLocale(QLocale(QStringLiteral("ja_JP"))),
                                             RegionalFormats::fromLocale(QLocale(QStringLiteral("ar_KW")))};
    for (const RegionalFormats &f : others) {
        if (const auto amount = parseCurrency(text, f)) {
            FUZZ_ASSERT(parseCurrency(formatCurrency(*amount, f), f) == roundToCent(*amount, f));
            FUZZ_ASSERT(parseCurrency(currencyToPlainText(*amount, f), f) == amount);
        }
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

#include "FuzzInput.h"

#include "data/Formats.h"

using namespace modTamberlock;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = fuzzText(data, size);
    const auto parsed = parseDateTime(text);
    const QString shown = formatDateTimeText(text);
    if (parsed) {
        // What reads as a date-time shows in the display form and reads back as the same moment.
        FUZZ_ASSERT(shown.size() == 22);
        const auto again = parseDateTime(shown);
        FUZZ_ASSERT(again && *again == QDateTime(parsed->date(),
                                                 QTime(parsed->time().hour(), parsed->time().minute(),
                                                       parsed->time().second()),
                                                 Qt::UTC));
        const auto value = dateTimeToOle(*parsed);
        FUZZ_ASSERT(value.has_value());
        FUZZ_ASSERT(formatOleDate(*value) == shown);
        FUZZ_ASSERT(parseDateTime(formatGeneralDate(*parsed)) == again);
    } else {
        FUZZ_ASSERT(shown == text);
    }
    (void)IsPendingTime(text);
    // Under day-first and year-first formats a moment read shows and reads
    // back as itself.
    static const RegionalFormats others[] = {RegionalFormats::fromLocale(QLocale(QStringLiteral("de_DE"))),
                                             RegionalFormats::fromLocale(QLocale(QStringLiteral("ja_JP"))),
                                             RegionalFormats::fromLocale(QLocale(QStringLiteral("en_GB")))};
    for (const RegionalFormats &f : others) {
        if (const auto moment = parseDateTime(text, f)) {
            FUZZ_ASSERT(parseDateTime(formatDateTime(*moment, f), f) == moment);
            FUZZ_ASSERT(parseDateTime(formatGeneralDate(*moment, f), f) == moment);
        }
    }
    if (size == sizeof(double)) {
        double v;
        memcpy(&v, data, sizeof v);
        if (const auto dt = oleToDateTime(v))
            FUZZ_ASSERT(dateTimeToOle(*dt).has_value());
        (void)formatOleDate(v);
    }
    return 0;
}

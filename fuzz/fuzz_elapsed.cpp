#include "FuzzInput.h"

#include "data/Clock.h"
#include "data/Formats.h"

using namespace modTamberlock;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Clock::setNow(makeDateTime(QDate(2026, 12, 8), QTime(12, 0)));
    const QString text = fuzzText(data, size);
    const qsizetype cut = text.indexOf(QLatin1Char('|'));
    const QString start = cut < 0 ? text : text.left(cut);
    for (int mode = -1; mode <= 8; ++mode) {
        QString stop = cut < 0 ? QString() : text.mid(cut + 1);
        const QString out = FormatElapsedTime(start, stop, mode);
        if (mode < 0 || mode > 7)
            FUZZ_ASSERT(out.isEmpty());
        // A pending stop is measured up to now, and the caller sees now.
        FUZZ_ASSERT(!IsPendingTime(stop));
    }
    return 0;
}

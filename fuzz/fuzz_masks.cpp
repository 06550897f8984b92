#include "FuzzInput.h"

#include "data/Formats.h"
#include "editors/CleanupRules.h"

using namespace modTamberlock;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = fuzzText(data, size);
    for (const char *mask : {"(000) 000-0000", "#####-####", "#########", "##########"}) {
        const QString out = formatDigitMask(text, QLatin1String(mask));
        if (!isDigitsOnly(text))
            FUZZ_ASSERT(out == text);
        else
            FUZZ_ASSERT(out.size() >= text.trimmed().size());
    }
    // The clean-up rules settle: a cleaned text stays as it is the next time its box loses the focus.
    const QString phone = telephoneRule(text);
    FUZZ_ASSERT(telephoneRule(phone) == phone);
    const QString zip = zipRule(text);
    FUZZ_ASSERT(zipRule(zip) == zip);
    return 0;
}

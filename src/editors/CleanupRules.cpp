#include "editors/CleanupRules.h"

#include "data/Formats.h"

#include <algorithm>

using modTamberlock::formatDigitMask;
using modTamberlock::isDigitsOnly;

QString zipRule(const QString &text)
{
    QString zip = text;
    const bool fiveDigits = zip.size() == 5 && std::all_of(zip.cbegin(), zip.cend(), [](QChar c) {
                                return c.isDigit() && c.unicode() < 128;
                            });
    if (fiveDigits)
        zip += QLatin1String("0000");
    return isDigitsOnly(zip) ? formatDigitMask(zip, QStringLiteral("#####-####")) : zip;
}

QString telephoneRule(const QString &text)
{
    const QString mask = QStringLiteral("(000) 000-0000");
    QString phone = text;
    phone.remove(QLatin1Char('-'));
    if (isDigitsOnly(phone))
        return formatDigitMask(phone, mask);
    QString bare = phone;
    bare.remove(QLatin1Char('(')).remove(QLatin1Char(')')).remove(QLatin1Char(' '));
    if (isDigitsOnly(bare))
        return formatDigitMask(bare, mask);
    return phone;
}

#include "data/RegionalFormats.h"

#include <QHash>
#include <QSet>
#include <QSettings>

#include <algorithm>
#include <cstdio>

namespace {

const QString kSection = QStringLiteral("Formats/");

QSettings userStore()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Kiv"),
                     QStringLiteral("Kiv"));
}

bool isSign(QChar c)
{
    return c == u'-' || c == u'+' || c == u'(' || c == u')';
}

QString orderName(RegionalFormats::DateOrder order)
{
    switch (order) {
    case RegionalFormats::DateOrder::MonthDayYear: return QStringLiteral("MDY");
    case RegionalFormats::DateOrder::DayMonthYear: return QStringLiteral("DMY");
    case RegionalFormats::DateOrder::YearMonthDay: return QStringLiteral("YMD");
    }
    return QString();
}

// The date order of a locale's short date form ("M/d/yy", "dd.MM.yy",
// "y/MM/dd"): the order in which its day, month and year first appear.
RegionalFormats::DateOrder orderOfPattern(const QString &pattern)
{
    const qsizetype d = pattern.indexOf(u'd');
    const qsizetype m = pattern.indexOf(u'M');
    const qsizetype y = pattern.indexOf(u'y');
    if (d < 0 || m < 0 || y < 0)
        return RegionalFormats::DateOrder::MonthDayYear;
    if (y < m && y < d)
        return RegionalFormats::DateOrder::YearMonthDay;
    return d < m ? RegionalFormats::DateOrder::DayMonthYear : RegionalFormats::DateOrder::MonthDayYear;
}

} // namespace

bool RegionalFormats::isDefault() const
{
    static const RegionalFormats standard;
    return *this == standard;
}

QString RegionalFormats::problem() const
{
    if (currencyCode.size() != 3 || !std::all_of(currencyCode.begin(), currencyCode.end(),
                                                 [](QChar c) { return c >= u'A' && c <= u'Z'; }))
        return QStringLiteral("the currency code \"%1\" is not a three-letter code").arg(currencyCode);
    if (!isKnownCurrency(currencyCode))
        return QStringLiteral("the currency code \"%1\" is not a known currency").arg(currencyCode);
    if (symbol.trimmed().isEmpty() || symbol.size() > 8)
        return QStringLiteral("the currency symbol \"%1\" is empty or too long").arg(symbol);
    if (std::any_of(symbol.begin(), symbol.end(), [](QChar c) { return c.isDigit() || isSign(c); }))
        return QStringLiteral("the currency symbol \"%1\" holds a digit or a sign").arg(symbol);
    if (decimals < 0 || decimals > 4)
        return QStringLiteral("%1 decimals cannot be shown").arg(decimals);
    if (decimalSeparator.size() != 1)
        return QStringLiteral("the decimal separator \"%1\" is not one character").arg(decimalSeparator);
    const QChar point = decimalSeparator.front();
    if (point.isLetterOrNumber() || point.isSpace() || isSign(point))
        return QStringLiteral("the decimal separator \"%1\" cannot be told from a number")
            .arg(decimalSeparator);
    if (groupSeparator.size() > 1)
        return QStringLiteral("the group separator \"%1\" is not one character").arg(groupSeparator);
    if (!groupSeparator.isEmpty()) {
        const QChar group = groupSeparator.front();
        if (group == point)
            return QStringLiteral("the group separator is the decimal separator");
        if (group.isLetterOrNumber() || isSign(group))
            return QStringLiteral("the group separator \"%1\" cannot be told from a number")
                .arg(groupSeparator);
    }
    if (dateSeparator != u'/' && dateSeparator != u'.' && dateSeparator != u'-')
        return QStringLiteral("the date separator \"%1\" is not \"/\", \".\" or \"-\"").arg(dateSeparator);
    return QString();
}

int RegionalFormats::currencyDecimals(const QString &code)
{
    // The locales know symbols but not minor units; these are the currencies
    // whose amounts are not counted in hundredths.
    static const QSet<QString> none = {QStringLiteral("BIF"), QStringLiteral("CLP"), QStringLiteral("DJF"),
                                       QStringLiteral("GNF"), QStringLiteral("ISK"), QStringLiteral("JPY"),
                                       QStringLiteral("KMF"), QStringLiteral("KRW"), QStringLiteral("PYG"),
                                       QStringLiteral("RWF"), QStringLiteral("UGX"), QStringLiteral("UYI"),
                                       QStringLiteral("VND"), QStringLiteral("VUV"), QStringLiteral("XAF"),
                                       QStringLiteral("XOF"), QStringLiteral("XPF")};
    static const QSet<QString> three = {QStringLiteral("BHD"), QStringLiteral("IQD"), QStringLiteral("JOD"),
                                        QStringLiteral("KWD"), QStringLiteral("LYD"), QStringLiteral("OMR"),
                                        QStringLiteral("TND")};
    if (none.contains(code))
        return 0;
    if (three.contains(code))
        return 3;
    return 2;
}

const QList<RegionalFormats::CurrencyInfo> &RegionalFormats::knownCurrencies()
{
    static const QList<CurrencyInfo> list = [] {
        // The symbol and name as English speakers write them where an
        // English locale uses the currency ("€", "Euro"), else as the first
        // locale using it does.
        QHash<QString, CurrencyInfo> byCode;
        QSet<QString> english;
        const QList<QLocale> locales =
            QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory);
        for (const QLocale &locale : locales) {
            const QString code = locale.currencySymbol(QLocale::CurrencyIsoCode);
            const bool isEnglish = locale.language() == QLocale::English;
            if (code.size() != 3 || english.contains(code) || (byCode.contains(code) && !isEnglish))
                continue;
            byCode.insert(code, {code, locale.currencySymbol(QLocale::CurrencySymbol),
                                 locale.currencySymbol(QLocale::CurrencyDisplayName)});
            if (isEnglish)
                english.insert(code);
        }
        QList<CurrencyInfo> result = byCode.values();
        std::sort(result.begin(), result.end(),
                  [](const CurrencyInfo &a, const CurrencyInfo &b) { return a.code < b.code; });
        return result;
    }();
    return list;
}

bool RegionalFormats::isKnownCurrency(const QString &code)
{
    const QList<CurrencyInfo> &list = knownCurrencies();
    return std::binary_search(list.begin(), list.end(), CurrencyInfo{code, {}, {}},
                              [](const CurrencyInfo &a, const CurrencyInfo &b) { return a.code < b.code; });
}

RegionalFormats RegionalFormats::fromLocale(const QLocale &locale)
{
    RegionalFormats f;
    const QString code = locale.currencySymbol(QLocale::CurrencyIsoCode);
    if (code.size() == 3) {
        f.currencyCode = code;
        f.symbol = locale.currencySymbol(QLocale::CurrencySymbol).trimmed();
        if (f.symbol.isEmpty())
            f.symbol = code;
        f.decimals = currencyDecimals(code);
        // Where the locale puts its symbol, and whether a space parts it from
        // the number.
        const QString sample = locale.toCurrencyString(1234.0);
        const qsizetype at = sample.indexOf(f.symbol);
        qsizetype firstDigit = -1, lastDigit = -1;
        for (qsizetype i = 0; i < sample.size(); ++i) {
            if (sample[i].isDigit()) {
                if (firstDigit < 0)
                    firstDigit = i;
                lastDigit = i;
            }
        }
        if (at >= 0 && firstDigit >= 0) {
            f.symbolBefore = at < firstDigit;
            const QString between = f.symbolBefore
                                        ? sample.mid(at + f.symbol.size(), firstDigit - at - f.symbol.size())
                                        : sample.mid(lastDigit + 1, at - lastDigit - 1);
            f.symbolSpaced = std::any_of(between.begin(), between.end(), [](QChar c) { return c.isSpace(); });
        }
    }
    const QString point = locale.decimalPoint();
    if (point.size() == 1)
        f.decimalSeparator = point;
    const QString group = locale.groupSeparator();
    f.groupSeparator =
        (locale.numberOptions() & QLocale::OmitGroupSeparator) || group.size() != 1 ? QString() : group;
    // Indian grouping puts two digits before the second separator of a
    // seven-digit number: 12,34,567.
    if (!f.groupSeparator.isEmpty()) {
        const QString seven = locale.toString(qlonglong(1234567));
        const qsizetype first = seven.indexOf(f.groupSeparator);
        f.indianGrouping = first == 2;
    }
    const QString datePattern = locale.dateFormat(QLocale::ShortFormat);
    f.dateOrder = orderOfPattern(datePattern);
    f.dateSeparator = u'/';
    for (const QChar c : datePattern) {
        if (c == u'/' || c == u'.' || c == u'-') {
            f.dateSeparator = c;
            break;
        }
    }
    const QString timePattern = locale.timeFormat(QLocale::ShortFormat);
    f.hour12 = timePattern.contains(u'a', Qt::CaseInsensitive);
    if (!f.problem().isEmpty())
        return RegionalFormats();
    return f;
}

RegionalFormats RegionalFormats::read(QSettings &store, QString *why)
{
    const RegionalFormats standard;
    const QStringList keys = {
        QStringLiteral("Currency"),       QStringLiteral("Symbol"),   QStringLiteral("SymbolBefore"),
        QStringLiteral("SymbolSpaced"),   QStringLiteral("Decimals"), QStringLiteral("DecimalSeparator"),
        QStringLiteral("GroupSeparator"), QStringLiteral("Grouping"), QStringLiteral("DateOrder"),
        QStringLiteral("DateSeparator"),  QStringLiteral("Clock")};
    bool any = false;
    for (const QString &key : keys)
        any = any || store.contains(kSection + key);
    if (!any)
        return standard;
    auto text = [&](const QString &key, bool *present) {
        *present = store.contains(kSection + key);
        return store.value(kSection + key).toString();
    };
    auto refuse = [&](const QString &reason) {
        if (why)
            *why = reason;
        return standard;
    };
    RegionalFormats f;
    bool present = false;
    QStringList missing;
    auto need = [&](const QString &key) {
        const QString value = text(key, &present);
        if (!present)
            missing << key;
        return value;
    };
    f.currencyCode = need(keys[0]);
    f.symbol = need(keys[1]);
    const QString before = need(keys[2]);
    const QString spaced = need(keys[3]);
    const QString decimals = need(keys[4]);
    f.decimalSeparator = need(keys[5]);
    f.groupSeparator = need(keys[6]);
    const QString grouping = need(keys[7]);
    const QString order = need(keys[8]);
    const QString dateSeparator = need(keys[9]);
    const QString clock = need(keys[10]);
    if (!missing.isEmpty())
        return refuse(QStringLiteral("%1 is missing").arg(missing.join(QStringLiteral(", "))));
    auto flag = [](const QString &v, bool *out) {
        if (v != QLatin1String("0") && v != QLatin1String("1"))
            return false;
        *out = v == QLatin1String("1");
        return true;
    };
    if (!flag(before, &f.symbolBefore) || !flag(spaced, &f.symbolSpaced))
        return refuse(QStringLiteral("the symbol's place is neither 0 nor 1"));
    bool ok = false;
    f.decimals = decimals.toInt(&ok);
    if (!ok)
        return refuse(QStringLiteral("the decimals \"%1\" are not a number").arg(decimals));
    if (grouping == QLatin1String("3"))
        f.indianGrouping = false;
    else if (grouping == QLatin1String("3;2"))
        f.indianGrouping = true;
    else
        return refuse(QStringLiteral("the grouping \"%1\" is neither 3 nor 3;2").arg(grouping));
    if (order == QLatin1String("MDY"))
        f.dateOrder = DateOrder::MonthDayYear;
    else if (order == QLatin1String("DMY"))
        f.dateOrder = DateOrder::DayMonthYear;
    else if (order == QLatin1String("YMD"))
        f.dateOrder = DateOrder::YearMonthDay;
    else
        return refuse(QStringLiteral("the date order \"%1\" is not MDY, DMY or YMD").arg(order));
    if (dateSeparator.size() != 1)
        return refuse(QStringLiteral("the date separator \"%1\" is not one character").arg(dateSeparator));
    f.dateSeparator = dateSeparator.front();
    if (clock != QLatin1String("12") && clock != QLatin1String("24"))
        return refuse(QStringLiteral("the clock \"%1\" is neither 12 nor 24").arg(clock));
    f.hour12 = clock == QLatin1String("12");
    if (const QString wrong = f.problem(); !wrong.isEmpty())
        return refuse(wrong);
    return f;
}

void RegionalFormats::write(QSettings &store) const
{
    store.setValue(kSection + QStringLiteral("Currency"), currencyCode);
    store.setValue(kSection + QStringLiteral("Symbol"), symbol);
    store.setValue(kSection + QStringLiteral("SymbolBefore"), symbolBefore ? "1" : "0");
    store.setValue(kSection + QStringLiteral("SymbolSpaced"), symbolSpaced ? "1" : "0");
    store.setValue(kSection + QStringLiteral("Decimals"), QString::number(decimals));
    store.setValue(kSection + QStringLiteral("DecimalSeparator"), decimalSeparator);
    store.setValue(kSection + QStringLiteral("GroupSeparator"), groupSeparator);
    store.setValue(kSection + QStringLiteral("Grouping"), indianGrouping ? "3;2" : "3");
    store.setValue(kSection + QStringLiteral("DateOrder"), orderName(dateOrder));
    store.setValue(kSection + QStringLiteral("DateSeparator"), QString(dateSeparator));
    store.setValue(kSection + QStringLiteral("Clock"), hour12 ? "12" : "24");
    store.sync();
}

RegionalFormats RegionalFormats::fromSettings()
{
    QSettings store = userStore();
    QString why;
    const RegionalFormats f = read(store, &why);
    if (!why.isEmpty())
        std::fprintf(stderr,
                     "Tamberlock: the regional formats in the settings cannot be used (%s); the "
                     "default formats are used.\n",
                     qPrintable(why));
    return f;
}

void RegionalFormats::writeSettings() const
{
    QSettings store = userStore();
    write(store);
}

namespace Formats {

namespace {

RegionalFormats &inForce()
{
    static RegionalFormats formats;
    return formats;
}

bool g_default = true;

} // namespace

const RegionalFormats &current()
{
    return inForce();
}

bool currentIsDefault()
{
    return g_default;
}

bool setCurrent(const RegionalFormats &formats)
{
    if (!formats.problem().isEmpty())
        return false;
    if (formats == inForce())
        return true;
    const RegionalFormats previous = inForce();
    inForce() = formats;
    g_default = formats.isDefault();
    emit notifier()->changed(previous);
    return true;
}

FormatsNotifier *notifier()
{
    static FormatsNotifier instance;
    return &instance;
}

} // namespace Formats

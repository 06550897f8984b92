#include "data/Settings.h"

#include <QSettings>

namespace {

QSettings store()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Kiv"),
                     QStringLiteral("Kiv"));
}

const QString kKey = QStringLiteral("Billing/Bugger");

} // namespace

namespace DontAskSetting {

QString text()
{
    return store().value(kKey, QStringLiteral("1")).toString();
}

std::optional<int> value()
{
    bool ok = false;
    const int v = text().trimmed().toInt(&ok);
    if (!ok)
        return std::nullopt;
    return v;
}

bool asks()
{
    return value() == 1;
}

void write(const QString &value)
{
    QSettings s = store();
    s.setValue(kKey, value);
    s.sync();
}

} // namespace DontAskSetting

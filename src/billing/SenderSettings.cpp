#include "billing/SenderSettings.h"

#include <QDate>
#include <QRegularExpression>
#include <QSettings>

namespace {

QSettings store()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Kiv"),
                     QStringLiteral("Kiv"));
}

// Multi-line values are kept as one text with line breaks, so every store
// format keeps them.
QStringList linesOf(const QVariant &value)
{
    QStringList lines = value.toString().split(QLatin1Char('\n'));
    while (!lines.isEmpty() && lines.last().trimmed().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace

namespace Billing {

Sender loadSender()
{
    QSettings s = store();
    s.beginGroup(QStringLiteral("Invoice"));
    Sender sender;
    sender.businessName = s.value(QStringLiteral("BusinessName")).toString();
    sender.addressLines = linesOf(s.value(QStringLiteral("Address")));
    sender.phone = s.value(QStringLiteral("Phone")).toString();
    sender.email = s.value(QStringLiteral("Email")).toString();
    sender.web = s.value(QStringLiteral("Web")).toString();
    sender.taxId = s.value(QStringLiteral("TaxId")).toString();
    sender.paymentInstructions = linesOf(s.value(QStringLiteral("PaymentInstructions")));
    bool ok = false;
    const int terms = s.value(QStringLiteral("PaymentTermsDays"), 30).toInt(&ok);
    sender.paymentTermsDays = ok && terms >= 0 && terms <= 3650 ? terms : 30;
    const qint64 rate = s.value(QStringLiteral("DefaultTaxRate"), 0).toLongLong(&ok);
    sender.defaultTaxRate = ok && rate >= 0 && rate <= 1'000'000 ? rate : 0;
    sender.taxLabel = s.value(QStringLiteral("TaxLabel"), QStringLiteral("Tax")).toString();
    sender.numberPattern =
        s.value(QStringLiteral("NumberPattern"), QStringLiteral("{YYYY}-{NNNN}")).toString();
    if (sender.numberPattern.trimmed().isEmpty())
        sender.numberPattern = QStringLiteral("{YYYY}-{NNNN}");
    const qint64 next = s.value(QStringLiteral("NextNumber"), 1).toLongLong(&ok);
    sender.nextNumber = ok && next > 0 ? next : 1;
    sender.logoPath = s.value(QStringLiteral("Logo")).toString();
    return sender;
}

void saveSender(const Sender &sender)
{
    QSettings s = store();
    s.beginGroup(QStringLiteral("Invoice"));
    s.setValue(QStringLiteral("BusinessName"), sender.businessName);
    s.setValue(QStringLiteral("Address"), sender.addressLines.join(QLatin1Char('\n')));
    s.setValue(QStringLiteral("Phone"), sender.phone);
    s.setValue(QStringLiteral("Email"), sender.email);
    s.setValue(QStringLiteral("Web"), sender.web);
    s.setValue(QStringLiteral("TaxId"), sender.taxId);
    s.setValue(QStringLiteral("PaymentInstructions"), sender.paymentInstructions.join(QLatin1Char('\n')));
    s.setValue(QStringLiteral("PaymentTermsDays"), sender.paymentTermsDays);
    s.setValue(QStringLiteral("DefaultTaxRate"), sender.defaultTaxRate);
    s.setValue(QStringLiteral("TaxLabel"), sender.taxLabel);
    s.setValue(QStringLiteral("NumberPattern"), sender.numberPattern);
    s.setValue(QStringLiteral("NextNumber"), sender.nextNumber);
    s.setValue(QStringLiteral("Logo"), sender.logoPath);
    s.endGroup();
    s.sync();
}

void saveNextNumber(qint64 next)
{
    QSettings s = store();
    s.setValue(QStringLiteral("Invoice/NextNumber"), next);
    s.sync();
}

QString formatNumber(const QString &pattern, qint64 sequence, const QDate &date)
{
    QString text = pattern;
    text.replace(QStringLiteral("{YYYY}"), QString::number(date.year()).rightJustified(4, QLatin1Char('0')));
    text.replace(QStringLiteral("{YY}"),
                 QString::number(date.year() % 100).rightJustified(2, QLatin1Char('0')));
    text.replace(QStringLiteral("{MM}"), QString::number(date.month()).rightJustified(2, QLatin1Char('0')));
    static const QRegularExpression counter(QStringLiteral("\\{(N+)\\}"));
    bool hasCounter = false;
    QRegularExpressionMatch m;
    while ((m = counter.match(text)).hasMatch()) {
        hasCounter = true;
        text.replace(m.capturedStart(), m.capturedLength(),
                     QString::number(sequence).rightJustified(m.capturedLength(1), QLatin1Char('0')));
    }
    // Without a counter every invoice would get the same number.
    if (!hasCounter)
        text += QLatin1Char('-') + QString::number(sequence);
    return text;
}

} // namespace Billing

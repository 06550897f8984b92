#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

// The sender of the invoices, kept in the user's settings store beside the
// other settings of the program (application "Kiv", section "Invoice"), not
// in the database.
namespace Billing {

struct Sender {
    QString businessName;
    QStringList addressLines;
    QString phone;
    QString email;
    QString web;
    QString taxId;
    QStringList paymentInstructions;
    int paymentTermsDays = 30;
    qint64 defaultTaxRate = 0; // millionths
    QString taxLabel = QStringLiteral("Tax");
    QString numberPattern = QStringLiteral("{YYYY}-{NNNN}");
    qint64 nextNumber = 1;
    QString logoPath;

    // Nothing a client could be billed from.
    bool isEmpty() const { return businessName.trimmed().isEmpty() && addressLines.isEmpty(); }
};

Sender loadSender();
void saveSender(const Sender &sender);
// Only the next number, as an issue moves it on.
void saveNextNumber(qint64 next);

// The number of sequence n issued on date in a pattern: {YYYY} the year,
// {YY} its last two digits, {MM} the month, {N...} n with at least as many
// digits as there are N. A pattern without {N} gets "-" and the number.
QString formatNumber(const QString &pattern, qint64 sequence, const QDate &date);

} // namespace Billing

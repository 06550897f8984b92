#pragma once

#include "billing/SenderSettings.h"
#include "data/Types.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <map>
#include <optional>
#include <set>
#include <vector>

// An invoice or a statement of account as a value: what is billed, line by
// line, in the integer currency, computed from the list queries' rows with
// the charge list's own cost of every charge. The pages are drawn from this
// value (InvoicePages); nothing here needs a display.
namespace Billing {

enum class Detail { Charge, Project, Day };
enum class Kind { Invoice, Statement };

// "charge", "project", "day".
std::optional<Detail> detailNamed(const QString &name);

// The client's block, from the company row.
struct Client {
    qint32 id = 0;
    QString name;
    QString contact;
    QStringList addressLines; // the address, city, state and zip lines that are not empty
};

// One stopped charge as the charge list costs it.
struct ChargeItem {
    qint64 id = 0;
    qint64 projectId = 0;
    QString projectName;
    qint64 start = 0; // seconds, see modTamberlock::oleToSeconds
    qint64 stop = 0;
    qint64 hours = 0; // ten-thousandths, as FormatElapsedTime mode 2 reads
    Currency rate = 0;
    Currency amount = 0; // to the cent, as the "Cost" cell shows it
    QString billedOn;    // the number of the issued invoice that billed it
};

struct Line {
    QDate date;
    QString description;
    qint64 hours = 0;
    Currency rate = 0;
    Currency amount = 0;
    bool billedBefore = false; // an issued invoice already billed (some of) it
};

// A statement's line: a charge line or a payment, with the balance after it.
struct StatementLine {
    QDate date;
    QString description;
    Currency charge = 0;
    Currency payment = 0;
    Currency balance = 0;
};

// What to bill.
struct Request {
    Kind kind = Kind::Invoice;
    qint32 companyId = 0;
    std::optional<qint32> projectId;
    // Only these charges (the charge list's selection); empty: by period.
    std::vector<qint64> chargeIds;
    // Charges started on from..to (days included). Without a period: every
    // stopped charge that no issued invoice billed.
    std::optional<QDate> from;
    std::optional<QDate> to;
    Detail detail = Detail::Charge;
    QDate invoiceDate;
    QDate dueDate;
    qint64 taxRate = 0; // in millionths (8.25 % is 82 500)
    QString taxLabel;
    QString note;
};

struct Invoice {
    Kind kind = Kind::Invoice;
    QString number; // empty until issued
    bool draft = true;
    QDate invoiceDate;
    QDate dueDate;
    std::optional<QDate> from;
    std::optional<QDate> to;
    Client client;
    std::optional<qint32> projectId;
    Detail detail = Detail::Charge;
    Sender sender;

    std::vector<ChargeItem> charges; // what is billed, in the order of the lines
    std::vector<Line> lines;
    qint64 hours = 0;
    Currency subtotal = 0;
    qint64 taxRate = 0;
    QString taxLabel;
    Currency tax = 0;
    Currency total = 0;
    QString note;

    // Statements: the balance before the period, the lines with their
    // running balance, the balance due.
    Currency broughtForward = 0;
    std::vector<StatementLine> statementLines;
    Currency periodCharges = 0;
    Currency periodPayments = 0;
    Currency balanceDue = 0;

    // Left out: running charges are never billed.
    int runningLeftOut = 0;
    int alreadyBilled = 0;
    // Why it cannot be issued: a charge without rate, an amount beyond the
    // currency range. Never printed as figures.
    QStringList refusals;

    std::vector<qint64> chargeIds() const;
    bool issuable() const { return refusals.isEmpty() && (kind == Kind::Statement || !charges.empty()); }
    // The title for the PDF and the window: "Invoice 2026-0007", "Invoice (draft)".
    QString title() const;
};

// Hours in ten-thousandths of a span of seconds, as the four-decimal text of
// FormatElapsedTime mode 2 reads.
qint64 hoursOfSpan(qint64 seconds);
// The tax on an amount at a rate in millionths: rounded once, half away
// from zero, to the cent; nothing beyond the currency range.
std::optional<Currency> taxOf(Currency subtotal, qint64 rateMillionths);
// A tax rate typed as "8.25" or "8,25 %"; nothing when it is no rate from 0 to 100.
std::optional<qint64> parseTaxRate(const QString &text);
QString taxRateText(qint64 rateMillionths);

// Shown values in the program's own formats.
QString hoursText(qint64 hours);
// A rate with its cents, and the further decimals it holds ("$37.1234").
QString rateText(Currency rate);
QString dateText(const QDate &date);

// Reads the company, its projects, charges (and for a statement its
// payments) from the database file read-only and computes the invoice;
// billed maps charge ids to the number of the invoice that billed them (from
// the register). A database that cannot be read gives the empty optional
// and *error.
std::optional<Invoice> compute(const QString &databasePath, const Request &request, const Sender &sender,
                               const std::map<qint64, QString> &billed, QString *error);

} // namespace Billing

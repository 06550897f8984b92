#pragma once

#include "billing/Invoice.h"

#include <QDate>
#include <QString>

#include <functional>
#include <map>
#include <optional>
#include <vector>

// The issued invoices: one register file and the kept PDFs in the folder
// "Invoices" beside the database. A number is taken only by a complete
// issue, under a lock shared by every process: the register is read, the
// number derived from it, the PDF written under a temporary name and renamed,
// the register rewritten whole (atomically). A process killed halfway leaves
// at most an unregistered file, which the next issue sets aside and whose
// number it gives again, so no number is given twice or skipped.
namespace Billing {

struct RegisterEntry {
    QString number;
    qint64 sequence = 0;
    Kind kind = Kind::Invoice;
    QDate date;
    qint32 companyId = 0;
    QString companyName;
    std::optional<qint32> projectId;
    std::optional<QDate> from;
    std::optional<QDate> to;
    qint64 hours = 0;
    Currency subtotal = 0;
    Currency tax = 0;
    Currency total = 0;
    QString fileName;
    std::vector<qint64> chargeIds;
};

// The folder of the kept invoices under DataPath().
QString invoicesFolder();
QString registerFile(const QString &folder);

// The register's entries, oldest first. A missing register is an empty one;
// a register that cannot be read or understood is an error (nothing may be
// issued then: its numbers are unknown).
std::optional<std::vector<RegisterEntry>> readRegister(const QString &folder, QString *error);

// Which issued invoice billed each charge.
std::map<qint64, QString> billedCharges(const std::vector<RegisterEntry> &entries);
// The first day after the company's latest invoice (its period's end, or
// its date without a period); nothing when it has none.
std::optional<QDate> dayAfterLastInvoice(const std::vector<RegisterEntry> &entries, qint32 companyId);

// "<number> <company>.pdf", made safe for every file system: no separators,
// no control or direction characters, no trailing dots or blanks, not too long.
QString invoiceFileName(const QString &number, const QString &company);

// The number the next issue would take (for a default file name; it is
// taken only by issue()).
QString peekNumber(const QString &folder, const Sender &sender, const QDate &date, QString *error);

// The invoice computed with the register's knowledge of what was billed;
// an unreadable register is an error like an unreadable database.
std::optional<Invoice> computeRegistered(const QString &databasePath, const QString &folder,
                                         const Request &request, const Sender &sender, QString *error);

// The folder of the kept invoices beside a database file.
QString invoicesFolderFor(const QString &databasePath);

struct IssueResult {
    QString error; // empty: issued
    QString number;
    QString keptFile; // full path
};

// Writes the issued invoice as PDF to the given (temporary) path, and may
// do more with it (print it, copy it where the person asked); false with
// *error when anything failed, and then nothing is issued.
using Producer = std::function<bool(const Invoice &issued, const QString &pdfPath, QString *error)>;

// Issues the invoice: takes its number, keeps its PDF, registers it.
// Returns the number, or an error and no number taken.
IssueResult issue(const QString &folder, Invoice invoice, const Producer &produce);

} // namespace Billing

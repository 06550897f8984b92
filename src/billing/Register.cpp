#include "billing/Register.h"

#include "data/DataPath.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QSaveFile>
#include <QTemporaryFile>

namespace Billing {

namespace {

const QString kRegisterName = QStringLiteral("register.json");
const QString kLockName = QStringLiteral("register.lock");
// An issue holds the lock for seconds; one older than this belongs to a
// process that is gone.
constexpr int kStaleLockMs = 5 * 60 * 1000;
constexpr int kLockWaitMs = 30 * 1000;

QString dayText(const std::optional<QDate> &day)
{
    return day ? day->toString(Qt::ISODate) : QString();
}

std::optional<QDate> dayOf(const QJsonValue &value)
{
    const QDate day = QDate::fromString(value.toString(), Qt::ISODate);
    return day.isValid() ? std::optional<QDate>(day) : std::nullopt;
}

// Amounts as decimal texts: a JSON number is a double and would not keep
// every 64-bit amount.
QString number64(qint64 value)
{
    return QString::number(value);
}

bool read64(const QJsonValue &value, qint64 *out)
{
    bool ok = false;
    *out = value.toString().toLongLong(&ok);
    return ok;
}

QJsonObject toJson(const RegisterEntry &e)
{
    QJsonArray charges;
    for (qint64 id : e.chargeIds)
        charges.append(number64(id));
    QJsonObject o{{"number", e.number},
                  {"sequence", number64(e.sequence)},
                  {"kind", e.kind == Kind::Statement ? "statement" : "invoice"},
                  {"date", e.date.toString(Qt::ISODate)},
                  {"companyId", number64(e.companyId)},
                  {"companyName", e.companyName},
                  {"projectId", e.projectId ? number64(*e.projectId) : QString()},
                  {"from", dayText(e.from)},
                  {"to", dayText(e.to)},
                  {"hours", number64(e.hours)},
                  {"subtotal", number64(e.subtotal)},
                  {"tax", number64(e.tax)},
                  {"total", number64(e.total)},
                  {"file", e.fileName},
                  {"charges", charges}};
    return o;
}

std::optional<RegisterEntry> fromJson(const QJsonObject &o)
{
    RegisterEntry e;
    qint64 company = 0;
    e.number = o.value("number").toString();
    e.kind = o.value("kind").toString() == QLatin1String("statement") ? Kind::Statement : Kind::Invoice;
    e.date = QDate::fromString(o.value("date").toString(), Qt::ISODate);
    e.companyName = o.value("companyName").toString();
    e.fileName = o.value("file").toString();
    if (e.number.isEmpty() || !read64(o.value("sequence"), &e.sequence) ||
        !read64(o.value("companyId"), &company) || !read64(o.value("hours"), &e.hours) ||
        !read64(o.value("subtotal"), &e.subtotal) || !read64(o.value("tax"), &e.tax) ||
        !read64(o.value("total"), &e.total))
        return std::nullopt;
    e.companyId = qint32(company);
    qint64 project = 0;
    if (read64(o.value("projectId"), &project))
        e.projectId = qint32(project);
    e.from = dayOf(o.value("from"));
    e.to = dayOf(o.value("to"));
    for (const QJsonValue &v : o.value("charges").toArray()) {
        qint64 id = 0;
        if (!read64(v, &id))
            return std::nullopt;
        e.chargeIds.push_back(id);
    }
    return e;
}

bool writeRegister(const QString &folder, const std::vector<RegisterEntry> &entries, QString *error)
{
    QJsonArray all;
    for (const RegisterEntry &e : entries)
        all.append(toJson(e));
    QSaveFile file(registerFile(folder));
    if (!file.open(QIODevice::WriteOnly)) {
        *error = QStringLiteral("The invoice register %1 cannot be written: %2")
                     .arg(file.fileName(), file.errorString());
        return false;
    }
    const QByteArray bytes = QJsonDocument(QJsonObject{{"invoices", all}}).toJson(QJsonDocument::Indented);
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        *error = QStringLiteral("The invoice register %1 cannot be written: %2")
                     .arg(file.fileName(), file.errorString());
        return false;
    }
    return true;
}

qint64 nextSequence(const std::vector<RegisterEntry> &entries, const Sender &sender)
{
    qint64 next = sender.nextNumber;
    for (const RegisterEntry &e : entries)
        next = std::max(next, e.sequence + 1);
    return next;
}

// The number for the next issue; a number already in the register (the
// pattern was changed back) is never given again.
std::pair<qint64, QString> nextNumber(const std::vector<RegisterEntry> &entries, const Sender &sender,
                                      const QDate &date)
{
    qint64 sequence = nextSequence(entries, sender);
    for (;; ++sequence) {
        const QString number = formatNumber(sender.numberPattern, sequence, date);
        if (std::none_of(entries.begin(), entries.end(),
                         [&](const RegisterEntry &e) { return e.number == number; }))
            return {sequence, number};
    }
}

// Files under a number that no issue completed: the leftovers of a process
// killed between keeping the PDF and registering it. They are set aside,
// never removed.
bool setAsideUnfinished(QDir &dir, const std::vector<RegisterEntry> &entries, const QString &number,
                        QString *error)
{
    const QString prefix = invoiceFileName(number, QString()).chopped(4); // "<number> "
    for (const QString &name : dir.entryList({QStringLiteral("*.pdf")}, QDir::Files)) {
        if (!name.startsWith(prefix.trimmed() + QLatin1Char(' ')) &&
            name != prefix.trimmed() + QStringLiteral(".pdf"))
            continue;
        if (std::any_of(entries.begin(), entries.end(),
                        [&](const RegisterEntry &e) { return e.fileName == name; }))
            continue;
        QString aside = name + QStringLiteral(".unfinished");
        for (int n = 2; dir.exists(aside); ++n)
            aside = name + QStringLiteral(".unfinished-%1").arg(n);
        if (!dir.rename(name, aside)) {
            *error = QStringLiteral("The unfinished invoice %1 cannot be set aside.").arg(dir.filePath(name));
            return false;
        }
    }
    // Temporary files of a killed issue: nobody else writes while we hold the lock.
    for (const QString &name : dir.entryList({QStringLiteral(".issue-*")}, QDir::Files | QDir::Hidden))
        dir.remove(name);
    return true;
}

} // namespace

QString invoicesFolder()
{
    return DataPath() + QStringLiteral("Invoices");
}

QString invoicesFolderFor(const QString &databasePath)
{
    return QFileInfo(databasePath).absoluteDir().filePath(QStringLiteral("Invoices"));
}

std::optional<Invoice> computeRegistered(const QString &databasePath, const QString &folder,
                                         const Request &request, const Sender &sender, QString *error)
{
    const std::optional<std::vector<RegisterEntry>> entries = readRegister(folder, error);
    if (!entries)
        return std::nullopt;
    Request r = request;
    return compute(databasePath, r, sender, billedCharges(*entries), error);
}

QString registerFile(const QString &folder)
{
    return QDir(folder).filePath(kRegisterName);
}

std::optional<std::vector<RegisterEntry>> readRegister(const QString &folder, QString *error)
{
    std::vector<RegisterEntry> entries;
    QFile file(registerFile(folder));
    if (!file.exists())
        return entries;
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("The invoice register %1 cannot be read: %2")
                     .arg(file.fileName(), file.errorString());
        return std::nullopt;
    }
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &parseError);
    if (parseError.error != QJsonParseError::NoError || !doc.isObject() ||
        !doc.object().value("invoices").isArray()) {
        *error =
            QStringLiteral("The invoice register %1 is damaged; nothing can be issued until it is mended.")
                .arg(file.fileName());
        return std::nullopt;
    }
    for (const QJsonValue &v : doc.object().value("invoices").toArray()) {
        std::optional<RegisterEntry> e = fromJson(v.toObject());
        if (!e) {
            *error =
                QStringLiteral("The invoice register %1 holds an entry that cannot be read; nothing can be "
                               "issued until it is mended.")
                    .arg(file.fileName());
            return std::nullopt;
        }
        entries.push_back(std::move(*e));
    }
    return entries;
}

std::map<qint64, QString> billedCharges(const std::vector<RegisterEntry> &entries)
{
    std::map<qint64, QString> billed;
    for (const RegisterEntry &e : entries)
        for (qint64 id : e.chargeIds)
            billed.try_emplace(id, e.number);
    return billed;
}

std::optional<QDate> dayAfterLastInvoice(const std::vector<RegisterEntry> &entries, qint32 companyId)
{
    std::optional<QDate> after;
    for (const RegisterEntry &e : entries) {
        if (e.companyId != companyId || e.kind != Kind::Invoice)
            continue;
        const QDate end = e.to ? *e.to : e.date;
        if (!after || end.addDays(1) > *after)
            after = end.addDays(1);
    }
    return after;
}

QString invoiceFileName(const QString &number, const QString &company)
{
    QString stem = number.trimmed() + QLatin1Char(' ') + company.simplified();
    QString safe;
    for (const QChar c : stem) {
        const QChar::Category cat = c.category();
        if (QStringLiteral("/\\:*?\"<>|").contains(c) || cat == QChar::Other_Control ||
            cat == QChar::Other_Format || cat == QChar::Separator_Line || cat == QChar::Separator_Paragraph)
            safe += QLatin1Char('_');
        else
            safe += c;
    }
    // A name of at most 200 bytes leaves room for the folder's own limits.
    while (safe.toUtf8().size() > 200)
        safe.chop(safe.size() > 1 && safe.at(safe.size() - 1).isLowSurrogate() ? 2 : 1);
    while (!safe.isEmpty() && (safe.endsWith(QLatin1Char('.')) || safe.endsWith(QLatin1Char(' '))))
        safe.chop(1);
    if (safe.isEmpty() || safe.startsWith(QLatin1Char('.')))
        safe.prepend(QLatin1Char('_'));
    return safe + QStringLiteral(".pdf");
}

QString peekNumber(const QString &folder, const Sender &sender, const QDate &date, QString *error)
{
    const std::optional<std::vector<RegisterEntry>> entries = readRegister(folder, error);
    if (!entries)
        return {};
    return nextNumber(*entries, sender, date).second;
}

IssueResult issue(const QString &folder, Invoice invoice, const Producer &produce)
{
    IssueResult result;
    if (!invoice.issuable()) {
        result.error = invoice.refusals.isEmpty() ? QStringLiteral("There is nothing to bill.")
                                                  : invoice.refusals.join(QLatin1Char('\n'));
        return result;
    }
    QDir dir(folder);
    if (!dir.mkpath(QStringLiteral("."))) {
        result.error = QStringLiteral("The folder %1 cannot be made.").arg(folder);
        return result;
    }
    QLockFile lock(dir.filePath(kLockName));
    lock.setStaleLockTime(kStaleLockMs);
    if (!lock.tryLock(kLockWaitMs)) {
        result.error = lock.error() == QLockFile::LockFailedError
                           ? QStringLiteral("Another invoice is being issued; try again in a moment.")
                           : QStringLiteral("The folder %1 cannot be written.").arg(folder);
        return result;
    }
    std::optional<std::vector<RegisterEntry>> entries = readRegister(folder, &result.error);
    if (!entries)
        return result;
    const auto [sequence, number] = nextNumber(*entries, invoice.sender, invoice.invoiceDate);
    invoice.number = number;
    invoice.draft = false;
    if (!setAsideUnfinished(dir, *entries, number, &result.error))
        return result;

    const QString fileName = invoiceFileName(number, invoice.client.name);
    const QString kept = dir.filePath(fileName);
    QTemporaryFile temp(dir.filePath(QStringLiteral(".issue-XXXXXX")));
    if (!temp.open()) {
        result.error =
            QStringLiteral("The invoice cannot be written in %1: %2").arg(folder, temp.errorString());
        return result;
    }
    temp.close();
    if (!produce(invoice, temp.fileName(), &result.error)) {
        if (result.error.isEmpty())
            result.error = QStringLiteral("The invoice was not written.");
        return result;
    }
    if (QFileInfo::exists(kept) || !QFile::rename(temp.fileName(), kept)) {
        result.error = QStringLiteral("The invoice cannot be kept as %1.").arg(kept);
        return result;
    }
    temp.setAutoRemove(false);

    RegisterEntry entry;
    entry.number = number;
    entry.sequence = sequence;
    entry.kind = invoice.kind;
    entry.date = invoice.invoiceDate;
    entry.companyId = invoice.client.id;
    entry.companyName = invoice.client.name;
    entry.projectId = invoice.projectId;
    entry.from = invoice.from;
    entry.to = invoice.to;
    entry.hours = invoice.hours;
    entry.subtotal = invoice.subtotal;
    entry.tax = invoice.tax;
    entry.total = invoice.kind == Kind::Statement ? invoice.balanceDue : invoice.total;
    entry.fileName = fileName;
    if (invoice.kind == Kind::Invoice)
        entry.chargeIds = invoice.chargeIds();
    entries->push_back(entry);
    if (!writeRegister(folder, *entries, &result.error)) {
        // Not registered, so not issued: the kept file goes too.
        QFile::remove(kept);
        return result;
    }
    saveNextNumber(sequence + 1);
    result.number = number;
    result.keptFile = kept;
    return result;
}

} // namespace Billing

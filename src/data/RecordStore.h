#pragma once

#include "data/Types.h"

#include <QString>

#include <optional>

// Every routine that changes rows. Each opens its own connection, reports a
// failing step through the shared error box with Abort, Retry and Ignore, and
// closes everything before it returns. A save returns the text of the last
// error box it showed, or the empty text when none was shown; an id of 0
// appends a row.
namespace modTamberlock {

void DeleteCompanyRecord(qint32 companyId);
void DeleteJobRecord(qint32 jobId);
void DeleteHourRecord(qint32 hourId);
void DeletePaymentRecord(qint32 paymentId);
void DeletePayTypeRecord(qint32 payTypeId);

QString SaveCompanyRecord(qint32 id, const QString &name, const QString &web, const QString &addr1,
                          const QString &addr2, const QString &city, const QString &state, const QString &zip,
                          const QString &comments, const QString &contact, const QString &email,
                          const QString &phone, const QString &fax);
QString SaveJobRecord(qint32 id, qint32 companyId, const QString &jobName, Currency hourlyWage,
                      OleDate deadLine);
QString SaveHourRecord(qint32 id, qint32 jobId, OleDate startTime, OleDate stopTime);
QString SavePaymentRecord(qint32 id, qint32 companyId, Currency amount, OleDate transaction,
                          const QString &comments, qint32 payTypeId);
QString SavePayTypeRecord(qint32 id, const QString &payType);

// The sum of the company's payments; 0 without payments and for a company
// that does not exist. No box is shown. Not a value when the sum, or an amount
// in it, lies outside the currency range (no total is better than a wrong
// one), nor when the file cannot be read: then *readFailed is set too.
std::optional<Currency> GetCompanyCredits(qint32 companyId, bool *readFailed = nullptr);

} // namespace modTamberlock

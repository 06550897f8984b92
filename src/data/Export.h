#pragma once

#include "data/Types.h"

#include <QDate>
#include <QString>

#include <optional>

class QIODevice;

// The charges, payments and balances of a database as CSV (RFC 4180, UTF-8,
// a header row, CRLF line ends) for a spreadsheet or an invoice. Costs are
// the main window's: hours as the charge list computes them, cost exact from
// the integer currency, rounded to the cent as the lists show it (to the
// currency's decimals), each row ending with the currency's code; a running
// charge costed to now at the rate the project list shows, as the live watch
// costs it.
namespace Export {

enum class Report { Charges, Payments, Balance };

// "charges", "payments", "balance".
std::optional<Report> reportNamed(const QString &name);

// Charges by their project (and its company) and by the day they started;
// payments by their company and by their date. A project limits the
// payments and balances to its company, as the status bar pairs the charges
// of the selected project with the payments of its company.
struct Filter {
    std::optional<qint32> company;
    std::optional<qint32> project;
    std::optional<QDate> from; // first day included
    std::optional<QDate> to;   // last day included
};

// Opens the database at path read-only and writes the report to out.
// Returns the empty text, or one line for a person saying what went wrong.
QString write(const QString &databasePath, Report report, const Filter &filter, QIODevice &out);

// One text field as a CSV cell: a leading "=", "+", "-", "@", tab or carriage
// return is made harmless for spreadsheets with a leading apostrophe, and the
// cell is quoted when it holds a comma, a quote or a line break.
QString csvText(const QString &text);
// An amount to the currency's decimals (the cent by default) with a point
// and no grouping, whatever the regional formats: "1234.50", "-5.00".
QString csvMoney(Currency amount);

} // namespace Export

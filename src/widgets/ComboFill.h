#pragma once

#include <QString>

#include <optional>
#include <vector>

class QComboBox;
class QListWidget;

namespace modTamberlock {

// One entry of a choice list: the row's id and the text shown for it.
struct ChoiceRow {
    qint32 id = 0;
    QString text;
};

struct ChoiceRows {
    std::vector<ChoiceRow> rows;
    // The entry to select: the last row whose id (or, with matchByText, whose
    // text) equals the select value; the first when none does.
    int selected = 0;
};

// Reads "SELECT id, text FROM table" in the order the database returns the
// rows, at most 5000 of them; nothing when the table cannot be read. The
// record set is finished before this returns.
std::optional<ChoiceRows> readChoiceRows(const QString &tableName, const QString &idField,
                                         const QString &textField, const QString &selectValue,
                                         bool matchByText);

// Fills a choice box with those rows, each item carrying its row's id as item
// data, and selects the chosen one. Errors are ignored: a table that cannot
// be read leaves the box empty.
void FillComboFromTable(QComboBox *combo, const QString &tableName, const QString &idField,
                        const QString &textField, const QString &selectValue, bool matchByText);

// The same for a list box, each entry carrying its row's id as Qt::UserRole.
// A table that cannot be read ends the refill before the list is emptied, so
// the list keeps what it showed.
void FillListFromTable(QListWidget *list, const QString &tableName, const QString &idField,
                       const QString &textField, const QString &selectValue, bool matchByText);

// The hourglass over the whole program, or the normal pointer again.
void SetBusyPointer(bool busy);

inline constexpr int kMaxListedRows = 5000;

} // namespace modTamberlock

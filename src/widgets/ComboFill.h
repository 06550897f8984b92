#pragma once

#include <QString>

class QComboBox;

namespace modTamberlock {

// Fills a choice box from "SELECT id, text FROM table" in the order the
// database returns the rows, at most 5000 items, each carrying its row's id
// as item data; selects the item whose id (or, with matchByText, whose text)
// equals selectValue, else the first. Errors are ignored.
void FillComboFromTable(QComboBox *combo, const QString &tableName, const QString &idField,
                        const QString &textField, const QString &selectValue, bool matchByText);

// The hourglass over the whole program, or the normal pointer again.
void SetBusyPointer(bool busy);

inline constexpr int kMaxListedRows = 5000;

} // namespace modTamberlock

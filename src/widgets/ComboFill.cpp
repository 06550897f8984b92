#include "widgets/ComboFill.h"

#include "data/Connection.h"

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QListWidget>

namespace modTamberlock {

std::optional<ChoiceRows> readChoiceRows(const QString &tableName, const QString &idField,
                                         const QString &textField, const QString &selectValue,
                                         bool matchByText)
{
    Connection connection;
    if (connection.open())
        return std::nullopt;
    QSqlQuery query = connection.newQuery();
    if (!query.exec(QStringLiteral("SELECT %1, %2 FROM %3").arg(idField, textField, tableName)))
        return std::nullopt;

    ChoiceRows read;
    while (query.next()) {
        if (int(read.rows.size()) >= kMaxListedRows)
            break;
        const QVariant id = query.value(0);
        QString text = query.value(1).toString();
        if (!selectValue.isEmpty() && (matchByText ? text : id.toString()) == selectValue)
            read.selected = int(read.rows.size());
        read.rows.push_back({id.toInt(), std::move(text)});
    }
    // The record set holds a read lock until it is finished; let no event
    // handler meet it.
    query.finish();
    return read;
}

void FillComboFromTable(QComboBox *combo, const QString &tableName, const QString &idField,
                        const QString &textField, const QString &selectValue, bool matchByText)
{
    if (!combo)
        return;
    const std::optional<ChoiceRows> read =
        readChoiceRows(tableName, idField, textField, selectValue, matchByText);
    combo->clear();
    if (read) {
        for (const ChoiceRow &row : read->rows)
            combo->addItem(row.text, QVariant(row.id));
    }
    QCoreApplication::processEvents();
    if (combo->count() > 0)
        combo->setCurrentIndex(read ? read->selected : 0);
}

void FillListFromTable(QListWidget *list, const QString &tableName, const QString &idField,
                       const QString &textField, const QString &selectValue, bool matchByText)
{
    if (!list)
        return;
    const std::optional<ChoiceRows> read =
        readChoiceRows(tableName, idField, textField, selectValue, matchByText);
    if (!read)
        return;
    list->clear();
    for (const ChoiceRow &row : read->rows) {
        auto *item = new QListWidgetItem(row.text);
        item->setData(Qt::UserRole, row.id);
        list->addItem(item);
    }
    QCoreApplication::processEvents();
    if (list->count() > 0)
        list->setCurrentRow(read->selected);
}

void SetBusyPointer(bool busy)
{
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return;
    // One hourglass at most: a second "on" must not need a second "off".
    while (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
    if (busy)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}

} // namespace modTamberlock

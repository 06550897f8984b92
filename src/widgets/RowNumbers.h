#pragma once

#include <QString>

#include <optional>

// How the main window reads record numbers back from row texts.
namespace RowNumbers {

// The number written by "0" followed by the text: no selection (an empty
// text) reads as 0. Nothing when the text is not a whole number.
inline std::optional<qint32> withZeroPrefix(const QString &text)
{
    bool ok = false;
    const qint32 n = (QLatin1Char('0') + text.trimmed()).toInt(&ok);
    if (!ok)
        return std::nullopt;
    return n;
}

// The text itself as a whole number; an empty text (no selection) does not
// read.
inline std::optional<qint32> plain(const QString &text)
{
    bool ok = false;
    const qint32 n = text.trimmed().toInt(&ok);
    if (!ok)
        return std::nullopt;
    return n;
}

} // namespace RowNumbers

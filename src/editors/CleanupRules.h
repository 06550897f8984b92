#pragma once

#include <QString>

// The clean-up rules of the company editor's zip and telephone boxes, run
// when a box loses the focus. Both settle: a cleaned-up text stays as it is
// the next time its box loses the focus.

// Five digits get "0000" appended; a text that is digits alone is then shown
// as "#####-####", keeping its leading zeros ("02134" -> "02134-0000");
// anything else stays as it is.
QString zipRule(const QString &text);

// Without its "-", a text of digits alone is shown as "(000) 000-0000"; a
// number already in that form ("(555) 123-4567") is read once more without its
// brackets and blanks, so it stays as it is; anything else loses its "-".
QString telephoneRule(const QString &text);

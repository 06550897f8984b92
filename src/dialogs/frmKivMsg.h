#pragma once

#include <QDialog>

// The program's own yes/no question with "Dont ask this again".
class frmKivMsg : public QDialog
{
    Q_OBJECT
public:
    explicit frmKivMsg(QWidget *parent = nullptr);
};

namespace modTamberlock {
// Shows a confirmation box without blocking the rest of the program and
// returns 6 (yes), 7 (no) or 0 (the time-out ran out first).
short ShowConfirmBox(const QString &message, const QString &caption, int defaultButton, int timeoutSeconds);
} // namespace modTamberlock

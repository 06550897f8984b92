#pragma once

#include <QObject>

// Writes one line for every window the program shows, under the logging
// category "tamberlock.windows" (off unless Qt's logging rules turn it on),
// so a script that starts the program can tell what it shows.
class WindowLog final : public QObject
{
public:
    // Watches the application's windows when the category is on.
    static void installIfEnabled();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

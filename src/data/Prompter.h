#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// Every message box and input box of the program goes through one Prompter.
// The program installs the Qt one; tests install a scripted one that records
// each box and answers from a queue.

enum class BoxIcon { None, Error, Warning, Question, Information };
enum class BoxButtons { Ok, YesNo, AbortRetryIgnore };

// The classic message-box results, with their classic values.
enum class BoxResult { Ok = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };

struct MessageBoxRequest {
    QString title;
    QString text;
    BoxIcon icon = BoxIcon::None;
    BoxButtons buttons = BoxButtons::Ok;
    int defaultButton = 1; // 1-based position in the button set
    // Captions in place of the set's own, in its order (a question whose
    // answers say what they do); empty for the classic captions.
    QStringList captions = {};
};

struct InputBoxRequest {
    QString prompt;
    QString title;
    QString defaultText;
};

class Prompter
{
public:
    virtual ~Prompter() = default;
    // The pressed button. A box closed without a button of its set gives
    // Cancel.
    virtual BoxResult message(const MessageBoxRequest &request) = 0;
    // The typed text, or nothing when the box was cancelled.
    virtual std::optional<QString> input(const InputBoxRequest &request) = 0;
};

// The installed prompter. With none installed every box answers as if closed
// (Cancel, no text), which a guarded routine takes as Abort.
Prompter &prompter();
// Installs a prompter (not owned); nullptr removes it.
void setPrompter(Prompter *p);

// Convenience: shows one box through the installed prompter.
BoxResult showMessage(const QString &title, const QString &text, BoxIcon icon,
                      BoxButtons buttons = BoxButtons::Ok, int defaultButton = 1);

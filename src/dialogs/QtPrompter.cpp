#include "dialogs/QtPrompter.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

namespace {

// The window the last box belonged to.
QPointer<QWidget> &lastOwner()
{
    static QPointer<QWidget> owner;
    return owner;
}

QWidget *ownerWindow()
{
    if (QWidget *w = QApplication::activeModalWidget())
        return w;
    if (QWidget *w = QApplication::activeWindow())
        return w;
    // Right after a box closed, the window system may not have handed the
    // keyboard back yet, so no window is active: a box asked for then (the
    // notice after an input box) belongs where the last one did, and the
    // keyboard goes back there when it closes, not to some other window.
    QWidget *last = lastOwner();
    return last && last->isVisible() ? last : nullptr;
}

// After a box: the keyboard back to the window it belonged to.
void returnTo(QWidget *owner)
{
    lastOwner() = owner;
    if (owner && owner->isVisible())
        owner->activateWindow();
}

// Message texts keep their classic CR LF line breaks; the box shows LF.
QString displayText(const QString &text)
{
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return t;
}

} // namespace

BoxResult QtPrompter::message(const MessageBoxRequest &request)
{
    QPointer<QWidget> owner = ownerWindow();
    QMessageBox box(owner);
    box.setWindowTitle(request.title);
    box.setText(displayText(request.text));
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    switch (request.icon) {
    case BoxIcon::Error: box.setIcon(QMessageBox::Critical); break;
    case BoxIcon::Warning: box.setIcon(QMessageBox::Warning); break;
    case BoxIcon::Question: box.setIcon(QMessageBox::Question); break;
    case BoxIcon::Information: box.setIcon(QMessageBox::Information); break;
    case BoxIcon::None: break;
    }

    QList<QPair<QPushButton *, BoxResult>> buttons;
    auto add = [&](const QString &caption, QMessageBox::ButtonRole role, BoxResult result) {
        buttons.append({box.addButton(caption, role), result});
    };
    switch (request.buttons) {
    case BoxButtons::Ok: add(QStringLiteral("OK"), QMessageBox::AcceptRole, BoxResult::Ok); break;
    case BoxButtons::YesNo:
        add(QStringLiteral("&Yes"), QMessageBox::YesRole, BoxResult::Yes);
        add(QStringLiteral("&No"), QMessageBox::NoRole, BoxResult::No);
        break;
    case BoxButtons::AbortRetryIgnore:
        // One role for all three: the platform would order buttons of
        // different roles its own way, and this box reads Abort, Retry,
        // Ignore from left to right everywhere.
        add(QStringLiteral("&Abort"), QMessageBox::ActionRole, BoxResult::Abort);
        add(QStringLiteral("&Retry"), QMessageBox::ActionRole, BoxResult::Retry);
        add(QStringLiteral("&Ignore"), QMessageBox::ActionRole, BoxResult::Ignore);
        break;
    }
    for (qsizetype i = 0; i < qMin(request.captions.size(), buttons.size()); ++i)
        buttons.at(i).first->setText(request.captions.at(i));
    const int def = qBound(1, request.defaultButton, int(buttons.size())) - 1;
    box.setDefaultButton(buttons.at(def).first);
    if (request.buttons == BoxButtons::YesNo)
        box.setEscapeButton(buttons.at(1).first);
    else if (request.buttons == BoxButtons::Ok)
        box.setEscapeButton(buttons.at(0).first);
    else if (request.buttons == BoxButtons::AbortRetryIgnore)
        box.setEscapeButton(buttons.at(0).first);

    box.exec();
    returnTo(owner);
    for (const auto &[button, result] : buttons) {
        if (box.clickedButton() == button)
            return result;
    }
    return BoxResult::Cancel;
}

std::optional<QString> QtPrompter::input(const InputBoxRequest &request)
{
    bool ok = false;
    QPointer<QWidget> owner = ownerWindow();
    const QString text = QInputDialog::getText(owner, request.title, request.prompt, QLineEdit::Normal,
                                               request.defaultText, &ok);
    returnTo(owner);
    if (!ok)
        return std::nullopt;
    return text;
}

#pragma once

#include <QDialog>
#include <QList>
#include <QPointer>

class QListWidget;
class QPushButton;

// The payment types dialog, opened by the payment editor's "+" button. It
// keeps lkuPayTypes and says when it closes, so that its opener can refill
// its own type list.
class frmPayTypes : public QDialog
{
    Q_OBJECT
public:
    // The four buttons of the column beside the list, by their index.
    enum Button { AddButton = 0, EditButton = 1, DeleteButton = 2, ExitButton = 3 };

    // Shows the dialog held in held (created afresh and owned by owner when
    // none is open); an open one is brought forward instead.
    static frmPayTypes *showFor(QPointer<frmPayTypes> &held, QWidget *owner);

    // Refills lstPayTypes from lkuPayTypes and selects the entry whose text
    // (byText) or id equals selectText; the last such entry, else the first.
    void FillPayTypeList(const QString &selectText, bool byText);

    void onButtonClicked(int index);

    QListWidget *list() const { return m_typeList; }
    QPushButton *button(int index) const { return m_buttons.value(index); }
    // True once the dialog has closed; it is deleted soon after.
    bool isClosed() const { return m_closed; }

    void done(int result) override;

signals:
    // Exit, Esc or the close box: once, after the busy pointer is off.
    void closed();

private:
    explicit frmPayTypes(QWidget *owner);

    QListWidget *m_typeList = nullptr;
    QList<QPushButton *> m_buttons;
    bool m_closed = false;
};

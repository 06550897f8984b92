#pragma once

#include <QDialog>
#include <QList>
#include <QPointer>

class QListWidget;
class QPushButton;

// The payment types dialog, opened by the payment editor's "+" button. It
// keeps lkuPayTypes and, when it closes, refills its owner's type list.
class frmPayTypes : public QDialog
{
    Q_OBJECT
public:
    // Shows the dialog (created afresh) owned by the payment editor; while
    // one is open for that owner, brings it forward instead.
    static frmPayTypes *showFor(QWidget *owner);

    // Refills lstPayTypes from lkuPayTypes and selects the entry whose text
    // (byText) or id equals selectText; the last such entry, else the first.
    void FillPayTypeList(const QString &selectText, bool byText);

    // The four buttons: 0 add, 1 edit, 2 delete, 3 exit.
    void cmdAddPayType_Click(int index);

    QListWidget *list() const { return lstPayTypes; }
    QPushButton *button(int index) const { return cmdAddPayType.value(index); }

    void done(int result) override;

private:
    explicit frmPayTypes(QWidget *owner);

    QListWidget *lstPayTypes = nullptr;
    QList<QPushButton *> cmdAddPayType;
    QPointer<QWidget> m_owner;
    bool m_closed = false;
};

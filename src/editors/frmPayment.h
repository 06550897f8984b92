#pragma once

#include "editors/EditorBase.h"

#include <QPointer>

class QComboBox;
class frmPayTypes;

// The payment editor: a payment received from a company with its amount,
// transaction date, payment type and comments.
class frmPayment : public EditorBase
{
    Q_OBJECT
public:
    // The one editor, shown (created from its design when it is not open) and
    // brought forward, owned by owner.
    static frmPayment *showEditor(QWidget *owner);
    // -1 edits the row with that id; every other value adds a row.
    using EditorBase::SwapFormMode;

protected:
    void LoadRecord() override;
    QString AddRecord() override;
    QString SaveRecord() override;
    void presetChoices() override;
    OnClose onCloseBox() const override { return OnClose::Nothing; }
    OnClose onCloseButton() const override { return OnClose::ReloadOnly; }

private:
    explicit frmPayment(QWidget *owner);
    QString saveAs(qint32 id);
    void fillPayTypes(const QString &selectId);
    void onAddPayTypeClicked();
    // The payment types dialog closed: its changes show in the type list.
    void onPayTypesClosed();

    QComboBox *m_companyBox = nullptr;
    QComboBox *m_payTypeBox = nullptr;
    QPointer<frmPayTypes> m_payTypes;
};

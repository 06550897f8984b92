#pragma once

#include "editors/EditorBase.h"

#include <QPointer>

class QComboBox;

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

    QComboBox *cboCompanyID = nullptr;
    QComboBox *cboPayTypes = nullptr;
    static QPointer<frmPayment> s_open;
};

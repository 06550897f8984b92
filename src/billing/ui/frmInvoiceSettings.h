#pragma once

#include "billing/SenderSettings.h"

#include <QDialog>

class QLineEdit;
class QPlainTextEdit;
class QSpinBox;

// "Invoice Settings": the sender's details printed on every invoice, kept in
// the user's settings store. Non-modal; says when it was saved.
class frmInvoiceSettings : public QDialog
{
    Q_OBJECT
public:
    explicit frmInvoiceSettings(QWidget *owner);

    // The logo's file, chosen by a file dialog; tests replace it.
    static QString (*chooseLogo)(QWidget *parent, const QString &current);

signals:
    void saved();

protected:
    void accept() override;

private:
    void load(const Billing::Sender &s);

    QLineEdit *m_name = nullptr;
    QPlainTextEdit *m_address = nullptr;
    QLineEdit *m_phone = nullptr;
    QLineEdit *m_email = nullptr;
    QLineEdit *m_web = nullptr;
    QLineEdit *m_taxId = nullptr;
    QPlainTextEdit *m_instructions = nullptr;
    QSpinBox *m_terms = nullptr;
    QLineEdit *m_taxRate = nullptr;
    QLineEdit *m_taxLabel = nullptr;
    QLineEdit *m_pattern = nullptr;
    QSpinBox *m_next = nullptr;
    QLineEdit *m_logo = nullptr;
};

#pragma once

#include "billing/Invoice.h"
#include "billing/InvoicePages.h"

#include <QDialog>
#include <QPointer>

#include <memory>
#include <vector>

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPrinter;
class QPushButton;
class QScrollArea;
class QTimer;

// The invoice window: what to bill and how (period, detail, dates, tax,
// note), a live preview of the pages side by side, and the commands that
// issue it ("Print...", "Save PDF..."). Non-modal, owned by its opener, which
// holds it in a QPointer. The invoice itself is computed and laid out by the
// billing library; this window only chooses and shows.
class frmInvoice : public QDialog
{
    Q_OBJECT
public:
    enum Preset { Custom, LastMonth, ThisMonth, SinceLastInvoice, NotYetInvoiced };

    // The opener's one invoice window, made or brought forward, set to bill
    // what the request names (company, project or charges; its kind).
    static frmInvoice *showFor(QWidget *owner, QPointer<frmInvoice> &held, const Billing::Request &request);

    // The dialogs a test cannot answer, replaced there: the file to save to
    // (empty: cancelled), the printer's dialog (false: cancelled), opening a
    // kept invoice with the desktop's viewer.
    static QString (*chooseSavePath)(QWidget *parent, const QString &suggested);
    static bool (*choosePrinter)(QWidget *parent, QPrinter &printer);
    static bool (*openFile)(const QString &path);

    void setRequest(const Billing::Request &request);
    void setPreset(Preset preset);
    // Computes the invoice and lays out its pages now (changes to the
    // choices do it after a short pause).
    void refresh();

    // What the preview shows; nothing when it could not be computed.
    const Billing::Invoice *invoice() const;
    int pageCount() const;
    bool pageRendered(int page) const;

    // The commands of the buttons.
    void savePdf();
    void print();
    void openEarlier();
    void openSettings();

signals:
    void issued(const QString &number);

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    explicit frmInvoice(QWidget *owner);

    void presetChosen();
    void invoiceDateChanged();
    void schedule();
    Billing::Request currentRequest() const;
    void buildPreview();
    void renderSomePages();
    void fillEarlier();
    // Issues with the given way of producing the pages; shows why not.
    bool issueWith(const std::function<bool(const Billing::Invoice &, const QString &, QString *)> &produce);
    bool canIssue();

    Billing::Request m_request;
    std::optional<Billing::Invoice> m_invoice;
    std::unique_ptr<Billing::InvoicePages> m_pages;
    std::vector<QLabel *> m_pageLabels;
    std::vector<bool> m_rendered;
    QString m_error;
    qreal m_dpi = 52;

    QComboBox *m_preset = nullptr;
    QDateEdit *m_from = nullptr;
    QDateEdit *m_to = nullptr;
    QComboBox *m_detail = nullptr;
    QDateEdit *m_invoiceDate = nullptr;
    QDateEdit *m_dueDate = nullptr;
    QLineEdit *m_taxRate = nullptr;
    QLineEdit *m_taxLabel = nullptr;
    QPlainTextEdit *m_note = nullptr;
    QLabel *m_summary = nullptr;
    QScrollArea *m_preview = nullptr;
    QWidget *m_strip = nullptr;
    QListWidget *m_earlier = nullptr;
    QPushButton *m_open = nullptr;
    QPushButton *m_print = nullptr;
    QPushButton *m_save = nullptr;
    QTimer *m_recompute = nullptr;
    QTimer *m_render = nullptr;
    QTimer *m_relayout = nullptr;
    bool m_filling = false;
    bool m_askedForSender = false;
};

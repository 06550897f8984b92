#include "billing/ui/frmInvoice.h"

#include "billing/Register.h"
#include "billing/ui/frmInvoiceSettings.h"
#include "data/Clock.h"
#include "data/DataPath.h"
#include "data/Formats.h"
#include "data/Prompter.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSaveFile>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QUrl>

using namespace Billing;

namespace {

// The preview's resolution before the window has its size: a page a
// little over 400 pixels high.
constexpr qreal kPreviewDpi = 52;
const QDate kNoDate(1601, 1, 1);

QString saveDialog(QWidget *parent, const QString &suggested)
{
    return QFileDialog::getSaveFileName(parent, QStringLiteral("Save PDF"), suggested,
                                        QStringLiteral("PDF files (*.pdf)"));
}

bool printDialog(QWidget *parent, QPrinter &printer)
{
    QPrintDialog dialog(&printer, parent);
    dialog.setObjectName(QStringLiteral("dlgPrint"));
    return dialog.exec() == QDialog::Accepted;
}

bool desktopOpen(const QString &path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

QDateEdit *dateEdit(QWidget *parent, const char *name)
{
    auto *edit = new QDateEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setCalendarPopup(true);
    edit->setMinimumDate(kNoDate);
    edit->setSpecialValueText(QStringLiteral("\u2014"));
    edit->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    return edit;
}

QLabel *label(QWidget *parent, const QString &caption, QWidget *buddy)
{
    auto *l = new QLabel(caption, parent);
    l->setObjectName(QStringLiteral("lbl") + buddy->objectName().mid(3));
    l->setBuddy(buddy);
    return l;
}

} // namespace

QString (*frmInvoice::chooseSavePath)(QWidget *, const QString &) = saveDialog;
bool (*frmInvoice::choosePrinter)(QWidget *, QPrinter &) = printDialog;
bool (*frmInvoice::openFile)(const QString &) = desktopOpen;

frmInvoice *frmInvoice::showFor(QWidget *owner, QPointer<frmInvoice> &held, const Request &request)
{
    if (!held)
        held = new frmInvoice(owner);
    held->setRequest(request);
    held->show();
    held->raise();
    held->activateWindow();
    return held;
}

frmInvoice::frmInvoice(QWidget *owner) : QDialog(owner, Qt::Window)
{
    setObjectName(QStringLiteral("frmInvoice"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);

    m_preset = new QComboBox(this);
    m_preset->setObjectName(QStringLiteral("cboPeriod"));
    m_from = dateEdit(this, "dtpFrom");
    m_to = dateEdit(this, "dtpTo");
    m_detail = new QComboBox(this);
    m_detail->setObjectName(QStringLiteral("cboDetail"));
    m_detail->addItems({QStringLiteral("One line per charge"), QStringLiteral("One line per project"),
                        QStringLiteral("One line per day")});
    m_invoiceDate = dateEdit(this, "dtpInvoiceDate");
    m_dueDate = dateEdit(this, "dtpDueDate");
    m_taxRate = new QLineEdit(this);
    m_taxRate->setObjectName(QStringLiteral("txtTaxRate"));
    m_taxLabel = new QLineEdit(this);
    m_taxLabel->setObjectName(QStringLiteral("txtTaxLabel"));
    m_note = new QPlainTextEdit(this);
    m_note->setObjectName(QStringLiteral("txtNote"));
    m_note->setTabChangesFocus(true);
    m_note->setFixedHeight(m_note->fontMetrics().lineSpacing() * 3 + 12);

    auto *choices = new QGridLayout;
    choices->addWidget(label(this, QStringLiteral("Pe&riod:"), m_preset), 0, 0);
    choices->addWidget(m_preset, 0, 1, 1, 3);
    choices->addWidget(label(this, QStringLiteral("&From:"), m_from), 1, 0);
    choices->addWidget(m_from, 1, 1);
    choices->addWidget(label(this, QStringLiteral("&To:"), m_to), 1, 2);
    choices->addWidget(m_to, 1, 3);
    choices->addWidget(label(this, QStringLiteral("&Detail:"), m_detail), 2, 0);
    choices->addWidget(m_detail, 2, 1, 1, 3);
    choices->addWidget(label(this, QStringLiteral("&Invoice date:"), m_invoiceDate), 3, 0);
    choices->addWidget(m_invoiceDate, 3, 1);
    choices->addWidget(label(this, QStringLiteral("D&ue date:"), m_dueDate), 3, 2);
    choices->addWidget(m_dueDate, 3, 3);
    choices->addWidget(label(this, QStringLiteral("Ta&x rate (%):"), m_taxRate), 4, 0);
    choices->addWidget(m_taxRate, 4, 1);
    choices->addWidget(label(this, QStringLiteral("Tax &label:"), m_taxLabel), 4, 2);
    choices->addWidget(m_taxLabel, 4, 3);
    choices->addWidget(label(this, QStringLiteral("&Note:"), m_note), 5, 0, Qt::AlignTop);
    choices->addWidget(m_note, 5, 1, 1, 3);

    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("lblSummary"));
    m_summary->setWordWrap(true);
    m_summary->setTextFormat(Qt::PlainText);

    m_earlier = new QListWidget(this);
    m_earlier->setObjectName(QStringLiteral("lstInvoices"));
    m_open = new QPushButton(QStringLiteral("&Open Invoice"), this);
    m_open->setObjectName(QStringLiteral("cmdOpen"));
    m_open->setAutoDefault(false);
    auto *left = new QVBoxLayout;
    left->addLayout(choices);
    left->addWidget(m_summary);
    left->addWidget(label(this, QStringLiteral("&Earlier invoices:"), m_earlier));
    left->addWidget(m_earlier, 1);
    left->addWidget(m_open, 0, Qt::AlignLeft);

    m_preview = new QScrollArea(this);
    m_preview->setObjectName(QStringLiteral("picPreview"));
    m_preview->setWidgetResizable(false);
    m_preview->setBackgroundRole(QPalette::Dark);
    m_strip = new QWidget;
    m_strip->setObjectName(QStringLiteral("picPages"));
    new QHBoxLayout(m_strip);
    m_preview->setWidget(m_strip);

    auto *choicesPanel = new QWidget(this);
    choicesPanel->setObjectName(QStringLiteral("framChoices"));
    choicesPanel->setLayout(left);
    left->setContentsMargins(0, 0, 0, 0);
    choicesPanel->setFixedWidth(420);
    auto *top = new QHBoxLayout;
    top->addWidget(choicesPanel, 0);
    top->addWidget(m_preview, 1);

    auto *settings = new QPushButton(QStringLiteral("Invoice &Settings..."), this);
    settings->setObjectName(QStringLiteral("cmdSettings"));
    settings->setAutoDefault(false);
    m_print = new QPushButton(QStringLiteral("&Print..."), this);
    m_print->setObjectName(QStringLiteral("cmdPrint"));
    m_print->setAutoDefault(false);
    m_save = new QPushButton(QStringLiteral("Sa&ve PDF..."), this);
    m_save->setObjectName(QStringLiteral("cmdSave"));
    m_save->setDefault(true);
    auto *close = new QPushButton(QStringLiteral("&Close"), this);
    close->setObjectName(QStringLiteral("cmdClose"));
    close->setAutoDefault(false);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(settings);
    buttons->addStretch(1);
    buttons->addWidget(m_print);
    buttons->addWidget(m_save);
    buttons->addWidget(close);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);

    m_recompute = new QTimer(this);
    m_recompute->setSingleShot(true);
    m_recompute->setInterval(200);
    connect(m_recompute, &QTimer::timeout, this, &frmInvoice::refresh);
    m_relayout = new QTimer(this);
    m_relayout->setSingleShot(true);
    m_relayout->setInterval(100);
    connect(m_relayout, &QTimer::timeout, this, &frmInvoice::buildPreview);
    m_render = new QTimer(this);
    m_render->setInterval(0);
    connect(m_render, &QTimer::timeout, this, &frmInvoice::renderSomePages);

    connect(m_preset, &QComboBox::currentIndexChanged, this, &frmInvoice::presetChosen);
    for (QDateEdit *edit : {m_from, m_to, m_dueDate})
        connect(edit, &QDateEdit::dateChanged, this, &frmInvoice::schedule);
    connect(m_invoiceDate, &QDateEdit::dateChanged, this, &frmInvoice::invoiceDateChanged);
    connect(m_detail, &QComboBox::currentIndexChanged, this, &frmInvoice::schedule);
    connect(m_taxRate, &QLineEdit::textChanged, this, &frmInvoice::schedule);
    connect(m_taxLabel, &QLineEdit::textChanged, this, &frmInvoice::schedule);
    connect(m_note, &QPlainTextEdit::textChanged, this, &frmInvoice::schedule);
    connect(m_preview->horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] { m_render->start(); });
    connect(m_earlier, &QListWidget::itemActivated, this, &frmInvoice::openEarlier);
    connect(m_open, &QPushButton::clicked, this, &frmInvoice::openEarlier);
    connect(settings, &QPushButton::clicked, this, &frmInvoice::openSettings);
    connect(m_print, &QPushButton::clicked, this, &frmInvoice::print);
    connect(m_save, &QPushButton::clicked, this, &frmInvoice::savePdf);
    connect(close, &QPushButton::clicked, this, &frmInvoice::close);
    resize(1180, 640);
}

void frmInvoice::setRequest(const Request &request)
{
    m_request = request;
    const Sender sender = loadSender();
    const bool statement = request.kind == Kind::Statement;
    const bool byCharges = !request.chargeIds.empty();
    setWindowTitle(statement ? QStringLiteral("Statement of Account") : QStringLiteral("Invoice"));
    if (auto *dateLabel = findChild<QLabel *>(QStringLiteral("lblInvoiceDate")))
        dateLabel->setText(statement ? QStringLiteral("St&atement date:") : QStringLiteral("&Invoice date:"));
    m_filling = true;
    m_preset->clear();
    m_preset->addItems(
        {QStringLiteral("Choose the dates"), QStringLiteral("Last month"), QStringLiteral("This month"),
         QStringLiteral("Since the last invoice to this company"),
         statement ? QStringLiteral("Everything") : QStringLiteral("Everything not yet invoiced")});
    for (QWidget *w : std::initializer_list<QWidget *>{m_preset, m_from, m_to})
        w->setEnabled(!byCharges);
    for (QWidget *w : std::initializer_list<QWidget *>{m_taxRate, m_taxLabel, m_dueDate})
        w->setEnabled(!statement);
    const QDate today = Clock::now().date();
    m_invoiceDate->setDate(request.invoiceDate.isValid() ? request.invoiceDate : today);
    m_dueDate->setDate(request.dueDate.isValid() ? request.dueDate
                                                 : m_invoiceDate->date().addDays(sender.paymentTermsDays));
    m_taxRate->setText(taxRateText(sender.defaultTaxRate).chopped(2));
    m_taxLabel->setText(sender.taxLabel);
    m_detail->setCurrentIndex(int(request.detail));
    m_filling = false;
    setPreset(byCharges ? Custom : (statement ? ThisMonth : NotYetInvoiced));
    refresh();
}

void frmInvoice::setPreset(Preset preset)
{
    m_preset->setCurrentIndex(int(preset));
    presetChosen();
}

void frmInvoice::presetChosen()
{
    if (m_filling)
        return;
    const QDate today = Clock::now().date();
    const QDate firstOfMonth(today.year(), today.month(), 1);
    m_filling = true;
    const int preset = m_preset->currentIndex();
    m_from->setEnabled(preset == Custom && m_preset->isEnabled());
    m_to->setEnabled(preset == Custom && m_preset->isEnabled());
    switch (preset) {
    case LastMonth:
        m_from->setDate(firstOfMonth.addMonths(-1));
        m_to->setDate(firstOfMonth.addDays(-1));
        break;
    case ThisMonth:
        m_from->setDate(firstOfMonth);
        m_to->setDate(firstOfMonth.addMonths(1).addDays(-1));
        break;
    case SinceLastInvoice: {
        QString error;
        const auto entries = readRegister(invoicesFolder(), &error);
        const std::optional<QDate> after =
            entries ? dayAfterLastInvoice(*entries, m_request.companyId) : std::nullopt;
        m_from->setDate(after.value_or(kNoDate));
        m_to->setDate(today);
        break;
    }
    case NotYetInvoiced:
        m_from->setDate(kNoDate);
        m_to->setDate(kNoDate);
        break;
    default:
        if (m_from->date() == kNoDate)
            m_from->setDate(firstOfMonth);
        if (m_to->date() == kNoDate)
            m_to->setDate(today);
        break;
    }
    m_filling = false;
    schedule();
}

void frmInvoice::invoiceDateChanged()
{
    if (m_filling)
        return;
    m_dueDate->setDate(m_invoiceDate->date().addDays(loadSender().paymentTermsDays));
    schedule();
}

void frmInvoice::schedule()
{
    if (!m_filling)
        m_recompute->start();
}

Request frmInvoice::currentRequest() const
{
    Request r = m_request;
    r.from.reset();
    r.to.reset();
    if (r.chargeIds.empty()) {
        if (m_from->date() != kNoDate)
            r.from = m_from->date();
        if (m_to->date() != kNoDate)
            r.to = m_to->date();
    }
    r.detail = Detail(std::max(0, m_detail->currentIndex()));
    r.invoiceDate = m_invoiceDate->date();
    r.dueDate = m_dueDate->date();
    r.taxRate = parseTaxRate(m_taxRate->text()).value_or(-1);
    r.taxLabel = m_taxLabel->text().trimmed();
    r.note = m_note->toPlainText();
    return r;
}

void frmInvoice::refresh()
{
    m_recompute->stop();
    const Request request = currentRequest();
    m_error.clear();
    if (request.taxRate < 0) {
        m_error = QStringLiteral("The tax rate must be a percentage from 0 to 100.");
        m_invoice.reset();
    } else {
        m_invoice = computeRegistered(databaseFile(), invoicesFolder(), request, loadSender(), &m_error);
    }
    QStringList summary;
    if (!m_invoice) {
        summary << m_error;
    } else {
        const Invoice &inv = *m_invoice;
        summary << inv.refusals;
        if (inv.kind == Kind::Invoice && inv.charges.empty())
            summary << QStringLiteral("There are no stopped charges to bill in this period.");
        else if (inv.kind == Kind::Invoice)
            summary << QStringLiteral("%1 charge%2, %3 hours, total %4.")
                           .arg(inv.charges.size())
                           .arg(inv.charges.size() == 1 ? QString() : QStringLiteral("s"))
                           .arg(hoursText(inv.hours), modTamberlock::formatCurrency(inv.total));
        else
            summary << QStringLiteral("Balance due %1.").arg(modTamberlock::formatCurrency(inv.balanceDue));
        if (inv.runningLeftOut > 0)
            summary << QStringLiteral("%1 running charge%2 left out: a charge is billed once it has stopped.")
                           .arg(inv.runningLeftOut)
                           .arg(inv.runningLeftOut == 1 ? QString() : QStringLiteral("s"));
        if (inv.alreadyBilled > 0)
            summary << QStringLiteral(
                           "%1 charge%2 already billed by an issued invoice (marked \"already billed\").")
                           .arg(inv.alreadyBilled)
                           .arg(inv.alreadyBilled == 1 ? QString() : QStringLiteral("s"));
    }
    m_summary->setText(summary.join(QLatin1Char('\n')));
    const bool issuable = m_invoice && m_invoice->issuable();
    m_print->setEnabled(issuable);
    m_save->setEnabled(issuable);
    m_pages.reset();
    if (m_invoice)
        m_pages = std::make_unique<InvoicePages>(*m_invoice, defaultPageLayout());
    buildPreview();
    fillEarlier();
}

void frmInvoice::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    // The pages follow the preview's height once the resizing settles.
    if (m_pages)
        m_relayout->start();
}

void frmInvoice::buildPreview()
{
    m_render->stop();
    for (QLabel *l : m_pageLabels)
        delete l;
    m_pageLabels.clear();
    m_rendered.clear();
    if (!m_pages)
        return;
    // Whole pages in the height the preview has.
    const QSizeF points = m_pages->layout().fullRect(QPageLayout::Point).size();
    const int room = m_preview->viewport()->height() - 2 * m_strip->layout()->contentsMargins().top();
    m_dpi = room > 100 ? std::min(kPreviewDpi * 2, room * 72.0 / points.height()) : kPreviewDpi;
    const QSize size = (points * m_dpi / 72.0).toSize();
    auto *row = static_cast<QHBoxLayout *>(m_strip->layout());
    for (int page = 0; page < m_pages->count(); ++page) {
        auto *l = new QLabel(m_strip);
        l->setObjectName(QStringLiteral("picPage_%1").arg(page + 1));
        l->setFixedSize(size);
        l->setAutoFillBackground(true);
        l->setPalette(QPalette(Qt::white));
        l->setAlignment(Qt::AlignCenter);
        l->setText(QStringLiteral("Page %1").arg(page + 1));
        row->addWidget(l);
        l->show(); // a child added to a shown window stays hidden otherwise
        m_pageLabels.push_back(l);
    }
    m_rendered.assign(m_pageLabels.size(), false);
    // The strip's size from its pages: its layout runs only later, and the
    // visible pages are chosen by their places in it.
    row->activate();
    m_strip->resize(row->sizeHint());
    m_render->start();
}

void frmInvoice::renderSomePages()
{
    // One page per turn of the event loop, and only the pages in view (and
    // the next one): a long invoice neither stops the window from answering
    // nor holds hundreds of page images.
    if (!m_pages) {
        m_render->stop();
        return;
    }
    const int left = m_preview->horizontalScrollBar()->value();
    const int right = left + std::max(1, m_preview->viewport()->width());
    for (size_t i = 0; i < m_pageLabels.size(); ++i) {
        const QRect g = m_pageLabels[i]->geometry();
        const bool wanted = g.right() >= left && g.left() <= right + g.width();
        if (wanted && !m_rendered[i]) {
            m_pageLabels[i]->setPixmap(
                QPixmap::fromImage(m_pages->image(int(i), m_dpi * devicePixelRatioF())
                                       .scaled(m_pageLabels[i]->size() * devicePixelRatioF(),
                                               Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
            m_rendered[i] = true;
            return;
        }
        if (!wanted && m_rendered[i]) {
            m_pageLabels[i]->setPixmap(QPixmap());
            m_pageLabels[i]->setText(QStringLiteral("Page %1").arg(i + 1));
            m_rendered[i] = false;
        }
    }
    m_render->stop();
}

const Invoice *frmInvoice::invoice() const
{
    return m_invoice ? &*m_invoice : nullptr;
}

int frmInvoice::pageCount() const
{
    return m_pages ? m_pages->count() : 0;
}

bool frmInvoice::pageRendered(int page) const
{
    return page >= 0 && size_t(page) < m_rendered.size() && m_rendered[size_t(page)];
}

void frmInvoice::fillEarlier()
{
    m_earlier->clear();
    QString error;
    const auto entries = readRegister(invoicesFolder(), &error);
    if (!entries) {
        m_earlier->addItem(error);
        m_open->setEnabled(false);
        return;
    }
    for (auto it = entries->rbegin(); it != entries->rend(); ++it) {
        if (it->companyId != m_request.companyId)
            continue;
        auto *item = new QListWidgetItem(
            QStringLiteral("%1   %2   %3")
                .arg(it->number, dateText(it->date), modTamberlock::formatCurrency(it->total)),
            m_earlier);
        item->setData(Qt::UserRole, it->fileName);
    }
    m_open->setEnabled(m_earlier->count() > 0);
    if (m_earlier->count() > 0)
        m_earlier->setCurrentRow(0);
}

void frmInvoice::openEarlier()
{
    const QListWidgetItem *item = m_earlier->currentItem();
    if (!item || item->data(Qt::UserRole).toString().isEmpty())
        return;
    const QString path = QDir(invoicesFolder()).filePath(item->data(Qt::UserRole).toString());
    if (!QFile::exists(path) || !openFile(path))
        showMessage(QStringLiteral("Invoice"),
                    QStringLiteral("The kept invoice %1 cannot be opened.").arg(path), BoxIcon::Warning);
}

void frmInvoice::openSettings()
{
    auto *settings = findChild<frmInvoiceSettings *>();
    if (!settings) {
        settings = new frmInvoiceSettings(this);
        connect(settings, &frmInvoiceSettings::saved, this, [this] {
            m_filling = true;
            const Sender s = loadSender();
            m_taxRate->setText(taxRateText(s.defaultTaxRate).chopped(2));
            m_taxLabel->setText(s.taxLabel);
            m_dueDate->setDate(m_invoiceDate->date().addDays(s.paymentTermsDays));
            m_filling = false;
            refresh();
        });
    }
    settings->show();
    settings->raise();
    settings->activateWindow();
}

void frmInvoice::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_render->start();
    // The first invoice asks who sends it.
    if (!m_askedForSender && loadSender().isEmpty()) {
        m_askedForSender = true;
        QTimer::singleShot(0, this, &frmInvoice::openSettings);
    }
}

bool frmInvoice::canIssue()
{
    if (m_recompute->isActive())
        refresh();
    if (!m_invoice) {
        showMessage(QStringLiteral("Invoice Not Issued"), m_error, BoxIcon::Error);
        return false;
    }
    if (!m_invoice->issuable()) {
        showMessage(QStringLiteral("Invoice Not Issued"),
                    m_invoice->refusals.isEmpty()
                        ? QStringLiteral("There are no stopped charges to bill in this period.")
                        : m_invoice->refusals.join(QLatin1Char('\n')),
                    BoxIcon::Warning);
        return false;
    }
    if (loadSender().isEmpty()) {
        openSettings();
        return false;
    }
    return true;
}

bool frmInvoice::issueWith(const std::function<bool(const Invoice &, const QString &, QString *)> &produce)
{
    const IssueResult result = issue(invoicesFolder(), *m_invoice, produce);
    if (!result.error.isEmpty()) {
        showMessage(QStringLiteral("Invoice Not Issued"), result.error, BoxIcon::Error);
        return false;
    }
    emit issued(result.number);
    refresh();
    m_summary->setText(QStringLiteral("Issued %1, kept as %2.\n").arg(result.number, result.keptFile) +
                       m_summary->text());
    return true;
}

void frmInvoice::savePdf()
{
    if (!canIssue())
        return;
    QString error;
    const QString number = peekNumber(invoicesFolder(), m_invoice->sender, m_invoice->invoiceDate, &error);
    const QString suggested =
        QDir(QDir::homePath()).filePath(invoiceFileName(number, m_invoice->client.name));
    const QString path = chooseSavePath(this, suggested);
    if (path.isEmpty())
        return;
    // The chosen place is opened first: one that cannot be written takes no number.
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly)) {
        showMessage(QStringLiteral("Invoice Not Issued"),
                    QStringLiteral("%1 cannot be written: %2").arg(path, out.errorString()), BoxIcon::Error);
        return;
    }
    const QPageLayout layout = defaultPageLayout();
    bool delivered = false;
    const bool ok = issueWith([&](const Invoice &numbered, const QString &pdf, QString *why) {
        if (!writePdf(numbered, layout, pdf, why))
            return false;
        QFile written(pdf);
        if (!written.open(QIODevice::ReadOnly))
            return false;
        const QByteArray bytes = written.readAll();
        if (out.write(bytes) != bytes.size() || !out.commit()) {
            *why = QStringLiteral("%1 cannot be written: %2").arg(path, out.errorString());
            return false;
        }
        delivered = true;
        return true;
    });
    // Written, but the issue failed after it: no copy of an invoice that was never issued.
    if (!ok && delivered)
        QFile::remove(path);
}

void frmInvoice::print()
{
    if (!canIssue())
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(defaultPageLayout());
    printer.setDocName(m_invoice->title());
    if (!choosePrinter(this, printer))
        return;
    // The paper chosen there, with the invoice's own margins.
    const QPageLayout layout(printer.pageLayout().pageSize(), printer.pageLayout().orientation(),
                             defaultPageLayout().margins(), QPageLayout::Millimeter);
    issueWith([&](const Invoice &numbered, const QString &pdf, QString *why) {
        return writePdf(numbered, layout, pdf, why) && InvoicePages(numbered, layout).print(printer, why);
    });
}

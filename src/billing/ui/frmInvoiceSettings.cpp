#include "billing/ui/frmInvoiceSettings.h"

#include "billing/Invoice.h"
#include "data/Prompter.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>

namespace {

QString logoDialog(QWidget *parent, const QString &current)
{
    return QFileDialog::getOpenFileName(parent, QStringLiteral("Logo"), current,
                                        QStringLiteral("Images (*.png *.jpg *.jpeg *.bmp *.gif *.svg)"));
}

QPlainTextEdit *lines(QWidget *parent, const char *name)
{
    auto *edit = new QPlainTextEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setTabChangesFocus(true);
    edit->setFixedHeight(edit->fontMetrics().lineSpacing() * 4 + 12);
    return edit;
}

QStringList linesOf(const QPlainTextEdit *edit)
{
    QStringList lines = edit->toPlainText().split(QLatin1Char('\n'));
    while (!lines.isEmpty() && lines.last().trimmed().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace

QString (*frmInvoiceSettings::chooseLogo)(QWidget *, const QString &) = logoDialog;

frmInvoiceSettings::frmInvoiceSettings(QWidget *owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("frmInvoiceSettings"));
    setWindowTitle(QStringLiteral("Invoice Settings"));
    setAttribute(Qt::WA_DeleteOnClose);

    auto *form = new QFormLayout;
    auto line = [this](const char *name) {
        auto *edit = new QLineEdit(this);
        edit->setObjectName(QLatin1String(name));
        return edit;
    };
    auto row = [&](const char *caption, QWidget *field) {
        auto *label = new QLabel(QString::fromUtf8(caption), this);
        label->setObjectName(QStringLiteral("lbl") + field->objectName().mid(3));
        label->setBuddy(field);
        form->addRow(label, field);
    };
    m_name = line("txtBusinessName");
    m_address = lines(this, "txtAddress");
    m_phone = line("txtPhone");
    m_email = line("txtEmail");
    m_web = line("txtWeb");
    m_taxId = line("txtTaxId");
    m_instructions = lines(this, "txtInstructions");
    m_terms = new QSpinBox(this);
    m_terms->setObjectName(QStringLiteral("txtTerms"));
    m_terms->setRange(0, 3650);
    m_taxRate = line("txtTaxRate");
    m_taxLabel = line("txtTaxLabel");
    m_pattern = line("txtPattern");
    m_pattern->setToolTip(QStringLiteral("{YYYY} the year, {YY} its last two digits, {MM} the month, "
                                         "{NNNN} the number with at least four digits"));
    m_next = new QSpinBox(this);
    m_next->setObjectName(QStringLiteral("txtNextNumber"));
    m_next->setRange(1, 999'999'999);
    m_logo = line("txtLogo");
    auto *browse = new QPushButton(QStringLiteral("Choo&se..."), this);
    browse->setObjectName(QStringLiteral("cmdLogo"));
    connect(browse, &QPushButton::clicked, this, [this] {
        const QString file = chooseLogo(this, m_logo->text());
        if (!file.isEmpty())
            m_logo->setText(file);
    });
    auto *logoRow = new QWidget(this);
    logoRow->setObjectName(QStringLiteral("txtLogoRow"));
    auto *logoLayout = new QHBoxLayout(logoRow);
    logoLayout->setContentsMargins(0, 0, 0, 0);
    logoLayout->addWidget(m_logo);
    logoLayout->addWidget(browse);

    row("&Business name:", m_name);
    row("&Address:", m_address);
    row("&Phone:", m_phone);
    row("&E-mail:", m_email);
    row("&Web:", m_web);
    row("Tax i&d:", m_taxId);
    row("Payment &instructions:", m_instructions);
    row("Payment &terms (days):", m_terms);
    row("Default tax &rate (%):", m_taxRate);
    row("Tax &label:", m_taxLabel);
    row("N&umber pattern:", m_pattern);
    row("Ne&xt number:", m_next);
    auto *logoLabel = new QLabel(QStringLiteral("L&ogo:"), this);
    logoLabel->setObjectName(QStringLiteral("lblLogo"));
    logoLabel->setBuddy(m_logo);
    form->addRow(logoLabel, logoRow);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("buttons"));
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("cmdOK"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cmdCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &frmInvoiceSettings::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &frmInvoiceSettings::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    load(Billing::loadSender());
    m_name->setFocus();
}

void frmInvoiceSettings::load(const Billing::Sender &s)
{
    m_name->setText(s.businessName);
    m_address->setPlainText(s.addressLines.join(QLatin1Char('\n')));
    m_phone->setText(s.phone);
    m_email->setText(s.email);
    m_web->setText(s.web);
    m_taxId->setText(s.taxId);
    m_instructions->setPlainText(s.paymentInstructions.join(QLatin1Char('\n')));
    m_terms->setValue(s.paymentTermsDays);
    m_taxRate->setText(Billing::taxRateText(s.defaultTaxRate).chopped(2));
    m_taxLabel->setText(s.taxLabel);
    m_pattern->setText(s.numberPattern);
    m_next->setValue(int(std::min<qint64>(s.nextNumber, m_next->maximum())));
    m_logo->setText(s.logoPath);
}

void frmInvoiceSettings::accept()
{
    const std::optional<qint64> rate = Billing::parseTaxRate(m_taxRate->text());
    if (!rate) {
        showMessage(QStringLiteral("Invoice Settings"),
                    QStringLiteral("The default tax rate must be a percentage from 0 to 100."),
                    BoxIcon::Warning);
        m_taxRate->setFocus();
        return;
    }
    Billing::Sender s = Billing::loadSender();
    s.businessName = m_name->text().trimmed();
    s.addressLines = linesOf(m_address);
    s.phone = m_phone->text().trimmed();
    s.email = m_email->text().trimmed();
    s.web = m_web->text().trimmed();
    s.taxId = m_taxId->text().trimmed();
    s.paymentInstructions = linesOf(m_instructions);
    s.paymentTermsDays = m_terms->value();
    s.defaultTaxRate = *rate;
    s.taxLabel =
        m_taxLabel->text().trimmed().isEmpty() ? QStringLiteral("Tax") : m_taxLabel->text().trimmed();
    s.numberPattern =
        m_pattern->text().trimmed().isEmpty() ? QStringLiteral("{YYYY}-{NNNN}") : m_pattern->text().trimmed();
    s.nextNumber = m_next->value();
    s.logoPath = m_logo->text().trimmed();
    Billing::saveSender(s);
    emit saved();
    QDialog::accept();
}

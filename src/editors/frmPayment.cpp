#include "editors/frmPayment.h"

#include "data/Connection.h"
#include "data/RecordStore.h"
#include "data/StepRunner.h"
#include "payments/frmPayTypes.h"
#include "widgets/ComboFill.h"
#include "widgets/SingleWindow.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

using namespace modTamberlock;

namespace {

EditorBase::Captions paymentCaptions()
{
    return {QStringLiteral("Add New Payment"),
            QStringLiteral("Alter Payment #"),
            QStringLiteral("New Payment:"),
            QStringLiteral("Edit Payment:"),
            QStringLiteral("Payment Added Successfully!"),
            QStringLiteral("Payment Saved.")};
}

} // namespace

frmPayment::frmPayment(QWidget *owner)
    : EditorBase(owner, QStringLiteral("frmPayment"), paymentCaptions(), true, QSize(303, 230))
{
    auto *grid = new QGridLayout(frame());
    grid->setContentsMargins(4, 2, 4, 4);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(3);

    m_companyBox = addChoice(QStringLiteral("cboCompanyID"), true);
    m_companyBox->setToolTip(QStringLiteral("Choose the Company that made this Payment"));
    QWidget *amount = addBox(2, CleanUp::Currency, 50);
    QWidget *when = addBox(4, CleanUp::DateTime, 50);
    when->setToolTip(QStringLiteral("Enter the Date that the payment was made."));
    const DateButtons whenButtons = addDateButtons(frmDateTime::Destination::TransactionDate);
    setFieldName(2, QStringLiteral("Payment Amount"));
    setFieldName(4, QStringLiteral("Trans. Date"));
    // A change of the payment type is no change of the payment's own values.
    m_payTypeBox = addChoice(QStringLiteral("cboPayTypes"), false);
    auto *addPayType = new QPushButton(QStringLiteral("+"), this);
    addPayType->setObjectName(QStringLiteral("cmdAddPayType_0"));
    addPayType->setAutoDefault(false);
    addPayType->setFixedWidth(22);
    QWidget *comments = addBox(6, CleanUp::Trim, 50, true);

    auto *company = new QLabel(QStringLiteral("Company:"), this);
    company->setObjectName(QStringLiteral("lblComps_0"));
    QLabel *commentsLabel = addLabel(4, QStringLiteral("Comments:"));
    commentsLabel->setToolTip(QStringLiteral("Tip: Hold Control Key and Press enter to add a line break."));
    commentsLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    grid->addWidget(company, 0, 0);
    grid->addWidget(m_companyBox, 0, 1, 1, 2);
    grid->addWidget(addLabel(2, QStringLiteral("Payment Amount:")), 1, 0);
    grid->addWidget(amount, 1, 1, 1, 2);
    grid->addWidget(addLabel(3, QStringLiteral("Trans. Date:")), 2, 0);
    grid->addWidget(when, 2, 1);
    grid->addWidget(whenButtons.holder, 2, 2);
    grid->addWidget(addLabel(5, QStringLiteral("Payment Type:")), 3, 0);
    grid->addWidget(m_payTypeBox, 3, 1);
    grid->addWidget(addPayType, 3, 2, Qt::AlignLeft);
    grid->addWidget(commentsLabel, 4, 0);
    grid->addWidget(comments, 4, 1, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(4, 1);
    contentLayout()->addWidget(frame());

    connect(addPayType, &QPushButton::clicked, this, &frmPayment::onAddPayTypeClicked);

    const QList<QWidget *> order{m_companyBox,    amount,     when,     whenButtons.now, whenButtons.picker,
                                 m_payTypeBox,    addPayType, comments, m_okButton,      m_closeButton,
                                 m_addAsNewButton};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    setFirstControl(m_companyBox);
}

frmPayment *frmPayment::showEditor(QWidget *owner)
{
    return SingleWindow::show(SingleWindow::programWide<frmPayment>(),
                              [owner] { return new frmPayment(owner); });
}

void frmPayment::fillPayTypes(const QString &selectId)
{
    FillComboFromTable(m_payTypeBox, QStringLiteral("lkuPayTypes"), QStringLiteral("lngPayTypeID"),
                       QStringLiteral("strPayType"), selectId, false);
}

void frmPayment::onAddPayTypeClicked()
{
    frmPayTypes *dialog = frmPayTypes::showFor(m_payTypes, this);
    connect(dialog, &frmPayTypes::closed, this, &frmPayment::onPayTypesClosed, Qt::UniqueConnection);
}

void frmPayment::onPayTypesClosed()
{
    // The type the payment had keeps its place in the refilled list; only a
    // type deleted meanwhile falls back to id 1.
    const QVariant chosen = m_payTypeBox->currentIndex() >= 0 ? m_payTypeBox->currentData() : QVariant();
    fillPayTypes(QStringLiteral("1"));
    if (const int kept = chosen.isValid() ? m_payTypeBox->findData(chosen) : -1; kept >= 0)
        m_payTypeBox->setCurrentIndex(kept);
}

void frmPayment::presetChoices()
{
    // Without a company selected in the main window the preset fails and
    // neither list is filled.
    QString company;
    if (!mainSelection(true, company))
        return;
    FillComboFromTable(m_companyBox, QStringLiteral("tblCompanys"), QStringLiteral("lngCompanyID"),
                       QStringLiteral("strCompanyName"), company, false);
    fillPayTypes(QStringLiteral("1"));
}

void frmPayment::LoadRecord()
{
    loadRow(QStringLiteral("SELECT * FROM tblPayments WHERE lngPaymentID = %1;").arg(m_recordId),
            [this](StepRunner &run, RecordSet &row) {
                qint32 companyId = 0;
                qint32 payTypeId = 0;
                loadId(run, row, QStringLiteral("lngCompanyID"), companyId);
                loadId(run, row, QStringLiteral("lngPayTypeID"), payTypeId);
                loadField(run, row, QStringLiteral("curAmount"), 2, Field::Currency);
                loadField(run, row, QStringLiteral("dtmTransaction"), 4, Field::Date);
                loadField(run, row, QStringLiteral("memComments"), 6, Field::Text);
                run.step([&]() -> StepResult {
                    FillComboFromTable(m_companyBox, QStringLiteral("tblCompanys"),
                                       QStringLiteral("lngCompanyID"), QStringLiteral("strCompanyName"),
                                       QString::number(companyId), false);
                    return std::nullopt;
                });
                run.step([&]() -> StepResult {
                    fillPayTypes(QString::number(payTypeId));
                    return std::nullopt;
                });
                run.step([&]() -> StepResult {
                    moveFocusTo(m_companyBox);
                    return std::nullopt;
                });
            });
}

QString frmPayment::saveAs(qint32 id)
{
    return SavePaymentRecord(id, selectedId(m_companyBox), currencyOf(2), dateTimeOf(4), boxText(6),
                             selectedId(m_payTypeBox));
}

QString frmPayment::AddRecord()
{
    return saveAs(0);
}

QString frmPayment::SaveRecord()
{
    return saveAs(m_recordId);
}

#include "editors/frmPayment.h"

#include "data/Connection.h"
#include "data/RecordStore.h"
#include "data/StepRunner.h"
#include "payments/frmPayTypes.h"
#include "widgets/ComboFill.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

using namespace modTamberlock;

QPointer<frmPayment> frmPayment::s_open;

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

    cboCompanyID = addChoice(QStringLiteral("cboCompanyID"), true);
    cboCompanyID->setToolTip(QStringLiteral("Choose the Company that made this Payment"));
    QWidget *amount = addBox(2, CleanUp::Currency, 50);
    QWidget *when = addBox(4, CleanUp::DateTime, 50);
    when->setToolTip(QStringLiteral("Enter the Date that the payment was made."));
    QWidget *whenButtons = addDateButtons(4);
    setFieldName(2, QStringLiteral("Payment Amount"));
    setFieldName(4, QStringLiteral("Trans. Date"));
    // A change of the payment type is no change of the payment's own values.
    cboPayTypes = addChoice(QStringLiteral("cboPayTypes"), false);
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
    grid->addWidget(cboCompanyID, 0, 1, 1, 2);
    grid->addWidget(addLabel(2, QStringLiteral("Payment Amount:")), 1, 0);
    grid->addWidget(amount, 1, 1, 1, 2);
    grid->addWidget(addLabel(3, QStringLiteral("Trans. Date:")), 2, 0);
    grid->addWidget(when, 2, 1);
    grid->addWidget(whenButtons, 2, 2);
    grid->addWidget(addLabel(5, QStringLiteral("Payment Type:")), 3, 0);
    grid->addWidget(cboPayTypes, 3, 1);
    grid->addWidget(addPayType, 3, 2, Qt::AlignLeft);
    grid->addWidget(commentsLabel, 4, 0);
    grid->addWidget(comments, 4, 1, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(4, 1);
    contentLayout()->addWidget(frame());

    connect(addPayType, &QPushButton::clicked, this, [this] { frmPayTypes::showFor(this); });

    const QList<QWidget *> order{cboCompanyID,
                                 amount,
                                 when,
                                 findChild<QPushButton *>(QStringLiteral("cmdNow_4")),
                                 findChild<QPushButton *>(QStringLiteral("cmdPicker_4")),
                                 cboPayTypes,
                                 addPayType,
                                 comments,
                                 cmdOK,
                                 cmdCancel,
                                 cmdAddAsNew};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    setFirstControl(cboCompanyID);
}

frmPayment *frmPayment::showEditor(QWidget *owner)
{
    if (!s_open || s_open->isClosed())
        s_open = new frmPayment(owner);
    s_open->bringForward();
    return s_open;
}

void frmPayment::fillPayTypes(const QString &selectId)
{
    FillComboFromTable(cboPayTypes, QStringLiteral("lkuPayTypes"), QStringLiteral("lngPayTypeID"),
                       QStringLiteral("strPayType"), selectId, false);
}

void frmPayment::presetChoices()
{
    // Without a company selected in the main window the preset fails and
    // neither list is filled.
    QString company;
    if (!mainSelection(true, company))
        return;
    FillComboFromTable(cboCompanyID, QStringLiteral("tblCompanys"), QStringLiteral("lngCompanyID"),
                       QStringLiteral("strCompanyName"), company, false);
    fillPayTypes(QStringLiteral("1"));
}

void frmPayment::LoadRecord()
{
    loadRow(QStringLiteral("SELECT * FROM tblPayments WHERE lngPaymentID = %1;").arg(lngRecordID),
            [this](StepRunner &run, RecordSet &row) {
                qint32 companyId = 0;
                qint32 payTypeId = 0;
                loadId(run, row, QStringLiteral("lngCompanyID"), companyId);
                loadId(run, row, QStringLiteral("lngPayTypeID"), payTypeId);
                loadField(run, row, QStringLiteral("curAmount"), 2, Field::Currency);
                loadField(run, row, QStringLiteral("dtmTransaction"), 4, Field::Date);
                loadField(run, row, QStringLiteral("memComments"), 6, Field::Text);
                run.step([&]() -> StepResult {
                    FillComboFromTable(cboCompanyID, QStringLiteral("tblCompanys"),
                                       QStringLiteral("lngCompanyID"), QStringLiteral("strCompanyName"),
                                       QString::number(companyId), false);
                    return std::nullopt;
                });
                run.step([&]() -> StepResult {
                    fillPayTypes(QString::number(payTypeId));
                    return std::nullopt;
                });
                run.step([&]() -> StepResult {
                    moveFocusTo(cboCompanyID);
                    return std::nullopt;
                });
            });
}

QString frmPayment::saveAs(qint32 id)
{
    return SavePaymentRecord(id, selectedId(cboCompanyID), currencyOf(2), dateTimeOf(4), boxText(6),
                             selectedId(cboPayTypes));
}

QString frmPayment::AddRecord()
{
    return saveAs(0);
}

QString frmPayment::SaveRecord()
{
    return saveAs(lngRecordID);
}

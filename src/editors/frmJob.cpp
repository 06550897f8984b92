#include "editors/frmJob.h"

#include "data/Connection.h"
#include "data/RecordStore.h"
#include "data/StepRunner.h"
#include "widgets/ComboFill.h"
#include "widgets/SingleWindow.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace {

EditorBase::Captions jobCaptions()
{
    return {QStringLiteral("Add New Project"),
            QStringLiteral("Edit Project #"),
            QStringLiteral("New Project:"),
            QStringLiteral("Edit Project:"),
            QStringLiteral("Record Added Successfully!"),
            QStringLiteral("Record Saved.")};
}

} // namespace

frmJob::frmJob(QWidget *owner)
    : EditorBase(owner, QStringLiteral("frmJob"), jobCaptions(), true, QSize(301, 172))
{
    auto *grid = new QGridLayout(frame());
    grid->setContentsMargins(4, 4, 4, 4);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(3);

    m_companyBox = addChoice(QStringLiteral("cboCompanyID"), true);
    QWidget *name = addBox(1, CleanUp::Trim, 50);
    QWidget *wage = addBox(2, CleanUp::Currency, 50);
    QWidget *due = addBox(3, CleanUp::DateTime, 50);
    const DateButtons dueButtons = addDateButtons(frmDateTime::Destination::DueDate);
    setFieldName(2, QStringLiteral("Hourly Wage"));
    setFieldName(3, QStringLiteral("Due Date"));

    auto *company = new QLabel(QStringLiteral("Company:"), this);
    company->setObjectName(QStringLiteral("lblComps_0"));
    company->setBuddy(m_companyBox);
    grid->addWidget(company, 0, 0);
    grid->addWidget(m_companyBox, 0, 1, 1, 2);
    grid->addWidget(addLabel(1, QStringLiteral("Project Name:")), 1, 0);
    grid->addWidget(name, 1, 1, 1, 2);
    grid->addWidget(addLabel(2, QStringLiteral("Hourly Wage:")), 2, 0);
    grid->addWidget(wage, 2, 1, 1, 2);
    grid->addWidget(addLabel(3, QStringLiteral("Due Date:")), 3, 0);
    grid->addWidget(due, 3, 1);
    grid->addWidget(dueButtons.holder, 3, 2);
    grid->setColumnStretch(1, 1);
    contentLayout()->addWidget(frame());

    // Name, wage, due date, Close, Ok, Add As New, company list, "!", "...".
    const QList<QWidget *> order{name,          wage,           due,
                                 m_closeButton, m_okButton,     m_addAsNewButton,
                                 m_companyBox,  dueButtons.now, dueButtons.picker};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    setFirstControl(name);
}

frmJob *frmJob::showEditor(QWidget *owner)
{
    return SingleWindow::show(SingleWindow::programWide<frmJob>(), [owner] { return new frmJob(owner); });
}

void frmJob::presetChoices()
{
    QString company;
    if (!mainSelection(true, company))
        return;
    modTamberlock::FillComboFromTable(m_companyBox, QStringLiteral("tblCompanys"),
                                      QStringLiteral("lngCompanyID"), QStringLiteral("strCompanyName"),
                                      company, false);
}

void frmJob::LoadRecord()
{
    loadRow(QStringLiteral("SELECT * FROM tblJobs WHERE lngJobID = %1;").arg(m_recordId),
            [this](StepRunner &run, RecordSet &row) {
                qint32 companyId = 0;
                loadId(run, row, QStringLiteral("lngCompanyID"), companyId);
                loadField(run, row, QStringLiteral("strJobName"), 1, Field::Text);
                loadField(run, row, QStringLiteral("curHourlyWage"), 2, Field::Currency);
                loadField(run, row, QStringLiteral("dtmDeadLine"), 3, Field::Date);
                run.step([&]() -> StepResult {
                    modTamberlock::FillComboFromTable(
                        m_companyBox, QStringLiteral("tblCompanys"), QStringLiteral("lngCompanyID"),
                        QStringLiteral("strCompanyName"), QString::number(companyId), false);
                    return std::nullopt;
                });
                run.step([&]() -> StepResult {
                    moveFocusTo(m_companyBox);
                    return std::nullopt;
                });
            });
}

QString frmJob::saveAs(qint32 id)
{
    return modTamberlock::SaveJobRecord(id, selectedId(m_companyBox), boxText(1), currencyOf(2),
                                        dateTimeOf(3));
}

QString frmJob::AddRecord()
{
    return saveAs(0);
}

QString frmJob::SaveRecord()
{
    return saveAs(m_recordId);
}

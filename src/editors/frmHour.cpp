#include "editors/frmHour.h"

#include "data/Clock.h"
#include "data/Connection.h"
#include "data/Formats.h"
#include "data/RecordStore.h"
#include "data/StepRunner.h"
#include "widgets/ComboFill.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

using namespace modTamberlock;

QPointer<frmHour> frmHour::s_open;

namespace {

EditorBase::Captions hourCaptions()
{
    return {QStringLiteral("Add New Time"),
            QStringLiteral("Edit Time #"),
            QStringLiteral("New Charge:"),
            QStringLiteral("Edit Charge:"),
            QStringLiteral("Record Added Successfully!"),
            QStringLiteral("Record Saved.")};
}

const QString kPendingText = QStringLiteral("Pending...");

} // namespace

frmHour::frmHour(QWidget *owner)
    : EditorBase(owner, QStringLiteral("frmHour"), hourCaptions(), true, QSize(302, 173))
{
    auto *grid = new QGridLayout(frame());
    grid->setContentsMargins(4, 2, 4, 4);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(2);

    cboJobID = addChoice(QStringLiteral("cboJobID"), true);
    QWidget *start = addBox(1, CleanUp::DateTime, 50);
    QWidget *startButtons = addDateButtons(1);
    QWidget *stop = addBox(2, CleanUp::PendingDateTime, 50);
    QWidget *stopButtons = addDateButtons(2);
    setFieldName(1, QStringLiteral("Start Time"));
    setFieldName(2, QStringLiteral("Stop Time"));
    optStop_0 = new QRadioButton(kPendingText, this);
    optStop_0->setObjectName(QStringLiteral("optStop_0"));
    optStop_1 = new QRadioButton(QStringLiteral("Stop Time"), this);
    optStop_1->setObjectName(QStringLiteral("optStop_1"));
    // The design starts pending, with the stop box still enabled and empty.
    optStop_0->setChecked(true);

    auto *project = new QLabel(QStringLiteral("Project Name:"), this);
    project->setObjectName(QStringLiteral("lblComps_0"));
    project->setBuddy(cboJobID);
    grid->addWidget(project, 0, 0);
    grid->addWidget(cboJobID, 0, 1, 1, 2);
    grid->addWidget(addLabel(1, QStringLiteral("Start Time")), 1, 0);
    grid->addWidget(start, 1, 1);
    grid->addWidget(startButtons, 1, 2);
    grid->addWidget(optStop_0, 2, 0, 1, 2);
    grid->addWidget(optStop_1, 3, 0);
    grid->addWidget(stop, 3, 1);
    grid->addWidget(stopButtons, 3, 2);
    grid->setColumnStretch(1, 1);
    contentLayout()->addWidget(frame());

    connect(optStop_0, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            pendingChosen();
    });
    connect(optStop_1, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            stopTimeChosen();
    });

    const QList<QWidget *> order{cboJobID,
                                 start,
                                 findChild<QPushButton *>(QStringLiteral("cmdNow_1")),
                                 findChild<QPushButton *>(QStringLiteral("cmdPicker_1")),
                                 optStop_0,
                                 optStop_1,
                                 stop,
                                 findChild<QPushButton *>(QStringLiteral("cmdNow_2")),
                                 findChild<QPushButton *>(QStringLiteral("cmdPicker_2")),
                                 cmdOK,
                                 cmdCancel,
                                 cmdAddAsNew};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    setFirstControl(cboJobID);
}

frmHour *frmHour::showEditor(QWidget *owner)
{
    if (!s_open || s_open->isClosed())
        s_open = new frmHour(owner);
    s_open->bringForward();
    return s_open;
}

void frmHour::pendingChosen()
{
    box(2)->setEnabled(false);
    setBoxText(2, kPendingText);
}

void frmHour::stopTimeChosen()
{
    box(2)->setEnabled(true);
    if (!parseDateTime(boxText(2)))
        setBoxText(2, formatGeneralDate(Clock::now()));
    // Leaving each box once puts both in the display form; the focus ends in
    // the stop box.
    moveFocusTo(2);
    moveFocusTo(1);
    moveFocusTo(2);
}

void frmHour::presetChoices()
{
    QString job;
    if (!mainSelection(false, job))
        return;
    FillComboFromTable(cboJobID, QStringLiteral("tblJobs"), QStringLiteral("lngJobID"),
                       QStringLiteral("strJobName"), job, false);
}

void frmHour::LoadRecord()
{
    loadRow(QStringLiteral("SELECT * FROM tblHours WHERE lngHourID = %1;").arg(lngRecordID),
            [this](StepRunner &run, RecordSet &row) {
                qint32 jobId = 0;
                loadId(run, row, QStringLiteral("lngJobID"), jobId);
                loadField(run, row, QStringLiteral("dtmStartTime"), 1, Field::Date);
                loadField(run, row, QStringLiteral("dtmStopTime"), 2, Field::Date);
                run.step([&]() -> StepResult {
                    // Checking an option runs its action; it runs once more
                    // for the case that the option was already checked.
                    if (IsPendingTime(boxText(2))) {
                        optStop_0->setChecked(true);
                        pendingChosen();
                    } else {
                        optStop_1->setChecked(true);
                        stopTimeChosen();
                    }
                    return std::nullopt;
                });
                run.step([&]() -> StepResult {
                    FillComboFromTable(cboJobID, QStringLiteral("tblJobs"), QStringLiteral("lngJobID"),
                                       QStringLiteral("strJobName"), QString::number(jobId), false);
                    return std::nullopt;
                });
                run.step([&]() -> StepResult {
                    moveFocusTo(cboJobID);
                    return std::nullopt;
                });
            });
}

QString frmHour::saveAs(qint32 id)
{
    // Only the box's text counts: "Pending..." reads as the zero date-time,
    // which every reader takes as a running charge.
    return SaveHourRecord(id, selectedId(cboJobID), dateTimeOf(1), dateTimeOf(2));
}

QString frmHour::AddRecord()
{
    return saveAs(0);
}

QString frmHour::SaveRecord()
{
    return saveAs(lngRecordID);
}

#include "editors/frmHour.h"

#include "data/Clock.h"
#include "data/Connection.h"
#include "data/Formats.h"
#include "data/RecordStore.h"
#include "data/StepRunner.h"
#include "widgets/ComboFill.h"
#include "widgets/SingleWindow.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

using namespace modTamberlock;

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

    m_projectBox = addChoice(QStringLiteral("cboJobID"), true);
    QWidget *start = addBox(1, CleanUp::DateTime, 50);
    const DateButtons startButtons = addDateButtons(frmDateTime::Destination::StartTime);
    QWidget *stop = addBox(2, CleanUp::PendingDateTime, 50);
    const DateButtons stopButtons = addDateButtons(frmDateTime::Destination::StopTime);
    setFieldName(1, QStringLiteral("Start Time"));
    setFieldName(2, QStringLiteral("Stop Time"));
    m_pendingOption = new QRadioButton(kPendingText, this);
    m_pendingOption->setObjectName(QStringLiteral("optStop_0"));
    m_stopTimeOption = new QRadioButton(QStringLiteral("Stop Time"), this);
    m_stopTimeOption->setObjectName(QStringLiteral("optStop_1"));
    // The design starts pending, with the stop box still enabled and empty.
    m_pendingOption->setChecked(true);

    auto *project = new QLabel(QStringLiteral("Project Name:"), this);
    project->setObjectName(QStringLiteral("lblComps_0"));
    project->setBuddy(m_projectBox);
    grid->addWidget(project, 0, 0);
    grid->addWidget(m_projectBox, 0, 1, 1, 2);
    grid->addWidget(addLabel(1, QStringLiteral("Start Time")), 1, 0);
    grid->addWidget(start, 1, 1);
    grid->addWidget(startButtons.holder, 1, 2);
    grid->addWidget(m_pendingOption, 2, 0, 1, 2);
    grid->addWidget(m_stopTimeOption, 3, 0);
    grid->addWidget(stop, 3, 1);
    grid->addWidget(stopButtons.holder, 3, 2);
    grid->setColumnStretch(1, 1);
    contentLayout()->addWidget(frame());

    connect(m_pendingOption, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            onPendingChosen();
    });
    connect(m_stopTimeOption, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            onStopTimeChosen();
    });

    const QList<QWidget *> order{m_projectBox,
                                 start,
                                 startButtons.now,
                                 startButtons.picker,
                                 m_pendingOption,
                                 m_stopTimeOption,
                                 stop,
                                 stopButtons.now,
                                 stopButtons.picker,
                                 m_okButton,
                                 m_closeButton,
                                 m_addAsNewButton};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    setFirstControl(m_projectBox);
}

frmHour *frmHour::showEditor(QWidget *owner)
{
    return SingleWindow::show(SingleWindow::programWide<frmHour>(), [owner] { return new frmHour(owner); });
}

void frmHour::onPendingChosen()
{
    box(2)->setEnabled(false);
    setBoxText(2, kPendingText);
}

void frmHour::onStopTimeChosen()
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
    FillComboFromTable(m_projectBox, QStringLiteral("tblJobs"), QStringLiteral("lngJobID"),
                       QStringLiteral("strJobName"), job, false);
}

void frmHour::LoadRecord()
{
    loadRow(QStringLiteral("SELECT * FROM tblHours WHERE lngHourID = %1;").arg(m_recordId),
            [this](StepRunner &run, RecordSet &row) {
                qint32 jobId = 0;
                loadId(run, row, QStringLiteral("lngJobID"), jobId);
                loadField(run, row, QStringLiteral("dtmStartTime"), 1, Field::Date);
                loadField(run, row, QStringLiteral("dtmStopTime"), 2, Field::Date);
                run.step([&]() -> StepResult {
                    // Checking an option runs its action; it runs once more
                    // for the case that the option was already checked.
                    if (IsPendingTime(boxText(2))) {
                        m_pendingOption->setChecked(true);
                        onPendingChosen();
                    } else {
                        m_stopTimeOption->setChecked(true);
                        onStopTimeChosen();
                    }
                    return std::nullopt;
                });
                run.step([&]() -> StepResult {
                    FillComboFromTable(m_projectBox, QStringLiteral("tblJobs"), QStringLiteral("lngJobID"),
                                       QStringLiteral("strJobName"), QString::number(jobId), false);
                    return std::nullopt;
                });
                run.step([&]() -> StepResult {
                    moveFocusTo(m_projectBox);
                    return std::nullopt;
                });
            });
}

bool frmHour::recordAcceptable()
{
    // A charge without a start would be stored as starting on 30 December
    // 1899 and, still running, bill the client for every hour since.
    const QString startText = boxText(1).trimmed();
    if (startText.isEmpty()) {
        refuseBox(
            1, QStringLiteral("Start Time Missing"),
            QStringLiteral("A charge needs a Start Time, and the box is empty.\r\n\r\nType the moment the "
                           "work began, such as 06/29/1973 02:21:00 PM, or use the \"!\" or \"...\" "
                           "button beside the box."));
        return false;
    }
    // A stop before the start is a negative charge: it would take money off
    // the client's bill.
    const QString stopText = boxText(2);
    if (IsPendingTime(stopText))
        return true;
    const std::optional<QDateTime> start = parseDateTime(startText);
    const std::optional<QDateTime> stop = parseDateTime(stopText);
    if (start && stop && *stop < *start) {
        refuseBox(
            2, QStringLiteral("Stop Time Before Start Time"),
            QStringLiteral("The Stop Time %1 is earlier than the Start Time %2; such a charge would "
                           "take money off the bill.\r\n\r\nType a Stop Time after the start, or choose "
                           "\"Pending...\" for a charge that is still running.")
                .arg(formatDateTime(*stop), formatDateTime(*start)));
        return false;
    }
    return true;
}

QString frmHour::saveAs(qint32 id)
{
    // Only the box's text counts: "Pending..." reads as the zero date-time,
    // which every reader takes as a running charge.
    return SaveHourRecord(id, selectedId(m_projectBox), dateTimeOf(1), dateTimeOf(2));
}

QString frmHour::AddRecord()
{
    return saveAs(0);
}

QString frmHour::SaveRecord()
{
    return saveAs(m_recordId);
}

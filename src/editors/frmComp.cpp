#include "editors/frmComp.h"

#include "data/Connection.h"
#include "data/RecordStore.h"
#include "data/StepRunner.h"
#include "widgets/SingleWindow.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

EditorBase::Captions companyCaptions()
{
    return {QStringLiteral("Add New Company"),
            QStringLiteral("Edit Record #"),
            QStringLiteral("New Company:"),
            QStringLiteral("Edit Company:"),
            QStringLiteral("Record Added Successfully!"),
            QStringLiteral("Record Saved.")};
}

struct FieldDef {
    int index;
    const char *label;
    const char *column;
    int maxLength;
    EditorBase::CleanUp cleanUp;
};

// In the order of the table's columns and of the record routine's arguments.
const FieldDef kFields[] = {
    {0, "Company Name:", "strCompanyName", 50, EditorBase::CleanUp::Trim},
    {1, "Company Web Site:", "strCompanyWeb", 100, EditorBase::CleanUp::Trim},
    {2, "Address Line 1:", "strCompanyAddr1", 50, EditorBase::CleanUp::Trim},
    {3, "Address Line 2:", "strCompanyAddr2", 50, EditorBase::CleanUp::Trim},
    {4, "City:", "strCompanyCity", 50, EditorBase::CleanUp::Trim},
    {5, "State:", "strCompanyState", 2, EditorBase::CleanUp::Trim},
    {6, "Zip Code:", "strCompanyZip", 10, EditorBase::CleanUp::Zip},
    {7, nullptr, "strComments", 0, EditorBase::CleanUp::Trim},
    {8, "Contact Name:", "strCompanyContact", 50, EditorBase::CleanUp::Trim},
    {9, "Contact Email:", "strCompanyEmail", 100, EditorBase::CleanUp::Trim},
    {10, "Contact Phone:", "strCompanyPhone", 50, EditorBase::CleanUp::Telephone},
    {11, "Contact Fax:", "strCompanyFax", 50, EditorBase::CleanUp::Telephone},
};

// The multi-line comments box, in its own frame.
constexpr int kCommentsBox = 7;

QGridLayout *fieldGrid(QGroupBox *frame)
{
    auto *grid = new QGridLayout(frame);
    grid->setContentsMargins(4, 2, 4, 4);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(2);
    grid->setColumnStretch(1, 1);
    return grid;
}

} // namespace

frmComp::frmComp(QWidget *owner)
    : EditorBase(owner, QStringLiteral("frmComp"), companyCaptions(), false, QSize(460, 303))
{
    auto *contactFrame = new QGroupBox(QStringLiteral("Contact:"), this);
    contactFrame->setObjectName(QStringLiteral("Frame2"));
    auto *commentsFrame = new QGroupBox(QStringLiteral("Comments:"), this);
    commentsFrame->setObjectName(QStringLiteral("Frame3"));

    QGridLayout *companyGrid = fieldGrid(frame());
    QGridLayout *contactGrid = fieldGrid(contactFrame);
    auto *commentsLayout = new QVBoxLayout(commentsFrame);
    commentsLayout->setContentsMargins(6, 2, 6, 4);

    for (const FieldDef &f : kFields) {
        QWidget *b = addBox(f.index, f.cleanUp, f.maxLength, f.index == kCommentsBox);
        if (f.index == kCommentsBox) {
            commentsLayout->addWidget(b);
            continue;
        }
        // The boxes before the comments are the company's, those after it the contact's.
        const bool company = f.index < kCommentsBox;
        QGridLayout *grid = company ? companyGrid : contactGrid;
        const int row = company ? f.index : f.index - kCommentsBox - 1;
        grid->addWidget(addLabel(f.index, QString::fromLatin1(f.label)), row, 0);
        grid->addWidget(b, row, 1);
    }
    static_cast<QLineEdit *>(box(1))->setText(QStringLiteral("http://"));

    auto *right = new QVBoxLayout;
    right->setSpacing(4);
    right->addWidget(contactFrame);
    right->addWidget(commentsFrame, 1);
    auto *columns = new QHBoxLayout;
    columns->setSpacing(6);
    columns->addWidget(frame(), 6);
    columns->addLayout(right, 5);
    contentLayout()->addLayout(columns);

    const int order[] = {0, 1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 7};
    QWidget *previous = nullptr;
    for (int index : order) {
        if (previous)
            setTabOrder(previous, box(index));
        previous = box(index);
    }
    setTabOrder(previous, m_closeButton);
    setTabOrder(m_closeButton, m_okButton);
    setTabOrder(m_okButton, m_addAsNewButton);
    setFirstControl(box(0));
}

frmComp *frmComp::showEditor(QWidget *owner)
{
    return SingleWindow::show(SingleWindow::programWide<frmComp>(), [owner] { return new frmComp(owner); });
}

void frmComp::LoadRecord()
{
    loadRow(QStringLiteral("SELECT * FROM tblCompanys WHERE lngCompanyID = %1;").arg(m_recordId),
            [this](StepRunner &run, RecordSet &row) {
                for (const FieldDef &f : kFields)
                    loadField(run, row, QString::fromLatin1(f.column), f.index, Field::Text);
                run.step([&]() -> StepResult {
                    moveFocusTo(0);
                    return std::nullopt;
                });
            });
}

QString frmComp::saveAs(qint32 id)
{
    return modTamberlock::SaveCompanyRecord(id, boxText(0), boxText(1), boxText(2), boxText(3), boxText(4),
                                            boxText(5), boxText(6), boxText(7), boxText(8), boxText(9),
                                            boxText(10), boxText(11));
}

QString frmComp::AddRecord()
{
    return saveAs(0);
}

QString frmComp::SaveRecord()
{
    return saveAs(m_recordId);
}

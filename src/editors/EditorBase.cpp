#include "editors/EditorBase.h"

#include "editors/CleanupRules.h"

#include "data/Clock.h"
#include "data/Connection.h"
#include "data/Formats.h"
#include "data/Notices.h"
#include "data/StepRunner.h"
#include "dialogs/frmDateTime.h"
#include "main/frmMain.h"
#include "widgets/ComboFill.h"

#include <QBoxLayout>
#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QFont>
#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>

using namespace modTamberlock;

namespace {

// Blanks only: a comment may end in a line break on purpose.
QString trimBlanks(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin) == QLatin1Char(' '))
        ++begin;
    while (end > begin && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return text.mid(begin, end - begin);
}

QString withoutLoneSurrogates(const QString &text)
{
    QString whole;
    whole.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            whole += c;
            whole += text.at(++i);
        } else if (!c.isSurrogate()) {
            whole += c;
        }
    }
    return whole;
}

} // namespace

EditorBase::EditorBase(QWidget *owner, const QString &name, const Captions &captions, bool hasMarker,
                       QSize size)
    : QDialog(owner), m_captions(captions), m_hasMarker(hasMarker)
{
    setObjectName(name);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(size);
    fitFont();
    setWindowTitle(m_captions.addCaption);

    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(4, 4, 4, 6);
    outer->setSpacing(4);
    m_content = new QVBoxLayout;
    m_content->setSpacing(4);
    outer->addLayout(m_content, 1);

    framComp = new QGroupBox(m_captions.frameAdd, this);
    framComp->setObjectName(QStringLiteral("framComp"));

    Label1 = new QFrame(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFrameShape(QFrame::HLine);
    Label1->setFrameShadow(QFrame::Sunken);
    outer->addWidget(Label1);

    auto *buttons = new QHBoxLayout;
    buttons->setSpacing(6);
    cmdAddAsNew = new QPushButton(QStringLiteral("&Add As New"), this);
    cmdAddAsNew->setObjectName(QStringLiteral("cmdAddAsNew"));
    cmdAddAsNew->hide();
    cmdOK = new QPushButton(QStringLiteral("Ok"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("Close"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    for (QPushButton *b : {cmdAddAsNew, cmdOK, cmdCancel})
        b->setMinimumWidth(72);
    buttons->addWidget(cmdAddAsNew);
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    outer->addLayout(buttons);

    connect(cmdOK, &QPushButton::clicked, this, &EditorBase::onOk);
    connect(cmdAddAsNew, &QPushButton::clicked, this, &EditorBase::onAddAsNew);
    connect(cmdCancel, &QPushButton::clicked, this, &EditorBase::onCancel);
}

EditorBase::~EditorBase() = default;

void EditorBase::fitFont()
{
    // The windows have fixed sizes; with a wide system font a date-time box
    // would cut its text off, so the editor's font shrinks until one fits.
    const QString sample = QStringLiteral("00/00/0000 00:00:00 AM");
    QFont f = font();
    if (f.pointSizeF() <= 0)
        return;
    while (f.pointSizeF() > 7.0 && QFontMetrics(f).horizontalAdvance(sample) > 136)
        f.setPointSizeF(f.pointSizeF() - 0.5);
    setFont(f);
}

void EditorBase::bringForward()
{
    // Without a focus of its own a dialog gives the focus to its default
    // button, and the first key typed would press Ok.
    if (!isVisible() && m_firstControl)
        moveFocusTo(m_firstControl);
    show();
    raise();
    activateWindow();
}

// --- Boxes ------------------------------------------------------------------

QWidget *EditorBase::addBox(int index, CleanUp kind, int maxLength, bool multiLine)
{
    QWidget *w = nullptr;
    if (multiLine) {
        auto *edit = new QPlainTextEdit(this);
        edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        edit->setTabChangesFocus(true);
        connect(edit, &QPlainTextEdit::textChanged, this, [this, index] { boxChanged(index); });
        if (maxLength > 0)
            m_plainMaxLength.insert(index, maxLength);
        w = edit;
    } else {
        auto *edit = new QLineEdit(this);
        if (maxLength > 0)
            edit->setMaxLength(maxLength);
        connect(edit, &QLineEdit::textChanged, this, [this, edit, index](const QString &text) {
            // The length limit counts UTF-16 units and can cut a surrogate
            // pair in two; the half left over is no character and is dropped.
            const QString whole = withoutLoneSurrogates(text);
            if (whole.size() != text.size()) {
                const int cursor = edit->cursorPosition();
                edit->setText(whole);
                edit->setCursorPosition(qMin(cursor, int(whole.size())));
                return;
            }
            boxChanged(index);
        });
        w = edit;
    }
    w->setObjectName(QStringLiteral("txtComps_%1").arg(index));
    w->installEventFilter(this);
    m_boxes.insert(index, w);
    m_cleanUp.insert(index, kind);
    return w;
}

QLabel *EditorBase::addLabel(int index, const QString &caption)
{
    auto *label = new QLabel(caption, this);
    label->setObjectName(QStringLiteral("lblComps_%1").arg(index));
    return label;
}

QComboBox *EditorBase::addChoice(const QString &name, bool marksDirty)
{
    auto *combo = new QComboBox(this);
    combo->setObjectName(name);
    combo->setEditable(false);
    if (marksDirty) {
        // Clearing the list is no choice; every selection, also by filling, is.
        connect(combo, &QComboBox::currentIndexChanged, this, [this](int i) {
            if (i >= 0)
                SetDirty(true);
        });
    }
    return combo;
}

QWidget *EditorBase::addDateButtons(int index)
{
    auto *holder = new QWidget(this);
    auto *row = new QHBoxLayout(holder);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    auto *now = new QPushButton(QStringLiteral("!"), holder);
    now->setObjectName(QStringLiteral("cmdNow_%1").arg(index));
    now->setToolTip(QStringLiteral("Click Here to use the Current Date/Time"));
    auto *picker = new QPushButton(QStringLiteral("..."), holder);
    picker->setObjectName(QStringLiteral("cmdPicker_%1").arg(index));
    for (QPushButton *b : {now, picker}) {
        b->setFixedWidth(22);
        b->setAutoDefault(false);
        row->addWidget(b);
    }
    connect(now, &QPushButton::clicked, this, [this, index] { onNow(index); });
    connect(picker, &QPushButton::clicked, this, [this, index] { onPicker(index); });
    return holder;
}

QString EditorBase::boxText(int index) const
{
    QWidget *w = box(index);
    if (auto *line = qobject_cast<QLineEdit *>(w))
        return line->text();
    if (auto *plain = qobject_cast<QPlainTextEdit *>(w))
        return plain->toPlainText();
    return {};
}

void EditorBase::setBoxText(int index, const QString &text)
{
    // An unchanged text raises no change, as for a typed one.
    if (text == boxText(index))
        return;
    QWidget *w = box(index);
    if (auto *line = qobject_cast<QLineEdit *>(w)) {
        line->setText(text);
        // Show a long text from its beginning, as a loaded field should.
        line->setCursorPosition(0);
    } else if (auto *plain = qobject_cast<QPlainTextEdit *>(w))
        plain->setPlainText(text);
}

void EditorBase::boxChanged(int index)
{
    if (m_trimming)
        return;
    const int max = m_plainMaxLength.value(index, 0);
    if (max > 0) {
        auto *plain = qobject_cast<QPlainTextEdit *>(box(index));
        if (plain && plain->document()->characterCount() - 1 > max) {
            m_trimming = true;
            QTextCursor cut(plain->document());
            // Never between the two halves of a surrogate pair.
            cut.setPosition(plain->document()->characterAt(max - 1).isHighSurrogate() ? max - 1 : max);
            cut.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
            cut.removeSelectedText();
            m_trimming = false;
        }
    }
    SetDirty(true);
}

qint32 EditorBase::selectedId(const QComboBox *combo)
{
    if (!combo || combo->currentIndex() < 0)
        return 0;
    return combo->currentData().toInt();
}

Currency EditorBase::currencyOf(int index) const
{
    return parseCurrency(boxText(index)).value_or(0);
}

OleDate EditorBase::dateTimeOf(int index) const
{
    return dateTimeTextToOle(boxText(index));
}

// --- Clean-up ---------------------------------------------------------------

QString EditorBase::cleanUpText(CleanUp kind, const QString &text)
{
    switch (kind) {
    case CleanUp::None: return text;
    case CleanUp::Trim: return trimBlanks(text);
    case CleanUp::Currency: return formatCurrencyText(text);
    case CleanUp::DateTime: return formatDateTimeText(text);
    case CleanUp::PendingDateTime: return IsPendingTime(text) ? text : formatDateTimeText(text);
    case CleanUp::Zip: return zipRule(text);
    case CleanUp::Telephone: return telephoneRule(text);
    }
    return text;
}

void EditorBase::cleanUpBox(int index)
{
    if (!m_boxes.contains(index))
        return;
    const QString cleaned = cleanUpText(m_cleanUp.value(index), boxText(index));
    // The length limit is for typing: a clean-up that lengthens the text
    // ("1234567890" becomes "123456-7890") must not lose a character to it.
    if (auto *line = qobject_cast<QLineEdit *>(box(index)); line && line->maxLength() < cleaned.size())
        line->setMaxLength(int(cleaned.size()));
    setBoxText(index, cleaned);
}

void EditorBase::moveFocusTo(int index)
{
    moveFocusTo(box(index));
}

void EditorBase::moveFocusTo(QWidget *control)
{
    // A disabled control cannot take the focus: nothing moves, nothing is
    // cleaned up.
    if (!control || !control->isEnabled())
        return;
    const int target = m_boxes.key(control, -1);
    if (m_focusBox >= 0 && m_focusBox != target) {
        const int left = m_focusBox;
        m_focusBox = -1;
        cleanUpBox(left);
    }
    m_focusBox = target;
    control->setFocus(Qt::OtherFocusReason);
}

bool EditorBase::eventFilter(QObject *watched, QEvent *event)
{
    auto *w = qobject_cast<QWidget *>(watched);
    const int index = w ? m_boxes.key(w, -1) : -1;
    if (index < 0)
        return QDialog::eventFilter(watched, event);

    switch (event->type()) {
    case QEvent::FocusIn: m_focusBox = index; break;
    case QEvent::FocusOut: {
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        // Another window or a popup taking over does not leave the box.
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && m_focusBox == index) {
            m_focusBox = -1;
            cleanUpBox(index);
        }
        break;
    }
    case QEvent::KeyPress: {
        auto *plain = qobject_cast<QPlainTextEdit *>(w);
        auto *key = static_cast<QKeyEvent *>(event);
        if (plain && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            // Enter presses Ok, so a line break is typed with Ctrl+Enter.
            if (key->modifiers() & Qt::ControlModifier)
                plain->textCursor().insertText(QStringLiteral("\n"));
            else if (cmdOK->isEnabled())
                cmdOK->click();
            return true;
        }
        break;
    }
    default: break;
    }
    return QDialog::eventFilter(watched, event);
}

// --- Modes and the change marker ----------------------------------------------

void EditorBase::SwapFormMode(int yEditnAdd, qint32 id)
{
    m_loadFailed = false;
    cmdOK->setEnabled(true);
    if (yEditnAdd == -1) {
        yEditMode = -1;
        lngRecordID = id;
        setWindowTitle(caption(false));
        framComp->setTitle(m_captions.frameEdit);
        LoadRecord();
        return;
    }
    yEditMode = 0;
    setWindowTitle(m_captions.addCaption);
    lngRecordID = 0;
    framComp->setTitle(m_captions.frameAdd);
    // A window switched from editing to adding offers no Add As New.
    cmdAddAsNew->hide();
    presetChoices();
}

QString EditorBase::caption(bool dirty) const
{
    QString text =
        yEditMode == -1 ? m_captions.editCaption + QString::number(lngRecordID) : m_captions.addCaption;
    if (dirty)
        text += QStringLiteral(" *");
    return text;
}

void EditorBase::SetDirty(bool dirty)
{
    if (!m_hasMarker)
        return;
    if (yEditMode == -1) {
        if (dirty)
            cmdAddAsNew->show();
    } else {
        cmdAddAsNew->hide();
    }
    setWindowTitle(caption(dirty));
}

bool EditorBase::mainSelection(bool company, QString &text)
{
    frmMain *main = frmMain::instance();
    if (!main)
        return false;
    text = company ? main->selectedCompanyText() : main->selectedJobText();
    return !text.isEmpty();
}

// --- Loading ------------------------------------------------------------------

void EditorBase::loadRow(const QString &sql, const std::function<void(StepRunner &, RecordSet &)> &fill)
{
    StepRunner run;
    {
        Connection connection;
        RecordSet row(connection);
        run.setBeforeRetry([&] { return connection.reopen(); });
        loadStep(run, [&] { return connection.open(); });
        loadStep(run, [&] { return row.open(sql); });
        fill(run, row);
    }
    SetDirty(false);
    if (run.aborted())
        m_loadFailed = true;
    if (!m_loadFailed)
        return;
    // The boxes hold part of the row or nothing of it; written back, they
    // would wipe the stored record.
    cmdOK->setEnabled(false);
    refuseUnloadedSave();
}

void EditorBase::loadStep(StepRunner &run, const std::function<StepResult()> &fn)
{
    StepResult last;
    const bool ran = run.step([&] {
        last = fn();
        return last;
    });
    if (!ran || last)
        m_loadFailed = true;
}

bool EditorBase::refuseUnloadedSave()
{
    if (!m_loadFailed || yEditMode != -1)
        return false;
    QString text =
        QStringLiteral("Record #%1 could not be read completely, so this window will not save "
                       "over it: Ok is switched off.\r\n\r\n"
                       "Close this window and open the record again once the database can be read.")
            .arg(lngRecordID);
    if (m_hasMarker)
        text += QStringLiteral("\r\n\r\nAdd As New still adds what the window shows as a new record.");
    showMessage(QStringLiteral("Record Not Loaded"), text, BoxIcon::Warning);
    return true;
}

void EditorBase::loadField(StepRunner &run, RecordSet &row, const QString &column, int index, Field kind)
{
    loadStep(run, [&]() -> StepResult {
        QVariant value;
        if (StepResult e = row.read(column, value))
            return e;
        value = NullToEmpty(value);
        QString text;
        if (value.isNull() || (value.typeId() == QMetaType::QString && value.toString().isEmpty())) {
            text.clear();
        } else if (kind == Field::Currency) {
            // An amount outside the currency range shows as no amount.
            const std::optional<Currency> amount = currencyFromStored(value);
            text = amount ? currencyToPlainText(*amount) : QString();
        } else if (kind == Field::Date) {
            const auto when = oleToDateTime(value.toDouble());
            text = when ? formatGeneralDate(*when) : value.toString();
        } else {
            text = value.toString();
        }
        // A stored text longer than the box's limit came from elsewhere; the
        // box takes it whole, so that saving the row does not cut it.
        if (auto *line = qobject_cast<QLineEdit *>(box(index)); line && line->maxLength() < text.size())
            line->setMaxLength(int(text.size()));
        if (m_plainMaxLength.value(index) > 0 && m_plainMaxLength.value(index) < text.size())
            m_plainMaxLength[index] = int(text.size());
        setBoxText(index, text);
        return std::nullopt;
    });
    run.step([&]() -> StepResult {
        moveFocusTo(index);
        return std::nullopt;
    });
}

void EditorBase::loadId(StepRunner &run, RecordSet &row, const QString &column, qint32 &id)
{
    loadStep(run, [&]() -> StepResult {
        QVariant value;
        if (StepResult e = row.read(column, value))
            return e;
        id = value.isNull() ? 0 : value.toInt();
        return std::nullopt;
    });
}

// --- Buttons ------------------------------------------------------------------

void EditorBase::onOk()
{
    const bool editing = yEditMode == -1;
    if ((editing && refuseUnloadedSave()) || !boxesReadable())
        return;
    finishSave(editing ? SaveRecord() : AddRecord(), !editing);
}

void EditorBase::onAddAsNew()
{
    if (!boxesReadable())
        return;
    finishSave(AddRecord(), true);
}

bool EditorBase::boxesReadable()
{
    // A money or date-time box whose text cannot be read would be saved as
    // $0.00 or 30 December 1899; say so instead and leave the text as typed.
    // An empty box keeps its meaning (no amount, no date, a pending stop).
    for (auto it = m_cleanUp.cbegin(); it != m_cleanUp.cend(); ++it) {
        const int index = it.key();
        const CleanUp kind = it.value();
        const QString text = boxText(index);
        if (text.trimmed().isEmpty())
            continue;
        QString accepted;
        if (kind == CleanUp::Currency) {
            if (parseCurrency(text))
                continue;
            accepted =
                QStringLiteral("Type an amount of money such as 1234.50 or $1,234.50, or leave the box "
                               "empty for $0.00.");
        } else if (kind == CleanUp::DateTime || kind == CleanUp::PendingDateTime) {
            if (kind == CleanUp::PendingDateTime && IsPendingTime(text))
                continue;
            if (const auto when = parseDateTime(text); when && dateTimeToOle(*when))
                continue;
            accepted = QStringLiteral("Type a date and time in the years 1601 to 9999, such as 06/29/1973 "
                                      "02:21:00 PM, 6/29/1973 2:21 PM or 6/29/1973, or use the \"!\" or "
                                      "\"...\" button beside the box.");
            if (kind == CleanUp::PendingDateTime)
                accepted += QStringLiteral(" Choose \"Pending...\" for a charge that is still running.");
        } else {
            continue;
        }
        const QString name = m_fieldNames.value(index, QStringLiteral("box"));
        const QString what = kind == CleanUp::Currency ? QStringLiteral("an amount of money")
                                                       : QStringLiteral("a date and time");
        showMessage(QStringLiteral("Cannot Read %1").arg(name),
                    QStringLiteral("The %1 \"%2\" cannot be read as %3.\r\n\r\n%4\r\n\r\nNothing was saved.")
                        .arg(name, text, what, accepted),
                    BoxIcon::Warning);
        moveFocusTo(index);
        if (auto *line = qobject_cast<QLineEdit *>(box(index)))
            line->selectAll();
        return false;
    }
    return true;
}

void EditorBase::finishSave(const QString &result, bool added)
{
    // The record store has already shown its error box; the window stays.
    if (!result.isEmpty())
        return;
    SetDirty(false);
    showNotice(added ? m_captions.addedNotice : m_captions.savedNotice);
    m_closeByButton = true;
    close();
}

void EditorBase::onCancel()
{
    m_closeByButton = true;
    close();
}

void EditorBase::reject()
{
    onCancel();
}

void EditorBase::onNow(int index)
{
    setBoxText(index, formatDateTime(Clock::now()));
}

void EditorBase::onPicker(int index)
{
    frmDateTime *picker = frmDateTime::forOwner(this);
    if (!picker)
        return;
    picker->LoadPicker(index);
    picker->show();
    picker->raise();
    picker->activateWindow();
}

void EditorBase::closeEvent(QCloseEvent *event)
{
    event->accept();
    m_closed = true;
    const OnClose what = m_closeByButton ? onCloseButton() : onCloseBox();
    m_closeByButton = false;
    frmMain *main = frmMain::instance();
    if (!main || what == OnClose::Nothing)
        return;
    // Gone from the screen before the reload: the reload may ask whether to
    // add a first row, and that question must not stand over an editor that
    // looks open but has already saved and closed.
    hide();
    if (what == OnClose::FocusAndReload || what == OnClose::FocusOnly) {
        main->activateWindow();
        main->setFocus();
    }
    if (what == OnClose::FocusAndReload || what == OnClose::ReloadOnly)
        main->RefreshData();
}

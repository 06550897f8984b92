#include "editors/EditorBase.h"

#include "editors/CleanupRules.h"

#include "data/Clock.h"
#include "data/Connection.h"
#include "data/Formats.h"
#include "data/Notices.h"
#include "data/StepRunner.h"
#include "widgets/ComboFill.h"
#include "widgets/SingleWindow.h"

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

    m_frame = new QGroupBox(m_captions.frameAdd, this);
    m_frame->setObjectName(QStringLiteral("framComp"));

    m_rule = new QFrame(this);
    m_rule->setObjectName(QStringLiteral("Label1"));
    m_rule->setFrameShape(QFrame::HLine);
    m_rule->setFrameShadow(QFrame::Sunken);
    outer->addWidget(m_rule);

    auto *buttons = new QHBoxLayout;
    buttons->setSpacing(6);
    m_addAsNewButton = new QPushButton(QStringLiteral("&Add As New"), this);
    m_addAsNewButton->setObjectName(QStringLiteral("cmdAddAsNew"));
    m_addAsNewButton->hide();
    m_okButton = new QPushButton(QStringLiteral("Ok"), this);
    m_okButton->setObjectName(QStringLiteral("cmdOK"));
    m_okButton->setDefault(true);
    m_closeButton = new QPushButton(QStringLiteral("Close"), this);
    m_closeButton->setObjectName(QStringLiteral("cmdCancel"));
    for (QPushButton *b : {m_addAsNewButton, m_okButton, m_closeButton})
        b->setMinimumWidth(72);
    buttons->addWidget(m_addAsNewButton);
    buttons->addStretch(1);
    buttons->addWidget(m_okButton);
    buttons->addWidget(m_closeButton);
    outer->addLayout(buttons);

    connect(m_okButton, &QPushButton::clicked, this, &EditorBase::onOkClicked);
    connect(Formats::notifier(), &FormatsNotifier::changed, this, &EditorBase::reshowValues);
    connect(m_addAsNewButton, &QPushButton::clicked, this, &EditorBase::onAddAsNewClicked);
    connect(m_closeButton, &QPushButton::clicked, this, &EditorBase::onCloseClicked);
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

EditorBase::DateButtons EditorBase::addDateButtons(frmDateTime::Destination dest)
{
    const int index = int(dest);
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
    connect(now, &QPushButton::clicked, this, [this, index] { onNowClicked(index); });
    connect(picker, &QPushButton::clicked, this, [this, dest] { onPickerClicked(dest); });
    return {holder, now, picker};
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

void EditorBase::reshowValues(const RegionalFormats &previous)
{
    // The boxes show their amounts and moments in the new formats; what they
    // hold does not change, so neither does the change marker.
    m_reshowing = true;
    for (auto it = m_cleanUp.cbegin(); it != m_cleanUp.cend(); ++it) {
        const QString text = boxText(it.key());
        if (text.trimmed().isEmpty())
            continue;
        if (it.value() == CleanUp::Currency) {
            if (const auto amount = parseCurrency(text, previous))
                setBoxText(it.key(), formatCurrency(*amount));
        } else if (it.value() == CleanUp::DateTime || it.value() == CleanUp::PendingDateTime) {
            if (text == QLatin1String("Pending..."))
                continue;
            if (const auto when = parseDateTime(text, previous))
                setBoxText(it.key(), formatDateTime(*when));
        }
    }
    m_reshowing = false;
}

void EditorBase::boxChanged(int index)
{
    if (m_trimming || m_reshowing)
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
            else if (m_okButton->isEnabled())
                m_okButton->click();
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
    m_okButton->setEnabled(true);
    if (yEditnAdd == EditMode) {
        m_editMode = EditMode;
        m_recordId = id;
        setWindowTitle(caption(false));
        m_frame->setTitle(m_captions.frameEdit);
        LoadRecord();
        return;
    }
    m_editMode = AddMode;
    setWindowTitle(m_captions.addCaption);
    m_recordId = 0;
    m_frame->setTitle(m_captions.frameAdd);
    // A window switched from editing to adding offers no Add As New.
    m_addAsNewButton->hide();
    presetChoices();
}

QString EditorBase::caption(bool dirty) const
{
    QString text =
        m_editMode == EditMode ? m_captions.editCaption + QString::number(m_recordId) : m_captions.addCaption;
    if (dirty)
        text += QStringLiteral(" *");
    return text;
}

void EditorBase::SetDirty(bool dirty)
{
    if (!m_hasMarker)
        return;
    if (m_editMode == EditMode) {
        if (dirty)
            m_addAsNewButton->show();
    } else {
        m_addAsNewButton->hide();
    }
    setWindowTitle(caption(dirty));
}

void EditorBase::setMainSelection(const QString &companyText, const QString &projectText)
{
    m_selectedCompany = companyText;
    m_selectedProject = projectText;
}

bool EditorBase::mainSelection(bool company, QString &text) const
{
    text = company ? m_selectedCompany : m_selectedProject;
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
    m_okButton->setEnabled(false);
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
    if (!m_loadFailed || m_editMode != -1)
        return false;
    QString text =
        QStringLiteral("Record #%1 could not be read completely, so this window will not save "
                       "over it: Ok is switched off.\r\n\r\n"
                       "Close this window and open the record again once the database can be read.")
            .arg(m_recordId);
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

void EditorBase::onOkClicked()
{
    const bool editing = m_editMode == EditMode;
    if ((editing && refuseUnloadedSave()) || !boxesReadable() || !recordAcceptable())
        return;
    finishSave(editing ? SaveRecord() : AddRecord(), !editing);
}

void EditorBase::onAddAsNewClicked()
{
    if (!boxesReadable() || !recordAcceptable())
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
            // The examples in the user's own formats: "1234.50 or $1,234.50".
            const Currency example = 12345000;
            const RegionalFormats &f = Formats::current();
            const QString plain =
                QString::number(example / kCurrencyScale) +
                (f.decimals > 0 ? f.decimalSeparator + QStringLiteral("5000").left(f.decimals) : QString());
            accepted = QStringLiteral("Type an amount of money such as %1 or %2, or leave the box "
                                      "empty for %3.")
                           .arg(plain, formatCurrency(example), formatCurrency(0));
        } else if (kind == CleanUp::DateTime || kind == CleanUp::PendingDateTime) {
            if (kind == CleanUp::PendingDateTime && IsPendingTime(text))
                continue;
            if (const auto when = parseDateTime(text); when && dateTimeToOle(*when))
                continue;
            const QDateTime example = makeDateTime(QDate(1973, 6, 29), QTime(14, 21));
            QString shortForm = formatGeneralDate(example);
            // Without the seconds, as people type it: "6/29/1973 2:21 PM".
            shortForm.replace(QStringLiteral(":00"), QString());
            accepted =
                QStringLiteral("Type a date and time in the years 1601 to 9999, such as %1, %2 or %3, "
                               "or use the \"!\" or \"...\" button beside the box.")
                    .arg(formatDateTime(example), shortForm, formatGeneralDate(makeDateTime(example.date())));
            if (kind == CleanUp::PendingDateTime)
                accepted += QStringLiteral(" Choose \"Pending...\" for a charge that is still running.");
        } else {
            continue;
        }
        const QString name = m_fieldNames.value(index, QStringLiteral("box"));
        const QString what = kind == CleanUp::Currency ? QStringLiteral("an amount of money")
                                                       : QStringLiteral("a date and time");
        refuseBox(
            index, QStringLiteral("Cannot Read %1").arg(name),
            QStringLiteral("The %1 \"%2\" cannot be read as %3.\r\n\r\n%4").arg(name, text, what, accepted));
        return false;
    }
    return true;
}

void EditorBase::refuseBox(int index, const QString &title, const QString &text)
{
    showMessage(title, text + QStringLiteral("\r\n\r\nNothing was saved."), BoxIcon::Warning);
    moveFocusTo(index);
    if (auto *line = qobject_cast<QLineEdit *>(box(index)))
        line->selectAll();
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

void EditorBase::onCloseClicked()
{
    m_closeByButton = true;
    close();
}

void EditorBase::reject()
{
    onCloseClicked();
}

void EditorBase::onNowClicked(int index)
{
    setBoxText(index, formatDateTime(Clock::now()));
}

void EditorBase::onPickerClicked(frmDateTime::Destination dest)
{
    frmDateTime *picker = frmDateTime::forOwner(this);
    if (!picker)
        return;
    // The picker stops telling an editor it has left (forOwner), so the
    // chosen value lands only in the box of the editor that asked last.
    connect(picker, &frmDateTime::chosen, this, &EditorBase::onPickerChosen, Qt::UniqueConnection);
    picker->LoadPicker(dest, boxText(int(dest)));
    SingleWindow::bringForward(picker);
}

void EditorBase::onPickerChosen(frmDateTime::Destination dest, const QString &text)
{
    // An ordinary change of the box: it marks the editor changed and is
    // cleaned up when the box next loses the focus.
    if (auto *line = qobject_cast<QLineEdit *>(box(int(dest))))
        line->setText(text);
}

void EditorBase::closeEvent(QCloseEvent *event)
{
    event->accept();
    m_closed = true;
    const OnClose what = m_closeByButton ? onCloseButton() : onCloseBox();
    m_closeByButton = false;
    if (what == OnClose::Nothing)
        return;
    // Gone from the screen before the opener reloads: the reload may ask
    // whether to add a first row, and that question must not stand over an
    // editor that looks open but has already saved and closed.
    hide();
    emit closed(what);
}

#include "dialogs/RegionalFormatsPage.h"

#include "data/ElapsedSpan.h"
#include "data/Formats.h"
#include "data/Prompter.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardItemModel>

namespace {

QComboBox *combo(QWidget *parent, const QString &name, const QList<std::pair<QString, QVariant>> &items)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(name);
    for (const auto &[text, data] : items)
        box->addItem(text, data);
    return box;
}

void selectData(QComboBox *box, const QVariant &data)
{
    const int i = box->findData(data);
    if (i >= 0)
        box->setCurrentIndex(i);
}

// Symbol place: before or after, with or without a space.
int placeOf(const RegionalFormats &f)
{
    return (f.symbolBefore ? 0 : 2) + (f.symbolSpaced ? 1 : 0);
}

} // namespace

RegionalFormatsPage::RegionalFormatsPage(QWidget *parent) : PreferencesPage(parent)
{
    setObjectName(QStringLiteral("pageRegionalFormats"));

    m_currency = new QComboBox(this);
    m_currency->setObjectName(QStringLiteral("cboCurrency"));
    for (const RegionalFormats::CurrencyInfo &c : RegionalFormats::knownCurrencies())
        m_currency->addItem(QStringLiteral("%1  %2  %3").arg(c.code, c.symbol, c.name), c.code);
    m_symbol = new QLineEdit(this);
    m_symbol->setObjectName(QStringLiteral("txtSymbol"));
    m_symbol->setMaxLength(8);
    m_symbolPlace = combo(this, QStringLiteral("cboSymbolPlace"),
                          {{QStringLiteral("Before the amount ($1.00)"), 0},
                           {QStringLiteral("Before, with a space ($ 1.00)"), 1},
                           {QStringLiteral("After the amount (1.00$)"), 2},
                           {QStringLiteral("After, with a space (1.00 $)"), 3}});
    m_decimals = new QSpinBox(this);
    m_decimals->setObjectName(QStringLiteral("spnDecimals"));
    m_decimals->setRange(0, 4);
    m_decimalSeparator = combo(this, QStringLiteral("cboDecimalSeparator"),
                               {{QStringLiteral(". (point)"), QStringLiteral(".")},
                                {QStringLiteral(", (comma)"), QStringLiteral(",")},
                                {QStringLiteral("\u066b (Arabic)"), QStringLiteral("\u066b")}});
    m_groupSeparator = combo(this, QStringLiteral("cboGroupSeparator"),
                             {{QStringLiteral(", (comma)"), QStringLiteral(",")},
                              {QStringLiteral(". (point)"), QStringLiteral(".")},
                              {QStringLiteral("Space"), QStringLiteral(" ")},
                              {QStringLiteral("No-break space"), QStringLiteral("\u00a0")},
                              {QStringLiteral("Narrow no-break space"), QStringLiteral("\u202f")},
                              {QStringLiteral("' (apostrophe)"), QStringLiteral("'")},
                              {QStringLiteral("\u2019 (right quote)"), QStringLiteral("\u2019")},
                              {QStringLiteral("\u066c (Arabic)"), QStringLiteral("\u066c")},
                              {QStringLiteral("None"), QString()}});
    m_grouping = combo(
        this, QStringLiteral("cboGrouping"),
        {{QStringLiteral("By thousands (1,234,567)"), false}, {QStringLiteral("Indian (12,34,567)"), true}});
    m_dateOrder =
        combo(this, QStringLiteral("cboDateOrder"),
              {{QStringLiteral("Month, day, year"), int(RegionalFormats::DateOrder::MonthDayYear)},
               {QStringLiteral("Day, month, year"), int(RegionalFormats::DateOrder::DayMonthYear)},
               {QStringLiteral("Year, month, day"), int(RegionalFormats::DateOrder::YearMonthDay)}});
    m_dateSeparator = combo(this, QStringLiteral("cboDateSeparator"),
                            {{QStringLiteral("/"), QStringLiteral("/")},
                             {QStringLiteral("."), QStringLiteral(".")},
                             {QStringLiteral("-"), QStringLiteral("-")}});
    m_clock = combo(
        this, QStringLiteral("cboClock"),
        {{QStringLiteral("12-hour (02:21:00 PM)"), true}, {QStringLiteral("24-hour (14:21:00)"), false}});

    m_systemButton = new QPushButton(QStringLiteral("&Use my system's formats"), this);
    m_systemButton->setObjectName(QStringLiteral("cmdSystemFormats"));
    m_defaultButton = new QPushButton(QStringLiteral("&Program's own formats"), this);
    m_defaultButton->setObjectName(QStringLiteral("cmdDefaultFormats"));
    // Enter is the dialog's Ok, not the last button pressed on the page.
    m_systemButton->setAutoDefault(false);
    m_defaultButton->setAutoDefault(false);
    m_sample = new QLabel(this);
    m_sample->setObjectName(QStringLiteral("lblSample"));
    m_sample->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_sample->setTextFormat(Qt::PlainText);
    auto *note = new QLabel(QStringLiteral("Choosing a currency converts nothing: your amounts keep their "
                                           "figures and are only shown with the new currency."),
                            this);
    note->setObjectName(QStringLiteral("lblNote"));
    note->setWordWrap(true);

    auto *form = new QFormLayout(this);
    form->addRow(QStringLiteral("&Currency:"), m_currency);
    form->addRow(QStringLiteral("&Symbol:"), m_symbol);
    form->addRow(QStringLiteral("Symbol p&lace:"), m_symbolPlace);
    form->addRow(QStringLiteral("D&ecimals:"), m_decimals);
    form->addRow(QStringLiteral("&Decimal separator:"), m_decimalSeparator);
    form->addRow(QStringLiteral("&Group separator:"), m_groupSeparator);
    form->addRow(QStringLiteral("G&rouping:"), m_grouping);
    form->addRow(QStringLiteral("Date &order:"), m_dateOrder);
    form->addRow(QStringLiteral("Date se&parator:"), m_dateSeparator);
    form->addRow(QStringLiteral("Cloc&k:"), m_clock);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_systemButton);
    buttons->addWidget(m_defaultButton);
    buttons->addStretch(1);
    form->addRow(buttons);
    form->addRow(QStringLiteral("Sample:"), m_sample);
    form->addRow(note);

    connect(m_currency, &QComboBox::currentIndexChanged, this, &RegionalFormatsPage::onCurrencyChosen);
    connect(m_decimalSeparator, &QComboBox::currentIndexChanged, this, &RegionalFormatsPage::onDecimalChosen);
    for (QComboBox *box :
         {m_symbolPlace, m_groupSeparator, m_grouping, m_dateOrder, m_dateSeparator, m_clock})
        connect(box, &QComboBox::currentIndexChanged, this, &RegionalFormatsPage::showSample);
    connect(m_symbol, &QLineEdit::textChanged, this, &RegionalFormatsPage::showSample);
    connect(m_decimals, &QSpinBox::valueChanged, this, &RegionalFormatsPage::showSample);
    connect(m_systemButton, &QPushButton::clicked, this,
            [this] { setValue(RegionalFormats::fromLocale(QLocale::system())); });
    connect(m_defaultButton, &QPushButton::clicked, this, [this] { setValue(RegionalFormats()); });
    setValue(Formats::current());
}

void RegionalFormatsPage::load()
{
    setValue(Formats::current());
}

bool RegionalFormatsPage::apply()
{
    const RegionalFormats f = value();
    if (const QString why = f.problem(); !why.isEmpty()) {
        QString text = why;
        text[0] = text[0].toUpper();
        showMessage(QStringLiteral("Regional Formats"),
                    QStringLiteral("%1.\r\n\r\nNothing was changed.").arg(text), BoxIcon::Warning);
        return false;
    }
    f.writeSettings();
    Formats::setCurrent(f);
    return true;
}

RegionalFormats RegionalFormatsPage::value() const
{
    RegionalFormats f;
    f.currencyCode = m_currency->currentData().toString();
    f.symbol = m_symbol->text().trimmed();
    f.symbolBefore = m_symbolPlace->currentIndex() < 2;
    f.symbolSpaced = m_symbolPlace->currentIndex() % 2 == 1;
    f.decimals = m_decimals->value();
    f.decimalSeparator = m_decimalSeparator->currentData().toString();
    f.groupSeparator = m_groupSeparator->currentData().toString();
    f.indianGrouping = m_grouping->currentData().toBool();
    f.dateOrder = RegionalFormats::DateOrder(m_dateOrder->currentData().toInt());
    f.dateSeparator = m_dateSeparator->currentData().toString().front();
    f.hour12 = m_clock->currentData().toBool();
    return f;
}

void RegionalFormatsPage::setValue(const RegionalFormats &f)
{
    m_filling = true;
    selectData(m_currency, f.currencyCode);
    m_symbol->setText(f.symbol);
    m_symbolPlace->setCurrentIndex(placeOf(f));
    m_decimals->setValue(f.decimals);
    if (m_decimalSeparator->findData(f.decimalSeparator) < 0)
        m_decimalSeparator->addItem(f.decimalSeparator, f.decimalSeparator);
    selectData(m_decimalSeparator, f.decimalSeparator);
    if (m_groupSeparator->findData(f.groupSeparator) < 0)
        m_groupSeparator->addItem(f.groupSeparator, f.groupSeparator);
    m_filling = false;
    onDecimalChosen();
    selectData(m_groupSeparator, f.groupSeparator);
    m_grouping->setCurrentIndex(f.indianGrouping ? 1 : 0);
    selectData(m_dateOrder, int(f.dateOrder));
    selectData(m_dateSeparator, QString(f.dateSeparator));
    m_clock->setCurrentIndex(f.hour12 ? 0 : 1);
    showSample();
}

void RegionalFormatsPage::onCurrencyChosen()
{
    if (m_filling)
        return;
    // A currency brings its own symbol and decimals; the place of the symbol
    // stays as the user has it.
    const QString code = m_currency->currentData().toString();
    for (const RegionalFormats::CurrencyInfo &c : RegionalFormats::knownCurrencies()) {
        if (c.code == code) {
            m_symbol->setText(c.symbol);
            break;
        }
    }
    m_decimals->setValue(RegionalFormats::currencyDecimals(code));
    showSample();
}

void RegionalFormatsPage::onDecimalChosen()
{
    if (m_filling)
        return;
    // The group separator cannot be the decimal separator: that item is
    // disabled, and moved off when it was the one chosen.
    const QString point = m_decimalSeparator->currentData().toString();
    auto *model = qobject_cast<QStandardItemModel *>(m_groupSeparator->model());
    for (int i = 0; i < m_groupSeparator->count(); ++i) {
        if (QStandardItem *item = model ? model->item(i) : nullptr)
            item->setEnabled(m_groupSeparator->itemData(i).toString() != point);
    }
    if (m_groupSeparator->currentData().toString() == point)
        selectData(m_groupSeparator, point == QLatin1String(",") ? QStringLiteral(".") : QStringLiteral(","));
    showSample();
}

QString RegionalFormatsPage::sampleText() const
{
    const RegionalFormats f = value();
    if (!f.problem().isEmpty())
        return f.problem();
    const QDateTime moment = modTamberlock::makeDateTime(QDate(2026, 12, 31), QTime(17, 30, 0));
    return QStringLiteral("%1    %2\n%3    %4")
        .arg(modTamberlock::formatCurrency(12345678900, f), modTamberlock::formatCurrency(-12345600, f),
             modTamberlock::formatDateTime(moment, f), ElapsedSpan::mode6(93909));
}

void RegionalFormatsPage::showSample()
{
    if (!m_filling)
        m_sample->setText(sampleText());
}

#include "billing/InvoicePages.h"

#include "data/Formats.h"

#include <QFile>
#include <QLocale>
#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextLayout>

#include <cmath>

namespace Billing {

namespace {

// Layout units: a tenth of a point (720 to the inch), so that text is
// measured at a size where the metrics hardly round.
constexpr qreal kUnitsPerInch = 720.0;
constexpr qreal kGap = 60;
constexpr qreal kRowPad = 30;

QFont font(qreal points, bool bold = false)
{
    QFont f;
    f.setFamilies(
        {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(int(std::lround(points * 10)));
    f.setBold(bold);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

const QFont &bodyFont()
{
    static const QFont f = font(8.5);
    return f;
}
const QFont &boldFont()
{
    static const QFont f = font(8.5, true);
    return f;
}

// A plain text wrapped into a width: at word boundaries, anywhere in a word
// too long for the line; line breaks kept; right-to-left runs as written.
class Para
{
public:
    Para(const QString &text, const QFont &f, qreal width, Qt::Alignment align = Qt::AlignLeft)
    {
        QTextOption option(align);
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        option.setTextDirection(Qt::LayoutDirectionAuto);
        const QStringList paragraphs =
            QString(text).replace(QLatin1Char('\r'), QString()).split(QLatin1Char('\n'));
        for (const QString &p : paragraphs) {
            auto layout = std::make_unique<QTextLayout>(p, f);
            layout->setTextOption(option);
            layout->setCacheEnabled(true);
            layout->beginLayout();
            for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
                line.setLineWidth(width);
                line.setPosition(QPointF(0, m_height));
                m_height += line.height();
            }
            layout->endLayout();
            if (p.isEmpty())
                m_height += QFontMetricsF(f).height();
            m_layouts.push_back(std::move(layout));
        }
    }
    qreal height() const { return m_height; }
    void draw(QPainter &painter, QPointF at) const
    {
        for (const auto &layout : m_layouts)
            layout->draw(&painter, at);
    }

private:
    std::vector<std::unique_ptr<QTextLayout>> m_layouts;
    qreal m_height = 0;
};

qreal textHeight(const QString &text, const QFont &f, qreal width)
{
    return Para(text, f, width).height();
}

// Draws and returns the height used.
qreal drawText(QPainter &p, const QRectF &box, const QString &text, const QFont &f,
               Qt::Alignment align = Qt::AlignLeft)
{
    p.setFont(f);
    Para para(text, f, box.width(), align);
    para.draw(p, box.topLeft());
    return para.height();
}

struct Columns {
    qreal x[5];
    qreal w[5];
};

Columns columnsFor(qreal width)
{
    static const qreal share[5] = {0.11, 0.50, 0.10, 0.12, 0.17};
    Columns c{};
    qreal x = 0;
    for (int i = 0; i < 5; ++i) {
        c.x[i] = x;
        c.w[i] = width * share[i];
        x += c.w[i];
    }
    return c;
}

QStringList senderLines(const Sender &s)
{
    QStringList lines = s.addressLines;
    if (!s.phone.trimmed().isEmpty())
        lines << QStringLiteral("Phone: ") + s.phone.trimmed();
    if (!s.email.trimmed().isEmpty())
        lines << QStringLiteral("E-mail: ") + s.email.trimmed();
    if (!s.web.trimmed().isEmpty())
        lines << s.web.trimmed();
    if (!s.taxId.trimmed().isEmpty())
        lines << QStringLiteral("Tax ID: ") + s.taxId.trimmed();
    return lines;
}

QString periodText(const Invoice &inv)
{
    if (inv.from && inv.to)
        return dateText(*inv.from) + QStringLiteral(" \u2013 ") + dateText(*inv.to);
    if (inv.from)
        return QStringLiteral("from ") + dateText(*inv.from);
    if (inv.to)
        return QStringLiteral("to ") + dateText(*inv.to);
    // Everything not yet invoiced: the days of the charges billed.
    QDate first, last;
    for (const Line &l : inv.lines) {
        if (!l.date.isValid())
            continue;
        first = first.isValid() ? std::min(first, l.date) : l.date;
        last = last.isValid() ? std::max(last, l.date) : l.date;
    }
    if (!first.isValid())
        return QString();
    return first == last ? dateText(first) : dateText(first) + QStringLiteral(" \u2013 ") + dateText(last);
}

// The blocks of a page, in layout units from the top left of the printable area.
enum class Block { Header, Client, TableHeader, Row, BroughtForward, Totals, Instructions, Note, Notice };

// The note and the payment instructions go onto the pages line by line, so
// that a long one continues on the next page.
QStringList paragraphs(const QString &text)
{
    QStringList lines = QString(text).remove(QLatin1Char('\r')).split(QLatin1Char('\n'));
    while (!lines.isEmpty() && lines.last().trimmed().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace

struct InvoicePages::Placed {
    Block block;
    qreal y;
    int row = 0;
};

namespace {

bool isStatement(const Invoice &inv)
{
    return inv.kind == Kind::Statement;
}

int rowCount(const Invoice &inv)
{
    return int(isStatement(inv) ? inv.statementLines.size() : inv.lines.size());
}

QString rowDescription(const Invoice &inv, int row)
{
    if (isStatement(inv))
        return inv.statementLines[size_t(row)].description;
    const Line &l = inv.lines[size_t(row)];
    // The preview warns of billing a charge twice; an issued invoice does not.
    return l.billedBefore && inv.number.isEmpty() ? l.description + QStringLiteral("\n(already billed)")
                                                  : l.description;
}

QStringList rowCells(const Invoice &inv, int row)
{
    if (isStatement(inv)) {
        const StatementLine &l = inv.statementLines[size_t(row)];
        return {dateText(l.date), QString(), l.charge ? modTamberlock::formatCurrency(l.charge) : QString(),
                l.payment ? modTamberlock::formatCurrency(l.payment) : QString(),
                modTamberlock::formatCurrency(l.balance)};
    }
    const Line &l = inv.lines[size_t(row)];
    return {dateText(l.date), QString(), hoursText(l.hours), rateText(l.rate),
            modTamberlock::formatCurrency(l.amount)};
}

QStringList headerCells(const Invoice &inv)
{
    if (isStatement(inv))
        return {QStringLiteral("Date"), QStringLiteral("Description"), QStringLiteral("Charges"),
                QStringLiteral("Payments"), QStringLiteral("Balance")};
    return {QStringLiteral("Date"), QStringLiteral("Description"), QStringLiteral("Hours"),
            QStringLiteral("Rate"), QStringLiteral("Amount")};
}

// The label and amount pairs below the table.
QList<std::pair<QString, QString>> totals(const Invoice &inv)
{
    using modTamberlock::formatCurrency;
    if (isStatement(inv))
        return {{QStringLiteral("Balance brought forward"), formatCurrency(inv.broughtForward)},
                {QStringLiteral("Charges"), formatCurrency(inv.periodCharges)},
                {QStringLiteral("Payments"), formatCurrency(inv.periodPayments)},
                {QStringLiteral("Balance due"), formatCurrency(inv.balanceDue)}};
    const QString label =
        (inv.taxLabel.trimmed().isEmpty() ? QStringLiteral("Tax") : inv.taxLabel.trimmed()) +
        QStringLiteral(" (") + taxRateText(inv.taxRate) + QLatin1Char(')');
    return {{QStringLiteral("Total hours"), hoursText(inv.hours)},
            {QStringLiteral("Subtotal"), formatCurrency(inv.subtotal)},
            {label, formatCurrency(inv.tax)},
            {QStringLiteral("Total"), formatCurrency(inv.total)}};
}

QList<std::pair<QString, QString>> metaRows(const Invoice &inv)
{
    const bool statement = isStatement(inv);
    QList<std::pair<QString, QString>> rows;
    rows.append({statement ? QStringLiteral("Statement no.") : QStringLiteral("Invoice no."),
                 inv.number.isEmpty() ? QStringLiteral("DRAFT") : inv.number});
    rows.append(
        {statement ? QStringLiteral("Date") : QStringLiteral("Invoice date"), dateText(inv.invoiceDate)});
    if (!statement && inv.dueDate.isValid())
        rows.append({QStringLiteral("Due date"), dateText(inv.dueDate)});
    const QString period = periodText(inv);
    if (!period.isEmpty())
        rows.append({QStringLiteral("Period"), period});
    return rows;
}

QImage logoOf(const Sender &s)
{
    if (s.logoPath.isEmpty())
        return {};
    const QImage logo(s.logoPath);
    if (logo.isNull() || !logo.hasAlphaChannel())
        return logo;
    // An archive PDF holds no transparency: the logo is put on white paper first.
    QImage flat(logo.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    QPainter p(&flat);
    p.drawImage(0, 0, logo);
    return flat;
}

constexpr qreal kLogoHeight = 600;
constexpr qreal kLogoWidth = 1800;

QSizeF logoSize(const QImage &logo)
{
    if (logo.isNull())
        return {};
    QSizeF size = logo.size();
    size.scale(kLogoWidth, kLogoHeight, Qt::KeepAspectRatio);
    return size;
}

// The header: logo and sender on the left, title and the invoice's
// number, dates and period on the right.
qreal header(QPainter *p, const Invoice &inv, qreal width)
{
    const qreal half = width * 0.55;
    qreal left = 0;
    const QImage logo = logoOf(inv.sender);
    const QSizeF size = logoSize(logo);
    if (!logo.isNull()) {
        if (p)
            p->drawImage(QRectF(QPointF(0, 0), size), logo);
        left += size.height() + kGap;
    }
    const QString name = inv.sender.businessName.trimmed();
    if (!name.isEmpty()) {
        const QFont f = font(14, true);
        left += p ? drawText(*p, QRectF(0, left, half, 0), name, f) : textHeight(name, f, half);
    }
    const QString lines = senderLines(inv.sender).join(QLatin1Char('\n'));
    if (!lines.isEmpty())
        left += p ? drawText(*p, QRectF(0, left, half, 0), lines, bodyFont())
                  : textHeight(lines, bodyFont(), half);

    const qreal rx = half + kGap;
    const qreal rw = width - rx;
    const QFont titleFont = font(20, true);
    const QString title = isStatement(inv) ? QStringLiteral("STATEMENT") : QStringLiteral("INVOICE");
    qreal right = p ? drawText(*p, QRectF(rx, 0, rw, 0), title, titleFont, Qt::AlignRight)
                    : textHeight(title, titleFont, rw);
    right += kGap / 2;
    for (const auto &[label, value] : metaRows(inv)) {
        const qreal lw = rw * 0.42;
        qreal h = 0;
        if (p) {
            drawText(*p, QRectF(rx, right, lw, 0), label, boldFont());
            h = drawText(*p, QRectF(rx + lw, right, rw - lw, 0), value, bodyFont(), Qt::AlignRight);
        } else {
            h = std::max(textHeight(label, boldFont(), lw), textHeight(value, bodyFont(), rw - lw));
        }
        right += h;
    }
    return std::max(left, right) + 2 * kGap;
}

QString clientText(const Client &c)
{
    QStringList lines;
    if (!c.contact.trimmed().isEmpty())
        lines << c.contact;
    lines << c.addressLines;
    return lines.join(QLatin1Char('\n'));
}

qreal client(QPainter *p, const Invoice &inv, qreal width)
{
    const qreal w = width * 0.55;
    const QString label = QStringLiteral("Bill to:");
    qreal h = p ? drawText(*p, QRectF(0, 0, w, 0), label, boldFont()) : textHeight(label, boldFont(), w);
    const QFont nameFont = font(11, true);
    const QString name =
        inv.client.name.isEmpty() ? QStringLiteral("Company %1").arg(inv.client.id) : inv.client.name;
    h += p ? drawText(*p, QRectF(0, h, w, 0), name, nameFont) : textHeight(name, nameFont, w);
    const QString rest = clientText(inv.client);
    if (!rest.isEmpty())
        h += p ? drawText(*p, QRectF(0, h, w, 0), rest, bodyFont()) : textHeight(rest, bodyFont(), w);
    return h + 2 * kGap;
}

qreal cellsRow(QPainter *p, const Columns &c, const QStringList &cells, const QString &description,
               const QFont &f, qreal width)
{
    qreal h = 0;
    for (int i = 0; i < 5; ++i) {
        const QString text = i == 1 ? description : cells.value(i);
        const Qt::Alignment align = i >= 2 ? Qt::AlignRight : Qt::AlignLeft;
        const QRectF box(c.x[i] + kRowPad, kRowPad, c.w[i] - 2 * kRowPad, 0);
        h = std::max(h, p ? drawText(*p, box, text, f, align) : textHeight(text, f, box.width()));
    }
    Q_UNUSED(width);
    return h + 2 * kRowPad;
}

qreal tableHeader(QPainter *p, const Invoice &inv, qreal width)
{
    const Columns c = columnsFor(width);
    const QStringList cells = headerCells(inv);
    if (p) {
        const qreal h = cellsRow(nullptr, c, cells, cells[1], boldFont(), width);
        p->fillRect(QRectF(0, 0, width, h), QColor(235, 235, 235));
        cellsRow(p, c, cells, cells[1], boldFont(), width);
        p->setPen(QPen(Qt::black, 8));
        p->drawLine(QPointF(0, h), QPointF(width, h));
        return h;
    }
    return cellsRow(nullptr, c, cells, cells[1], boldFont(), width);
}

qreal tableRow(QPainter *p, const Invoice &inv, int row, qreal width)
{
    const Columns c = columnsFor(width);
    const qreal h = cellsRow(p, c, rowCells(inv, row), rowDescription(inv, row), bodyFont(), width);
    if (p) {
        p->setPen(QPen(QColor(200, 200, 200), 4));
        p->drawLine(QPointF(0, h), QPointF(width, h));
    }
    return h;
}

qreal broughtForward(QPainter *p, const Invoice &inv, qreal width)
{
    const Columns c = columnsFor(width);
    const QStringList cells{QString(), QString(), QString(), QString(),
                            modTamberlock::formatCurrency(inv.broughtForward)};
    return cellsRow(p, c, cells, QStringLiteral("Balance brought forward"), boldFont(), width);
}

qreal totalsBlock(QPainter *p, const Invoice &inv, qreal width)
{
    const qreal x = width * 0.45;
    const qreal w = width - x;
    qreal y = kGap;
    const auto rows = totals(inv);
    for (int i = 0; i < rows.size(); ++i) {
        const bool last = i == rows.size() - 1;
        const QFont &f = last ? boldFont() : bodyFont();
        qreal h = 0;
        if (p) {
            if (last) {
                p->setPen(QPen(Qt::black, 8));
                p->drawLine(QPointF(x, y), QPointF(width, y));
            }
            drawText(*p, QRectF(x, y + kRowPad, w * 0.6, 0), rows[i].first, f);
            h = drawText(*p, QRectF(x + w * 0.6, y + kRowPad, w * 0.4 - kRowPad, 0), rows[i].second, f,
                         Qt::AlignRight);
        } else {
            h = std::max(textHeight(rows[i].first, f, w * 0.6),
                         textHeight(rows[i].second, f, w * 0.4 - kRowPad));
        }
        y += h + 2 * kRowPad;
    }
    return y + kGap;
}

qreal titledText(QPainter *p, const QString &title, const QString &text, qreal width)
{
    qreal h =
        p ? drawText(*p, QRectF(0, 0, width, 0), title, boldFont()) : textHeight(title, boldFont(), width);
    h += p ? drawText(*p, QRectF(0, h, width, 0), text, bodyFont()) : textHeight(text, bodyFont(), width);
    return h + kGap;
}

QString noticeText(const Invoice &inv)
{
    QStringList lines;
    if (inv.runningLeftOut > 0)
        lines << QStringLiteral("%1 running charge%2 left out: a charge is billed once it has stopped.")
                     .arg(inv.runningLeftOut)
                     .arg(inv.runningLeftOut == 1 ? QString() : QStringLiteral("s"));
    return lines.join(QLatin1Char('\n'));
}

qreal blockHeight(QPainter *p, const Invoice &inv, Block b, int row, qreal width)
{
    switch (b) {
    case Block::Header: return header(p, inv, width);
    case Block::Client: return client(p, inv, width);
    case Block::TableHeader: return tableHeader(p, inv, width);
    case Block::Row: return tableRow(p, inv, row, width);
    case Block::BroughtForward: return broughtForward(p, inv, width);
    case Block::Totals: return totalsBlock(p, inv, width);
    case Block::Instructions:
    case Block::Note: {
        const bool note = b == Block::Note;
        const QStringList lines = note ? paragraphs(inv.note) : inv.sender.paymentInstructions;
        const QString text = lines.value(row);
        qreal h = 0;
        if (row == 0) {
            const QString title = note ? QStringLiteral("Note") : QStringLiteral("Payment instructions");
            h = p ? drawText(*p, QRectF(0, 0, width, 0), title, boldFont())
                  : textHeight(title, boldFont(), width);
        }
        h += p ? drawText(*p, QRectF(0, h, width, 0), text, bodyFont()) : textHeight(text, bodyFont(), width);
        return row == lines.size() - 1 ? h + kGap : h;
    }
    case Block::Notice: return titledText(p, QString(), noticeText(inv), width);
    }
    return 0;
}

} // namespace

QPageLayout defaultPageLayout()
{
    const QPageSize size(QLocale().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter
                                                                                    : QPageSize::A4);
    return QPageLayout(size, QPageLayout::Portrait, QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
}

InvoicePages::InvoicePages(const Invoice &invoice, const QPageLayout &layout)
    : m_invoice(invoice), m_layout(layout)
{
    paginate();
}

InvoicePages::~InvoicePages() = default;

int InvoicePages::count() const
{
    return int(m_pages.size());
}

namespace {

QRectF printableUnits(const QPageLayout &layout)
{
    const QRectF r = layout.paintRect(QPageLayout::Point);
    return QRectF(r.x() * 10, r.y() * 10, r.width() * 10, r.height() * 10);
}

constexpr qreal kFooter = 300;

} // namespace

void InvoicePages::paginate()
{
    const QRectF area = printableUnits(m_layout);
    const qreal width = area.width();
    const qreal bottom = area.height() - kFooter;
    const qreal headerHeight = blockHeight(nullptr, m_invoice, Block::TableHeader, 0, width);
    m_pages.assign(1, {});
    qreal y = 0;
    auto place = [&](Block b, int row = 0) {
        const qreal h = blockHeight(nullptr, m_invoice, b, row, width);
        const bool isRow = b == Block::Row;
        // A row needs room for itself; the first row of a page comes under
        // the table's header.
        if (y > 0 && y + h > bottom) {
            m_pages.emplace_back();
            y = 0;
            if (isRow) {
                m_pages.back().push_back({Block::TableHeader, y});
                y += headerHeight;
            }
        }
        m_pages.back().push_back({b, y, row});
        y += h;
    };
    place(Block::Header);
    place(Block::Client);
    // The header of the table stays with its first row.
    const int rows = rowCount(m_invoice);
    const qreal firstRow = rows > 0 ? blockHeight(nullptr, m_invoice, Block::Row, 0, width) : 0;
    if (y + headerHeight + firstRow > bottom) {
        m_pages.emplace_back();
        y = 0;
    }
    m_pages.back().push_back({Block::TableHeader, y});
    y += headerHeight;
    if (isStatement(m_invoice) && m_invoice.from)
        place(Block::BroughtForward);
    for (int row = 0; row < rows; ++row)
        place(Block::Row, row);
    place(Block::Totals);
    if (!noticeText(m_invoice).isEmpty())
        place(Block::Notice);
    if (!isStatement(m_invoice))
        for (int line = 0; line < m_invoice.sender.paymentInstructions.size(); ++line)
            place(Block::Instructions, line);
    const int noteLines = int(paragraphs(m_invoice.note).size());
    for (int line = 0; line < noteLines; ++line)
        place(Block::Note, line);
}

void InvoicePages::paint(QPainter &p, int page, qreal dpi) const
{
    if (page < 0 || page >= count())
        return;
    const QRectF area = printableUnits(m_layout);
    p.save();
    p.scale(dpi / kUnitsPerInch, dpi / kUnitsPerInch);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setPen(Qt::black);
    if (m_invoice.number.isEmpty()) {
        // A draft says so across every page.
        p.save();
        const QRectF paper(QPointF(0, 0), m_layout.fullRect(QPageLayout::Point).size() * 10);
        p.translate(paper.center());
        p.rotate(-35);
        // As a shape, not text: the page's text reads the same without it.
        QPainterPath mark;
        const QFont big = font(110, true);
        mark.addText(0, 0, big, QStringLiteral("DRAFT"));
        const QRectF bounds = mark.boundingRect();
        p.translate(-bounds.center());
        p.fillPath(mark, QColor(228, 228, 228));
        p.restore();
    }
    const qreal width = area.width();
    for (const Placed &placed : m_pages[size_t(page)]) {
        p.save();
        p.translate(area.x(), area.y() + placed.y);
        p.setPen(Qt::black);
        blockHeight(&p, m_invoice, placed.block, placed.row, width);
        p.restore();
    }
    // The footer of every page.
    const QString footer = (m_invoice.number.isEmpty() ? QStringLiteral("DRAFT") : m_invoice.title()) +
                           QStringLiteral("  \u2013  Page %1 of %2").arg(page + 1).arg(count());
    p.setPen(QColor(80, 80, 80));
    drawText(p, QRectF(area.x(), area.bottom() - kFooter + 120, width, 0), footer, font(8), Qt::AlignHCenter);
    p.restore();
}

QImage InvoicePages::image(int page, qreal dpi) const
{
    const QSizeF points = m_layout.fullRect(QPageLayout::Point).size();
    QImage image((points * dpi / 72.0).toSize(), QImage::Format_RGB32);
    image.setDotsPerMeterX(int(dpi / 0.0254));
    image.setDotsPerMeterY(int(dpi / 0.0254));
    image.fill(Qt::white);
    QPainter p(&image);
    paint(p, page, dpi);
    return image;
}

bool InvoicePages::print(QPagedPaintDevice &device, QString *error) const
{
    QPainter p;
    if (!p.begin(&device)) {
        *error = QStringLiteral("The pages cannot be drawn on this device.");
        return false;
    }
    const int dpi = device.logicalDpiX();
    // The pages carry their own margins: drawn from the paper's corner.
    const QPoint origin = device.pageLayout().paintRectPixels(dpi).topLeft();
    for (int page = 0; page < count(); ++page) {
        if (page > 0 && !device.newPage()) {
            *error = QStringLiteral("A new page cannot be started.");
            return false;
        }
        p.save();
        p.translate(-origin);
        paint(p, page, dpi);
        p.restore();
    }
    if (!p.end()) {
        *error = QStringLiteral("The pages could not be finished.");
        return false;
    }
    return true;
}

bool writePdf(const Invoice &invoice, const QPageLayout &layout, QIODevice &out, QString *error)
{
    QPdfWriter pdf(&out);
    pdf.setPdfVersion(QPagedPaintDevice::PdfVersion_A1b);
    pdf.setResolution(600);
    pdf.setPageLayout(layout);
    pdf.setTitle(invoice.title() + QStringLiteral(" \u2013 ") + invoice.client.name);
    const QString author = invoice.sender.businessName.trimmed();
    pdf.setCreator(author.isEmpty() ? QStringLiteral("Tamberlock") : author);
    InvoicePages pages(invoice, layout);
    return pages.print(pdf, error);
}

bool writePdf(const Invoice &invoice, const QPageLayout &layout, const QString &path, QString *error)
{
    // Whole or not at all: nothing half-written is left under the name.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = QStringLiteral("%1 cannot be written: %2").arg(path, file.errorString());
        return false;
    }
    if (!writePdf(invoice, layout, file, error)) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        *error = QStringLiteral("%1 cannot be written: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

} // namespace Billing

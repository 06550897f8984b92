#pragma once

#include "billing/Invoice.h"

#include <QFont>
#include <QImage>
#include <QPageLayout>

#include <memory>
#include <vector>

class QIODevice;
class QPagedPaintDevice;
class QPainter;

// The pages of an invoice: laid out once for a page layout, then painted
// page by page onto any painter: a preview image, a QPdfWriter or a QPrinter
// (one drawing routine for all). Every text is drawn as plain text, wrapped,
// never read as markup.
namespace Billing {

// Letter where the locale's country measures in inches (the US), A4
// elsewhere; margins of 15 mm.
QPageLayout defaultPageLayout();

class InvoicePages
{
public:
    InvoicePages(const Invoice &invoice, const QPageLayout &layout);
    ~InvoicePages();
    InvoicePages(const InvoicePages &) = delete;
    InvoicePages &operator=(const InvoicePages &) = delete;

    int count() const;
    const QPageLayout &layout() const { return m_layout; }
    const Invoice &invoice() const { return m_invoice; }

    // One page on a painter whose device has the given resolution (dots
    // per inch), the page's top left at the origin.
    void paint(QPainter &painter, int page, qreal dpi) const;
    // The page as an image at a resolution, white paper.
    QImage image(int page, qreal dpi) const;
    // Every page onto a device that was given this layout; false when the
    // device cannot be painted on.
    bool print(QPagedPaintDevice &device, QString *error) const;

private:
    struct Placed;
    void paginate();

    Invoice m_invoice;
    QPageLayout m_layout;
    std::vector<std::vector<Placed>> m_pages;
    std::vector<qreal> m_rowHeights;
};

// The invoice as a PDF/A-1b file with its title and author, fonts embedded.
// Written to a temporary name and renamed, so a failure leaves no half file.
bool writePdf(const Invoice &invoice, const QPageLayout &layout, const QString &path, QString *error);
bool writePdf(const Invoice &invoice, const QPageLayout &layout, QIODevice &out, QString *error);

} // namespace Billing

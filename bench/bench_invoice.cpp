// Invoices of a long project: 10,000 charges (about 250 pages) to PDF, and
// the invoice window's preview until its first page is on screen.
#include "BenchSupport.h"

#include "billing/InvoicePages.h"
#include "billing/Register.h"
#include "billing/ui/frmInvoice.h"
#include "data/Clock.h"
#include "data/DataPath.h"

#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>

#include <benchmark/benchmark.h>

namespace {

SamplePlan invoicePlan()
{
    SamplePlan s;
    s.companies = 1;
    s.projectsPerCompany = 2;
    s.charges = 10000;
    s.chargesOnFirstProject = 10000;
    s.runningShare = 0;
    s.payments = 10;
    return s;
}

Billing::Request companyRequest()
{
    Billing::Request r;
    r.companyId = 1;
    r.invoiceDate = QDate(2026, 12, 7);
    r.dueDate = QDate(2027, 1, 6);
    r.taxRate = 82'500;
    return r;
}

void invoiceSession()
{
    benchSession();
    Billing::Sender s;
    s.businessName = QStringLiteral("Brumvale Consulting");
    s.addressLines = {QStringLiteral("12 Harbour Road")};
    s.paymentInstructions = {QStringLiteral("Bank: Northern Bank")};
    Billing::saveSender(s);
    benchDatabase(QStringLiteral("invoice"), invoicePlan());
}

// From the database to the finished PDF: the invoice computed, laid out,
// drawn and written.
void BM_InvoiceToPdf(benchmark::State &state)
{
    invoiceSession();
    int pages = 0;
    for (auto _ : state) {
        QString error;
        const std::optional<Billing::Invoice> invoice =
            Billing::compute(databaseFile(), companyRequest(), Billing::loadSender(), {}, &error);
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        if (!invoice || !Billing::writePdf(*invoice, Billing::defaultPageLayout(), out, &error))
            state.SkipWithError(qPrintable(error));
        benchmark::DoNotOptimize(out.data().size());
        state.counters["charges"] = invoice ? double(invoice->charges.size()) : 0;
        state.counters["MB"] = out.data().size() / 1e6;
        state.PauseTiming();
        pages = invoice ? Billing::InvoicePages(*invoice, Billing::defaultPageLayout()).count() : 0;
        state.ResumeTiming();
    }
    state.counters["pages"] = pages;
}
BENCHMARK(BM_InvoiceToPdf)->Unit(benchmark::kMillisecond)->Iterations(3);

// The window opened on the company until the first page of its preview is
// painted; and the longest the window went without answering meanwhile.
void BM_InvoicePreviewFirstPage(benchmark::State &state)
{
    invoiceSession();
    for (auto _ : state) {
        QPointer<frmInvoice> window;
        QElapsedTimer t;
        t.start();
        frmInvoice::showFor(nullptr, window, companyRequest());
        while (!window->pageRendered(0))
            QCoreApplication::processEvents();
        window->repaint();
        state.SetIterationTime(t.nsecsElapsed() / 1e9);
        state.counters["pages"] = window->pageCount();
        delete window;
    }
}
BENCHMARK(BM_InvoicePreviewFirstPage)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);

} // namespace

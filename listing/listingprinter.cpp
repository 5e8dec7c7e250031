#include "listing/listingprinter.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPrinter>

#include <algorithm>
#include <memory>

#include "listing/listingcontrol.h"

namespace {

// The footer is laid out in units of 1/600 inch, the resolution of the
// printers the layout was first drawn for, scaled to the device.
constexpr qreal kFooterUnitsPerInch = 600.0;
constexpr qreal kNumberLeftOfCentre = 100;
constexpr qreal kNumberAboveBottom = 200;
constexpr qreal kFooterHeight = 300;

struct PageGeometry {
    QRectF body;          // where the page's lines go
    QPointF numberPoint;  // top-left of the page number
    qint64 linesPerPage;
};

PageGeometry geometryOf(const QPrinter& printer, qreal lineHeight)
{
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    const QRectF area(0, 0, page.width(), page.height());
    const qreal unit = printer.resolution() / kFooterUnitsPerInch;
    QRectF body = area;
    body.setBottom(area.bottom() - kFooterHeight * unit);
    const QPointF number(area.right() / 2 - kNumberLeftOfCentre * unit, area.bottom() - kNumberAboveBottom * unit);
    return {body, number, std::max<qint64>(1, qint64(body.height() / lineHeight))};
}

std::unique_ptr<QPrinter> g_printer;

}  // namespace

namespace ListingPrinter {

bool print(const ListingControl& listing, QPrinter& printer)
{
    printer.setPageMargins(QMarginsF(0.5, 0.5, 0.5, 0.5), QPageLayout::Inch);
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    painter.setFont(listing.font());
    const QFontMetricsF metrics(listing.font(), &printer);
    const PageGeometry geometry = geometryOf(printer, metrics.lineSpacing());
    const qint64 lineCount = listing.textSource().lineCount();
    const qint64 pageCount = std::max<qint64>(1, (lineCount + geometry.linesPerPage - 1) / geometry.linesPerPage);
    const bool range = printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0;
    const qint64 first = range ? printer.fromPage() : 1;
    const qint64 last = range ? std::min<qint64>(pageCount, printer.toPage()) : pageCount;
    for (qint64 page = first; page <= last; ++page) {
        if (page != first)
            printer.newPage();
        painter.drawText(geometry.numberPoint + QPointF(0, metrics.ascent()), QString::number(page));
        listing.paintLines(painter, geometry.body.topLeft().toPoint(), (page - 1) * geometry.linesPerPage,
                           geometry.linesPerPage);
    }
    return painter.end();
}

QPrinter& sharedPrinter()
{
    if (!g_printer) {
        g_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        // Freed with the application, before the print system goes.
        qAddPostRoutine([] { g_printer.reset(); });
    }
    return *g_printer;
}

}  // namespace ListingPrinter

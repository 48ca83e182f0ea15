#pragma once

#include <QByteArray>
#include <QString>

class QPagedPaintDevice;

namespace Orvella {

struct JournalStatistics;

/**
 * The statistics as printed pages, readable in black and white: the title
 * "Statistics" over @p periodText, the share of reversed cards, the deck's
 * grid, the readings over time and the spreads used, then every card against
 * chance, marked ones first, its table carried over as many pages as it
 * needs. Each page says "Page n of m" at its foot. The number of pages.
 */
int printStatistics(QPagedPaintDevice &device, const JournalStatistics &statistics,
                    const QString &periodText);

/** The same pages as a PDF document on the local paper, A4 or Letter. */
QByteArray statisticsPdf(const JournalStatistics &statistics, const QString &periodText);

/** The printed statistics' document name: "Statistics - " and the product's name. */
QString statisticsDocumentName();

} // namespace Orvella

#pragma once

#include <QString>

#include <functional>

class QTextDocument;

namespace Orvella {

class ReadingReport;

/** Where a web address lies in a text: [start, end), or start -1 when there is none. */
struct WebAddress
{
    qsizetype start = -1;
    qsizetype end = -1;
};

/**
 * The first web address in @p text at or after @p from: http:// or https:// at the
 * start of a word, up to the next blank, <, > or ", less any final . , ; : ! ? ) or '.
 */
WebAddress findWebAddress(const QString &text, qsizetype from = 0);

/** How a shown web address may wrap at the end of a line. */
enum class AddressWrap {
    /** As the text wraps: a word too long for a line breaks anywhere. */
    AsText,
    /** Only after "//", "/" or ".": invisible break opportunities go there. */
    AtSeparators,
};

/** The zero-width space AddressWrap::AtSeparators puts after an address's separators. */
inline constexpr QChar AddressBreak(0x200B);

/**
 * Replaces the text of @p document by @p report, run by run in its colour,
 * headings bold, web addresses as links. @p beforePosition runs once per
 * position, just before that position's first run is added. The window's
 * report view and the printed page both show a document made here.
 */
void renderReport(QTextDocument &document, const ReadingReport &report,
                  const std::function<void(int position)> &beforePosition = {},
                  AddressWrap wrap = AddressWrap::AsText);

/** As renderReport(), but added after whatever @p document already holds. */
void appendReport(QTextDocument &document, const ReadingReport &report,
                  const std::function<void(int position)> &beforePosition = {},
                  AddressWrap wrap = AddressWrap::AsText);

} // namespace Orvella

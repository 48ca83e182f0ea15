#include "readingreport.h"

#include "oracle/carddeck.h"
#include "oracle/spreadcatalogue.h"
#include "product/product.h"
#include "product/webaddresses.h"
#include "reading/reading.h"

namespace Orvella {

namespace {

const QString CrLf = QStringLiteral("\r\n");
const QString Rule = QStringLiteral("---------------------------");

} // namespace

ReadingReport ReadingReport::build(const Reading &reading)
{
    return build(reading, WebAddresses::forum().toString());
}

ReadingReport ReadingReport::build(const Reading &reading, const QString &forum)
{
    ReadingReport report;
    auto add = [&report](QString text, quint32 rgb, bool heading, int position = -1) {
        report.m_runs.append({std::move(text), rgb, heading, position});
    };

    // The forum address is followed by a blank here and by a full stop at the
    // end, so link detection ends it at the right character in both places.
    add(forum
        + QStringLiteral(" is the most popular online discussion forum. A place to learn, "
                             "to share and to make new friends.")
                         + CrLf,
                         ReportColour::Olive, true);
    add(Rule + CrLf + CrLf, ReportColour::Olive, true);
    add(Product::name() + CrLf + CrLf, ReportColour::Teal, true);

    // A bad spread index (only a reading file can carry one) loses just its two lines.
    if (const auto spread = SpreadCatalogue::spread(reading.spreadIndex)) {
        add(spread->name + CrLf, ReportColour::Maroon, true);
        add(spread->description + CrLf + CrLf, ReportColour::Black, false);
    }

    const int n = reading.positionCount();
    for (int i = 0; i < n; ++i) {
        const auto card = CardDeck::card(reading.cards[i]);
        const bool reversed = reading.isReversed(i);

        add(ReportWords::cardNumber(i + 1) + CrLf, ReportColour::Navy, true, i);
        if (i < reading.positionTitles.size())
            add(reading.positionTitles[i] + CrLf, ReportColour::Black, false, i);
        add(ReportWords::cardName() + CrLf, ReportColour::Navy, true, i);
        if (card)
            add(card->name + CrLf, ReportColour::Black, false, i);
        add(ReportWords::keyword() + CrLf, ReportColour::Navy, true, i);
        if (card)
            add(card->keyword + CrLf, ReportColour::Black, false, i);
        add(ReportWords::description(reversed) + CrLf, ReportColour::Navy, true, i);
        if (card)
            add((reversed ? card->reverse : card->upright) + CrLf, ReportColour::Black, false, i);
        add(ReportWords::medicalInterpretation() + CrLf, ReportColour::Navy, true, i);
        if (card)
            add(card->medical + CrLf + CrLf, ReportColour::Black, false, i);
    }

    add(Rule + CrLf, ReportColour::Olive, true);
    add(QStringLiteral("Thank You for using ") + Product::name()
        + QStringLiteral(" Software. Come spend some time with us online at ") + forum
                         + QStringLiteral(". The best online discussion forum for every esoteric."),
                                          ReportColour::Olive, true);
    return report;
}

QString ReadingReport::plainText() const
{
    QString text;
    for (const ReportRun &run : m_runs)
        text += run.text;
    return text;
}

} // namespace Orvella

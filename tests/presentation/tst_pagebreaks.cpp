#include "presentation/pagebreaks.h"

#include <QTest>

using namespace Orvella;

using Lines = QList<TextLine>;
using Pages = QList<PageSlice>;

namespace {

// Lines of height 10, one after the other; "h" marks a heading, "-" an empty line, "." a body line.
Lines lines(const char *kinds)
{
    Lines result;
    qreal top = 0;
    for (const char *k = kinds; *k; ++k, top += 10)
        result.append({top, top + 10, *k == 'h', *k == '-'});
    return result;
}

} // namespace

class TestPageBreaks : public QObject
{
    Q_OBJECT

private slots:
    void pagesBreakBetweenLines_data();
    void pagesBreakBetweenLines();
};

void TestPageBreaks::pagesBreakBetweenLines_data()
{
    QTest::addColumn<Lines>("lines");
    QTest::addColumn<qreal>("first");
    QTest::addColumn<qreal>("later");
    QTest::addColumn<Pages>("pages");

    QTest::newRow("all on the first page") << lines("h...") << 40.0 << 100.0 << Pages{{0, 40}};
    QTest::newRow("no line cut in two")
        << lines("......") << 35.0 << 35.0 << Pages{{0, 30}, {30, 60}};
    QTest::newRow("first page shorter than the rest")
        << lines(".......") << 20.0 << 50.0 << Pages{{0, 20}, {20, 70}};
    QTest::newRow("a heading at the foot goes over")
        << lines("..h..") << 30.0 << 30.0 << Pages{{0, 20}, {20, 50}};
    QTest::newRow("two headings at the foot go over together")
        << lines(".hh..") << 30.0 << 30.0 << Pages{{0, 10}, {10, 40}, {40, 50}};
    QTest::newRow("an empty line neither ends nor starts a page")
        << lines("..-h..") << 30.0 << 40.0 << Pages{{0, 20}, {30, 60}};
    QTest::newRow("a page of headings keeps them")
        << lines("hhhh.") << 30.0 << 30.0 << Pages{{0, 30}, {30, 50}};
    QTest::newRow("no room on the first page")
        << lines("..") << 5.0 << 30.0 << Pages{{0, 0}, {0, 20}};
    QTest::newRow("a line taller than a page stands alone")
        << Lines{{0, 50, false, false}, {50, 60, false, false}} << 30.0 << 30.0
        << Pages{{0, 50}, {50, 60}};
    QTest::newRow("nothing to place") << Lines{} << 30.0 << 30.0 << Pages{};
}

void TestPageBreaks::pagesBreakBetweenLines()
{
    QFETCH(Lines, lines);
    QFETCH(qreal, first);
    QFETCH(qreal, later);
    QFETCH(Pages, pages);
    QCOMPARE(breakIntoPages(lines, first, later), pages);
}

QTEST_GUILESS_MAIN(TestPageBreaks)
#include "tst_pagebreaks.moc"

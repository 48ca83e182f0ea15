#include "statisticsview.h"

#include "chancetablemodel.h"
#include "focusinview.h"
#include "periodselector.h"
#include "journal/journaltexts.h"
#include "platform/fileaccess.h"
#include "platform/platform.h"
#include "session/readingexportcommands.h"
#include "statisticsfigurewidgets.h"
#include "statisticspage.h"
#include "statisticstexts.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace Orvella {

namespace {

QLabel *heading(const QString &text, QWidget *figure, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    label->setBuddy(figure);
    return label;
}

QPushButton *button(const QString &text, const QString &name, QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(name);
    return button;
}

} // namespace

StatisticsView::StatisticsView(Platform &platform, QWidget *parent)
    : QWidget(parent), m_platform(platform)
{
    m_period = new PeriodSelector(platform.today(), this);
    connect(m_period, &PeriodSelector::changed, this, &StatisticsView::periodChanged);

    auto *scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setFocusPolicy(Qt::NoFocus); // a page, not a control
    scroll->setWidget(makeContent());
    keepFocusInView(*scroll);
    keepCurrentInView(*scroll, *m_chanceTable);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_period);
    layout->addWidget(scroll, 1);
    layout->addWidget(makeButtons());
    setStatistics(journalStatistics({}));
}

StatisticsView::~StatisticsView() = default;

QWidget *StatisticsView::makeContent()
{
    auto *content = new QWidget;
    // Said on the page too: figures of a few readings are not taken for all of them.
    m_counted = new QLabel(content);
    m_counted->setObjectName(QStringLiteral("lblCounted"));
    m_counted->setTextFormat(Qt::PlainText);
    m_counted->setWordWrap(true);
    m_counted->hide();
    m_reversed = new QLabel(content);
    m_reversed->setObjectName(QStringLiteral("lblReversedShare"));
    m_reversed->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_deck = new DeckGridFigure(content);
    m_deck->setObjectName(QStringLiteral("figDeck"));
    m_overTime = new OverTimeFigure(content);
    m_overTime->setObjectName(QStringLiteral("figOverTime"));
    m_spreads = new SpreadsFigure(content);
    m_spreads->setObjectName(QStringLiteral("figSpreads"));

    m_chance = new ChanceTableModel(this);
    auto *sorted = new QSortFilterProxyModel(this);
    sorted->setSourceModel(m_chance);
    sorted->setSortRole(ChanceTableModel::SortRole);
    m_chanceTable = new QTableView(content);
    m_chanceTable->setObjectName(QStringLiteral("tblChance"));
    m_chanceTable->setAccessibleName(QStringLiteral("Cards against chance"));
    m_chanceTable->setModel(sorted);
    m_chanceTable->setSortingEnabled(true);
    m_chanceTable->sortByColumn(ChanceTableModel::MarkColumn, Qt::AscendingOrder);
    m_chanceTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_chanceTable->setSelectionMode(QAbstractItemView::SingleSelection);
    m_chanceTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Tab leaves the table: 220 cells to step through would hold the keyboard in it.
    m_chanceTable->setTabKeyNavigation(false);
    m_chanceTable->setAlternatingRowColors(true);
    m_chanceTable->verticalHeader()->hide();
    m_chanceTable->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_chanceTable->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_chanceTable->horizontalHeader()->setSectionResizeMode(ChanceTableModel::CardColumn,
                                                            QHeaderView::Stretch);
    // Every row shown at once: the page scrolls, not the table inside it.
    m_chanceTable->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_chanceTable->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    connect(m_chanceTable, &QTableView::activated, this, [this](const QModelIndex &index) {
        emit cardChosen(index.data(ChanceTableModel::CardRole).toInt());
    });
    m_meaning = new QLabel(chanceMarkMeaning(m_statistics), content);
    m_meaning->setWordWrap(true);

    connect(m_deck, &StatisticsFigure::chosen, this, &StatisticsView::cardChosen);
    connect(m_overTime, &StatisticsFigure::chosen, this, [this](int bar) {
        // A week or month is cut where the period counted begins or ends.
        const TimeCount &count = m_statistics.overTime[bar];
        const auto [from, to] = period(m_platform.today());
        emit daysChosen(from.isValid() ? std::max(count.first, from) : count.first,
                        to.isValid() ? std::min(count.last, to) : count.last);
    });
    connect(m_spreads, &StatisticsFigure::chosen, this,
            [this](int row) { emit spreadChosen(m_statistics.spreads[row].spread); });

    auto *layout = new QVBoxLayout(content);
    layout->addWidget(m_counted);
    layout->addWidget(m_reversed);
    layout->addSpacing(6);
    for (const auto &[part, figure] :
         {std::pair<StatisticsPart, QWidget *>{StatisticsPart::Deck, m_deck},
          {StatisticsPart::OverTime, m_overTime},
          {StatisticsPart::Spreads, m_spreads},
          {StatisticsPart::AgainstChance, m_chanceTable}}) {
        layout->addWidget(heading(statisticsHeading(part), figure, content));
        // Read before the 44 rows, as on the printed page: it says what their order is.
        if (part == StatisticsPart::AgainstChance)
            layout->addWidget(m_meaning);
        layout->addWidget(figure);
        layout->addSpacing(6);
    }
    layout->addStretch();
    return content;
}

QWidget *StatisticsView::makeButtons()
{
    auto *buttons = new QWidget(this);
    auto *exportCsv = button(QStringLiteral("Export &Statistics..."),
                                            QStringLiteral("cmdExportStatistics"), buttons);
    auto *exportPdf = button(QStringLiteral("Export PD&F..."), QStringLiteral("cmdStatisticsPdf"),
                                                                              buttons);
    auto *print = button(QStringLiteral("&Print..."), QStringLiteral("cmdPrintStatistics"),
                                                                     buttons);
    connect(exportCsv, &QPushButton::clicked, this, &StatisticsView::exportStatistics);
    connect(exportPdf, &QPushButton::clicked, this, &StatisticsView::exportPdf);
    connect(print, &QPushButton::clicked, this, &StatisticsView::print);
    auto *layout = new QHBoxLayout(buttons);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addStretch();
    layout->addWidget(exportCsv);
    layout->addWidget(exportPdf);
    layout->addWidget(print);
    return buttons;
}

QPair<QDate, QDate> StatisticsView::period(QDate today) const
{
    return m_period->period(today);
}

void StatisticsView::setStatistics(const JournalStatistics &statistics, const QString &selection)
{
    m_statistics = statistics;
    m_selection = selection;
    m_counted->setText(QStringLiteral("Only the readings %1 are counted.").arg(selection));
    m_counted->setHidden(selection.isEmpty());
    m_reversed->setText(reversedShareText(statistics));
    m_meaning->setText(chanceMarkMeaning(statistics));
    m_deck->setStatistics(statistics);
    m_overTime->setStatistics(statistics);
    m_spreads->setStatistics(statistics);
    m_chance->setStatistics(statistics);
    m_period->showCounted(statistics.first, statistics.last);
}

QString StatisticsView::periodText() const
{
    // On paper, which readings too: a page of a few is not taken for all of them.
    const QString period = m_period->periodText(m_platform.today());
    return m_selection.isEmpty() ? period
                                 : QStringLiteral("%1; readings %2").arg(period, m_selection);
}

QString StatisticsView::fileName() const
{
    // Named for the days counted, so the exports of two periods are told apart.
    const auto [from, to] = period(m_platform.today());
    if (!from.isValid() || !to.isValid())
        return datedFileName(QStringLiteral("statistics"), m_platform.today());
    return QStringLiteral("statistics-%1-to-%2")
        .arg(from.toString(Qt::ISODate), to.toString(Qt::ISODate));
}

void StatisticsView::exportStatistics()
{
    const QString path = m_platform.saveFileName(
        this, QStringLiteral("Export Statistics"), QStringLiteral("Spreadsheet (*.csv)"),
        QStringLiteral("csv"), fileName());
    if (!path.isEmpty())
        writeExport(path, statisticsCsv(m_statistics));
}

void StatisticsView::exportPdf()
{
    const QString path = m_platform.saveFileName(
        this, ReadingExportCommands::pdfTitle(), ReadingExportCommands::pdfFilter(),
        QStringLiteral("pdf"), fileName());
    if (!path.isEmpty())
        writeExport(path, statisticsPdf(m_statistics, periodText()));
}

void StatisticsView::print()
{
    const QString period = periodText();
    m_platform.print(this, statisticsDocumentName(), [this, &period](QPagedPaintDevice &device) {
        printStatistics(device, m_statistics, period);
    });
}

void StatisticsView::writeExport(const QString &path, const QByteArray &data)
{
    // Nothing made is nothing written: the file there stays as it was.
    if (QString why; data.isEmpty() || !writeWhole(path, data, &why)) {
        const QString failed = QStringLiteral("Unable To Export The Statistics.");
        m_platform.showMessage(this, unableBecause(failed, why), Platform::Icon::Critical);
    }
}

} // namespace Orvella

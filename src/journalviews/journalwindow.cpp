#include "journalwindow.h"

#include "ui_journalwindow.h"

#include "focusinview.h"
#include "journal.h"
#include "journalfilters.h"
#include "journallistmodel.h"
#include "journalrowdelegate.h"
#include "journaltransfers.h"
#include "journalwordsfields.h"
#include "statisticsview.h"
#include "textlimit.h"

#include "journal/journalstatistics.h"
#include "journal/journalsearch.h"
#include "journal/journaltexts.h"
#include "platform/platform.h"
#include "presentation/readingfont.h"
#include "product/product.h"
#include "session/readingsession.h"

#include <QAccessibleWidget>
#include <QCloseEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QScreen>
#include <QScrollBar>
#include <QSet>
#include <QShortcut>
#include <QTabBar>
#include <QVBoxLayout>

#include <utility>

namespace Orvella {

namespace {

const QString SizeSetting = QStringLiteral("window-size");
const QString SplitSetting = QStringLiteral("window-split");

// Enter presses the button the keys are at, as in a dialog.
void pressedByEnter(QWidget *within)
{
    for (QPushButton *button : within->findChildren<QPushButton *>())
        button->setAutoDefault(true);
}

// The reading's heading: its time, name, spread and file, a line each.
QString headingOf(const JournalEntry &entry)
{
    QStringList lines{dayAndTimeText(entry.time)};
    if (!entry.name.isEmpty())
        lines << entry.name;
    lines << entry.spreadName;
    if (!entry.file.isEmpty())
        lines << QStringLiteral("from ") + QFileInfo(entry.file).fileName();
    return lines.join(u'\n');
}

// The days listed, said after their readings' count: " on 7 December 2026", ", all days".
QString daysText(QDate first, QDate last)
{
    if (first.isValid() && first == last)
        return QStringLiteral(" on ") + dayText(first);
    if (first.isValid() && last.isValid())
        return QStringLiteral(" from ") + dayText(first) + QStringLiteral(" to ") + dayText(last);
    if (first.isValid())
        return QStringLiteral(" from ") + dayText(first) + QStringLiteral(" on");
    if (last.isValid())
        return QStringLiteral(" up to ") + dayText(last);
    return QStringLiteral(", all days");
}

// Puts the controls inside @p part, in their order, right after @p before in
// the tab order; the first of them, or null when there are none.
QWidget *followInTabOrder(QWidget *before, QWidget *part)
{
    QWidgetList controls;
    for (QWidget *next = part->nextInFocusChain(); part->isAncestorOf(next);
         next = next->nextInFocusChain()) {
        if (next->focusPolicy() != Qt::NoFocus) // the only ones Qt puts in order
            controls << next;
    }
    for (QWidget *control : std::as_const(controls)) {
        QWidget::setTabOrder(before, control);
        before = control;
    }
    return controls.value(0);
}

// Heard as a window, as the main window is: a plain widget is a filler to a screen reader.
QAccessibleInterface *journalWindows(const QString &className, QObject *object)
{
    if (className == QLatin1String(JournalWindow::staticMetaObject.className()) && object)
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Window);
    return nullptr;
}

} // namespace

JournalWindow::JournalWindow(Journal &journal, QWidget *parent)
    : QWidget(parent, Qt::Window), m_ui(std::make_unique<Ui::JournalWindow>()), m_journal(journal)
{
    static const bool heardAsWindow = [] {
        QAccessible::installFactory(journalWindows);
        return true;
    }();
    Q_UNUSED(heardAsWindow);
    m_ui->setupUi(this);
    setLocale(journalLocale()); // its calendar and dates too
    setWindowTitle(Product::titled(QStringLiteral("Journal")));
    m_model = new JournalListModel(this);
    m_ui->lstReadings->setModel(m_model);
    m_ui->lstReadings->setItemDelegate(new JournalRowDelegate(m_ui->lstReadings));

    setupLook();
    setupFilters();
    setupKeys();

    connect(m_ui->lstReadings->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &JournalWindow::selectionChanged);
    connect(m_ui->figReading, &JournalFigure::cardChosen, this, &JournalWindow::cardsShown);
    connect(m_words, &JournalWordsFields::edited, this, &JournalWindow::wordsEdited);
    connect(m_ui->cmdImport, &QPushButton::clicked, this,
            [this] { importIntoJournal(m_journal, this); });
    connect(m_ui->cmdBackUp, &QPushButton::clicked, this,
            [this] { backUpJournal(m_journal, this); });
    connect(m_ui->tabsJournal, &QTabWidget::currentChanged, this, &JournalWindow::countStatistics);
    connect(m_ui->cmdShowReading, &QPushButton::clicked, this, &JournalWindow::showSelectedReading);
    connect(m_ui->cmdDelete, &QPushButton::clicked, this, &JournalWindow::deleteSelected);
    connect(m_ui->cmdExport, &QPushButton::clicked, this, &JournalWindow::exportListed);
    connect(m_ui->cmdClose, &QPushButton::clicked, this, &QWidget::close);
    connect(m_ui->chkKeepNew, &QCheckBox::toggled, this,
            [this](bool keep) { m_journal.setKeepsNewReadings(keep); });
    connect(&m_journal, &Journal::changed, this, &JournalWindow::reload);
    // A new journal's readings are others, whatever their numbers: shown afresh.
    connect(&m_journal, &Journal::reopened, this, [this] {
        m_shownId = m_lastShownId = 0;
        openAfresh();
    });

    reload();
    restoreSize(); // once a reading's details are in
}

JournalWindow::~JournalWindow() = default;

void JournalWindow::setupLook()
{
    // Said in the list itself when it is empty, and why.
    m_nothingListed = new QLabel(m_ui->lstReadings->viewport());
    m_nothingListed->setObjectName(QStringLiteral("lblNothingListed"));
    m_nothingListed->setTextFormat(Qt::PlainText);
    m_nothingListed->setWordWrap(true);
    m_nothingListed->setAlignment(Qt::AlignCenter);
    m_nothingListed->setForegroundRole(QPalette::PlaceholderText);
    m_nothingListed->hide();
    (new QVBoxLayout(m_ui->lstReadings->viewport()))->addWidget(m_nothingListed);
    setFont(readingFont(9));
    // Made once the window's font is set: the outcome's fields are as wide as it needs.
    m_words = new JournalWordsFields(m_ui->txtQuestion, m_ui->txtNotes, m_ui->txtOutcome,
                                     m_ui->datOutcome, m_journal.platform(), this);
    QFont heading = readingFont(10);
    heading.setBold(true);
    m_ui->lblReading->setFont(heading);
    // Said instead of its tooltip, which is the heading again, in markup.
    m_ui->lblReading->setAccessibleDescription(QStringLiteral("The reading chosen in the list"));
    m_ui->lblReading->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    // Room for a count on a line of its own; the days it is of wrap below it
    // where the window is narrow (a small screen, or text made large).
    m_ui->lblShown->setMinimumWidth(
        m_ui->lblShown->fontMetrics().horizontalAdvance(QStringLiteral("10,000 readings,")));
    // The filters narrow with the window too; their lists still show each choice whole.
    for (QComboBox *filter : {m_ui->cboSpreadFilter, m_ui->cboCardFilter, m_ui->cboShow}) {
        filter->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        filter->setMinimumContentsLength(10);
    }
    m_ui->splitter->setStretchFactor(0, 3);
    m_ui->splitter->setStretchFactor(1, 1);
    // Room to spare goes to the cards first, then to the notes.
    m_ui->layoutReading->setStretchFactor(m_ui->figReading, 2);
    m_ui->layoutReading->setStretchFactor(m_ui->txtNotes, 1);
    m_ui->lstReadings->setAlternatingRowColors(true);
    m_ui->lstReadings->setSelectionMode(QAbstractItemView::SingleSelection);
    m_ui->lstReadings->installEventFilter(this);
    m_ui->lblReading->installEventFilter(this);
    m_ui->txtSearch->installEventFilter(this);
    m_ui->panelList->installEventFilter(this);
    keepFocusInView(*m_ui->scrollReading);
}

void JournalWindow::setupFilters()
{
    m_filters = new JournalFilters(m_ui->txtSearch, m_ui->cboSpreadFilter, m_ui->cboCardFilter,
                                   m_ui->cboShow, this);
    connect(m_filters, &JournalFilters::changed, this, &JournalWindow::refilter);
    connect(m_ui->calDays, &JournalCalendar::dayChosen, this,
            [this](QDate day) { showDays(day, day); });
    connect(m_ui->cmdAllDays, &QPushButton::clicked, this, [this] { showDays({}, {}); });
}

void JournalWindow::setupKeys()
{
    auto *find = new QShortcut(QKeySequence::Find, this);
    connect(find, &QShortcut::activated, this, [this] {
        m_ui->txtSearch->setFocus(Qt::ShortcutFocusReason);
        m_ui->txtSearch->selectAll();
    });
    auto *close = new QShortcut(QKeySequence::Close, this);
    connect(close, &QShortcut::activated, this, &QWidget::close);
    pressedByEnter(this);
}

bool JournalWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_ui->lblReading && event->type() == QEvent::Resize)
        fitHeading();
    if (watched == m_ui->panelList && event->type() == QEvent::Resize)
        placeCalendar();
    // The selection is drawn paler while the keys go elsewhere; empty, the
    // list shows it has them by a frame round what it says instead.
    if (watched == m_ui->lstReadings
        && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)) {
        m_nothingListed->setFrameShape(event->type() == QEvent::FocusIn ? QFrame::Box
                                                                        : QFrame::NoFrame);
        m_ui->lstReadings->viewport()->update();
    }
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (watched == m_ui->txtSearch && key == Qt::Key_Escape
            && !m_ui->txtSearch->text().isEmpty()) {
            m_ui->txtSearch->clear();
            return true;
        }
        // On to the list, where it is in sight (not behind the statistics).
        if (watched == m_ui->txtSearch && key == Qt::Key_Down && m_ui->lstReadings->isVisible()) {
            m_ui->lstReadings->setFocus(Qt::TabFocusReason);
            return true;
        }
        if (watched == m_ui->lstReadings && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
            showSelectedReading();
            return true;
        }
        if (watched == m_ui->lstReadings && key == Qt::Key_Delete && m_ui->cmdDelete->isEnabled()) {
            deleteSelected();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void JournalWindow::placeCalendar()
{
    // Beside the list where there is room for both, the list's rows whole:
    // the list then has the whole height. Above it otherwise.
    QStyleOptionViewItem row;
    row.font = m_ui->lstReadings->font();
    const int frame = 2 * m_ui->lstReadings->frameWidth();
    const int listed = m_ui->lstReadings->itemDelegate()->sizeHint(row, {}).width() + frame
                       + m_ui->lstReadings->verticalScrollBar()->sizeHint().width();
    const bool beside = m_ui->panelList->width()
                        >= m_ui->calDays->sizeHint().width() + m_ui->layoutList->spacing() + listed;
    m_ui->layoutList->setDirection(beside ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom);
    // The calendar as tall as it reads easily, and no taller: the list takes
    // the rest. Above the list, no taller than it must be.
    const int calendar = m_ui->calDays->sizeHint().height();
    m_ui->calDays->setMinimumHeight(
        std::min(m_ui->calDays->maximumHeight(), beside ? calendar * 4 / 3 : calendar));
    m_ui->layoutDays->setDirection(beside ? QBoxLayout::TopToBottom : QBoxLayout::LeftToRight);
}

void JournalWindow::restoreSize()
{
    JournalStore *store = m_journal.store();
    const QStringList size = store ? store->setting(SizeSetting).split(u'x') : QStringList();
    // Never larger than the screen it opens on (a smaller one, or larger text,
    // than when it was left): the details scroll instead.
    // Room is left for the frame the desktop puts around it, which it is not given yet.
    const int frame = fontMetrics().height();
    const QSize room = screen() ? screen()->availableGeometry().size() - QSize(frame, 3 * frame)
                                : QSize(1 << 15, 1 << 15);
    const auto fitted = [&](int w, int h) { return QSize(w, h).boundedTo(room); };
    if (size.size() == 2 && size[0].toInt() > 200 && size[1].toInt() > 150) {
        resize(fitted(size[0].toInt(), size[1].toInt()));
        // The list's and the reading's shares as they were left.
        const QStringList split = store->setting(SplitSetting).split(u',');
        if (split.size() == 2 && split[0].toInt() > 0 && split[1].toInt() > 0)
            m_ui->splitter->setSizes({split[0].toInt(), split[1].toInt()});
        return;
    }
    // At first, tall enough for any reading's details to need no scrolling:
    // measured with the longest heading (time, name, spread and file), whatever
    // is selected now (nothing, in a new journal), as this size is kept.
    ensurePolished(); // the style's spacing counted
    // Not yet shown, the layouts up to the window are not told of a change
    // of the details' height: told here, or the window's least height would
    // stay the whole one, more than a small screen holds.
    const auto detailsHeight = [this](int height) {
        m_ui->scrollReading->setMinimumHeight(height);
        for (QWidget *part = m_ui->scrollReading; part; part = part->parentWidget()) {
            part->updateGeometry();
            if (part->layout())
                part->layout()->invalidate();
        }
    };
    const QString heading = m_ui->lblReading->text();
    m_ui->lblReading->setText(QStringLiteral("x\nx\nx\nx"));
    detailsHeight(m_ui->panelReading->minimumSizeHint().height());
    const int whole = minimumSizeHint().height();
    detailsHeight(0);
    m_ui->lblReading->setText(heading);
    resize(fitted(width(), std::max(height(), whole)));
}

void JournalWindow::changeEvent(QEvent *event)
{
    // Come back to, it shows what the command line or another copy kept meanwhile,
    // and, on a later day, what the day decides: "how did it turn out?", "on this day".
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        if (m_model->today() != m_journal.platform().today())
            reload();
        m_journal.noticeChangesElsewhere();
    } else if (event->type() == QEvent::PaletteChange)
        markDays();
    QWidget::changeEvent(event);
}

void JournalWindow::closeEvent(QCloseEvent *event)
{
    m_journal.keepWaiting();
    if (JournalStore *store = m_journal.store(); store && !store->isReadOnly()) {
        const QList<int> split = m_ui->splitter->sizes();
        store->setSetting(SizeSetting, QStringLiteral("%1x%2").arg(width()).arg(height()));
        store->setSetting(SplitSetting,
                          QStringLiteral("%1,%2").arg(split.value(0)).arg(split.value(1)));
    }
    QWidget::closeEvent(event);
}

JournalFilter JournalWindow::filter() const
{
    JournalFilter kept = m_filters->filter(m_journal.platform().today());
    kept.from = m_from;
    kept.to = m_to;
    return kept;
}

QString JournalWindow::filtersText() const
{
    return m_filters->text();
}

void JournalWindow::showDays(QDate first, QDate last)
{
    if (first == m_from && last == m_to) // a click both moves to a day and clicks it
        return;
    m_from = first;
    m_to = last;
    relist();
}

StatisticsView &JournalWindow::statistics()
{
    if (!m_statistics) {
        m_statistics = new StatisticsView(m_journal.platform(), m_ui->tabStatistics);
        m_ui->tabStatistics->layout()->addWidget(m_statistics);
        pressedByEnter(m_statistics);
        // Made after the window, its controls came last: they follow the tab
        // bar, as the readings page's do.
        QWidget *first = followInTabOrder(m_ui->tabsJournal->tabBar(), m_statistics);
        // Made as the keys switched to its page, which took the focus empty: they go on to it.
        if (first && m_ui->tabStatistics->hasFocus())
            first->setFocus(Qt::TabFocusReason);
        connect(m_statistics, &StatisticsView::periodChanged, this, &JournalWindow::countStatistics);
        // What a figure points at is shown in the list, over the period looked at.
        const auto showListed = [this](QDate first, QDate last) {
            m_ui->tabsJournal->setCurrentWidget(m_ui->tabReadings);
            // A card or spread may have been chosen too: the calendar marks its days.
            m_from = first;
            m_to = last;
            refilter();
            // At the readings chosen, never in the notes the page was left in.
            m_ui->lstReadings->setFocus(Qt::OtherFocusReason);
        };
        connect(m_statistics, &StatisticsView::cardChosen, this, [this, showListed](int card) {
            const auto period = m_statistics->period(m_journal.platform().today());
            m_filters->addCard(card);
            showListed(period.first, period.second);
        });
        connect(m_statistics, &StatisticsView::spreadChosen, this, [this, showListed](int spread) {
            const auto period = m_statistics->period(m_journal.platform().today());
            m_filters->chooseSpread(spread);
            showListed(period.first, period.second);
        });
        connect(m_statistics, &StatisticsView::daysChosen, this, showListed);
    }
    return *m_statistics;
}

void JournalWindow::countStatistics()
{
    // Counted only while looked at: the list alone costs nothing more.
    if (m_ui->tabsJournal->currentWidget() != m_ui->tabStatistics)
        return;
    StatisticsView &view = statistics();
    const auto [from, to] = view.period(m_journal.platform().today());
    JournalFilter kept = m_filters->filter(m_journal.platform().today());
    kept.from = from;
    kept.to = to;
    JournalStore *store = m_journal.store();
    JournalStatistics counted = journalStatistics(
        store ? store->list(kept) : QList<JournalSummary>{}, from, to);
    withholdChanceMarks(counted, kept);
    view.setStatistics(counted, filtersText());
}

qint64 JournalWindow::selectedId() const
{
    const QModelIndex current = m_ui->lstReadings->currentIndex();
    return current.isValid() ? m_model->readings().value(current.row()).id : 0;
}

void JournalWindow::reload()
{
    refilter();
    showWordsKeptElsewhere();
    showJournalState();
    showWhatCanBeChanged();
}

void JournalWindow::showJournalState()
{
    // As the journal is now: one that could only be read, or not at all, may since be writable.
    JournalStore *store = m_journal.store();
    const bool writable = store && !store->isReadOnly();
    {
        const QSignalBlocker quiet(m_ui->chkKeepNew);
        m_ui->chkKeepNew->setChecked(m_journal.keepsNewReadings());
    }
    m_ui->chkKeepNew->setEnabled(writable);
    m_ui->cmdImport->setEnabled(writable);
    m_ui->cmdBackUp->setEnabled(store != nullptr);
}

void JournalWindow::showWhatCanBeChanged()
{
    JournalStore *store = m_journal.store();
    const bool canWrite = m_entryShown && store && !store->isReadOnly();
    m_words->allow(m_entryShown, canWrite);
    m_ui->cmdShowReading->setEnabled(m_entryShown);
    m_ui->cmdDelete->setEnabled(canWrite);
}

void JournalWindow::showWordsKeptElsewhere()
{
    // Words typed here and not yet kept stay as typed.
    if (m_shownId == 0 || m_journal.waitingWords(m_shownId))
        return;
    JournalStore *store = m_journal.store();
    const std::optional<JournalEntry> entry = store ? store->entry(m_shownId) : std::nullopt;
    if (!entry)
        return;
    m_words->showChanged(*entry);
}

void JournalWindow::openAfresh()
{
    m_from = m_to = QDate();
    m_filters->clear();
    reload();
    select(m_model->readings().value(0).id);
    showSelectedDay();
    // The keys start at the search, as at first: never in the notes of a reading now unseen.
    m_ui->txtSearch->setFocus(Qt::OtherFocusReason);
}

void JournalWindow::showSelectedDay()
{
    // The calendar where the readings are, never on an empty month; the days listed stay.
    const int row = m_model->rowOf(selectedId());
    if (row >= 0)
        m_ui->calDays->turnTo(m_model->readings().at(row).time.date());
}

void JournalWindow::relist(bool bestFirst)
{
    const qint64 keep = bestFirst ? 0 : selectedId() ? selectedId() : m_lastShownId;
    JournalStore *store = m_journal.store();
    m_model->setReadings(store ? store->list(filter()) : QList<JournalSummary>{},
                         m_journal.platform().today());
    // A list that could not be read is not an empty journal.
    const JournalStore::Problem problem = store ? store->problem()
                                                : JournalStore::Problem::Failed;
    // Marked as typed, also before the journal has the words.
    const QMap<qint64, JournalWords> &waiting = m_journal.allWaitingWords();
    for (auto it = waiting.cbegin(); it != waiting.cend(); ++it)
        m_model->setWords(it.key(), JournalSummary::writtenOf(it->question, it->notes),
                          !it->outcome.isEmpty());
    const qsizetype count = m_model->rowCount();
    m_ui->lblShown->setText(readingsText(int(count)) + daysText(m_from, m_to));
    const bool someDays = m_from.isValid() || m_to.isValid();
    if (!someDays && m_ui->cmdAllDays->hasFocus())
        m_ui->lstReadings->setFocus(Qt::OtherFocusReason); // not lost with the button
    m_ui->cmdAllDays->setEnabled(someDays);
    if (count == 0)
        m_nothingListed->setText(
            problem == JournalStore::Problem::None
                ? whyNothingListed()
                : QStringLiteral("No reading can be listed: %1.")
                      .arg(store ? journalProblemText(problem)
                                 : QStringLiteral("the journal cannot be used now")));
    m_nothingListed->setVisible(count == 0);
    // Heard with the list when it is empty, as it is seen there.
    m_ui->lstReadings->setAccessibleDescription(count == 0 ? m_nothingListed->text() : QString());
    m_ui->cmdExport->setEnabled(count > 0);
    // The reading that was selected, while it is listed; else the first one.
    select(m_model->rowOf(keep) >= 0 ? keep : m_model->readings().value(0).id);
    countStatistics();
}

QString JournalWindow::whyNothingListed() const
{
    QStringList keeping;
    bool many = false; // they keep none, or it keeps none
    const auto keeps = [&](const QString &what, bool plural) {
        many = !keeping.isEmpty() || plural;
        keeping << what;
    };
    if (m_filters->searching())
        keeps(QStringLiteral("the search"), false);
    if (m_filters->filtering())
        keeps(QStringLiteral("the filters"), true);
    if (m_from.isValid() && m_from == m_to)
        keeps(QStringLiteral("the day chosen"), false);
    else if (m_from.isValid() || m_to.isValid())
        keeps(QStringLiteral("the days chosen"), true);
    if (keeping.isEmpty())
        return QStringLiteral("No reading is kept yet: each reading shown is kept here.");
    return QStringLiteral("No reading is listed: ") + inWords(keeping)
           + (many ? QStringLiteral(" keep none.") : QStringLiteral(" keeps none."));
}

void JournalWindow::refilter()
{
    // A new search has its best answer selected, at the top; without one, the
    // reading selected stays, now seen among the others.
    const JournalSearch search = journalSearch(m_ui->txtSearch->text());
    relist(search != std::exchange(m_search, search) && search.searches());
    markDays();
}

void JournalWindow::markDays()
{
    // The days of the readings the search and filters keep, whichever days are
    // listed: those of the list itself while it holds every day, without a query.
    QSet<QDate> days;
    if (!m_from.isValid() && !m_to.isValid()) {
        for (const JournalSummary &reading : m_model->readings())
            days.insert(reading.time.date());
    } else if (JournalStore *store = m_journal.store()) {
        const QList<QDate> found = store->days(m_filters->filter(m_journal.platform().today()));
        days = QSet<QDate>(found.cbegin(), found.cend());
    }
    m_ui->calDays->markDays(days);
}

void JournalWindow::select(qint64 id)
{
    const int row = m_model->rowOf(id);
    if (row >= 0) {
        m_ui->lstReadings->setCurrentIndex(m_model->index(row));
        m_ui->lstReadings->scrollTo(m_model->index(row));
    }
    selectionChanged();
}

void JournalWindow::selectionChanged()
{
    const qint64 id = selectedId();
    if (id == m_shownId && id != 0)
        return;
    m_shownId = id;
    if (id != 0)
        m_lastShownId = id;
    showSelectedDay();
    JournalStore *store = m_journal.store();
    const std::optional<JournalEntry> entry = store && id ? store->entry(id) : std::nullopt;
    // Words typed that the journal could not take yet are shown as typed.
    const JournalEntry shown = m_journal.asTyped(entry.value_or(JournalEntry{}));
    m_ui->figReading->showReading(shown);
    // From its heading, whatever part of the one before was scrolled to.
    m_ui->scrollReading->verticalScrollBar()->setValue(0);
    showHeading(entry ? headingOf(shown) : QString());
    m_words->show(shown, entry ? entry->time.date() : QDate());
    m_entryShown = entry.has_value();
    showWhatCanBeChanged();
}

void JournalWindow::showHeading(const QString &heading)
{
    // A line each, unwrapped: a wrapping label would have the details scroll
    // at their full height whatever room the window gives them.
    m_heading = heading;
    // Whole where a long name is cut short (but for a name of pages); as
    // written, whatever markup an imported name holds.
    QStringList tip = heading.split(u'\n');
    for (QString &line : tip)
        line = isolated(cutShortForTip(line)).toHtmlEscaped();
    m_ui->lblReading->setToolTip(heading.isEmpty() ? QString()
                                                   : QStringLiteral("<p>")
                                                         + tip.join(QLatin1String("<br>"))
                                                         + QStringLiteral("</p>"));
    m_ui->lblReading->setAccessibleName(heading);
    fitHeading();
}

void JournalWindow::fitHeading()
{
    // Each line cut short with an ellipsis where the details are too narrow
    // for it; a name written right to left turns no other line round.
    const QFontMetrics metrics = m_ui->lblReading->fontMetrics();
    const int width = m_ui->lblReading->contentsRect().width();
    QStringList lines = m_heading.split(u'\n');
    for (QString &line : lines)
        line = isolated(metrics.elidedText(line, Qt::ElideRight, width));
    m_ui->lblReading->setText(lines.join(u'\n'));
}

void JournalWindow::wordsEdited()
{
    if (m_shownId == 0)
        return;
    const JournalWords words =
        m_words->words(QString(m_heading).replace(u'\n', QStringLiteral(", ")));
    m_journal.keepWords(m_shownId, words);
    m_model->setWords(m_shownId, JournalSummary::writtenOf(words.question, words.notes),
                      !words.outcome.isEmpty());
}

void JournalWindow::showSelectedReading()
{
    JournalStore *store = m_journal.store();
    const std::optional<JournalEntry> entry = store ? store->entry(selectedId()) : std::nullopt;
    if (!entry)
        return;
    if (entry->isCardOfTheDay()) {
        emit cardsShown(shownPositions(readingOf(*entry)), 0);
        return;
    }
    m_journal.showKept(*entry);
    emit readingShown();
}

void JournalWindow::deleteSelected()
{
    const qint64 id = selectedId();
    JournalStore *store = m_journal.store();
    if (!store || id == 0)
        return;
    // Which one, said: the question may hide the window's details. A name of
    // pages would have the box taller than a screen: cut short, as in the details.
    QString question = QStringLiteral("Delete This Reading From The Journal?");
    if (m_shownId == id) {
        const int room = 40 * fontMetrics().averageCharWidth();
        QStringList lines = m_heading.split(u'\n');
        for (QString &line : lines)
            line = isolated(fontMetrics().elidedText(line, Qt::ElideRight, room));
        question += QLatin1String("\n\n") + lines.join(QLatin1String(", "));
    }
    const Platform::Answer answer = m_journal.platform().showMessage(
        this, question, Platform::Icon::Information, Platform::Buttons::YesNoDefaultNo);
    // Asked about this reading: the list may have changed while the question was open.
    if (answer != Platform::Answer::Yes || selectedId() != id)
        return;
    // The next one down takes its place, or the one above at the end of the list.
    const int row = m_model->rowOf(id);
    const QList<JournalSummary> &listed = m_model->readings();
    const qint64 next = row + 1 < listed.size() ? listed[row + 1].id
                        : row > 0               ? listed[row - 1].id
                                                : 0;
    if (!m_journal.remove(id))
        return;
    m_shownId = 0;
    select(next);
    // On to the reading that took its place, heard as it is selected.
    m_ui->lstReadings->setFocus(Qt::OtherFocusReason);
}

void JournalWindow::exportListed()
{
    QList<qint64> ids;
    for (const JournalSummary &reading : m_model->readings())
        ids << reading.id;
    const bool onlySome = m_filters->searching() || m_filters->filtering() || m_from.isValid()
                          || m_to.isValid();
    exportFromJournal(m_journal, ids, onlySome, this);
}

} // namespace Orvella

#include "journalwindow.h"

#include "ui_journalwindow.h"

#include "journal.h"
#include "journal/journalexport.h"
#include "journallistmodel.h"
#include "journalrowdelegate.h"
#include "oracle/carddeck.h"
#include "oracle/spreadcatalogue.h"
#include "platform/fileaccess.h"
#include "platform/platform.h"
#include "presentation/readingfont.h"
#include "product/product.h"
#include "session/readingsession.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QShortcut>
#include <QTextCharFormat>
#include <QTimer>

namespace Orvella {

namespace {

const QString SizeSetting = QStringLiteral("window-size");
// Typing pauses this long before what was typed is saved: a note is in the
// journal a moment after the hand leaves the keyboard.
constexpr int SaveAfterMs = 300;

} // namespace

JournalWindow::JournalWindow(Journal &journal, QWidget *parent)
    : QWidget(parent, Qt::Window), m_ui(std::make_unique<Ui::JournalWindow>()), m_journal(journal)
{
    m_ui->setupUi(this);
    setWindowTitle(QStringLiteral("Journal - ") + Product::name());
    m_model = new JournalListModel(this);
    m_ui->lstReadings->setModel(m_model);
    m_ui->lstReadings->setItemDelegate(new JournalRowDelegate(m_ui->lstReadings));
    m_saveSoon = new QTimer(this);
    m_saveSoon->setSingleShot(true);
    m_saveSoon->setInterval(SaveAfterMs);
    connect(m_saveSoon, &QTimer::timeout, this, &JournalWindow::saveWords);

    setupLook();
    setupFilters();
    setupKeys();

    connect(m_ui->lstReadings->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &JournalWindow::selectionChanged);
    connect(m_ui->txtQuestion, &QLineEdit::textEdited, this, &JournalWindow::wordsEdited);
    connect(m_ui->txtNotes, &QPlainTextEdit::textChanged, this, &JournalWindow::wordsEdited);
    connect(m_ui->cmdShowReading, &QPushButton::clicked, this, &JournalWindow::showSelectedReading);
    connect(m_ui->cmdDelete, &QPushButton::clicked, this, &JournalWindow::deleteSelected);
    connect(m_ui->cmdExport, &QPushButton::clicked, this, &JournalWindow::exportListed);
    connect(m_ui->cmdClose, &QPushButton::clicked, this, &QWidget::close);
    connect(m_ui->chkKeepNew, &QCheckBox::toggled, this,
            [this](bool keep) { m_journal.setKeepsNewReadings(keep); });
    connect(&m_journal, &Journal::changed, this, &JournalWindow::reload);

    JournalStore *store = m_journal.store();
    const bool writable = store && !store->isReadOnly();
    m_ui->chkKeepNew->setChecked(m_journal.keepsNewReadings());
    m_ui->chkKeepNew->setEnabled(writable);
    restoreSize();
    reload();
}

JournalWindow::~JournalWindow() = default;

void JournalWindow::setupLook()
{
    setFont(readingFont(9));
    QFont heading = readingFont(10);
    heading.setBold(true);
    m_ui->lblReading->setFont(heading);
    m_ui->splitter->setStretchFactor(0, 3);
    m_ui->splitter->setStretchFactor(1, 1);
    m_ui->lstReadings->setAlternatingRowColors(true);
    m_ui->lstReadings->setSelectionMode(QAbstractItemView::SingleSelection);
    m_ui->lstReadings->installEventFilter(this);
    m_ui->txtSearch->installEventFilter(this);
}

void JournalWindow::setupFilters()
{
    m_ui->cboSpreadFilter->addItem(QStringLiteral("All spreads"));
    const QStringList spreads = SpreadCatalogue::names();
    for (int i = 0; i < spreads.size(); ++i)
        m_ui->cboSpreadFilter->addItem(spreads[i], i);
    m_ui->cboCardFilter->addItem(QStringLiteral("All cards"), -1);
    for (int card = 0; card < CardDeck::CardCount; ++card)
        m_ui->cboCardFilter->addItem(CardDeck::card(card)->name, card);

    connect(m_ui->txtSearch, &QLineEdit::textChanged, this, &JournalWindow::relist);
    connect(m_ui->cboSpreadFilter, &QComboBox::currentIndexChanged, this, &JournalWindow::relist);
    connect(m_ui->cboCardFilter, &QComboBox::currentIndexChanged, this, &JournalWindow::relist);
    // Clicked, or chosen from the keyboard with Enter.
    for (auto chosen : {&QCalendarWidget::clicked, &QCalendarWidget::activated}) {
        connect(m_ui->calDays, chosen, this, [this](QDate day) {
            m_day = day;
            relist();
        });
    }
    connect(m_ui->cmdAllDays, &QPushButton::clicked, this, [this] {
        m_day = QDate();
        relist();
    });
}

void JournalWindow::setupKeys()
{
    auto *find = new QShortcut(QKeySequence::Find, this);
    connect(find, &QShortcut::activated, this, [this] {
        m_ui->txtSearch->setFocus(Qt::ShortcutFocusReason);
        m_ui->txtSearch->selectAll();
    });
}

bool JournalWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (watched == m_ui->txtSearch && key == Qt::Key_Escape
            && !m_ui->txtSearch->text().isEmpty()) {
            m_ui->txtSearch->clear();
            return true;
        }
        if (watched == m_ui->txtSearch && key == Qt::Key_Down) {
            m_ui->lstReadings->setFocus(Qt::TabFocusReason);
            return true;
        }
        if (watched == m_ui->lstReadings && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
            showSelectedReading();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void JournalWindow::restoreSize()
{
    JournalStore *store = m_journal.store();
    const QStringList size = store ? store->setting(SizeSetting).split(u'x') : QStringList();
    if (size.size() == 2 && size[0].toInt() > 200 && size[1].toInt() > 150)
        resize(size[0].toInt(), size[1].toInt());
}

void JournalWindow::closeEvent(QCloseEvent *event)
{
    saveWords();
    if (JournalStore *store = m_journal.store(); store && !store->isReadOnly())
        store->setSetting(SizeSetting, QStringLiteral("%1x%2").arg(width()).arg(height()));
    QWidget::closeEvent(event);
}

JournalFilter JournalWindow::filter() const
{
    JournalFilter filter{.text = m_ui->txtSearch->text(),
                         .card = m_ui->cboCardFilter->currentData().toInt(),
                         .from = m_day,
                         .to = m_day};
    if (const QVariant spread = m_ui->cboSpreadFilter->currentData(); spread.isValid())
        filter.spread = spread.toInt();
    return filter;
}

qint64 JournalWindow::selectedId() const
{
    const QModelIndex current = m_ui->lstReadings->currentIndex();
    return current.isValid() ? m_model->readings().value(current.row()).id : 0;
}

void JournalWindow::reload()
{
    markDays();
    relist();
}

void JournalWindow::relist()
{
    const qint64 keep = selectedId();
    JournalStore *store = m_journal.store();
    m_model->setReadings(store ? store->list(filter()) : QList<JournalSummary>{});
    const qsizetype count = m_model->rowCount();
    QString shown = count == 1 ? QStringLiteral("1 reading")
                               : QStringLiteral("%1 readings").arg(count);
    shown += m_day.isValid()
        ? QStringLiteral(" on ")
                         + JournalListModel::timeText(m_day.startOfDay()).section(u',', 0, 0)
        : QStringLiteral(", all days");
    m_ui->lblShown->setText(shown);
    m_ui->cmdExport->setEnabled(count > 0);
    // The reading that was selected, while it is listed; else the first one.
    select(m_model->rowOf(keep) >= 0 ? keep : m_model->readings().value(0).id);
}

void JournalWindow::markDays()
{
    JournalStore *store = m_journal.store();
    m_ui->calDays->setDateTextFormat(QDate(), QTextCharFormat());
    QTextCharFormat marked;
    marked.setFontWeight(QFont::Bold);
    marked.setForeground(QColor(0x80, 0x00, 0x00));
    for (const QDate &day : store ? store->days() : QList<QDate>{})
        m_ui->calDays->setDateTextFormat(day, marked);
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
    saveWords();
    m_shownId = id;
    JournalStore *store = m_journal.store();
    const std::optional<JournalEntry> entry = store && id ? store->entry(id) : std::nullopt;
    const JournalEntry shown = entry.value_or(JournalEntry{});
    m_ui->figReading->showReading(shown);
    QString heading;
    if (entry) {
        heading = JournalListModel::timeText(shown.time);
        if (!shown.name.isEmpty())
            heading += QStringLiteral(", ") + shown.name;
        heading += QStringLiteral("\n") + shown.spreadName;
        if (!shown.file.isEmpty())
            heading += QStringLiteral(", from ") + QFileInfo(shown.file).fileName();
    }
    m_ui->lblReading->setText(heading);
    {
        const QSignalBlocker question(m_ui->txtQuestion);
        const QSignalBlocker notes(m_ui->txtNotes);
        m_ui->txtQuestion->setText(shown.question);
        m_ui->txtNotes->setPlainText(shown.notes);
    }
    m_wordsChanged = false;
    const bool writable = entry && !store->isReadOnly();
    m_ui->txtQuestion->setEnabled(entry.has_value());
    m_ui->txtNotes->setEnabled(entry.has_value());
    m_ui->txtQuestion->setReadOnly(!writable);
    m_ui->txtNotes->setReadOnly(!writable);
    m_ui->cmdShowReading->setEnabled(entry.has_value());
    m_ui->cmdDelete->setEnabled(writable);
}

void JournalWindow::wordsEdited()
{
    m_wordsChanged = true;
    m_saveSoon->start();
}

bool JournalWindow::saveWords()
{
    m_saveSoon->stop();
    if (!m_wordsChanged || m_shownId == 0)
        return true;
    JournalStore *store = m_journal.store();
    const QString question = m_ui->txtQuestion->text();
    const QString notes = m_ui->txtNotes->toPlainText();
    if (store && store->setWords(m_shownId, question, notes)) {
        m_wordsChanged = false;
        m_model->setHasWords(m_shownId, !question.isEmpty() || !notes.isEmpty());
        return true;
    }
    // Held by another program: tried again shortly; the words stay typed meanwhile.
    if (store && store->problem() == JournalStore::Problem::Busy) {
        m_saveSoon->start();
    } else if (!m_saidUnableToSave) {
        m_saidUnableToSave = true;
        m_journal.platform().showMessage(this,
                                         QStringLiteral("Unable To Save The Notes In The Journal."),
                                                        Platform::Icon::Critical);
    }
    return false;
}

void JournalWindow::showSelectedReading()
{
    JournalStore *store = m_journal.store();
    const std::optional<JournalEntry> entry = store ? store->entry(selectedId()) : std::nullopt;
    if (!entry)
        return;
    m_journal.session().show(readingOf(*entry), ReadingSource::Journal, entry->name, entry->file);
    emit readingShown();
}

void JournalWindow::deleteSelected()
{
    const qint64 id = selectedId();
    JournalStore *store = m_journal.store();
    if (!store || id == 0)
        return;
    const Platform::Answer answer = m_journal.platform().showMessage(
        this, QStringLiteral("Delete This Reading From The Journal?"), Platform::Icon::Information,
                             Platform::Buttons::YesNo);
    if (answer != Platform::Answer::Yes)
        return;
    const int row = m_model->rowOf(id);
    m_wordsChanged = false;
    if (!store->remove(id))
        return;
    // The next one down takes its place, or the one above at the end of the list.
    const QList<JournalSummary> &listed = m_model->readings();
    const qint64 next = row + 1 < listed.size() ? listed[row + 1].id
                        : row > 0               ? listed[row - 1].id
                                                : 0;
    m_shownId = 0;
    m_journal.announceChange();
    select(next);
}

void JournalWindow::exportListed()
{
    saveWords();
    JournalStore *store = m_journal.store();
    if (!store)
        return;
    QList<qint64> ids;
    for (const JournalSummary &reading : m_model->readings())
        ids << reading.id;
    Platform &platform = m_journal.platform();
    const QString path = platform.saveFileName(
        this, QStringLiteral("Export Journal"),
                             QStringLiteral("Journal (*.json);;Spreadsheet (*.csv)"),
                                            QStringLiteral("json"));
    if (path.isEmpty())
        return;
    const QList<JournalEntry> entries = store->entries(ids);
    const QByteArray data = path.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive)
                                ? journalCsv(entries)
                                : journalJson(entries);
    if (store->problem() != JournalStore::Problem::None || !writeWhole(path, data)) {
        platform.showMessage(this, QStringLiteral("Unable To Export The Journal."),
                                                  Platform::Icon::Critical);
    }
}

} // namespace Orvella

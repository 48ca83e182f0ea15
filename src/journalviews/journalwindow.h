#pragma once

#include "journal/journalstore.h"

#include <QWidget>

#include <memory>

class QTimer;

namespace Ui {
class JournalWindow;
}

namespace Orvella {

class Journal;
class JournalListModel;

/**
 * The journal window: the readings kept, newest first, found as the user
 * types, by spread, by card or by day; the one selected laid out in its
 * spread's figure with its question and notes, which are saved as they are
 * typed. A kept reading can be shown again in the main window, deleted after
 * asking, and the listed readings exported as JSON or CSV.
 */
class JournalWindow : public QWidget
{
    Q_OBJECT

public:
    explicit JournalWindow(Journal &journal, QWidget *parent = nullptr);
    ~JournalWindow() override;

    /** The reading selected in the list; 0 when none is. */
    qint64 selectedId() const;
    /** Reads the list, the calendar's days and the selected reading again. */
    void reload();

signals:
    /** A kept reading was shown in the main window, which should now come forward. */
    void readingShown();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void setupLook();
    void setupFilters();
    void setupKeys();
    void restoreSize();
    JournalFilter filter() const;
    /** Reads the list again for the filter as it now is. */
    void relist();
    void select(qint64 id);
    void selectionChanged();
    void wordsEdited();
    bool saveWords();
    void showSelectedReading();
    void deleteSelected();
    void exportListed();
    void markDays();

    std::unique_ptr<Ui::JournalWindow> m_ui;
    Journal &m_journal;
    JournalListModel *m_model = nullptr;
    QTimer *m_saveSoon = nullptr;
    /** The reading whose words the editors show, and whether they changed since saved. */
    qint64 m_shownId = 0;
    bool m_wordsChanged = false;
    bool m_saidUnableToSave = false;
    QDate m_day;
};

} // namespace Orvella

#pragma once

#include "platform/platform.h"

#include <QImage>
#include <QList>
#include <QQueue>
#include <QStringList>

namespace Orvella::Test {

/** A desktop that answers at once and remembers what it was asked. */
class FakePlatform : public Platform
{
public:
    struct Message
    {
        QString text;
        Icon icon;
        Buttons buttons;
    };
    struct FileRequest
    {
        QString title;
        QString filter;
        QString defaultSuffix;
        QString suggestedName;
    };

    void openUrl(const QUrl &url) override { openedUrls << url; }
    Answer showMessage(QWidget *parent, const QString &text, Icon icon, Buttons buttons) override;
    QString saveFileName(QWidget *parent, const QString &title, const QString &filter,
                         const QString &defaultSuffix, const QString &suggestedName = {}) override;
    QString openFileName(QWidget *parent, const QString &title, const QString &filter,
                         const QString &defaultSuffix) override;
    QStringList openFileNames(QWidget *parent, const QString &title,
                              const QString &filter) override;
    bool print(QWidget *parent, const QString &documentName,
               const std::function<void(QPagedPaintDevice &)> &paint) override;
    void copyImage(const QImage &picture) override { copiedImages << picture; }
    void clearClipboardIfOwned() override { ++clipboardClears; }
    QDateTime now() const override { return QDateTime(currentDate, QTime::currentTime()); }

    // What the tests script.
    QQueue<Answer> answers;     // for Yes/No boxes; No when empty
    QQueue<QString> fileNames;  // for either dialog; empty (Cancel) when none left
    std::function<void()> whileSaveDialogOpen; // what happens meanwhile, as its events run
    std::function<void()> whileMessageOpen; // as a box's own events run
    QQueue<QStringList> fileLists; // for the dialog choosing many files
    bool printAccepted = false; // whether the print dialog is confirmed
    QDate currentDate{2026, 12, 7};

    // What the tests read back.
    QList<QUrl> openedUrls;
    QList<Message> messages;
    QList<FileRequest> saveRequests;
    QList<FileRequest> openRequests;
    QStringList printRequests; // the document names shown in the print dialog
    QByteArray printed;        // what was printed, as the PDF a printer to file makes
    QList<QImage> copiedImages;
    int clipboardClears = 0;

    QStringList messageTexts() const;
};

} // namespace Orvella::Test

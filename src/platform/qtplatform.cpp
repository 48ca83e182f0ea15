#include "qtplatform.h"

#include "printdialogs.h"
#include "product/product.h"
#include "product/webaddresses.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QMessageBox>
#include <QMimeData>
#include <QRegularExpression>
#include <QStandardPaths>

namespace Orvella {

namespace {

// Where the next file dialog starts: where the last one ended, and at first in
// the user's documents rather than whatever folder the program was started in.
QString &dialogFolder()
{
    static QString folder = [] {
        const QString documents =
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        return QDir(documents).exists() ? documents : QDir::homePath();
    }();
    return folder;
}

// The suffix of the first pattern of a file dialog's kind of file: "csv" of
// "Spreadsheet (*.csv)"; none for "All files (*)".
QString suffixOf(const QString &kind)
{
    static const QRegularExpression pattern(QStringLiteral("\\*\\.(\\w+)"));
    return pattern.match(kind).captured(1);
}

// The files chosen in a file dialog, or none when the user cancelled.
QStringList chosenFiles(QWidget *parent, const QString &title, const QString &filter,
                        QFileDialog::AcceptMode accept, QFileDialog::FileMode mode,
                        const QString &defaultSuffix = {}, const QString &suggestedName = {})
{
    QFileDialog dialog(parent, title, dialogFolder(), filter);
    dialog.setAcceptMode(accept);
    dialog.setFileMode(mode);
    dialog.setDefaultSuffix(defaultSuffix);
    if (!suggestedName.isEmpty())
        dialog.selectFile(suggestedName);
    // A name typed without a suffix is of the kind chosen, not the first one offered.
    if (!defaultSuffix.isEmpty()) {
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                         [&dialog, defaultSuffix](const QString &kind) {
                             const QString suffix = suffixOf(kind);
                             dialog.setDefaultSuffix(suffix.isEmpty() ? defaultSuffix : suffix);
                         });
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    const QStringList chosen = dialog.selectedFiles();
    dialogFolder() = QFileInfo(chosen.constFirst()).absolutePath();
    return chosen;
}

} // namespace

bool mayClearClipboard(bool owns, const QMimeData *content)
{
    return owns && !(content && content->hasImage() && !content->hasText());
}

void QtPlatform::openUrl(const QUrl &url)
{
    // Nothing but web pages ever reaches the desktop's handlers.
    if (WebAddresses::isWebAddress(url))
        QDesktopServices::openUrl(url);
}

Platform::Answer QtPlatform::showMessage(QWidget *parent, const QString &text, Icon icon,
                                         Buttons buttons)
{
    // A question whose Yes loses something looks like the warning it is.
    const QMessageBox::Icon shown = buttons == Buttons::YesNoDefaultNo ? QMessageBox::Warning
                                    : icon == Icon::Critical           ? QMessageBox::Critical
                                                                       : QMessageBox::Information;
    QMessageBox box(shown, Product::name(), text,
                    buttons == Buttons::Ok ? QMessageBox::Ok : QMessageBox::Yes | QMessageBox::No,
                    parent);
    // Shown as written: a file's or a reading's name in it may hold markup.
    box.setTextFormat(Qt::PlainText);
    if (buttons == Buttons::YesNoDefaultNo)
        box.setDefaultButton(QMessageBox::No);
    const int result = box.exec();
    if (buttons == Buttons::Ok)
        return Answer::Ok;
    return result == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

QString QtPlatform::saveFileName(QWidget *parent, const QString &title, const QString &filter,
                                 const QString &defaultSuffix, const QString &suggestedName)
{
    return chosenFiles(parent, title, filter, QFileDialog::AcceptSave, QFileDialog::AnyFile,
                       defaultSuffix, suggestedName)
        .value(0);
}

QString QtPlatform::openFileName(QWidget *parent, const QString &title, const QString &filter,
                                 const QString &defaultSuffix)
{
    return chosenFiles(parent, title, filter, QFileDialog::AcceptOpen, QFileDialog::ExistingFile,
                       defaultSuffix)
        .value(0);
}

QStringList QtPlatform::openFileNames(QWidget *parent, const QString &title,
                                      const QString &filter)
{
    return chosenFiles(parent, title, filter, QFileDialog::AcceptOpen,
                       QFileDialog::ExistingFiles);
}

bool QtPlatform::print(QWidget *parent, const QString &documentName,
                       const std::function<void(QPagedPaintDevice &)> &paint)
{
    PrintDialogs *dialogs = loadPrintDialogs();
    const PrintDialogs::Outcome outcome = dialogs ? dialogs->print(parent, documentName, paint)
                                                  : PrintDialogs::Outcome::Cancelled;
    if (outcome == PrintDialogs::Outcome::NotWritten)
        showMessage(parent, QStringLiteral("Unable To Print To The File."), Icon::Critical,
                    Buttons::Ok);
    return outcome == PrintDialogs::Outcome::Printed;
}

void QtPlatform::copyImage(const QImage &picture)
{
    if (QClipboard *clipboard = QApplication::clipboard())
        clipboard->setImage(picture);
}

void QtPlatform::clearClipboardIfOwned()
{
    QClipboard *clipboard = QApplication::clipboard();
    if (clipboard && mayClearClipboard(clipboard->ownsClipboard(), clipboard->mimeData()))
        clipboard->clear();
}

QDateTime QtPlatform::now() const
{
    return QDateTime::currentDateTime();
}

} // namespace Orvella

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

QStringList chosenIn(const QFileDialog &dialog)
{
    const QStringList chosen = dialog.selectedFiles();
    if (!chosen.isEmpty())
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
    QMessageBox box(
        icon == Icon::Critical ? QMessageBox::Critical : QMessageBox::Information, Product::name(),
        text, buttons == Buttons::Ok ? QMessageBox::Ok : QMessageBox::Yes | QMessageBox::No,
        parent);
    if (buttons == Buttons::YesNoDefaultNo)
        box.setDefaultButton(QMessageBox::No);
    const int result = box.exec();
    if (buttons == Buttons::Ok)
        return Answer::Ok;
    return result == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

QString QtPlatform::saveFileName(QWidget *parent, const QString &title, const QString &filter,
                                 const QString &defaultSuffix)
{
    QFileDialog dialog(parent, title, dialogFolder(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix);
    const QStringList chosen = dialog.exec() == QDialog::Accepted ? chosenIn(dialog)
                                                                  : QStringList();
    return chosen.isEmpty() ? QString() : chosen.constFirst();
}

QString QtPlatform::openFileName(QWidget *parent, const QString &title, const QString &filter,
                                 const QString &defaultSuffix)
{
    QFileDialog dialog(parent, title, dialogFolder(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(defaultSuffix);
    const QStringList chosen = dialog.exec() == QDialog::Accepted ? chosenIn(dialog)
                                                                  : QStringList();
    return chosen.isEmpty() ? QString() : chosen.constFirst();
}

QStringList QtPlatform::openFileNames(QWidget *parent, const QString &title,
                                      const QString &filter)
{
    QFileDialog dialog(parent, title, dialogFolder(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    return dialog.exec() == QDialog::Accepted ? chosenIn(dialog) : QStringList();
}

bool QtPlatform::print(QWidget *parent, const QString &documentName,
                       const std::function<void(QPagedPaintDevice &)> &paint)
{
    PrintDialogs *dialogs = loadPrintDialogs();
    const PrintDialogs::Outcome outcome = dialogs ? dialogs->print(parent, documentName, paint)
                                                  : PrintDialogs::Outcome::Cancelled;
    if (outcome == PrintDialogs::Outcome::NotWritten)
        showMessage(parent, QStringLiteral("Unable To Print To The File."), Icon::Critical, Buttons::Ok);
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

QDate QtPlatform::today() const
{
    return QDate::currentDate();
}

} // namespace Orvella

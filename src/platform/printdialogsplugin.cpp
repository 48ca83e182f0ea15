// The print dialogs plugin: QtPrintSupport, and through it the desktop's print
// system, is only ever loaded from here.

#include "fileaccess.h"
#include "printdialogs.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QLocale>
#include <QObject>
#include <QPageSize>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QScreen>
#include <QTemporaryDir>
#include <QToolButton>

#include <algorithm>

namespace Orvella {

namespace {

// Printing to a file goes through a file of our own, put in place whole at
// the end: Qt would open the name the user chose directly, and a name that
// is a named pipe would hold the program until something read from it.
// False when the file chosen could not be written.
bool paintPages(QPrinter &printer, const std::function<void(QPagedPaintDevice &)> &paint)
{
    const QString target = printer.outputFileName();
    const QTemporaryDir scratch;
    if (target.isEmpty() || !scratch.isValid()) {
        paint(printer);
        return true;
    }
    const QString pages = scratch.filePath(QStringLiteral("pages"));
    printer.setOutputFileName(pages);
    paint(printer);
    printer.setOutputFileName(target);
    QFile printed(pages);
    if (!printed.open(QIODevice::ReadOnly))
        return false;
    const QByteArray document = printed.readAll();
    // Qt's PDF writer says nothing of a disk that filled under it (a small
    // temporary folder, say): a document cut short lacks the mark every PDF ends with.
    if (printer.outputFormat() == QPrinter::PdfFormat
        && !document.right(16).trimmed().endsWith("%%EOF"))
        return false;
    return writeWhole(target, document);
}

// Qt's preview answers the mouse alone: its tools are reached by Tab too,
// Ctrl+P prints, and its fields are heard by name.
void answerTheKeys(QPrintPreviewDialog &preview, const QString &documentName)
{
    for (QToolButton *tool : preview.findChildren<QToolButton *>())
        tool->setFocusPolicy(Qt::TabFocus);
    const QString print = QCoreApplication::translate("QPrintPreviewDialog", "Print");
    for (QAction *action : preview.findChildren<QAction *>()) {
        if (action->text() == print)
            action->setShortcut(QKeySequence::Print);
    }
    for (QComboBox *zoom : preview.findChildren<QComboBox *>())
        zoom->setAccessibleName(QStringLiteral("Zoom"));
    for (QLineEdit *field : preview.findChildren<QLineEdit *>()) {
        if (!qobject_cast<QComboBox *>(field->parentWidget()))
            field->setAccessibleName(QStringLiteral("Page"));
    }
    for (QPrintPreviewWidget *pages : preview.findChildren<QPrintPreviewWidget *>())
        pages->setAccessibleName(documentName);
}

} // namespace

class QtPrintDialogs : public QObject, public PrintDialogs
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID OrvellaPrintDialogs_iid)
    Q_INTERFACES(Orvella::PrintDialogs)

public:
    Outcome print(QWidget *parent, const QString &documentName,
                  const std::function<void(QPagedPaintDevice &)> &paint) override
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setDocName(documentName);
        if (printsOnLetter(QLocale()))
            printer.setPageSize(QPageSize(QPageSize::Letter));
        // The margins of an exported PDF: the same page on paper as in the file.
        printer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        // The preview first; its Print button opens the print dialog, and
        // only a confirmed dialog puts anything on paper.
        QPrintPreviewDialog preview(&printer, parent);
        preview.setWindowTitle(documentName);
        answerTheKeys(preview, documentName);
        // Tall enough to read a page, wide enough for its tools where the screen
        // allows: at its own small size the page is too small to read, and half
        // the tools are hidden behind a menu.
        if (const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen()) {
            const QSize room = screen->availableGeometry().size() * 0.85;
            const int width = std::max(preview.sizeHint().width(), room.height());
            preview.resize(std::min(width, room.width()), room.height());
        }
        // The preview paints too, on a printer of its own: what counts is the last painting.
        bool written = true;
        QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                         [&paint, &written](QPrinter *target) {
                             written = paintPages(*target, paint);
                         });
        if (preview.exec() != QDialog::Accepted)
            return Outcome::Cancelled;
        return written ? Outcome::Printed : Outcome::NotWritten;
    }
};

} // namespace Orvella

#include "printdialogsplugin.moc"

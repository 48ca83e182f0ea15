// The print dialogs plugin: QtPrintSupport, and through it the desktop's print
// system, is only ever loaded from here.

#include "printdialogs.h"

#include <QLocale>
#include <QObject>
#include <QPageSize>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace Orvella {

class QtPrintDialogs : public QObject, public PrintDialogs
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID OrvellaPrintDialogs_iid)
    Q_INTERFACES(Orvella::PrintDialogs)

public:
    bool print(QWidget *parent, const QString &documentName,
               const std::function<void(QPagedPaintDevice &)> &paint) override
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setDocName(documentName);
        if (QLocale().measurementSystem() == QLocale::ImperialUSSystem)
            printer.setPageSize(QPageSize(QPageSize::Letter));
        // The preview first; its Print button opens the print dialog, and
        // only a confirmed dialog puts anything on paper.
        QPrintPreviewDialog preview(&printer, parent);
        preview.setWindowTitle(documentName);
        QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                         [&paint](QPrinter *target) { paint(*target); });
        return preview.exec() == QDialog::Accepted;
    }
};

} // namespace Orvella

#include "printdialogsplugin.moc"

#pragma once

#include <QByteArray>
#include <QDate>
#include <QImage>
#include <QString>

class QWidget;

namespace Orvella {

class Platform;
struct Reading;

/**
 * The main window's print and export commands: the reading as the printed
 * page, on paper, as a PDF file, or its top part as a picture in a file or
 * on the clipboard. Each is made when asked for, never before.
 */
class ReadingExportCommands
{
public:
    explicit ReadingExportCommands(Platform &platform);

    /** Prints @p reading through the desktop's preview and print dialog. */
    void print(QWidget *parent, const Reading &reading);
    /**
     * Asks for a file and writes @p reading to it as a PDF. The file is replaced
     * whole or not at all; a failed write is reported, Cancel is not.
     */
    void exportPdf(QWidget *parent, const Reading &reading);
    /** Asks for a file and writes the page's top part as a PNG, as exportPdf() does. */
    void exportImage(QWidget *parent, const Reading &reading, qreal screenRatio);
    /** Puts the page's top part on the clipboard, as a picture only. */
    void copyImage(const Reading &reading, qreal screenRatio);

    /** The PDF of @p reading printed on @p printed, in the paper of the user's country. */
    static QByteArray pdf(const Reading &reading, QDate printed);
    /** The page's top part at twice the density of a screen of @p screenRatio. */
    static QImage picture(const Reading &reading, QDate printed, qreal screenRatio);
    /** What the print dialog and the PDF call the document. */
    static QString documentName(const Reading &reading);

    static QString pdfTitle();
    static QString pdfFilter();
    static QString imageTitle();
    static QString imageFilter();

private:
    /** Replaces @p path whole with @p data, or says that it could not. */
    void writeFile(QWidget *parent, const QString &path, const QByteArray &data);

    Platform &m_platform;
};

} // namespace Orvella

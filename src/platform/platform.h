#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>

class QImage;
class QPagedPaintDevice;
class QWidget;

namespace Orvella {

/**
 * Everything the program asks of the desktop: opening web pages, message
 * boxes, file dialogs, printing, the clipboard and the clock. The windows
 * only talk to the desktop through this seam, so tests can answer and
 * record every call.
 */
class Platform
{
public:
    enum class Icon { Critical, Information };
    /** YesNoDefaultNo: Yes would lose something, so Enter answers No, and it warns. */
    enum class Buttons { Ok, YesNo, YesNoDefaultNo };
    enum class Answer { Ok, Yes, No };

    virtual ~Platform() = default;

    /** Hands a web address to the desktop's browser. */
    virtual void openUrl(const QUrl &url) = 0;

    /** A modal box titled with the application's title. */
    virtual Answer showMessage(QWidget *parent, const QString &text, Icon icon,
                               Buttons buttons = Buttons::Ok) = 0;

    /**
     * The chosen file, or an empty text when the user cancelled. Asks before
     * overwriting. Offers @p suggestedName, when given, in the folder it opens at.
     */
    virtual QString saveFileName(QWidget *parent, const QString &title, const QString &filter,
                                 const QString &defaultSuffix,
                                 const QString &suggestedName = {}) = 0;
    /**
     * An existing file, or an empty text when the user cancelled. A name typed
     * without an extension gets @p defaultSuffix.
     */
    virtual QString openFileName(QWidget *parent, const QString &title, const QString &filter,
                                 const QString &defaultSuffix) = 0;

    /** Existing files, any number of them; an empty list when the user cancelled. */
    virtual QStringList openFileNames(QWidget *parent, const QString &title,
                                      const QString &filter) = 0;

    /**
     * Shows a preview of the pages and the desktop's print dialog; when the user
     * prints, @p paint draws the pages on the printer chosen. False when the
     * user cancelled or nothing could be printed.
     */
    virtual bool print(QWidget *parent, const QString &documentName,
                       const std::function<void(QPagedPaintDevice &)> &paint) = 0;

    /** Puts @p picture, and nothing else, on the clipboard. */
    virtual void copyImage(const QImage &picture) = 0;

    /**
     * Empties the clipboard, but only when this program put its content there,
     * and never a picture the user copied.
     */
    virtual void clearClipboardIfOwned() = 0;

    /** The local time now, with its offset: one reading of the clock, day and time together. */
    virtual QDateTime now() const = 0;
    QDate today() const { return now().date(); }
};

} // namespace Orvella

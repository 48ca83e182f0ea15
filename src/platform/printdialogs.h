#pragma once

#include <QtPlugin>

#include <functional>

class QLocale;
class QPagedPaintDevice;
class QString;
class QWidget;

namespace Orvella {

/**
 * The desktop's print preview and print dialog. They live in a plugin of
 * their own, so Qt's print support is loaded the first time the user
 * prints, not when the program starts.
 */
class PrintDialogs
{
public:
    virtual ~PrintDialogs() = default;

    enum class Outcome {
        Printed,
        Cancelled,
        NotWritten, ///< printed to a file that could not be written
    };

    /** As Platform::print, saying also why nothing came of it. */
    virtual Outcome print(QWidget *parent, const QString &documentName,
                          const std::function<void(QPagedPaintDevice &)> &paint) = 0;
};

/**
 * Whether people in @p locale's country print on Letter paper (the United
 * States, Canada, Mexico, the Philippines and most of Central America, say)
 * rather than on A4. By country: Canada measures in metres, yet prints on Letter.
 */
bool printsOnLetter(const QLocale &locale);

/** The print dialogs plugin, loaded on first use; null when it cannot be loaded. */
PrintDialogs *loadPrintDialogs();

} // namespace Orvella

#define OrvellaPrintDialogs_iid "org.orvella.MedicineCards.PrintDialogs/1.1"
Q_DECLARE_INTERFACE(Orvella::PrintDialogs, OrvellaPrintDialogs_iid)

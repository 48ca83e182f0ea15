#include "fakeplatform.h"

#include <QBuffer>
#include <QPdfWriter>

namespace Orvella::Test {

Platform::Answer FakePlatform::showMessage(QWidget *, const QString &text, Icon icon,
                                           Buttons buttons)
{
    messages.append({text, icon, buttons});
    if (whileMessageOpen)
        whileMessageOpen();
    if (buttons == Buttons::Ok)
        return Answer::Ok;
    return answers.isEmpty() ? Answer::No : answers.dequeue();
}

QString FakePlatform::saveFileName(QWidget *, const QString &title, const QString &filter,
                                   const QString &defaultSuffix, const QString &suggestedName)
{
    saveRequests.append({title, filter, defaultSuffix, suggestedName});
    if (whileSaveDialogOpen)
        whileSaveDialogOpen();
    return fileNames.isEmpty() ? QString() : fileNames.dequeue();
}

QString FakePlatform::openFileName(QWidget *, const QString &title, const QString &filter,
                                   const QString &defaultSuffix)
{
    openRequests.append({title, filter, defaultSuffix});
    return fileNames.isEmpty() ? QString() : fileNames.dequeue();
}

QStringList FakePlatform::openFileNames(QWidget *, const QString &title, const QString &filter)
{
    openRequests.append({title, filter, QString()});
    return fileLists.isEmpty() ? QStringList() : fileLists.dequeue();
}

bool FakePlatform::print(QWidget *, const QString &documentName,
                         const std::function<void(QPagedPaintDevice &)> &paint)
{
    printRequests << documentName;
    if (!printAccepted)
        return false;
    QBuffer file(&printed);
    file.open(QIODevice::WriteOnly);
    QPdfWriter printer(&file);
    paint(printer);
    return true;
}

QStringList FakePlatform::messageTexts() const
{
    QStringList texts;
    for (const Message &m : messages)
        texts << m.text;
    return texts;
}

} // namespace Orvella::Test

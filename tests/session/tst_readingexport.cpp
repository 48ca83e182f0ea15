#include "oracle/carddeck.h"
#include "oracle/spreadcatalogue.h"
#include "platform/printdialogs.h"
#include "platform/qtplatform.h"
#include "presentation/cardlayout.h"
#include "presentation/cardpictures.h"
#include "presentation/paper.h"
#include "presentation/readingpage.h"
#include "presentation/rotatehalfturn.h"
#include "product/product.h"
#include "product/webaddresses.h"
#include "session/readingexportcommands.h"
#include "support/files.h"
#include "support/mainwindowdriver.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QMimeData>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QPluginLoader>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#ifdef Q_OS_UNIX
#include <sys/resource.h>
#endif

using namespace Orvella;
using Orvella::Test::MainWindowDriver;
using Orvella::Test::readFile;

namespace {

// Seven cards, the second, fourth and sixth reversed.
const QList<std::pair<int, bool>> Pathway{{3, false},  {17, true}, {24, false}, {30, true},
                                          {35, false}, {40, true}, {8, false}};

const QString ExportFailed = QStringLiteral("Unable To Export The Reading.");

// A card's drawing as paper shows it: on white, turned when it lies reversed.
QImage onPaper(int card, QSize size, bool reversed)
{
    QImage paper(size, QImage::Format_RGB32);
    paper.fill(Qt::white);
    QPainter painter(&paper);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRect(QPoint(), size), cardPicture(card, cardDrawingFor(size)));
    painter.end();
    if (reversed)
        RotateHalfTurn(paper);
    return paper;
}

// Mean difference per colour channel, 0..255, over the lower part of two pictures.
double lowerDifference(const QImage &a, const QImage &b)
{
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32).scaled(x.size());
    qint64 sum = 0;
    qint64 count = 0;
    for (int row = x.height() * 2 / 5; row < x.height(); ++row) {
        for (int column = 0; column < x.width(); ++column) {
            const QRgb p = x.pixel(column, row);
            const QRgb q = y.pixel(column, row);
            sum += qAbs(qRed(p) - qRed(q)) + qAbs(qGreen(p) - qGreen(q))
                   + qAbs(qBlue(p) - qBlue(q));
            count += 3;
        }
    }
    return double(sum) / double(count);
}

} // namespace

class TestReadingExport : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void commandsOnlyWhileAReadingIsShown_data();
    void commandsOnlyWhileAReadingIsShown();
    void pdfReadsAsTheReading();
    void pdfPicturesAtPrintResolutionReversedTurned();
    void paperIsTheCountrysOwn_data();
    void paperIsTheCountrysOwn();
    void pagesHoldTheirTextOnAnyPaper_data();
    void pagesHoldTheirTextOnAnyPaper();
    void exportAsksThroughTheDialogAndCancelWritesNothing();
    void failedExportLeavesTheOldFileIntact();
    void printCancelledPrintsNothing();
    void pictureShowsTheCardsInTheirPlaces();
    void copiedPictureIsAPictureOnly();
    void clipboardGuardKeepsACopiedPicture_data();
    void clipboardGuardKeepsACopiedPicture();
    void printDialogsPluginLoads();

private:
    QString exportPdf();
    QString tool(const QString &name, const QStringList &arguments);

    std::unique_ptr<MainWindowDriver> m_driver;
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestReadingExport::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_driver = std::make_unique<MainWindowDriver>();
    QVERIFY(m_driver->show());
}

void TestReadingExport::cleanup()
{
    m_driver.reset();
    m_dir.reset();
}

QString TestReadingExport::exportPdf()
{
    m_driver->proceed(QStringLiteral("Ann"), 0, MainWindowDriver::script(Pathway));
    const QString path = m_dir->filePath(QStringLiteral("reading.pdf"));
    m_driver->platform().fileNames.enqueue(path);
    m_driver->child<QAction>(QStringLiteral("mnuExportPdf"))->trigger();
    return path;
}

// The output of a poppler tool, as a person would run it; skips when it is not installed.
QString TestReadingExport::tool(const QString &name, const QStringList &arguments)
{
    if (QStandardPaths::findExecutable(name).isEmpty())
        return QString();
    QProcess process;
    process.start(name, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QStringLiteral("failed: ") + QString::fromLocal8Bit(process.readAllStandardError());
    return QString::fromUtf8(process.readAllStandardOutput());
}

void TestReadingExport::commandsOnlyWhileAReadingIsShown_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("caption");
    QTest::newRow("print") << "mnuPrint"
                           << "&Print Reading...";
    QTest::newRow("export as PDF") << "mnuExportPdf"
                                   << "&Export Reading as PDF...";
    QTest::newRow("export as image") << "mnuExportImage"
                                     << "Export Reading as &Image...";
    QTest::newRow("copy as image") << "mnuCopyImage"
                                   << "&Copy Reading as Image";
}

void TestReadingExport::commandsOnlyWhileAReadingIsShown()
{
    QFETCH(QString, command);
    QFETCH(QString, caption);
    auto *entry = m_driver->child<QAction>(command);
    QCOMPARE(entry->text(), caption);
    QVERIFY(!entry->isEnabled());
    m_driver->proceed(QStringLiteral("Ann"), 1);
    QVERIFY(entry->isEnabled());
    m_driver->click(QStringLiteral("cmdBack"));
    QVERIFY(!entry->isEnabled());
}

void TestReadingExport::pdfReadsAsTheReading()
{
    const QString path = exportPdf();
    const QString info = tool(QStringLiteral("pdfinfo"), {path});
    if (info.isEmpty())
        QSKIP("poppler's pdfinfo is not installed");
    QVERIFY2(info.contains(
        QRegularExpression(QStringLiteral("Title: +Pathway Spread - ") + Product::name())),
        qPrintable(info));
    QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Creator: +") + Product::name()
                                                             + QStringLiteral(" 1.0"))),
                           qPrintable(info));
    const int pages = QRegularExpression(
        QStringLiteral("Pages: +(\\d+)")).match(info).captured(1).toInt();
    QVERIFY2(pages >= 2, qPrintable(info)); // seven cards' report flows over

    const QString text = tool(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
    QVERIFY(text.contains(QStringLiteral("Pathway Spread")));
    QVERIFY(text.contains(QStringLiteral("2026-12-07")));
    for (const auto &[card, reversed] : Pathway) {
        QVERIFY2(text.contains(CardDeck::card(card)->name), qPrintable(CardDeck::card(card)->name));
        QVERIFY2(text.contains(CardDeck::card(card)->keyword),
                 qPrintable(CardDeck::card(card)->keyword));
    }
    for (int page = 1; page <= pages; ++page)
        QVERIFY(text.contains(QStringLiteral("Page %1 of %2").arg(page).arg(pages)));
    QVERIFY(tool(
        QStringLiteral("pdfinfo"),
                       {QStringLiteral("-url"), path}).contains(WebAddresses::forum().toString()));
}

void TestReadingExport::pdfPicturesAtPrintResolutionReversedTurned()
{
    const QString path = exportPdf();
    const QString list = tool(QStringLiteral("pdfimages"), {QStringLiteral("-list"), path});
    if (list.isEmpty())
        QSKIP("poppler's pdfimages is not installed");
    // page num type width height color comp bpc enc interp object ID x-ppi y-ppi ...
    const QStringList rows = list.split(u'\n', Qt::SkipEmptyParts).mid(2);
    QCOMPARE(rows.size(), Pathway.size());
    for (const QString &row : rows) {
        const QStringList columns = row.simplified().split(u' ');
        QVERIFY2(columns.value(12).toInt() >= ReadingPage::PictureDpi, qPrintable(row));
    }
    QVERIFY(tool(
        QStringLiteral("pdfimages"),
            {QStringLiteral("-png"), path, m_dir->filePath(QStringLiteral("card"))}).isEmpty());
    for (int i = 0; i < Pathway.size(); ++i) {
        const QImage printed(
            m_dir->filePath(QStringLiteral("card-%1.png").arg(i, 3, 10, QChar(u'0'))));
        QVERIFY(!printed.isNull());
        const auto [card, reversed] = Pathway[i];
        // Exactly the drawing: stored without loss, turned when the card lies reversed.
        QCOMPARE(printed.convertToFormat(QImage::Format_RGB32),
                 onPaper(card, printed.size(), reversed));
    }
}

void TestReadingExport::paperIsTheCountrysOwn_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QPageSize::PageSizeId>("paper");
    QTest::newRow("the United States") << "en_US" << QPageSize::Letter;
    QTest::newRow("Canada, metric but on Letter") << "fr_CA" << QPageSize::Letter;
    QTest::newRow("Britain") << "en_GB" << QPageSize::A4;
}

void TestReadingExport::paperIsTheCountrysOwn()
{
    QFETCH(QString, locale);
    QFETCH(QPageSize::PageSizeId, paper);
    const auto restore = qScopeGuard([before = QLocale()] { QLocale::setDefault(before); });
    QLocale::setDefault(QLocale(locale));
    QCOMPARE(localPaper().id(), paper);
}

void TestReadingExport::pagesHoldTheirTextOnAnyPaper_data()
{
    QTest::addColumn<QPageSize::PageSizeId>("paper");
    QTest::addColumn<QPageLayout::Orientation>("orientation");
    QTest::newRow("A4") << QPageSize::A4 << QPageLayout::Portrait;
    // Too low for a line of the report under the figure: it starts on the next page.
    QTest::newRow("A4 across") << QPageSize::A4 << QPageLayout::Landscape;
    // Too small for the figure, or the title, at their least: made smaller, on the page.
    QTest::newRow("A5 across") << QPageSize::A5 << QPageLayout::Landscape;
    QTest::newRow("A6") << QPageSize::A6 << QPageLayout::Portrait;
}

void TestReadingExport::pagesHoldTheirTextOnAnyPaper()
{
    QFETCH(QPageSize::PageSizeId, paper);
    QFETCH(QPageLayout::Orientation, orientation);
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("poppler's pdftotext is not installed");
    m_driver->proceed(QStringLiteral("Ann"), 0, MainWindowDriver::script(Pathway));
    const QString path = m_dir->filePath(QStringLiteral("paper.pdf"));
    {
        QPdfWriter writer(path);
        writer.setPageLayout(QPageLayout(QPageSize(paper), orientation,
                                         QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
        ReadingPage(m_driver->window().reading(), m_driver->platform().today()).print(writer);
    }
    // Nothing beyond the paper's edge, which poppler leaves out unless asked to read it.
    const QString onPaper = tool(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
    QCOMPARE(tool(QStringLiteral("pdftotext"), {QStringLiteral("-W"), QStringLiteral("30000"),
                                                QStringLiteral("-H"), QStringLiteral("30000"),
                                                path, QStringLiteral("-")}),
             onPaper);
    QVERIFY(onPaper.contains(CardDeck::card(Pathway.last().first)->medical.section(u' ', 0, 3)));
}

void TestReadingExport::exportAsksThroughTheDialogAndCancelWritesNothing()
{
    m_driver->proceed(QStringLiteral("Ann"), 1);
    auto &platform = m_driver->platform();
    m_driver->child<QAction>(QStringLiteral("mnuExportPdf"))->trigger();
    m_driver->child<QAction>(QStringLiteral("mnuExportImage"))->trigger();
    QCOMPARE(platform.saveRequests.size(), 2);
    QCOMPARE(platform.saveRequests[0].title, QStringLiteral("Export as PDF"));
    QVERIFY(platform.saveRequests[0].filter.contains(QStringLiteral("(*.pdf)")));
    QCOMPARE(platform.saveRequests[0].defaultSuffix, QStringLiteral("pdf"));
    QCOMPARE(platform.saveRequests[1].title, QStringLiteral("Export as Image"));
    QVERIFY(platform.saveRequests[1].filter.contains(QStringLiteral("(*.png)")));
    QCOMPARE(platform.saveRequests[1].defaultSuffix, QStringLiteral("png"));
    // Both were cancelled: nothing written, nothing said.
    QVERIFY(QDir(m_dir->path()).isEmpty());
    QVERIFY(platform.messages.isEmpty());
}

void TestReadingExport::failedExportLeavesTheOldFileIntact()
{
#ifdef Q_OS_UNIX
    const QString path = m_dir->filePath(QStringLiteral("kept.pdf"));
    const QByteArray old("%PDF-1.4 the reading exported yesterday");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(old) == old.size());
    file.close();
    m_driver->proceed(QStringLiteral("Ann"), 0, MainWindowDriver::script(Pathway));

    // Room for a few kilobytes only while the file is written. Not in a forked
    // child: painting waits there for the thread pool's threads, which fork leaves behind.
    rlimit before{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &before), 0);
    const auto previousSignal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = before;
    small.rlim_cur = 4096;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    m_driver->platform().fileNames.enqueue(path);
    m_driver->child<QAction>(QStringLiteral("mnuExportPdf"))->trigger();
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, previousSignal);

    QCOMPARE(m_driver->platform().messageTexts(),
             QStringList{ExportFailed + "\n\nNot all of it could be written."});
    QCOMPARE(readFile(path), old);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
#else
    QSKIP("Needs a per-process file-size limit");
#endif
}

void TestReadingExport::printCancelledPrintsNothing()
{
    m_driver->proceed(QStringLiteral("Ann"), 0, MainWindowDriver::script(Pathway));
    auto &platform = m_driver->platform();
    QTest::keyClick(&m_driver->window(), Qt::Key_P, Qt::ControlModifier);
    QCOMPARE(platform.printRequests,
             QStringList{QStringLiteral("Pathway Spread - ") + Product::name()});
    QVERIFY(platform.printed.isEmpty());

    platform.printAccepted = true;
    m_driver->child<QAction>(QStringLiteral("mnuPrint"))->trigger();
    QCOMPARE(platform.printRequests.size(), 2);
    QVERIFY(platform.printed.startsWith("%PDF"));
    QVERIFY(platform.messages.isEmpty());
}

void TestReadingExport::pictureShowsTheCardsInTheirPlaces()
{
    m_driver->proceed(QStringLiteral("Ann"), 0, MainWindowDriver::script(Pathway));
    const QString path = m_dir->filePath(QStringLiteral("share.png"));
    m_driver->platform().fileNames.enqueue(path);
    m_driver->child<QAction>(QStringLiteral("mnuExportImage"))->trigger();
    const QImage picture(path);
    QVERIFY(!picture.isNull());

    // Twice the screen's density, as wide as an A4 page's text and its margins (192 mm).
    const qreal ratio = 2 * m_driver->window().devicePixelRatioF();
    QCOMPARE(qRound(picture.dotsPerMeterX() * 0.0254), qRound(96 * ratio));
    QCOMPARE(qRound(picture.width() / (96 * ratio) * 25.4), 192);

    ReadingPage page(m_driver->window().reading(), m_driver->platform().today());
    const QList<QRectF> places = page.topPictureCards(ratio);
    QCOMPARE(places.size(), Pathway.size());
    for (int i = 0; i < Pathway.size(); ++i) {
        const auto [card, reversed] = Pathway[i];
        const QRect place = places[i].toAlignedRect();
        QVERIFY(picture.rect().contains(place));
        const QImage shown = picture.copy(place);
        const double right = lowerDifference(shown, onPaper(card, place.size(), reversed));
        const double turned = lowerDifference(shown, onPaper(card, place.size(), !reversed));
        QVERIFY2(right < 8 && right < turned,
                 qPrintable(QStringLiteral("position %1: %2 against %3").arg(i + 1).arg(right).arg(
                     turned)));
        // The same arrangement as the window's: each card lies where its place does, relative to
        // card 1.
        const QPointF window = QPointF(*CardLayout::place(0, i) - *CardLayout::place(0, 0))
                               / CardLayout::CardSize.width();
        const QPointF onPicture = (places[i].topLeft() - places[0].topLeft()) / places[0].width();
        QVERIFY(qAbs(window.x() - onPicture.x()) < 0.01 && qAbs(window.y() - onPicture.y()) < 0.01);
    }
}

void TestReadingExport::copiedPictureIsAPictureOnly()
{
    m_driver->proceed(QStringLiteral("Ann"), 0, MainWindowDriver::script(Pathway));
    m_driver->child<QAction>(QStringLiteral("mnuCopyImage"))->trigger();
    const qreal ratio = m_driver->window().devicePixelRatioF();
    QCOMPARE(m_driver->platform().copiedImages.size(), 1);
    QCOMPARE(m_driver->platform().copiedImages[0],
             ReadingExportCommands::picture(m_driver->window().reading(),
                                            m_driver->platform().today(), ratio));

    // On the real clipboard: a picture and no text.
    QtPlatform platform;
    platform.copyImage(m_driver->platform().copiedImages[0]);
    const QMimeData *content = QApplication::clipboard()->mimeData();
    QVERIFY(content && content->hasImage());
    QVERIFY(!content->hasText());
}

void TestReadingExport::clipboardGuardKeepsACopiedPicture_data()
{
    QTest::addColumn<bool>("owns");
    QTest::addColumn<bool>("image");
    QTest::addColumn<bool>("text");
    QTest::addColumn<bool>("cleared");
    QTest::newRow("our text") << true << false << true << true;
    QTest::newRow("our picture") << true << true << false << false;
    QTest::newRow("our picture with text") << true << true << true << true;
    QTest::newRow("another program's text") << false << false << true << false;
    QTest::newRow("another program's picture") << false << true << false << false;
}

void TestReadingExport::clipboardGuardKeepsACopiedPicture()
{
    QFETCH(bool, owns);
    QFETCH(bool, image);
    QFETCH(bool, text);
    QFETCH(bool, cleared);
    QMimeData content;
    if (image)
        content.setImageData(QImage(4, 4, QImage::Format_RGB32));
    if (text)
        content.setText(QStringLiteral("Card Number 1"));
    QCOMPARE(mayClearClipboard(owns, &content), cleared);
}

void TestReadingExport::printDialogsPluginLoads()
{
    // Loaded only here and when the user prints; its dialog is never opened by a test.
    QPluginLoader loader(QStringLiteral(PRINT_DIALOGS_PLUGIN));
    QVERIFY2(qobject_cast<PrintDialogs *>(loader.instance()), qPrintable(loader.errorString()));
}

QTEST_MAIN(TestReadingExport)
#include "tst_readingexport.moc"

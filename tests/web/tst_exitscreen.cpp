#include "web/exitscreen.h"

#include "product/buildconfig.h"
#include "product/webaddresses.h"
#include "support/fakeplatform.h"
#include "support/pointer.h"
#include "support/scriptedrandom.h"
#include "web/linklabel.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSet>
#include <QSignalSpy>
#include <QTest>
#include <QUrlQuery>
#include <QWindow>

#include <memory>

using namespace Orvella;
using Orvella::Test::FakePlatform;
using Orvella::Test::ScriptedRandom;

namespace {

// Remembers the order of the calls, to tell a reseed before the draw from one after.
class CallLog : public RandomSource
{
public:
    double next() override
    {
        calls << QStringLiteral("next");
        return 0.6;
    }
    void seedFromClock() override { calls << QStringLiteral("seed"); }
    QStringList calls;
};

const QString Distinct = QStringLiteral("Please Enter Distinct Email Addresses");
const QString Proper = QStringLiteral("Please Enter Proper Email Address");
const QString NoName = QStringLiteral("Please Enter Your Name");
const QString NoMessage = QStringLiteral("Please Enter Your Message");
const QString NoFriendName = QStringLiteral("Please Enter Your Friend's Name");
const QString NoSpace = QStringLiteral("Email Address Cannot Contain Space");

} // namespace

class TestExitScreen : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void windowAsBuilt();
    void controlsAsBuilt();
    void supportTextFromR_data();
    void supportTextFromR();
    void supportTextsAreOurOwnAndDistinct();
    void loadStepReseedsOnceBeforeItsDraw();
    void untouchedFormAsksForProperAddress();
    void submitChecksInOrder_data();
    void submitChecksInOrder();
    void recordHoldsTheTrimmedTexts();
    void validFormOpensOneAddressGivingBackEveryField_data();
    void validFormOpensOneAddressGivingBackEveryField();
    void typedFormIsSentAsTyped();
    void spaceIsRefusedOnlyInAddressBoxes_data();
    void spaceIsRefusedOnlyInAddressBoxes();
    void pastedTextIsNotExamined();
    void placeholdersClearAndComeBack_data();
    void placeholdersClearAndComeBack();
    void leavingTheWindowKeepsAnEmptyBoxEmpty();
    void check1OpensHomeOncePerClickAndStaysUnchecked();
    void goToHomeOpensSoftwareSite();
    void closingWays_data();
    void closingWays();

private:
    template<typename T>
    T *child(const char *name) const
    {
        T *widget = m_screen->findChild<T *>(QLatin1String(name));
        if (!widget)
            qFatal("no widget %s", name);
        return widget;
    }
    void showActive();
    void fill(const QString &name, const QString &email, const QString &message,
              const QString &friendName, const QString &friendEmail);
    void submit() { QTest::mouseClick(child<QPushButton>("cmdSubmit"), Qt::LeftButton); }

    FakePlatform m_platform;
    std::unique_ptr<ScriptedRandom> m_random;
    std::unique_ptr<ExitScreen> m_screen;
};

void TestExitScreen::init()
{
    m_platform = FakePlatform();
    m_random = std::make_unique<ScriptedRandom>(QList<double>{0.3});
    m_screen = std::make_unique<ExitScreen>(m_platform, *m_random);
}

void TestExitScreen::cleanup()
{
    m_screen.reset();
}

void TestExitScreen::showActive()
{
    m_screen->show();
    // Shown without activation by design; typing needs an active window.
    m_screen->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_screen.get()));
}

void TestExitScreen::fill(const QString &name, const QString &email, const QString &message,
                          const QString &friendName, const QString &friendEmail)
{
    child<QLineEdit>("txtName")->setText(name);
    child<QLineEdit>("txtEmail")->setText(email);
    child<QPlainTextEdit>("txtMessage")->setPlainText(message);
    child<QLineEdit>("txtFriendName")->setText(friendName);
    child<QLineEdit>("txtFriendEmail")->setText(friendEmail);
}

void TestExitScreen::windowAsBuilt()
{
    QCOMPARE(m_screen->objectName(), QStringLiteral("frmExitScreen"));
    QCOMPARE(m_screen->windowTitle(), QStringLiteral("Orvella Medicine Cards v1.0"));
    QVERIFY(m_screen->isWindow());
    QCOMPARE(m_screen->minimumSize(), QSize(741, 315));
    QCOMPARE(m_screen->maximumSize(), QSize(741, 315));

    const Qt::WindowFlags flags = m_screen->windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(flags.testFlag(Qt::WindowTitleHint));
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(flags.testFlag(Qt::CustomizeWindowHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(m_screen->testAttribute(Qt::WA_ShowWithoutActivating));
    QVERIFY(!m_screen->isModal());

    // Loading it does not show it: the open command keeps it hidden until the end.
    QVERIFY(!m_screen->isVisible());
    m_screen->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_screen.get()));
    QCOMPARE(m_screen->size(), QSize(741, 315));
}

void TestExitScreen::controlsAsBuilt()
{
    QCOMPARE(child<QLabel>("Label1")->text(), QStringLiteral("Orvella Medicine Cards v1.0"));
    QCOMPARE(child<QGroupBox>("Frame6")->title(), QStringLiteral("Download Orvella Softwares"));
    QCOMPARE(child<QGroupBox>("Frame2")->title(), QStringLiteral("Refer A Friend"));
    auto *goToHome = child<QLabel>("lblGoToHome");
    QCOMPARE(goToHome->text(), QStringLiteral("Click Here To Visit Orvella Softwares"));
    QCOMPARE(goToHome->parentWidget(), child<QGroupBox>("Frame6"));
    Test::pointAt(goToHome);
    QCOMPARE(goToHome->cursor().pixmap().toImage(), linkCursor().pixmap().toImage());
    QCOMPARE(goToHome->cursor().hotSpot(), linkCursor().hotSpot());
    auto *label3 = child<QLabel>("Label3");
    QCOMPARE(label3->parentWidget(), child<QGroupBox>("Frame6"));
    QVERIFY(label3->text().contains(QStringLiteral("Orvella Softwares")));
    for (const char *word : {"astrology", "psychic", "tarot", "numerology", "occult"})
        QVERIFY2(label3->text().contains(QLatin1String(word)), word);

    QCOMPARE(child<QLineEdit>("txtName")->text(), QStringLiteral("Your Name"));
    QCOMPARE(child<QLineEdit>("txtEmail")->text(), QStringLiteral("Your Email Address"));
    QCOMPARE(child<QLineEdit>("txtFriendName")->text(), QStringLiteral("Friend's Name"));
    QCOMPARE(child<QLineEdit>("txtFriendEmail")->text(), QStringLiteral("Friend's Email Address"));
    auto *message = child<QPlainTextEdit>("txtMessage");
    QCOMPARE(message->toPlainText(), QStringLiteral("Your Message"));
    QCOMPARE(message->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    for (const char *box : {"txtName", "txtEmail", "txtFriendName", "txtFriendEmail"}) {
        QCOMPARE(child<QLineEdit>(box)->parentWidget(), child<QGroupBox>("Frame2"));
        QVERIFY(child<QLineEdit>(box)->placeholderText().isEmpty());
    }

    QCOMPARE(child<QPushButton>("cmdSubmit")->text(), QStringLiteral("Refer A Friend &Now"));
    QCOMPARE(child<QPushButton>("cmdClose")->text(), QStringLiteral("E&xit"));
    QCOMPARE(child<QCheckBox>("Check1")->text(),
             QStringLiteral("Click Here To Visit ") + QLatin1String(BuildConfig::MainHost)
                            + QStringLiteral(" Now"));
    QVERIFY(!child<QCheckBox>("Check1")->isChecked());
    QVERIFY(!child<QLabel>("Picture1")->pixmap().isNull());

    // Every control lies inside the client area.
    for (QWidget *widget : m_screen->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        QVERIFY2(m_screen->rect().contains(widget->geometry()), qPrintable(widget->objectName()));
}

void TestExitScreen::supportTextFromR_data()
{
    QTest::addColumn<double>("r");
    QTest::addColumn<int>("index");
    QTest::newRow("0") << 0.0 << 0;
    QTest::newRow("0.2499") << 0.2499 << 0;
    QTest::newRow("just below a quarter") << (4194304.0 - 1) / 16777216.0 << 0;
    QTest::newRow("0.25") << 0.25 << 1;
    QTest::newRow("0.4999") << 0.4999 << 1;
    QTest::newRow("0.5") << 0.5 << 2;
    QTest::newRow("0.75") << 0.75 << 3;
    QTest::newRow("largest value") << (16777216.0 - 1) / 16777216.0 << 3;
}

void TestExitScreen::supportTextFromR()
{
    QFETCH(double, r);
    QFETCH(int, index);
    QCOMPARE(ExitScreen::supportTextIndex(r), index);

    ScriptedRandom random({r});
    ExitScreen screen(m_platform, random);
    QCOMPARE(screen.findChild<QLabel *>(QStringLiteral("Label2"))->text(),
                                        ExitScreen::supportText(index));
}

void TestExitScreen::supportTextsAreOurOwnAndDistinct()
{
    QSet<QString> texts;
    for (int i = 0; i < ExitScreen::SupportTextCount; ++i) {
        const QString text = ExitScreen::supportText(i);
        QVERIFY(text.contains(QStringLiteral("Orvella Softwares forum")));
        texts.insert(text);
    }
    QCOMPARE(texts.size(), 4);
    QVERIFY(ExitScreen::supportText(-1).isEmpty());
    QVERIFY(ExitScreen::supportText(4).isEmpty());
    QCOMPARE(ExitScreen::supportTextIndex(1.0), 3);
    QCOMPARE(ExitScreen::supportTextIndex(-0.5), 0);
}

void TestExitScreen::loadStepReseedsOnceBeforeItsDraw()
{
    QCOMPARE(m_random->seeds(), 1);
    QCOMPARE(m_random->taken(), 1);

    // Showing, hiding and using the window never loads it again.
    m_screen->show();
    m_screen->hide();
    m_screen->show();
    submit();
    QTest::mouseClick(child<QCheckBox>("Check1"), Qt::LeftButton);
    QCOMPARE(m_random->seeds(), 1);
    QCOMPARE(m_random->taken(), 1);

    CallLog log;
    ExitScreen screen(m_platform, log);
    QCOMPARE(log.calls, QStringList({"seed", "next"}));
    QCOMPARE(screen.findChild<QLabel *>(QStringLiteral("Label2"))->text(),
                                        ExitScreen::supportText(2));
}

void TestExitScreen::untouchedFormAsksForProperAddress()
{
    showActive();
    submit();
    QCOMPARE(m_platform.messageTexts(), QStringList{Proper});
    QCOMPARE(m_platform.messages.first().icon, Platform::Icon::Critical);
    QCOMPARE(m_platform.messages.first().buttons, Platform::Buttons::Ok);
    QVERIFY(m_platform.openedUrls.isEmpty());
    // A refusal leaves every box as it was.
    QCOMPARE(child<QLineEdit>("txtName")->text(), QStringLiteral("Your Name"));
    QCOMPARE(child<QPlainTextEdit>("txtMessage")->toPlainText(), QStringLiteral("Your Message"));
}

void TestExitScreen::submitChecksInOrder_data()
{
    QTest::addColumn<QStringList>("boxes"); // name, email, message, friend's name, friend's email
    QTest::addColumn<QString>("expected");  // empty: the page is opened

    const QString untouchedName = QStringLiteral("Your Name");
    const QString untouchedMessage = QStringLiteral("Your Message");
    const QString untouchedFriend = QStringLiteral("Friend's Name");

    QTest::newRow("same addresses before anything else")
        << QStringList{untouchedName, "a@b.example", untouchedMessage, untouchedFriend,
                       "a@b.example"}
        << Distinct;
    QTest::newRow("same addresses once trimmed")
        << QStringList{"Ann", "  a@b.example ", "Hi", "Bo", "a@b.example  "} << Distinct;
    QTest::newRow("case-different addresses are distinct")
        << QStringList{untouchedName, "Ann@B.example", untouchedMessage, untouchedFriend,
                       "ann@b.example"}
        << NoName;
    QTest::newRow("at without dot")
        << QStringList{"Ann", "ann@bexample", "Hi", "Bo", "bo@c.example"} << Proper;
    QTest::newRow("friend's at without dot")
        << QStringList{"Ann", "ann@b.example", "Hi", "Bo", "bo@cexample"} << Proper;
    QTest::newRow("own address untouched")
        << QStringList{"Ann", "Your Email Address", "Hi", "Bo", "bo@c.example"} << Proper;
    QTest::newRow("your name left as is")
        << QStringList{untouchedName, "ann@b.example", untouchedMessage, untouchedFriend,
                       "bo@c.example"}
        << NoName;
    QTest::newRow("your name with blanks around")
        << QStringList{"  Your Name ", "ann@b.example", "Hi", "Bo", "bo@c.example"} << NoName;
    QTest::newRow("blank name") << QStringList{"   ", "ann@b.example", "Hi", "Bo", "bo@c.example"}
                                << NoName;
    QTest::newRow("message after the name")
        << QStringList{"Ann", "ann@b.example", untouchedMessage, untouchedFriend, "bo@c.example"}
        << NoMessage;
    QTest::newRow("empty message")
        << QStringList{"Ann", "ann@b.example", "", "Bo", "bo@c.example"} << NoMessage;
    QTest::newRow("friend's name last")
        << QStringList{"Ann", "ann@b.example", "Hi", untouchedFriend, "bo@c.example"}
        << NoFriendName;
    QTest::newRow("valid") << QStringList{"Ann", "ann@b.example", "Hi", "Bo", "bo@c.example"}
                           << QString();
}

void TestExitScreen::submitChecksInOrder()
{
    QFETCH(QStringList, boxes);
    QFETCH(QString, expected);
    showActive();
    fill(boxes[0], boxes[1], boxes[2], boxes[3], boxes[4]);
    submit();
    if (expected.isEmpty()) {
        QVERIFY(m_platform.messages.isEmpty());
        QCOMPARE(m_platform.openedUrls.size(), 1);
    } else {
        QCOMPARE(m_platform.messageTexts(), QStringList{expected});
        QCOMPARE(m_platform.messages.first().icon, Platform::Icon::Critical);
        QVERIFY(m_platform.openedUrls.isEmpty());
    }
    // Pressing again gives the same answer again: nothing is remembered but the texts.
    submit();
    QCOMPARE(m_platform.messages.size(), expected.isEmpty() ? 0 : 2);
    QCOMPARE(m_platform.openedUrls.size(), expected.isEmpty() ? 2 : 0);
}

void TestExitScreen::recordHoldsTheTrimmedTexts()
{
    fill("  Ann  ", " ann@b.example", "  Hi there \n ", "\tBo ", "bo@c.example   ");
    submit();
    const ReferralRecord &record = m_screen->referral();
    QCOMPARE(record.name, QStringLiteral("Ann"));
    QCOMPARE(record.email, QStringLiteral("ann@b.example"));
    QCOMPARE(record.message, QStringLiteral("Hi there \n"));
    QCOMPARE(record.friendName, QStringLiteral("\tBo"));
    QCOMPARE(record.friendEmail, QStringLiteral("bo@c.example"));
    // The boxes themselves keep what was typed.
    QCOMPARE(child<QLineEdit>("txtName")->text(), QStringLiteral("  Ann  "));
}

void TestExitScreen::validFormOpensOneAddressGivingBackEveryField_data()
{
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QStringList>("sent");
    QTest::newRow("ampersand and equals")
        << QStringList{"Ann & Bo", "a=b@c.example", "x=1&y=2", "Cy&Dee", "c@d.example"}
        << QStringList{"Ann & Bo", "a=b@c.example", "x=1&y=2", "Cy&Dee", "c@d.example"};
    QTest::newRow("hash and plus")
        << QStringList{"Ann #1", "ann+tag@b.example", "1 + 1 # 2", "+Bo", "bo@c.example"}
        << QStringList{"Ann #1", "ann+tag@b.example", "1 + 1 # 2", "+Bo", "bo@c.example"};
    QTest::newRow("percent signs")
        << QStringList{"100%", "a@b.example", "%20 is not a blank, %%", "%41", "c@d.example"}
        << QStringList{"100%", "a@b.example", "%20 is not a blank, %%", "%41", "c@d.example"};
    QTest::newRow("line breaks") << QStringList{"Ann", "a@b.example",
                                                "Line one\nLine two\n\nLine four", "Bo",
                                                "c@d.example"}
                                 << QStringList{"Ann", "a@b.example",
                                                "Line one\nLine two\n\nLine four", "Bo",
                                                "c@d.example"};
    QTest::newRow("accented letters")
        << QStringList{"Zoë Ñúñez", "zoe@b.example", "Ça va? Grüße — 日本語", "Åsa",
                       "asa@c.example"}
        << QStringList{"Zoë Ñúñez", "zoe@b.example", "Ça va? Grüße — 日本語", "Åsa",
                       "asa@c.example"};
    QTest::newRow("blanks around are trimmed, inside kept")
        << QStringList{"  Ann  Lee ", " a@b.example ", "  two  blanks  ", " Bo ", "c@d.example "}
        << QStringList{"Ann  Lee", "a@b.example", "two  blanks", "Bo", "c@d.example"};
}

void TestExitScreen::validFormOpensOneAddressGivingBackEveryField()
{
    QFETCH(QStringList, typed);
    QFETCH(QStringList, sent);
    fill(typed[0], typed[1], typed[2], typed[3], typed[4]);
    submit();
    QVERIFY2(m_platform.messages.isEmpty(), qPrintable(m_platform.messageTexts().join('|')));
    QCOMPARE(m_platform.openedUrls.size(), 1);

    const QUrl url = QUrl::fromEncoded(m_platform.openedUrls.first().toEncoded(), QUrl::StrictMode);
    QCOMPARE(url.host(), QStringLiteral("www.") + QLatin1String(BuildConfig::MainHost));
    QCOMPARE(url.path(), QStringLiteral("/orvs-refer-a-friend.php"));
    QVERIFY(!url.hasFragment());
    const QUrlQuery query(url);
    QCOMPARE(query.queryItems().size(), 6);
    // taf1 name, taf2 e-mail, taf3 message, taf4 friend's name, taf5 friend's e-mail.
    const int boxOfKey[] = {0, 1, 2, 3, 4};
    for (int i = 0; i < 5; ++i)
        QCOMPARE(query.queryItemValue(QStringLiteral("taf%1").arg(i + 1), QUrl::FullyDecoded),
                                      sent.at(boxOfKey[i]));
    QCOMPARE(query.queryItemValue(QStringLiteral("taf6"), QUrl::FullyDecoded),
                                  QStringLiteral("http://")
                                                 + QLatin1String(BuildConfig::SoftwareHost) + u'/');
}

void TestExitScreen::typedFormIsSentAsTyped()
{
    showActive();
    auto *name = child<QLineEdit>("txtName");
    auto *message = child<QPlainTextEdit>("txtMessage");
    name->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(name, QStringLiteral("Ann & Bo"));
    child<QLineEdit>("txtEmail")->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(child<QLineEdit>("txtEmail"), QStringLiteral("ann@b.example"));
    message->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(message, QStringLiteral("Hello"));
    QTest::keyClick(message, Qt::Key_Return);
    QTest::keyClicks(message, QStringLiteral("50% off #1"));
    child<QLineEdit>("txtFriendName")->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(child<QLineEdit>("txtFriendName"), QStringLiteral("Cy"));
    child<QLineEdit>("txtFriendEmail")->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(child<QLineEdit>("txtFriendEmail"), QStringLiteral("cy@d.example"));
    submit();

    QVERIFY(m_platform.messages.isEmpty());
    QCOMPARE(m_platform.openedUrls.size(), 1);
    const QUrlQuery query(m_platform.openedUrls.first());
    QCOMPARE(query.queryItemValue(QStringLiteral("taf1"), QUrl::FullyDecoded),
                                  QStringLiteral("Ann & Bo"));
    QCOMPARE(query.queryItemValue(QStringLiteral("taf3"), QUrl::FullyDecoded),
                                  QStringLiteral("Hello\n50% off #1"));
}

void TestExitScreen::spaceIsRefusedOnlyInAddressBoxes_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<bool>("refused");
    QTest::newRow("own address") << QStringLiteral("txtEmail") << true;
    QTest::newRow("friend's address") << QStringLiteral("txtFriendEmail") << true;
    QTest::newRow("name") << QStringLiteral("txtName") << false;
    QTest::newRow("friend's name") << QStringLiteral("txtFriendName") << false;
    QTest::newRow("message") << QStringLiteral("txtMessage") << false;
}

void TestExitScreen::spaceIsRefusedOnlyInAddressBoxes()
{
    QFETCH(QString, box);
    QFETCH(bool, refused);
    showActive();
    auto *widget = m_screen->findChild<QWidget *>(box);
    QVERIFY(widget);
    widget->setFocus(Qt::TabFocusReason);
    QCOMPARE(QApplication::focusWidget(), widget);
    QTest::keyClicks(widget, QStringLiteral("ab cd"));

    const QString text = qobject_cast<QLineEdit *>(widget)
                             ? qobject_cast<QLineEdit *>(widget)->text()
                             : qobject_cast<QPlainTextEdit *>(widget)->toPlainText();
    if (refused) {
        QCOMPARE(text, QStringLiteral("abcd"));
        QCOMPARE(m_platform.messageTexts(), QStringList{NoSpace});
        QCOMPARE(m_platform.messages.first().icon, Platform::Icon::Critical);
    } else {
        QCOMPARE(text, QStringLiteral("ab cd"));
        QVERIFY(m_platform.messages.isEmpty());
    }
    QCOMPARE(QApplication::focusWidget(), widget);
}

void TestExitScreen::pastedTextIsNotExamined()
{
    showActive();
    auto *email = child<QLineEdit>("txtEmail");
    email->setFocus(Qt::TabFocusReason);
    QApplication::clipboard()->setText(QStringLiteral("ann @b.example"));
    QTest::keySequence(email, QKeySequence::Paste);
    QCOMPARE(email->text(), QStringLiteral("ann @b.example"));
    email->insert(QStringLiteral(" more"));
    QCOMPARE(email->text(), QStringLiteral("ann @b.example more"));
    QVERIFY(m_platform.messages.isEmpty());
}

void TestExitScreen::placeholdersClearAndComeBack_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("placeholder");
    QTest::newRow("name") << QStringLiteral("txtName") << QStringLiteral("Your Name");
    QTest::newRow("own address") << QStringLiteral("txtEmail")
                                                   << QStringLiteral("Your Email Address");
    QTest::newRow("friend's name") << QStringLiteral("txtFriendName")
                                                     << QStringLiteral("Friend's Name");
    QTest::newRow("friend's address") << QStringLiteral("txtFriendEmail")
                                                        << QStringLiteral("Friend's Email Address");
    QTest::newRow("message") << QStringLiteral("txtMessage") << QStringLiteral("Your Message");
}

void TestExitScreen::placeholdersClearAndComeBack()
{
    QFETCH(QString, box);
    QFETCH(QString, placeholder);
    showActive();
    auto *widget = m_screen->findChild<QWidget *>(box);
    auto *elsewhere = child<QPushButton>("cmdSubmit");
    auto *line = qobject_cast<QLineEdit *>(widget);
    auto *plain = qobject_cast<QPlainTextEdit *>(widget);
    const auto text = [&] {
        return line ? line->text() : plain->toPlainText();
    };
    const auto setText = [&](const QString &t) {
        line ? line->setText(t) : plain->setPlainText(t);
    };

    elsewhere->setFocus(Qt::TabFocusReason);
    widget->setFocus(Qt::TabFocusReason);
    QCOMPARE(text(), QString());
    elsewhere->setFocus(Qt::TabFocusReason);
    QCOMPARE(text(), placeholder);

    // Blanks around the placeholder still count as the placeholder; blanks alone as empty.
    setText(QStringLiteral("  ") + placeholder + u' ');
    widget->setFocus(Qt::MouseFocusReason);
    QCOMPARE(text(), QString());
    QTest::keyClicks(widget, QStringLiteral("   "));
    elsewhere->setFocus(Qt::BacktabFocusReason);
    QCOMPARE(text(), placeholder);

    // Something else typed stays, and is not cleared when coming back.
    widget->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(widget, QStringLiteral("x"));
    elsewhere->setFocus(Qt::TabFocusReason);
    QCOMPARE(text(), QStringLiteral("x"));
    widget->setFocus(Qt::TabFocusReason);
    QCOMPARE(text(), QStringLiteral("x"));
    // Only exact case is the placeholder.
    setText(placeholder.toUpper());
    elsewhere->setFocus(Qt::TabFocusReason);
    widget->setFocus(Qt::TabFocusReason);
    QCOMPARE(text(), placeholder.toUpper());
}

void TestExitScreen::leavingTheWindowKeepsAnEmptyBoxEmpty()
{
    showActive();
    // The first activation gives the first box the focus, like any move into it.
    QCOMPARE(QApplication::focusWidget(), child<QLineEdit>("txtName"));
    QCOMPARE(child<QLineEdit>("txtName")->text(), QString());

    auto *email = child<QLineEdit>("txtEmail");
    email->setFocus(Qt::TabFocusReason);
    QCOMPARE(child<QLineEdit>("txtName")->text(), QStringLiteral("Your Name"));
    QCOMPARE(email->text(), QString());
    // A space typed into the empty box brings up the message box; the box stays empty.
    QTest::keyClick(email, Qt::Key_Space);
    QCOMPARE(email->text(), QString());

    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    QCOMPARE(email->text(), QString());
    showActive();
    QCOMPARE(QApplication::focusWidget(), email);
    QCOMPARE(email->text(), QString());
}

void TestExitScreen::check1OpensHomeOncePerClickAndStaysUnchecked()
{
    showActive();
    auto *check = child<QCheckBox>("Check1");
    QTest::mouseClick(check, Qt::LeftButton);
    QVERIFY(!check->isChecked());
    QCOMPARE(m_platform.openedUrls, QList<QUrl>{WebAddresses::makerHome()});
    QTest::mouseClick(check, Qt::LeftButton);
    QVERIFY(!check->isChecked());
    check->setFocus(Qt::TabFocusReason);
    QTest::keyClick(check, Qt::Key_Space);
    QVERIFY(!check->isChecked());
    QCOMPARE(m_platform.openedUrls, QList<QUrl>(3, WebAddresses::makerHome()));
    QVERIFY(m_platform.messages.isEmpty());
}

void TestExitScreen::goToHomeOpensSoftwareSite()
{
    showActive();
    QTest::mouseClick(child<QLabel>("lblGoToHome"), Qt::LeftButton);
    QCOMPARE(m_platform.openedUrls, QList<QUrl>{WebAddresses::softwareSite()});
}

void TestExitScreen::closingWays_data()
{
    QTest::addColumn<bool>("byButton");
    QTest::addColumn<int>("key");
    QTest::newRow("close box") << false << 0;
    QTest::newRow("E&xit button") << true << 0;
    QTest::newRow("Enter on the E&xit button") << true << int(Qt::Key_Return);
}

void TestExitScreen::closingWays()
{
    QFETCH(bool, byButton);
    QFETCH(int, key);
    showActive();
    QSignalSpy spy(m_screen.get(), &ExitScreen::exitRequested);
    if (key) {
        child<QPushButton>("cmdClose")->setFocus(Qt::TabFocusReason);
        QTest::keyClick(child<QPushButton>("cmdClose"), Qt::Key(key));
    } else if (byButton) {
        QTest::mouseClick(child<QPushButton>("cmdClose"), Qt::LeftButton);
    } else {
        // The road of the window system's close request.
        QVERIFY(m_screen->windowHandle());
        QVERIFY(m_screen->windowHandle()->close());
    }
    QCOMPARE(spy.size(), 1);
    QVERIFY(!m_screen->isVisible());
    QVERIFY(m_platform.openedUrls.isEmpty());
    QVERIFY(m_platform.messages.isEmpty());
}

QTEST_MAIN(TestExitScreen)
#include "tst_exitscreen.moc"

#include "web/referral.h"

#include "product/buildconfig.h"

#include <QTest>
#include <QUrlQuery>

using namespace Orvella;

Q_DECLARE_METATYPE(Orvella::ReferralRecord)

namespace {

ReferralRecord record(const QString &name, const QString &email, const QString &message,
                      const QString &friendName, const QString &friendEmail)
{
    return ReferralRecord{name, email, message, friendName, friendEmail};
}

ReferralRecord untouched()
{
    return record(QStringLiteral("Your Name"),
        QStringLiteral("Your Email Address"),
                       QStringLiteral("Your Message"),
                                      QStringLiteral("Friend's Name"),
                                                     QStringLiteral("Friend's Email Address"));
}

ReferralRecord valid()
{
    return record(QStringLiteral("Ann"),
        QStringLiteral("ann@mail.example"),
                       QStringLiteral("Try it"), QStringLiteral("Bo"),
                                                                QStringLiteral("bo@mail.example"));
}

// What a form decoder on the server does: "+" is a blank, then %XX.
QString formDecoded(QByteArray value)
{
    value.replace('+', ' ');
    return QString::fromUtf8(QByteArray::fromPercentEncoding(value));
}

} // namespace

class TestReferral : public QObject
{
    Q_OBJECT

private slots:
    void trimsBlanksOnly_data();
    void trimsBlanksOnly();
    void refusals_data();
    void refusals();
    void addressKeepsPageKeysAndOrder();
    void addressGivesBackWhatWasTyped_data();
    void addressGivesBackWhatWasTyped();
};

void TestReferral::trimsBlanksOnly_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("only blanks") << QStringLiteral("    ") << QString();
    QTest::newRow("blanks both sides") << QStringLiteral("  Ann Lee  ")
                                                         << QStringLiteral("Ann Lee");
    QTest::newRow("tab stays") << QStringLiteral("\tAnn ") << QStringLiteral("\tAnn");
    QTest::newRow("line breaks stay") << QStringLiteral(" \nHi\n ") << QStringLiteral("\nHi\n");
    QTest::newRow("no-break space stays") << QStringLiteral("\u00a0x ")
                                                            << QStringLiteral("\u00a0x");
}

void TestReferral::trimsBlanksOnly()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(trimBlanks(text), expected);
}

void TestReferral::refusals_data()
{
    const QString distinct = QStringLiteral("Please Enter Distinct Email Addresses");
    const QString proper = QStringLiteral("Please Enter Proper Email Address");
    const QString name = QStringLiteral("Please Enter Your Name");
    const QString message = QStringLiteral("Please Enter Your Message");
    const QString friendName = QStringLiteral("Please Enter Your Friend's Name");

    QTest::addColumn<ReferralRecord>("form");
    QTest::addColumn<QString>("expected"); // empty: accepted

    QTest::newRow("untouched form") << untouched() << proper;

    ReferralRecord r = untouched();
    r.email = r.friendEmail = QStringLiteral("same@mail.example");
    QTest::newRow("same address before the name check") << r << distinct;
    r.email = r.friendEmail = QStringLiteral("nodot");
    QTest::newRow("same bad address is reported as same") << r << distinct;
    r.email = r.friendEmail = QString();
    QTest::newRow("both addresses empty") << r << distinct;

    r = untouched();
    r.email = QStringLiteral("Ann@Mail.example");
    r.friendEmail = QStringLiteral("ann@mail.example");
    QTest::newRow("case-different addresses are distinct") << r << name;

    r = valid();
    r.email = QStringLiteral("ann@mailexample");
    QTest::newRow("at without dot in own address") << r << proper;
    r = valid();
    r.friendEmail = QStringLiteral("bo@mailexample");
    QTest::newRow("at without dot in friend's address") << r << proper;
    r = valid();
    r.email = QStringLiteral("ann.mail.example");
    QTest::newRow("dot without at in own address") << r << proper;
    r = valid();
    r.friendEmail = QStringLiteral("Friend's Email Address");
    QTest::newRow("friend's address left as placeholder") << r << proper;

    r = valid();
    r.name = QStringLiteral("Your Name");
    r.message = QStringLiteral("Your Message");
    r.friendName = QStringLiteral("Friend's Name");
    QTest::newRow("name first of the three") << r << name;
    r.name = QString();
    QTest::newRow("empty name") << r << name;
    r.name = QStringLiteral("Ann");
    QTest::newRow("message second") << r << message;
    r.message = QString();
    QTest::newRow("empty message") << r << message;
    r.message = QStringLiteral("Hello");
    QTest::newRow("friend's name third") << r << friendName;
    r.friendName = QString();
    QTest::newRow("empty friend's name") << r << friendName;
    r.friendName = QStringLiteral("your name");
    QTest::newRow("placeholder compare is exact") << r << QString();

    QTest::newRow("valid form") << valid() << QString();
}

void TestReferral::refusals()
{
    QFETCH(ReferralRecord, form);
    QFETCH(QString, expected);
    const std::optional<QString> refusal = referralRefusal(form);
    if (expected.isEmpty()) {
        QVERIFY2(!refusal, qPrintable(refusal.value_or(QString())));
    } else {
        QVERIFY(refusal);
        QCOMPARE(*refusal, expected);
    }
}

void TestReferral::addressKeepsPageKeysAndOrder()
{
    const QUrl url = referralAddress(valid());
    QVERIFY(url.isValid());
    QCOMPARE(url.scheme(), QStringLiteral("http"));
    QCOMPARE(url.host(), QStringLiteral("www.") + QLatin1String(BuildConfig::MainHost));
    QCOMPARE(url.path(), QStringLiteral("/orvs-refer-a-friend.php"));
    QVERIFY(!url.hasFragment());

    const QUrlQuery query(url);
    QStringList keys;
    for (const auto &item : query.queryItems())
        keys << item.first;
    QCOMPARE(keys, QStringList({"taf1", "taf2", "taf3", "taf4", "taf5", "taf6"}));
    QCOMPARE(query.queryItemValue(QStringLiteral("taf6"), QUrl::FullyDecoded),
                                  QStringLiteral("http://")
                                                 + QLatin1String(BuildConfig::SoftwareHost) + u'/');
}

void TestReferral::addressGivesBackWhatWasTyped_data()
{
    QTest::addColumn<ReferralRecord>("form");
    QTest::newRow("plain") << valid();
    QTest::newRow("ampersand and equals in name")
        << record("Ann & Bo=friends", "a@b.example", "hi", "Cy", "c@d.example");
    QTest::newRow("hash in message")
        << record("Ann", "a@b.example", "card #7 # done", "Cy", "c@d.example");
    QTest::newRow("plus in address and message")
        << record("Ann", "ann+cards@b.example", "1+1=2", "Cy", "c@d.example");
    QTest::newRow("percent signs")
        << record("100% Ann", "a@b.example", "%41 stays %41, %zz %", "Cy", "c@d.example");
    QTest::newRow("line breaks in message") << record(
        "Ann", "a@b.example", "first line\r\nsecond line\nthird\rfourth", "Cy", "c@d.example");
    QTest::newRow("accented letters")
        << record("Zoë Ångström", "zoe@b.example", "Très bien, ça marche — ¿sí? 日本", "José",
                  "jose@d.example");
    QTest::newRow("query look-alike in a value") << record(
        "Ann?taf2=x&taf3=y", "a@b.example", "&taf6=http://evil.example/#x", "Cy", "c@d.example");
    QTest::newRow("inner blanks and slashes")
        << record("Ann  Lee", "a@b.example", "a/b\\c  d?", "Cy  Dee", "c@d.example");
}

void TestReferral::addressGivesBackWhatWasTyped()
{
    QFETCH(ReferralRecord, form);
    const QUrl url = referralAddress(form);
    QVERIFY(url.isValid());

    // What the browser is handed, read back by a server's two usual decoders.
    const QByteArray sent = url.toEncoded();
    const QUrl received = QUrl::fromEncoded(sent, QUrl::StrictMode);
    QVERIFY(received.isValid());
    QCOMPARE(received.host(), url.host());
    QCOMPARE(received.path(), QStringLiteral("/orvs-refer-a-friend.php"));
    QVERIFY(!received.hasFragment());

    const QByteArray rawQuery = received.query(QUrl::FullyEncoded).toLatin1();
    QVERIFY2(!rawQuery.contains('+') && !rawQuery.contains(' ') && !rawQuery.contains('#'),
             rawQuery.constData());

    const QStringList expected = {form.name, form.email, form.message, form.friendName,
                                  form.friendEmail};
    const QList<QByteArray> pairs = rawQuery.split('&');
    QCOMPARE(pairs.size(), 6);
    const QUrlQuery query(received);
    for (int i = 0; i < expected.size(); ++i) {
        const QString key = QStringLiteral("taf%1").arg(i + 1);
        QCOMPARE(query.queryItemValue(key, QUrl::FullyDecoded), expected.at(i));
        QVERIFY(pairs.at(i).startsWith(key.toLatin1() + '='));
        QCOMPARE(formDecoded(pairs.at(i).mid(key.size() + 1)), expected.at(i));
    }
}

QTEST_GUILESS_MAIN(TestReferral)
#include "tst_referral.moc"

#include "referral.h"

#include "product/webaddresses.h"

#include <QByteArray>

namespace Orvella {

namespace {

bool isEmptyOrPlaceholder(const QString &value, const char *placeholder)
{
    return value.isEmpty() || value == QLatin1String(placeholder);
}

QByteArray encoded(const QString &value)
{
    // Leaves only the unreserved characters as they are: "+", "&", "=", "#",
    // "%", blanks and line breaks all become %XX and cannot split the query.
    return QUrl::toPercentEncoding(value);
}

} // namespace

QString trimBlanks(const QString &text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == QLatin1Char(' '))
        ++first;
    while (last > first && text.at(last - 1) == QLatin1Char(' '))
        --last;
    return text.mid(first, last - first);
}

std::optional<QString> addressRefusal(const ReferralRecord &record)
{
    if (record.email == record.friendEmail)
        return QStringLiteral("Please Enter Distinct Email Addresses");
    const QString proper = QStringLiteral("Please Enter Proper Email Address");
    if (!record.email.contains(QLatin1Char('@')) || !record.friendEmail.contains(QLatin1Char('@')))
        return proper;
    if (!record.email.contains(QLatin1Char('.')) || !record.friendEmail.contains(QLatin1Char('.')))
        return proper;
    return std::nullopt;
}

std::optional<QString> fieldRefusal(const ReferralRecord &record)
{
    if (isEmptyOrPlaceholder(record.name, ReferralPlaceholders::Name))
        return QStringLiteral("Please Enter Your Name");
    if (isEmptyOrPlaceholder(record.message, ReferralPlaceholders::Message))
        return QStringLiteral("Please Enter Your Message");
    if (isEmptyOrPlaceholder(record.friendName, ReferralPlaceholders::FriendName))
        return QStringLiteral("Please Enter Your Friend's Name");
    return std::nullopt;
}

std::optional<QString> referralRefusal(const ReferralRecord &record)
{
    if (auto refusal = addressRefusal(record))
        return refusal;
    return fieldRefusal(record);
}

QUrl referralAddress(const ReferralRecord &record)
{
    QByteArray query;
    query += "taf1=" + encoded(record.name);
    query += "&taf2=" + encoded(record.email);
    query += "&taf3=" + encoded(record.message);
    query += "&taf4=" + encoded(record.friendName);
    query += "&taf5=" + encoded(record.friendEmail);
    query += "&taf6=" + encoded(WebAddresses::ownSite().toString());

    QUrl url = WebAddresses::referFriendPage();
    // Strict: the query is already fully encoded and must be taken as it is.
    url.setQuery(QString::fromLatin1(query), QUrl::StrictMode);
    return url;
}

} // namespace Orvella

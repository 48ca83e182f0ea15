#pragma once

#include <QString>
#include <QUrl>

#include <optional>

namespace Orvella {

/** The referral form's five texts, trimmed of blanks when "Refer A Friend &Now" was pressed. */
struct ReferralRecord
{
    QString name;
    QString email;
    QString message;
    QString friendName;
    QString friendEmail;
};

namespace ReferralPlaceholders {
// The boxes' own texts at load; a box still showing one counts as empty.
inline constexpr char Name[] = "Your Name";
inline constexpr char Email[] = "Your Email Address";
inline constexpr char FriendName[] = "Friend's Name";
inline constexpr char FriendEmail[] = "Friend's Email Address";
inline constexpr char Message[] = "Your Message";
} // namespace ReferralPlaceholders

/** @p text without leading and trailing blanks (character 32 only; tabs and line breaks stay). */
QString trimBlanks(const QString &text);

/** The first refusal of the two addresses (equal, or lacking "@" or "."), or nothing. */
std::optional<QString> addressRefusal(const ReferralRecord &record);

/** The first of name, message and friend's name that is empty or its placeholder, as a refusal. */
std::optional<QString> fieldRefusal(const ReferralRecord &record);

/** The first refusal of the whole form in the order the user meets them, or nothing. */
std::optional<QString> referralRefusal(const ReferralRecord &record);

/**
 * The referral page with the record as taf1 to taf5 and the program's own site
 * as taf6. Every value is percent-encoded as UTF-8, so the query decodes back
 * to exactly what was typed, line breaks, "&", "=", "#", "+" and "%" included.
 */
QUrl referralAddress(const ReferralRecord &record);

} // namespace Orvella

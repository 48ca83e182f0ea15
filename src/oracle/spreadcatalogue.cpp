#include "spreadcatalogue.h"

#include <array>

namespace Orvella::SpreadCatalogue {

namespace {

struct SpreadText
{
    const char *name;
    qint16 cardCount;
    const char *description;
    const char *positionTitles;
};

// The titles are kept exactly as the readings have always shown them,
// including "your Future" and "Mountain Card- Present".
constexpr std::array<SpreadText, SpreadCount + 1> spreads{{
    {"Pathway Spread", 7,
     "This spread gives you the path through life. It tells you about the path you have followed "
     "till now, your current path and the path you may have to follow in the future.",
     "Your Past|Your Present|your Future|Current Lessons|Recent Challenges|What is working for "
     "you|What is working against you|"},
    {"Butterfly Spread", 4, "This spread is used to predict the outcome of a project.",
     "East Card - Seed of your Idea|South Card - What needs to be done|West Card - Higher "
     "Purpose|North Card - Rewards to be gained|"},
    {"Medicine Wheel Spread", 5,
     "This spread reflects on what you need to learn either from yourself or from others.",
     "East Card - Spiritual Strength|South Card - Trust / Nurture|West Card - Internal "
     "Solutions|North Card - Wisdom|Mountain Card- Present|"},
    {"Sun Lodge Spread", 5,
     "This spread describes how others see you. This shows your outer personality in a "
     "relationship.",
     "East Card - Your Spiritual Outer Personality|South Card - Your Material Outer "
     "Personality|West Card - Your Interactive Outer Personality|North Card Your Intellectual "
     "Outer Personality|Central Card - Your Total Outer Personality|"},
    {"Moon Lodge Spread", 5,
     "This spread describes your personal unconsciousness. This shows your inner personality.",
     "East Card - Your Inner Spiritual Personality|South Card - Your New Growth Card|West Card "
     "- Your Real Purpose in Life|North Card Your Inner Wisdom|Central Card - Your Power "
     "Shield|"},
    {"", 0, "", ""},
}};

} // namespace

std::optional<Spread> spread(int index)
{
    if (index < 0 || index > UpperIndex)
        return std::nullopt;
    const SpreadText &s = spreads[index];
    return Spread{QString::fromLatin1(s.name), s.cardCount, QString::fromLatin1(s.description),
                  QString::fromLatin1(s.positionTitles)};
}

QStringList names()
{
    QStringList result;
    for (int i = 0; i < SpreadCount; ++i)
        result << QString::fromLatin1(spreads[i].name);
    return result;
}

QStringList splitTitles(const QString &positionTitles)
{
    return positionTitles.split(TitleSeparator, Qt::KeepEmptyParts, Qt::CaseSensitive);
}

} // namespace Orvella::SpreadCatalogue

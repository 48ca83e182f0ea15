#pragma once

#include "carddeck.h"

#include <array>

namespace Orvella::CardDeck {

// The deck's words, kept as plain 7-bit data in one table.
struct CardText
{
    const char *name;
    const char *keyword;
    const char *upright;
    const char *reverse;
    const char *medical;
};

const std::array<CardText, CardCount> &cardTexts();

} // namespace Orvella::CardDeck

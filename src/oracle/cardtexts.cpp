#include "cardtexts.h"

namespace Orvella::CardDeck {

const std::array<CardText, 44> &cardTexts()
{
    // Slot order is the card index; the picture of slot i is entry i + 1.
    static constexpr std::array<CardText, 44> texts{{
        { // 0
            "The Eagle", "Spirit",
            "This is the power of the great spirit. Gather your confidence and embark on your new journey. Do not let go of opportunities and fight against all your fears.",
            "You have forgotten the power of the great spirit.",
            "Your Chakras maybe blocked.",
        },
        { // 1
            "The Hawk", "Messenger",
            "",
            "",
            "",
        },
        { // 2
            "The Elk", "Stamina",
            "",
            "",
            "",
        },
        { // 3
            "The Deer", "Gentleness",
            "",
            "",
            "",
        },
        { // 4
            "The Bear", "Introspection",
            "",
            "",
            "",
        },
        { // 5
            "The Snake", "Transmutation",
            "",
            "",
            "",
        },
        { // 6
            "The Skunk", "Reputation",
            "",
            "",
            "",
        },
        { // 7
            "The Otter", "Woman Medicine",
            "",
            "",
            "",
        },
        { // 8
            "The Butterfly", "Transformation",
            "",
            "",
            "",
        },
        { // 9
            "The Turtle", "Mother Earth",
            "",
            "",
            "",
        },
        { // 10
            "The Moose", "Self - Esteem",
            "",
            "",
            "",
        },
        { // 11
            "The Porcupine", "Innocence",
            "",
            "",
            "",
        },
        { // 12
            "The Coyote", "Trickster",
            "",
            "",
            "",
        },
        { // 13
            "The Dog", "Loyalty",
            "",
            "",
            "",
        },
        { // 14
            "The Wolf", "Teacher",
            "",
            "",
            "",
        },
        { // 15
            "The Raven", "Magic",
            "",
            "",
            "",
        },
        { // 16
            "The Mountain Lion", "Leadership",
            "",
            "",
            "",
        },
        { // 17
            "The Lynx", "Secrets",
            "",
            "",
            "",
        },
        { // 18
            "The Buffalo", "Prayer & Abundance",
            "",
            "",
            "",
        },
        { // 19
            "The Mouse", "Scrutiny",
            "Look at the details before making your final decision. Points that may be insignificant to others, may matter a lot to you. You are very methodical but people may think you are hoarding. Learn to scrutinize everything with a magnifying glass before taking any step.",
            "Do not waste all your time in looking at minute details. Start with the big picture and then move towards the details. If you don't move now, you will be left behind.",
            "NA",
        },
        { // 20
            "The Owl", "Deception",
            "",
            "",
            "",
        },
        { // 21
            "The Beaver", "Builder",
            "",
            "",
            "",
        },
        { // 22
            "The Opossum", "Diversion",
            "",
            "",
            "",
        },
        { // 23
            "The Crow", "Law",
            "",
            "",
            "",
        },
        { // 24
            "The Fox", "Camouflage",
            "",
            "",
            "",
        },
        { // 25
            "The Squirrel", "Gathering",
            "",
            "",
            "",
        },
        { // 26
            "The Dragonfly", "Illusion",
            "",
            "",
            "",
        },
        { // 27
            "The Armadillo", "Boundaries",
            "",
            "",
            "",
        },
        { // 28
            "The Badger", "Aggressiveness",
            "",
            "",
            "",
        },
        { // 29
            "The Rabbit", "Fear",
            "",
            "",
            "",
        },
        { // 30
            "The Turkey", "Give - Away",
            "",
            "",
            "",
        },
        { // 31
            "The Ant", "Patience",
            "",
            "",
            "",
        },
        { // 32
            "The Weasel", "Stealth",
            "",
            "",
            "",
        },
        { // 33
            "The Grouse", "Sacred Spiral",
            "",
            "",
            "",
        },
        { // 34
            "The Horse", "Power",
            "",
            "",
            "",
        },
        { // 35
            "The Lizard", "Dreaming",
            "",
            "",
            "",
        },
        { // 36
            "The Antelope", "Action",
            "",
            "",
            "",
        },
        { // 37
            "The Frog", "Cleansing",
            "",
            "",
            "",
        },
        { // 38
            "The Swan", "Grace",
            "",
            "",
            "",
        },
        { // 39
            "The Dolphin", "Manna",
            "",
            "",
            "",
        },
        { // 40
            "The Whale", "Record Keeper",
            "",
            "",
            "",
        },
        { // 41
            "The Bat", "Rebirth",
            "",
            "",
            "",
        },
        { // 42
            "The Spider", "Weaving",
            "",
            "",
            "",
        },
        { // 43
            "The Hummingbird", "Joy",
            "Learn to love people with your heart. Your life will be filled with love and joy. You will be a blessing to people and you can help others with your happiness. Learn to relax and do not judge anyone.",
            "Learn to accept tragedies and move on. There is joy even in the worst circumstances. Learn to appreciate what you have and stop complaining or craving for what you don't have.",
            "You may be negatively getting affected by someone else.",
        },
    }};
    return texts;
}

} // namespace Orvella::CardDeck

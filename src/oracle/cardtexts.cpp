#include "cardtexts.h"

namespace Orvella::CardDeck {

const std::array<CardText, CardCount> &cardTexts()
{
    // Slot order is the card index; the picture of slot i is entry i + 1.
    static constexpr std::array<CardText, CardCount> texts{{
        { // 0
            "The Eagle", "Spirit",
            "This is the power of the great spirit. Gather your confidence and embark on your new journey. Do not let go of opportunities and fight against all your fears.",
            "You have forgotten the power of the great spirit.",
            "Your Chakras maybe blocked.",
        },
        { // 1
            "The Hawk", "Messenger",
            "Keep your eyes open, for a message is on its way to you. Like the hawk circling high "
            "above the fields, you can now see your life from a greater height. Notice the small "
            "signs and the sudden thoughts that come to you. When the message arrives, act on it "
            "without delay.",
            "You are missing the signals that life keeps sending you. Stop rushing about and "
            "listen before the message passes you by.",
            "Your eyes and head may need more rest than you have been giving them.",
        },
        { // 2
            "The Elk", "Stamina",
            "Pace yourself and you will reach the end of any road. Lasting strength comes from "
            "steady effort, not from one short burst. Stay close to friends who share your goals, "
            "for they will keep you going. Rest when you must and then carry on.",
            "You are wearing yourself out by running too fast. Find a pace you can keep and stick "
            "to it.",
            "Your energy may be running low from too much work.",
        },
        { // 3
            "The Deer", "Gentleness",
            "Kindness will open doors that force can never open. Speak softly and you will reach "
            "even a hardened heart. A gentle word may heal an old wound, in you as well as in "
            "others. Let a loving attitude lead your steps today.",
            "You may be too hard on yourself or on the people close to you. Put down your weapons "
            "and try a softer way.",
            "Tension may be gathering in your shoulders and neck.",
        },
        { // 4
            "The Bear", "Introspection",
            "Go within and listen to the quiet voice of your heart. Like the bear in its winter "
            "den, you need time alone to find your answers. Do not rush into anything before you "
            "have thought it through. What you are looking for is already inside you.",
            "You are hiding from the world instead of looking honestly at yourself. Leave your den "
            "and face what is waiting for you.",
            "You may need more sleep and quiet than you have been getting.",
        },
        { // 5
            "The Snake", "Transmutation",
            "You are shedding an old skin and growing into a new one. What once poisoned you can "
            "now become a source of healing. Let go of the habits that hold you back. Change may "
            "sting for a while, but it will make you whole.",
            "You are clinging to an old self that no longer fits you. Your fear of change is "
            "keeping you stuck in the same place.",
            "Your body may be asking you to cleanse and renew itself.",
        },
        { // 6
            "The Skunk", "Reputation",
            "Walk with your head held high and people will respect you. You do not need to fight, "
            "because your self-respect speaks for you. Be aware of the impression you leave behind "
            "wherever you go. Stand up for yourself calmly and firmly.",
            "You may be letting others walk all over you, or you may be driving people away with "
            "your manner. Ask yourself honestly how others see you and why.",
            "Your energy field may be weakened by the opinions of others.",
        },
        { // 7
            "The Otter", "Woman Medicine",
            "Let your playful and caring side come out. Share freely and be glad when good things "
            "happen to others. There is no need to envy anyone, because there is enough for all. "
            "Open your heart like a child and life will open up to you.",
            "You may be jealous of what others have, or too serious to enjoy what you have. "
            "Balance your giving with receiving.",
            "Your feminine energy may be out of balance.",
        },
        { // 8
            "The Butterfly", "Transformation",
            "You are in the middle of a great change. Look at where you stand in the cycle, from "
            "the egg to the cocoon to the wings. Every stage has its purpose, so do not try to "
            "skip one. Soon you will be flying free.",
            "You are afraid to leave the cocoon. You cannot stay hidden forever, so trust the "
            "change that is coming.",
            "Your body may be going through a period of change.",
        },
        { // 9
            "The Turtle", "Mother Earth",
            "Stay close to the earth and she will take care of you. Move slowly and carry your "
            "home with you wherever you go. Honor the ground you walk on and the food it gives "
            "you. Your patience will bring you safely to your goal.",
            "You have lost touch with the earth and with your own roots. Walk barefoot, plant "
            "something and come back down to the ground.",
            "You may feel ungrounded and restless.",
        },
        { // 10
            "The Moose", "Self - Esteem",
            "Be proud of what you have achieved so far. You have earned your wisdom, so share it "
            "with those who need it. Celebrate your success without putting anyone else down. You "
            "are worth much more than you believe.",
            "You may be boasting, or you may be thinking too little of yourself. True self-esteem "
            "needs neither a loud voice nor a bowed head.",
            "Your heart may be longing for more joy and praise.",
        },
        { // 11
            "The Porcupine", "Innocence",
            "Look at the world again with the eyes of a child. Trust and wonder will protect you "
            "better than suspicion ever could. Do not let the hard knocks of life make you bitter. "
            "Play, laugh and believe in good things.",
            "You have become too guarded and too quick to raise your quills. Let your defenses "
            "down a little and allow others to come close.",
            "Your skin may be sensitive to stress right now.",
        },
        { // 12
            "The Coyote", "Trickster",
            "Watch out, because the joke may be on you. The trickster in you sets clever traps and "
            "then falls into them himself. Laugh at your own mistakes and learn from them. Look "
            "honestly at the games you are playing.",
            "Someone may be fooling you, or you may be fooling yourself. Stop and check the facts "
            "before you go any further.",
            "Careless habits may be wearing you down.",
        },
        { // 13
            "The Dog", "Loyalty",
            "Stay true to those who have stood by you. Your faithfulness is a gift that will come "
            "back to you. Serve others with an open heart, but do not forget to be loyal to "
            "yourself. A true friend is near.",
            "You may be serving someone who does not deserve it, or you may have broken a promise. "
            "Think about where your loyalty truly belongs.",
            "You may feel better with more company and care.",
        },
        { // 14
            "The Wolf", "Teacher",
            "You have learned a great deal and now it is time to pass it on. Like the wolf, you "
            "find new trails and come back to show others the way. Teach by example and with "
            "patience. Take time alone to learn more, then return to your pack.",
            "You are keeping your knowledge to yourself, or you are refusing to learn from others. "
            "A good teacher is always a student too.",
            "Your mind may be tired from too many lessons.",
        },
        { // 15
            "The Raven", "Magic",
            "Magic is at work in your life. Be ready for a shift in the way you see things. Trust "
            "the unknown and let the darkness teach you. What you wish for may come true sooner "
            "than you think.",
            "You may be overlooking the magic in your life, or using your power for the wrong "
            "ends. Be careful what you wish for.",
            "Your energy may be unsettled by forces you cannot see.",
        },
        { // 16
            "The Mountain Lion", "Leadership",
            "You are called to lead, so step forward with courage. Lead by example and not by "
            "force. Others will follow you, and some may envy you. Stay true to your principles "
            "and use your power wisely.",
            "You may be afraid of taking the lead, or you may be pushing others around. A true "
            "leader serves those who follow.",
            "Your back may be carrying too much weight.",
        },
        { // 17
            "The Lynx", "Secrets",
            "You can see what others try to hide. Keep silent about what you know until the time "
            "is right. Listen more than you speak and you will learn the secrets of life. Your "
            "inner knowing is strong, so trust it.",
            "You may be telling secrets that are not yours to tell, or you may be hiding something "
            "from yourself. Be honest with your own heart.",
            "Your throat may hold words you have left unsaid.",
        },
        { // 18
            "The Buffalo", "Prayer & Abundance",
            "Give thanks for all you have and more will come to you. Pray with a grateful heart "
            "and share with those in need. Abundance flows to those who honor the gifts of life. "
            "Walk your path in peace and humility.",
            "You may be taking your blessings for granted. Remember to say thank you and to share "
            "what you have.",
            "Your body may need more nourishing food and rest.",
        },
        { // 19
            "The Mouse", "Scrutiny",
            "Look at the details before making your final decision. Points that may be insignificant to others, may matter a lot to you. You are very methodical but people may think you are hoarding. Learn to scrutinize everything with a magnifying glass before taking any step.",
            "Do not waste all your time in looking at minute details. Start with the big picture and then move towards the details. If you don't move now, you will be left behind.",
            "NA",
        },
        { // 20
            "The Owl", "Deception",
            "You can see in the dark what others cannot. Nobody can deceive you now if you trust "
            "what you see. Look beneath the surface of every offer and every smile. Your wisdom "
            "will keep you safe.",
            "You may be deceiving yourself or letting others deceive you. Look at the truth, even "
            "if it hurts.",
            "You may not be seeing your own needs clearly.",
        },
        { // 21
            "The Beaver", "Builder",
            "Build your dreams one log at a time. Work with others as a team and your home will be "
            "strong. Plan ahead and always keep a second way out. Your hard work will pay off.",
            "You may be working so much that you forget to live, or your plans may rest on weak "
            "ground. Check your foundations.",
            "Your teeth and jaw may carry tension.",
        },
        { // 22
            "The Opossum", "Diversion",
            "Sometimes the wisest move is not to fight at all. Use your wits to draw attention "
            "away from danger. Lie still if you must and wait for the threat to pass. A clever "
            "diversion can spare you a lot of trouble.",
            "You may be pretending that all is well when it is not. You have been lying still for "
            "too long, so get up and face the situation.",
            "You may be numbing your feelings instead of facing them.",
        },
        { // 23
            "The Crow", "Law",
            "Follow the higher law that speaks within you. Be honest and fair even when nobody is "
            "watching. Speak your truth and stand by your word. The universe keeps its own "
            "balance.",
            "You may be breaking your own rules or judging others too harshly. Look at your own "
            "conduct first.",
            "Your body may be out of step with its daily rhythm.",
        },
        { // 24
            "The Fox", "Camouflage",
            "Blend in and watch quietly. You do not need to draw attention to yourself to get what "
            "you want. Observe how others act before you show your hand. Your cleverness will "
            "carry you through.",
            "You may be hiding so well that nobody sees the real you. Step out and let your true "
            "colors show.",
            "You may be hiding your tiredness from others.",
        },
        { // 25
            "The Squirrel", "Gathering",
            "Put something away for the winter. Save your money, energy and time for the days you "
            "will need them. Plan for the future, but do not forget to enjoy today. Being prepared "
            "will give you peace of mind.",
            "You may be hoarding things you will never use, or you may be wasting what you have. "
            "Find the balance between the two.",
            "You may be storing up stress in your body.",
        },
        { // 26
            "The Dragonfly", "Illusion",
            "Things are not always what they seem. Look through the illusions you have built "
            "around yourself. Dreams and reality are mixing in your life now. Let your own light "
            "shine through and you will see clearly.",
            "You may be living in an illusion. Wake up and look at your life as it really is.",
            "Your mind may feel foggy and restless.",
        },
        { // 27
            "The Armadillo", "Boundaries",
            "Know where you end and others begin. Put on your armor and decide what you let in and "
            "what you keep out. Saying no is a way of respecting yourself. Strong boundaries will "
            "keep you safe.",
            "You may be letting everyone in until you feel drained, or your shell may be so thick "
            "that no one can reach you. Find the middle way.",
            "Your defenses may be low, so protect your energy.",
        },
        { // 28
            "The Badger", "Aggressiveness",
            "Stand up and fight for what you want. Use your fire and drive to get things done. Be "
            "bold, but do not hurt others on the way. Your determination will see you through.",
            "You may be too quick to anger, or you may be holding back when you should speak up. "
            "Use your anger wisely.",
            "Anger may be building up inside you.",
        },
        { // 29
            "The Rabbit", "Fear",
            "Face your fears and they will lose their power over you. What you fear most is often "
            "what you draw towards you. Think of good outcomes instead of bad ones. Move forward "
            "calmly, one step at a time.",
            "Fear is running your life. Stop worrying about what may never happen. Take one small "
            "brave step today.",
            "You may be holding your breath out of worry.",
        },
        { // 30
            "The Turkey", "Give - Away",
            "Give without expecting anything back. Your generosity will bless others and yourself. "
            "Share your time, your gifts and your knowledge. What you give away comes back to you "
            "many times over.",
            "You may be giving to be seen, or giving away too much of yourself. Give from the "
            "heart and not from duty.",
            "You may be giving away more energy than you have.",
        },
        { // 31
            "The Ant", "Patience",
            "Be patient and your work will bear fruit. Take small steps each day and trust the "
            "plan. Work together with others for the common good. Everything will come in its own "
            "time.",
            "You are in too much of a hurry. Impatience will only spoil what you have built.",
            "Your nerves may be on edge.",
        },
        { // 32
            "The Weasel", "Stealth",
            "Move quietly and notice what others miss. You can sense hidden motives and secret "
            "plans. Use this gift with care and keep what you observe to yourself. Silence is your "
            "strength.",
            "You may be using stealth for selfish ends, or you may be missing what is going on "
            "around you. Pay closer attention.",
            "Your senses may be overloaded.",
        },
        { // 33
            "The Grouse", "Sacred Spiral",
            "Your life moves in a spiral, not in a straight line. Each turn brings you back to old "
            "lessons at a higher level. Dance with the rhythm of life and let it carry you to your "
            "center. Find your own sacred path.",
            "You may be going around in circles without learning anything. Step out of the loop "
            "and find your center again.",
            "Your energy may be scattered and in need of focus.",
        },
        { // 34
            "The Horse", "Power",
            "Your power is growing. Use it to help others on their journey. True power comes from "
            "wisdom and compassion, not from control. Ride on with confidence and grace.",
            "You may be misusing your power or giving it away. Take back the reins of your life "
            "with humility.",
            "Your legs and back may need more care.",
        },
        { // 35
            "The Lizard", "Dreaming",
            "Pay attention to your dreams, for they hold messages for you. They can show you what "
            "your future may hold. Take time to daydream and let your imagination run free. What "
            "you see in your mind can come true.",
            "You may be ignoring your dreams or living only in them. Bring your dreams down to "
            "earth.",
            "You may be sleeping poorly and need more rest.",
        },
        { // 36
            "The Antelope", "Action",
            "The time for thinking is over, so act now. Trust your instincts and move swiftly. You "
            "already know what must be done. Take the first step and the road will open.",
            "You are waiting too long to act, or you are rushing in without a plan. Find the right "
            "moment and go.",
            "Your body may need more movement.",
        },
        { // 37
            "The Frog", "Cleansing",
            "It is time to cleanse your body, mind and spirit. Wash away the old and make room for "
            "the new. Let your tears flow if they need to. Water will renew you.",
            "You may be holding on to old emotions that weigh you down. Let them go and you will "
            "feel lighter.",
            "You may need to drink more water.",
        },
        { // 38
            "The Swan", "Grace",
            "Accept the changes coming to you with grace. Surrender to the flow of life and trust "
            "it. Your intuition is strong, so follow it. Beauty will come from within you.",
            "You may be resisting change or trying too hard to control it. Let go and let life "
            "carry you.",
            "You may feel stiff and out of flow.",
        },
        { // 39
            "The Dolphin", "Manna",
            "Breathe deeply and feel the life force in you. Each breath connects you with the "
            "rhythm of all living things. Play and be joyful, for this feeds your spirit. The "
            "breath of life is all around you.",
            "You may be holding your breath and cutting yourself off from life. Breathe out, "
            "breathe in and let joy back in.",
            "Your breathing may be shallow.",
        },
        { // 40
            "The Whale", "Record Keeper",
            "You carry the memory of the earth within you. Listen to the old songs and to the "
            "wisdom of your ancestors. Your own story holds the answers you seek. Use your voice "
            "to share what you know.",
            "You have forgotten where you come from. Look back at your history and learn from it.",
            "Your ears and emotions may be sensitive at this time.",
        },
        { // 41
            "The Bat", "Rebirth",
            "An old part of you is ending and something new is being born. Do not fear the "
            "darkness, for it leads to new life. Let go of who you were. You will rise again "
            "stronger than before.",
            "You are afraid of endings and so you cannot begin again. Face the dark and you will "
            "find the way out.",
            "You may be going through a period of deep renewal.",
        },
        { // 42
            "The Spider", "Weaving",
            "You are the weaver of your own life. Every thread you spin shapes your future. Be "
            "creative in all you do and weave with care. Do not get caught in the webs of others.",
            "You may be caught in a web of your own making. Untangle your thoughts and start "
            "weaving anew.",
            "Your nerves may be tangled from too much worry.",
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

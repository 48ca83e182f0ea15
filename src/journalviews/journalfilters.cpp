#include "journalfilters.h"

#include "journal/journalentry.h"
#include "journal/journalsearch.h"
#include "journal/journaltexts.h"
#include "oracle/carddeck.h"

#include <QComboBox>
#include <QLineEdit>

namespace Orvella {

namespace {

// Where the card filter holds cards chosen together: after "All cards" and each card.
constexpr int CardsTogetherItem = CardDeck::CardCount + 1;

// The show filter's items, in their order.
enum Show { All, Overdue, OnThisDay };

} // namespace

JournalFilters::JournalFilters(QLineEdit *search, QComboBox *spread, QComboBox *card,
                               QComboBox *show, QObject *parent)
    : QObject(parent), m_search(search), m_spread(spread), m_card(card), m_show(show)
{
    m_spread->addItem(QStringLiteral("All spreads"));
    for (const JournalSpread &spread : journalSpreads())
        m_spread->addItem(spread.name, spread.index);
    m_card->addItem(QStringLiteral("All cards"), -1);
    for (int each = 0; each < CardDeck::CardCount; ++each)
        m_card->addItem(CardDeck::cardName(each), each);
    m_show->addItems({QStringLiteral("Every reading"),
                      QStringLiteral("Waiting over a week to hear how they turned out"),
                      QStringLiteral("On this day in earlier years")});

    connect(m_search, &QLineEdit::textChanged, this, &JournalFilters::changed);
    connect(m_spread, &QComboBox::currentIndexChanged, this, &JournalFilters::changed);
    connect(m_card, &QComboBox::currentIndexChanged, this, [this](int index) {
        // Cards together are chosen in the statistics only: gone once another choice is made.
        if (index != CardsTogetherItem && m_card->count() > CardsTogetherItem) {
            const QSignalBlocker quiet(m_card);
            m_card->removeItem(CardsTogetherItem);
        }
        emit changed();
    });
    connect(m_show, &QComboBox::currentIndexChanged, this, &JournalFilters::changed);
}

JournalFilter JournalFilters::filter(QDate today) const
{
    const int show = m_show->currentIndex();
    JournalFilter filter{.text = m_search->text(),
                         .cards = cards(),
                         .overdueOn = show == Overdue ? today : QDate(),
                         .onThisDay = show == OnThisDay ? today : QDate()};
    if (const QVariant spread = m_spread->currentData(); spread.isValid())
        filter.spread = spread.toInt();
    return filter;
}

bool JournalFilters::filtering() const
{
    return m_spread->currentIndex() > 0 || m_card->currentIndex() > 0
           || m_show->currentIndex() != All;
}

bool JournalFilters::searching() const
{
    // As the journal searches: "?" finds every reading.
    return journalSearch(m_search->text()).searches();
}

QString JournalFilters::text() const
{
    QStringList kept;
    if (searching())
        kept << QStringLiteral("found by \"%1\"").arg(m_search->text().trimmed());
    if (m_spread->currentIndex() > 0)
        kept << QStringLiteral("of the ") + m_spread->currentText();
    if (m_card->currentIndex() > 0)
        kept << QStringLiteral("with ") + m_card->currentText();
    if (m_show->currentIndex() > 0) {
        QString show = m_show->currentText();
        show[0] = show[0].toLower();
        kept << show;
    }
    return inWords(kept);
}

QList<int> JournalFilters::cards() const
{
    const QVariant chosen = m_card->currentData();
    if (chosen.typeId() == QMetaType::QVariantList) {
        QList<int> together;
        for (const QVariant &card : chosen.toList())
            together << card.toInt();
        return together;
    }
    return chosen.toInt() >= 0 ? QList<int>{chosen.toInt()} : QList<int>{};
}

void JournalFilters::addCard(int card)
{
    // The readings behind a card's count in the statistics of a card's
    // readings hold both cards: listed together as one choice.
    QList<int> chosen = cards();
    if (chosen.contains(card))
        return;
    chosen << card;
    const QSignalBlocker quiet(m_card);
    if (m_card->count() > CardsTogetherItem)
        m_card->removeItem(CardsTogetherItem);
    if (chosen.size() == 1) {
        m_card->setCurrentIndex(m_card->findData(card));
        return;
    }
    QStringList names;
    QVariantList data;
    for (const int each : std::as_const(chosen)) {
        names << CardDeck::cardName(each);
        data << each;
    }
    m_card->addItem(inWords(names), data);
    m_card->setCurrentIndex(CardsTogetherItem);
}

void JournalFilters::chooseSpread(int spread)
{
    const QSignalBlocker quiet(m_spread);
    m_spread->setCurrentIndex(m_spread->findData(spread));
}

void JournalFilters::clear()
{
    {
        const QSignalBlocker spread(m_spread), card(m_card), show(m_show);
        m_spread->setCurrentIndex(0);
        m_card->setCurrentIndex(0);
        if (m_card->count() > CardsTogetherItem)
            m_card->removeItem(CardsTogetherItem);
        m_show->setCurrentIndex(All);
    }
    // Heard by the field itself too, or its clear button would stay.
    m_search->clear();
}

} // namespace Orvella

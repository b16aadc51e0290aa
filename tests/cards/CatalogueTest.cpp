#include "Deck.h"

#include <gtest/gtest.h>

using namespace vemo;

TEST(Catalogue, Placeholder)
{
    CardDeck deck;
    LoadVemoCardDeck(deck);
    EXPECT_EQ(deck(15), CardCode("BD"));
}

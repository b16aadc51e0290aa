// Run by OrcaTest.sh with Orca listening: a hand played by keys alone at the
// real table, then the results window. Every sentence the table announced
// must reach Orca's speech, in order; and among them each computer player's
// play, the turns, a colour chosen, a draw notice, the hand's end and the
// game's winner.
#include "../table/TablePlayer.h"
#include "../table/TableWindowFixture.h"
#include "Deck.h"
#include "FinalResults.h"
#include "RandomInteger.h"
#include "TableAnnouncer.h"
#include "frmFinal.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QSignalSpy>

using namespace vemo;

namespace {

// Orca's words, oldest first: each utterance its debug log recorded.
QStringList Spoken(const QString& logPath)
{
    QFile log(logPath);
    QStringList said;
    if (!log.open(QIODevice::ReadOnly)) return said;
    static const QRegularExpression utterance(QStringLiteral("SPEECH OUTPUT: '(.*)'"));
    for (const QByteArray& line : log.readAll().split('\n'))
        if (const auto match = utterance.match(QString::fromUtf8(line)); match.hasMatch()) said << match.captured(1);
    return said;
}

// How many of sentences Orca said, in their order, each within one utterance.
qsizetype HeardInOrder(const QStringList& sentences, const QStringList& said)
{
    qsizetype heard = 0;
    for (qsizetype at = 0; at < said.size() && heard < sentences.size(); ++at)
        while (heard < sentences.size() && said[at].contains(sentences[heard])) ++heard;
    return heard;
}

class OrcaHears : public TableWindow {};

// The seed of a deal whose first hand brings every kind of event in 13 turns.
constexpr std::uint64_t kShortHand = 5;

} // namespace

TEST_F(OrcaHears, AHandPlayedByKeysIsHeardEventByEvent)
{
    const QString logPath = qEnvironmentVariable("VEMO_ORCA_LOG");
    if (logPath.isEmpty()) GTEST_SKIP() << "OrcaTest.sh runs this with Orca listening";
    shell.choice.ScoreLimit = 500; // the game goes on past the first hand
    // The game's own pace: the one a player with a screen reader meets, and
    // one a screen reader keeps up with even on a busy machine.
    table->SetTimeScale(1.0);
    // A fixed deal: a random hand took up to three times as long, and a
    // failure can be replayed.
    SeedRandom(kShortHand);
    LoadVemoCardDeck(engine->State().Deck);
    ShuffleFullDeck(engine->State().Deck);
    QSignalSpy spy(table->Announcer(), &TableAnnouncer::announced);
    Activate();

    const QStringList wanted = {
        QStringLiteral("^Adam plays "), QStringLiteral("^Ruth plays "), QStringLiteral("^Ben plays "),
        QStringLiteral("^It is \\w+'s turn\\.$"), QStringLiteral(" chooses (Blue|Green|Purple|Red)\\.$"),
        QStringLiteral("^You have drawn a "), QStringLiteral(" wins the hand\\. ")};
    QStringList announced;
    const auto allHeard = [&] {
        while (announced.size() < spy.size()) announced << spy.at(announced.size()).at(0).toString().simplified();
        for (const QString& pattern : wanted)
            if (announced.filter(QRegularExpression(pattern)).isEmpty()) return false;
        return true;
    };
    TablePlayer player(*table, *engine, TablePlayer::Keyboard);
    TablePlayer::sendDirectly = true;
    // Hands are played until each kind of event has come up at least once.
    PlayUntil(player, [&] { return allHeard() || !gameShell.exits.empty(); }, 400);
    ASSERT_TRUE(allHeard()) << "the game did not bring every kind of event:\n"
                            << announced.join(QLatin1Char('\n')).toStdString();

    // The game ends here: the results window says who won.
    const FinalResults results = ComputeFinalResults(engine->State(), false);
    bool closed = false;
    auto* window = new frmFinal(table.get(), results, [&](bool) { closed = true; });
    window->open();
    const QString winner = QString::fromStdString(results.FrameCaption + " " + results.WinnerText);
    ASSERT_TRUE(QTest::qWaitFor([&] { return spy.size() > announced.size(); }));
    allHeard();
    ASSERT_TRUE(announced.last().startsWith(winner)) << announced.last().toStdString();

    // Orca reads at its own pace: give it time to catch up.
    QElapsedTimer waited;
    waited.start();
    QStringList said = Spoken(logPath);
    while (HeardInOrder(announced, said) < announced.size() && waited.elapsed() < 60'000) {
        QTest::qWait(250);
        said = Spoken(logPath);
    }
    const qsizetype heard = HeardInOrder(announced, said);
    EXPECT_EQ(heard, announced.size()) << "Orca never said: "
                                       << (heard < announced.size() ? announced[heard].toStdString() : "");
    window->reject();
    EXPECT_TRUE(closed);
}

#include "frmPrimer.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QKeySequence>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringList>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

#include <algorithm>
#include <iterator>

namespace vemo {

namespace {

// The list lines line up their points only in a fixed-pitch face; these read
// well at text size, in order of preference.
QFont PrimerFont()
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setFamilies({QStringLiteral("DejaVu Sans Mono"), QStringLiteral("Noto Sans Mono"),
                      QStringLiteral("Liberation Mono"), font.family()});
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    font.setPointSize(10);
    return font;
}

// Keys that only move through the text, select it or copy it; every other key
// is dropped before the text box sees it.
bool IsReadingKey(const QKeyEvent* key)
{
    switch (key->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Escape:
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_Meta:
        return true;
    default:
        break;
    }
    return key->matches(QKeySequence::Copy) || key->matches(QKeySequence::SelectAll);
}

const QString kHeadings[] = {
    QStringLiteral("Object:"),
    QStringLiteral("Scoring:"),
    QStringLiteral("Game Play:"),
    QStringLiteral("Special Card Instructions:"),
    QStringLiteral("Computer Game Info:"),
};

// The title and the block headings in bold, the title a little larger, so the
// eye finds the sections; the text itself stays exactly as built.
void EmphasiseHeadings(QPlainTextEdit* text)
{
    QTextDocument* document = text->document();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        const bool title = block.blockNumber() == 0;
        const bool heading = std::find(std::begin(kHeadings), std::end(kHeadings), block.text()) != std::end(kHeadings);
        if (!title && !heading)
            continue;
        QTextCursor cursor(block);
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        QTextCharFormat format;
        format.setFontWeight(QFont::Bold);
        if (title)
            format.setFontPointSize(text->font().pointSizeF() + 2.0);
        cursor.mergeCharFormat(format);
    }
}

} // namespace

QString frmPrimer::PrimerText()
{
    const QStringList lines{
        QStringLiteral("An Introduction to the Computerized Vemo Card Game"),
        QString(),
        kHeadings[0],
        QStringLiteral("Be the first player to get rid of all of your cards and have the lowest point total at the end "
                       "of the game."),
        QString(),
        kHeadings[1],
        QStringLiteral("A game is played to a point limit of 50, 100, 200 or 500 points, chosen when the game is set up. "
                       "When a round ends and any player's total has reached the limit, the game is over and the player "
                       "with the lowest total wins. A player who ends a round with a Vemo card has 25 points deducted "
                       "from his or her total. When another player ends the round, each player adds the following "
                       "points for every card still in his or her hand:"),
        QStringLiteral("* Devil  50 points"),
        QStringLiteral("* Sin    25 points"),
        QStringLiteral("* Temptation 10 points"),
        QStringLiteral("* Trial  10 points"),
        QStringLiteral("* Prayer 5 points"),
        QStringLiteral("* Ask    5 points"),
        QStringLiteral("* Grace  5 points"),
        QStringLiteral("* Blessing   5 points"),
        QStringLiteral("* Vemo   0 points"),
        QStringLiteral("* 1-7    1-7 face value"),
        QString(),
        kHeadings[2],
        QStringLiteral("* The Vemo deck has 92 cards: 56 numbered cards, 1 to 7, 14 in each of the colours blue, green, "
                       "purple and red, and 36 word cards, 4 each of Devil, Sin, Temptation, Trial, Prayer, Grace, Ask, "
                       "Blessing and Vemo. The Devil, Sin, Temptation and Trial cards are the evil cards, one of each "
                       "in every colour. Prayer, Grace, Ask, Blessing and Vemo are the Cards of Light."),
        QStringLiteral("* Each player is dealt 7 cards."),
        QStringLiteral("* The rest of the deck is placed face down, and its top card is turned up to start the discard "
                       "pile. A Card of Light is never turned up first; an evil card turned up first must be answered "
                       "by the first player as if the dealer had played it."),
        QStringLiteral("* Play begins with the player to the left of the dealer and moves clockwise, unless the "
                       "direction is reversed by a Prayer card. The deal passes to the next player after every round."),
        QStringLiteral("* A card may be played on the discard pile when it matches the top card by colour, by number or "
                       "by word (a Sin on a Sin of another colour, for example). A Card of Light may be played on any "
                       "card. After a Card of Light, the colour chosen by the player who played it must be matched."),
        QStringLiteral("* A player who cannot or will not play a card draws one card from the deck. If the drawn card "
                       "can be played, it may be played at once; otherwise the turn ends."),
        QStringLiteral("* A player who discards his or her last card must say Vemo. In this program you click the "
                       "\"say Vemo\" button within a few seconds; if you do not, you draw one card and play goes on."),
        QStringLiteral("* A round cannot be ended with an evil card. A player who discards a Devil, Sin, Temptation or "
                       "Trial as the last card draws one card and play goes on."),
        QString(),
        kHeadings[3],
        QStringLiteral("* Cards of Light: Prayer, Grace, Ask, Blessing and Vemo cards are wild cards. They may be played "
                       "on any card, and the player who plays one chooses the colour the next player must match."),
        QStringLiteral("* Blessing: The player chooses a colour and plays again at once (an extra turn)."),
        QStringLiteral("* Grace: The player chooses a colour and plays again at once. A Grace played in answer to a "
                       "Devil, Sin or Temptation cancels the draw, and the player plays again. A Grace played in "
                       "answer to a Trial leaves the player one card to draw, and the turn ends."),
        QStringLiteral("* Ask: The player chooses a colour and asks the next player for a Card of Light: first a "
                       "Grace, then a Blessing, then a Prayer, then a Vemo. The first of these that the next player "
                       "holds is handed over to the asking player; a player who hands over the last card has gone "
                       "out. If the next player holds none of them, that player draws one card and loses the turn. "
                       "Answer truthfully: the computer knows your hand. A round cannot be ended with an Ask card; a "
                       "player who has nothing left after asking in vain draws one card."),
        QStringLiteral("* Prayer: The player chooses a colour and the direction of play is reversed. A Prayer played in "
                       "answer to a Devil, Sin or Temptation cancels the draw and reverses the direction; played in "
                       "answer to a Trial, it reverses the direction and the player draws one card. Either way the "
                       "turn ends. Right after a Prayer, a player holding a Vemo card may play it out of turn."),
        QStringLiteral("* Vemo: The player chooses a colour; the turn then passes on as usual. A Vemo played right "
                       "after a Prayer, by any player and out of turn, gives that player the next turn. A player who "
                       "goes out with a Vemo card has 25 points deducted from his or her total."),
        QStringLiteral("* Devil: The next player must draw 4 cards and loses the turn, unless he or she answers with "
                       "a Grace or a Prayer."),
        QStringLiteral("* Sin: The next player must draw 3 cards and loses the turn, unless he or she answers with a "
                       "Grace or a Prayer."),
        QStringLiteral("* Temptation: The next player must draw 2 cards and loses the turn, unless he or she answers "
                       "with a Grace or a Prayer."),
        QStringLiteral("* Trial: The next player must draw 2 cards and loses the turn. Answering with a Grace or a "
                       "Prayer lowers the draw to 1 card."),
        QString(),
        kHeadings[4],
        QStringLiteral("* Drawing Cards: Double-click the deck, press Ctrl-D, or choose Options > Draw Card."),
        QStringLiteral("* Playing Cards: Double-click a card in your hand, or drag and drop it onto the discard pile."),
        QStringLiteral("* Sorting Your Hand: Click your name or the sort message under your hand, press Ctrl-H, or "
                       "choose Options > Sort Hand."),
        QStringLiteral("* Resume Game/Open Game: Save a game with File > Save Game and continue it later with Resume "
                       "Saved Game in the game setup window or with File > Open Game."),
        QStringLiteral("* Best Scores: View > Best Scores lists the completed games by the largest point difference "
                       "between the winner and the loser."),
        QStringLiteral("* Help: Hypertext online help is available."),
        QStringLiteral("* Vemo Primer: This online document."),
    };
    return lines.join(QStringLiteral("\r\n"));
}

frmPrimer::frmPrimer(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmPrimer"));
    setWindowTitle(QStringLiteral("Vemo Primer"));
    setModal(true);

    txtHelp_ = new QPlainTextEdit(this);
    txtHelp_->setObjectName(QStringLiteral("txtHelp"));
    txtHelp_->setFont(PrimerFont());
    txtHelp_->setPlainText(PrimerText());
    txtHelp_->setReadOnly(true);
    // Read-only, but the caret still moves so the keyboard can scroll and select.
    txtHelp_->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    txtHelp_->setTabChangesFocus(true);
    txtHelp_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    txtHelp_->setUndoRedoEnabled(false);
    txtHelp_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    txtHelp_->document()->setDocumentMargin(10);
    EmphasiseHeadings(txtHelp_);
    txtHelp_->installEventFilter(this);

    cmdOK_ = new QPushButton(QStringLiteral("OK"), this);
    cmdOK_->setObjectName(QStringLiteral("cmdOK"));
    cmdOK_->setDefault(true);
    cmdOK_->setMinimumWidth(90);
    connect(cmdOK_, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(txtHelp_, 1);
    layout->addLayout(buttons);

    // Wide enough for the list lines and a comfortable paragraph measure.
    const QFontMetrics metrics(txtHelp_->font());
    resize(metrics.horizontalAdvance(QLatin1Char('M')) * 78 + 60, 520);
}

frmPrimer* frmPrimer::ShowPrimer(QWidget* parent)
{
    auto* primer = new frmPrimer(parent);
    primer->setAttribute(Qt::WA_DeleteOnClose, true);
    primer->open();
    primer->txtHelp()->setFocus(Qt::OtherFocusReason);
    return primer;
}

bool frmPrimer::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == txtHelp_ && (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)) {
        if (!IsReadingKey(static_cast<QKeyEvent*>(event)))
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace vemo

#include "support/lottovoxfixture.h"

#include "ui/desktop/colours.h"

#include <QDir>
#include <QEvent>

#include <new>

namespace {

using Announcing = LottovoxTest;

TEST_F(Announcing, LetterAndCaptionAtEachColumnBoundary)
{
    const struct {
        int number;
        const char* caption;
    } cases[] = { { 15, "B 15" }, { 16, "I 16" }, { 30, "I 30" }, { 31, "N 31" }, { 45, "N 45" },
        { 46, "G 46" }, { 60, "G 60" }, { 61, "O 61" }, { 75, "O 75" }, { 7, "B 7" } };
    pressNextNumber();
    for (const auto& c : cases) {
        clock.advance(5000);
        makeNextCall(c.number);
        player.clearLog();
        pressNextNumber();
        ASSERT_EQ(shared().CurrentNumber, c.number);
        EXPECT_EQ(form().lblCurrent_Call->text(), c.caption);
        EXPECT_EQ(shared().CallLetter, QString(c.caption[0]));
        EXPECT_EQ(player.fileNames(), QStringList({ QString(c.caption[0]) + ".wav", QString::number(c.number) + ".wav" }));
    }
}

TEST_F(Announcing, CalledSquareTurnsWhiteOnBlackAndTheCallShowsBeforeAnySound)
{
    int paintsBeforeSound = -1;
    QString captionAtSound;
    int paints = 0;
    struct PaintCounter : QObject {
        int& count;
        explicit PaintCounter(int& c)
            : count(c)
        {
        }
        bool eventFilter(QObject*, QEvent* event) override
        {
            count += event->type() == QEvent::Paint ? 1 : 0;
            return false;
        }
    } counter(paints);
    form().lblCurrent_Call->installEventFilter(&counter);
    player.onPlay([&](const QString&) {
        if (paintsBeforeSound < 0) {
            paintsBeforeSound = paints;
            captionAtSound = form().lblCurrent_Call->text();
        }
    });
    pressNextNumber();
    const int number = shared().CurrentNumber;
    EXPECT_GT(paintsBeforeSound, 0);
    EXPECT_EQ(captionAtSound, form().lblCurrent_Call->text());
    EXPECT_FALSE(captionAtSound.isEmpty());
    EXPECT_EQ(backColor(form().lblCalled[number - 1]), Black);
    EXPECT_EQ(foreColor(form().lblCalled[number - 1]), White);
    form().lblCurrent_Call->removeEventFilter(&counter);
}

TEST_F(Announcing, NinetyPlayShowsAndSpeaksTheNumberAloneAndKeepsTheLastLetter)
{
    pressNextNumber();
    const QString letterOfSeventyFive = shared().CallLetter;
    answerNewGame(YesNoBox::Yes);
    selectNinety();
    pressNextNumber();
    clock.advance(5000);
    makeNextCall(90);
    player.clearLog();
    pressNextNumber();
    EXPECT_EQ(form().lblCurrent_Call->text(), "90");
    EXPECT_EQ(player.fileNames(), QStringList({ "90.wav" }));
    EXPECT_EQ(shared().CallLetter, letterOfSeventyFive);
    EXPECT_EQ(shared().CallText, "90");
}

TEST_F(Announcing, RepeatPlaysTheSameFilesOnceASecondAfterTheAnnouncementEnded)
{
    player.setDuration("B.wav", 400);
    pressNextNumber();
    clock.advance(5000);
    player.clearLog();
    makeNextCall(7);
    pressNextNumber();
    const std::int64_t announcementEnd = clock.now();
    ASSERT_EQ(player.log().size(), 2u);
    clock.advance(20000);
    ASSERT_EQ(player.log().size(), 4u);
    EXPECT_EQ(player.log()[2].start, announcementEnd + 1000);
    EXPECT_EQ(player.log()[2].path, Folder + QDir::separator() + "B.wav");
    EXPECT_EQ(player.log()[3].path, Folder + QDir::separator() + "7.wav");
    EXPECT_FALSE(program->tmrRepeatTimer().isActive());
}

TEST_F(Announcing, SoundSwitchesDecideWhatIsPlayed)
{
    // Sound off: silence and no repeat, though the call is shown.
    click(form().chkSound);
    pressNextNumber();
    clock.advance(5000);
    EXPECT_TRUE(player.log().empty());
    EXPECT_FALSE(form().lblCurrent_Call->text().isEmpty());

    // Sound on, Repeat Call off: once only.
    click(form().chkSound);
    click(form().chkRepeat);
    pressNextNumber();
    clock.advance(5000);
    EXPECT_EQ(player.log().size(), 2u);

    // Repeat switched on, then Sound switched off between call and repeat: it still plays.
    click(form().chkRepeat);
    pressNextNumber();
    click(form().chkSound);
    clock.advance(5000);
    EXPECT_EQ(player.log().size(), 6u);
    EXPECT_FALSE(shared().SoundOn);
    EXPECT_TRUE(shared().RepeatOn);
}

TEST_F(Announcing, MissingNumberFileStillPlaysTheLetterAndShowsTheCall)
{
    pressNextNumber();
    clock.advance(5000);
    player.clearLog();
    makeNextCall(31);
    player.makeMissing("31.wav");
    pressNextNumber();
    ASSERT_EQ(player.log().size(), 2u);
    EXPECT_TRUE(player.log()[0].played);
    EXPECT_FALSE(player.log()[1].played);
    EXPECT_EQ(form().lblCurrent_Call->text(), "N 31");
    EXPECT_EQ(backColor(form().lblCalled[30]), Black);
    EXPECT_TRUE(program->tmrRepeatTimer().isActive());
}

// A player that throws (no memory left for the samples, say) ends that call unheard; the call is
// on the board all the same, its repeat still follows, and the game goes on.
TEST_F(Announcing, PlayerThatThrowsLeavesTheCallUnheardAndTheGameGoingOn)
{
    bool failing = true;
    player.onPlay([&failing](const QString&) {
        if (failing)
            throw std::bad_alloc();
    });
    pressNextNumber();
    EXPECT_EQ(state().CallCount, 1);
    EXPECT_FALSE(form().lblCurrent_Call->text().isEmpty());
    EXPECT_TRUE(program->tmrRepeatTimer().isActive());

    failing = false;
    clock.advance(5000);
    pressNextNumber();
    EXPECT_EQ(state().CallCount, 2);
    EXPECT_EQ(player.log().size(), 4u) << "the first call's repeat and the second call, letter and number";
}

TEST(AnnouncingPath, SeparatorIsAppendedEvenWhenTheFolderEndsInOne)
{
    VirtualClock clock;
    FakeSoundPlayer player(clock);
    FakeYesNoBox confirmation;
    FakeBrowser browser;
    Lottovox program(Platform { player, confirmation, browser, [] { return std::uint64_t { 1 }; },
        [] { return QString("/games/"); },
        [&](int milliseconds, QObject*) { return clock.makeTimer(milliseconds); } });
    program.form().cmdNextNumber->click();
    const QString doubled = QString("/games/") + QDir::separator();
    EXPECT_EQ(program.shared().SoundPath, doubled);
    ASSERT_FALSE(player.log().empty());
    EXPECT_TRUE(player.log()[0].path.startsWith(doubled));
}

} // namespace

// The error log and the questions asked after a fault.

#include "ReportError.h"
#include "clsPlayer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <stdexcept>
#include <unistd.h>

using namespace vemo;
namespace fs = std::filesystem;

namespace {

const std::string kTwoBreaks = "\r\n\r\n";

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Splits on CR LF; a bare LF or CR left inside a line is a failure.
std::vector<std::string> CrLfLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    lines.push_back(text.substr(start)); // what follows the last CR LF
    for (const auto& line : lines) EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << line;
    return lines;
}

bool IsDateTime(const std::string& line) { return std::regex_match(line, std::regex(R"(\d{4}-\d{2}-\d{2} \d{2}:\d{2}:\d{2})")); }

// Records the questions in order ("ask", "unlogged", "terminate") and answers
// "continue?" with Yes but for the one numbered noAt.
struct RecordingHandler : ErrorReportHandler {
    std::vector<std::string> events, titles, texts, logAtAsk;
    std::size_t noAt = 0;
    bool AskContinueAfterError(const std::string& title, const std::string& text) override
    {
        Record("ask", title, text);
        logAtAsk.push_back(ReadFile(ErrorLogPath()));
        return logAtAsk.size() != noAt;
    }
    void ShowUnloggedError(const std::string& title, const std::string& text) override { Record("unlogged", title, text); }
    void TerminateNow() override { events.push_back("terminate"); }
    void Record(const char* event, const std::string& title, const std::string& text)
    {
        events.push_back(event);
        titles.push_back(title);
        texts.push_back(text);
    }
};

// Each test logs into its own directory and leaves the reporter as it found it.
class ReportErrorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        SetErrorLogDirectory(dir_);
        SetErrorReportHandler(&handler_);
    }
    void TearDown() override
    {
        SetErrorReportHandler(nullptr);
        SetErrorLogDirectory(".");
        SetErrorStateSource(nullptr);
        fs::remove_all(dir_);
    }
    std::string Log() const { return ReadFile(dir_ / "error.log"); }

    const fs::path dir_ = fs::temp_directory_path() /
                          ("vemo-report-" + std::to_string(::getpid()) + "-" +
                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    RecordingHandler handler_;
};

} // namespace

TEST_F(ReportErrorTest, EntriesAreAppendedWithTheGameStateAndTheNonEmptyDetails)
{
    SetErrorReportHandler(nullptr);
    std::ofstream(dir_ / "error.log", std::ios::binary) << "an earlier run\r\n";
    const struct { bool inGame; std::array<std::int16_t, 5> scores; const char* card; char direction;
                   const char *d1, *d2, *d3, *scoreLine, *cardLine; std::vector<std::string> details; } cases[] = {
        {false, {}, "", ' ', "", "", "", "score=0/0/0/0", "CurrCard=    CurrDirection=", {}},
        {true, {0, 12, 0, 57, 103}, "B5", 'R', "one", "", "", "score=12/0/57/103", "CurrCard=B5  CurrDirection=R", {"one"}},
        {true, {0, 499, 500, 1, -3}, "LP", 'L', "a", "", "c", "score=499/500/1/-3", "CurrCard=LP  CurrDirection=L", {"a", "c"}},
        {false, {}, "", ' ', "a", "b", "c", "score=0/0/0/0", "CurrCard=    CurrDirection=", {"a", "b", "c"}},
    };
    std::size_t at = 0;
    int number = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cardLine);
        TableState state;
        state.Scores = c.scores;
        state.CurrCard = CardCode(c.card);
        state.CurrDirection = c.direction;
        SetErrorStateSource(c.inGame ? &state : nullptr);
        const std::string n = std::to_string(++number);
        ReportError("Procedure" + n, number, "Fault " + n, c.d1, c.d2, c.d3);
        SetErrorStateSource(nullptr);

        const std::string log = Log();
        ASSERT_EQ(log.rfind("an earlier run\r\n", 0), 0u);
        const auto lines = CrLfLines(log.substr(16));
        ASSERT_EQ(lines.size(), at + 9 + c.details.size());
        const std::vector<std::string> head(lines.begin() + long(at), lines.begin() + long(at) + 8);
        EXPECT_TRUE(IsDateTime(head[4])) << head[4];
        EXPECT_EQ(head, (std::vector<std::string>{"", std::string(52, '-'), "Error in " + dir_.string() + "/Vemo v1.0.0",
                                                  "Error #" + n + " Fault " + n, head[4], "proc = Procedure" + n,
                                                  c.scoreLine, c.cardLine}));
        EXPECT_EQ(std::vector<std::string>(lines.begin() + long(at) + 8, lines.end() - 1), c.details);
        EXPECT_EQ(lines.back(), ""); // the entry ends with CR LF
        at = lines.size() - 1;
    }
}

// A fault trapped under a procedure's name is logged whole before the
// question; Yes carries on with the fallback value, No ends the program.
TEST_F(ReportErrorTest, TrappedFaultsAskWhetherToContinue)
{
    EXPECT_EQ(Trapped("ScoreHand", 0, [] { return 42; }), 42);
    int runs = 0;
    Trapped("RemoveAllCards", [&] { ++runs; });
    EXPECT_EQ(runs, 1);
    EXPECT_FALSE(fs::exists(dir_ / "error.log")) << "nothing to report without a fault";

    handler_.noAt = 3;
    EXPECT_EQ(Trapped("GetCardToPlay", -1, []() -> int { throw std::out_of_range("Subscript out of range"); }), -1);
    // No real hand comes near the 16-bit limit; a corrupt one must not wrap round.
    clsPlayer devils;
    for (int k = 0; k < 700; ++k) devils.AddACard(CardCode("BD")); // 35000 points
    EXPECT_EQ(devils.ScoreHand(), 0);
    Trapped("SaveGame", [] { throw std::overflow_error("Overflow"); });

    EXPECT_EQ(handler_.events, (std::vector<std::string>{"ask", "ask", "ask", "terminate"}));
    EXPECT_EQ(handler_.titles, (std::vector<std::string>{"Vemo v1.0 Error #9", "Vemo v1.0 Error #6", "Vemo v1.0 Error #6"}));
    EXPECT_EQ(handler_.texts[2], "error: Overflow" + kTwoBreaks + "The error above has interrupted the processing of Vemo." +
                                     kTwoBreaks + "The error has been logged to the file " + (dir_ / "error.log").string() +
                                     "." + kTwoBreaks +
                                     "The program can now attempt to continue in spite of the error, or the program can "
                                     "terminate." +
                                     kTwoBreaks + "Would you like the program to attempt to continue?");
    // Each entry was complete on disk before its question.
    const auto lines = CrLfLines(Log());
    ASSERT_EQ(lines.size(), 25u);
    EXPECT_EQ(CrLfLines(handler_.logAtAsk[0]).size(), 9u);
    EXPECT_EQ(handler_.logAtAsk[2], Log());
    EXPECT_EQ((std::vector<std::string>{lines[3], lines[5], lines[13], lines[19], lines[21]}),
              (std::vector<std::string>{"Error #9 Subscript out of range", "proc = GetCardToPlay", "proc = ScoreHand",
                                        "Error #6 Overflow", "proc = SaveGame"}));
}

// A log that cannot be written shows what it would have held and ends the
// program; without a handler (no window yet) the program carries on, and a
// log that can be written again afterwards works as before.
TEST_F(ReportErrorTest, UnwritableLogShowsTheSituationAndTerminates)
{
    // Ways the log cannot be opened that hold even for a privileged user.
    for (const char* why : {"error.log is a directory", "directory under a regular file", "no handler"}) {
        SCOPED_TRACE(why);
        handler_ = RecordingHandler();
        if (why[0] == 'n') SetErrorReportHandler(nullptr);
        fs::remove_all(dir_ / "error.log");
        if (why[0] == 'd') std::ofstream(dir_ / "plain") << "x";
        else fs::create_directory(dir_ / "error.log");
        SetErrorLogDirectory(why[0] == 'd' ? dir_ / "plain" / "sub" : dir_);
        TableState state;
        state.Scores = {0, 4, 3, 2, 1};
        state.CurrCard = CardCode("RD");
        state.CurrDirection = 'L';
        SetErrorStateSource(&state);

        ReportError("SaveGame", 3022, "Duplicate key", "first detail", "", "third detail");

        EXPECT_TRUE(fs::is_directory(dir_ / "error.log") || !fs::exists(dir_ / "error.log"));
        if (why[0] == 'n') {
            EXPECT_TRUE(handler_.events.empty());
            fs::remove(dir_ / "error.log");
            ReportError("MainGameLoop", 91, "Object variable not set");
            const auto lines = CrLfLines(Log());
            ASSERT_EQ(lines.size(), 9u);
            EXPECT_EQ(lines[3], "Error #91 Object variable not set");
            continue;
        }
        ASSERT_EQ(handler_.events, (std::vector<std::string>{"unlogged", "terminate"}));
        EXPECT_EQ(handler_.titles[0], "Vemo v1.0 Error #3022");
        const std::string& text = handler_.texts[0];
        ASSERT_EQ(text.rfind(" error: ", 0), 0u) << text;
        const std::size_t afterFault = text.find(kTwoBreaks);
        ASSERT_NE(afterFault, std::string::npos);
        EXPECT_GT(afterFault, 8u) << "the logging fault's text";
        auto lines = CrLfLines(text.substr(afterFault + kTwoBreaks.size()));
        ASSERT_EQ(lines.size(), 11u) << text;
        EXPECT_TRUE(IsDateTime(lines[4])) << lines[4];
        EXPECT_EQ(lines, (std::vector<std::string>{
                             "The error above has interrupted the processing of Vemo.", "",
                             "The error could NOT be logged to the error log will terminate the program.  Please make note "
                             "of all of the information below for obtaining technical support.",
                             "", lines[4], "proc = SaveGame", "score=4/3/2/1", "CurrCard=RD  CurrDirection=L",
                             "first detail", "third detail", ""}));
    }
}

// The program's own numbers for the faults it meets (9 and 6: the trapped
// faults above); a system error keeps its own.
TEST(FaultNumber, Mapping)
{
    EXPECT_EQ(FaultNumber(std::bad_alloc()), 7);
    EXPECT_EQ(FaultNumber(std::runtime_error("x")), 5);
    EXPECT_EQ(FaultNumber(fs::filesystem_error("x", std::make_error_code(std::errc::no_such_file_or_directory))), 2);
}

// The error log and the questions asked after a fault.

#include "ReportError.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <functional>
#include <fstream>
#include <iterator>
#include <new>
#include <regex>
#include <stdexcept>
#include <string>
#include <system_error>
#include <unistd.h>
#include <vector>

using namespace vemo;
namespace fs = std::filesystem;

namespace {

const std::string kSeparator(52, '-');
const std::string kTwoBreaks = "\r\n\r\n";

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Splits on CR LF; a bare LF or CR left inside a line shows up in the check.
std::vector<std::string> CrLfLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    lines.push_back(text.substr(start)); // what follows the last CR LF
    return lines;
}

// Line feeds or carriage returns that are not part of a CR LF pair.
int BareBreaks(const std::string& text)
{
    int bare = 0;
    for (std::size_t k = 0; k < text.size(); ++k) {
        if (text[k] == '\r' && (k + 1 == text.size() || text[k + 1] != '\n')) ++bare;
        if (text[k] == '\n' && (k == 0 || text[k - 1] != '\r')) ++bare;
    }
    return bare;
}

bool IsDateTime(const std::string& line)
{
    return std::regex_match(line, std::regex(R"(\d{4}-\d{2}-\d{2} \d{2}:\d{2}:\d{2})"));
}

class RecordingHandler : public ErrorReportHandler {
public:
    bool AskContinueAfterError(const std::string& title, const std::string& text) override
    {
        events.push_back("ask");
        titles.push_back(title);
        texts.push_back(text);
        logAtAsk = ReadFile(ErrorLogPath());
        return answer;
    }
    void ShowUnloggedError(const std::string& title, const std::string& text) override
    {
        events.push_back("unlogged");
        titles.push_back(title);
        texts.push_back(text);
    }
    void TerminateNow() override { events.push_back("terminate"); }

    bool answer = true;
    std::vector<std::string> events;
    std::vector<std::string> titles;
    std::vector<std::string> texts;
    std::string logAtAsk;
};

// Each test logs into its own directory and leaves the reporter as it found it.
class ReportErrorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = fs::temp_directory_path() /
               ("vemo-report-" + std::to_string(::getpid()) + "-" + info->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        SetErrorLogDirectory(dir_);
    }
    void TearDown() override
    {
        SetErrorReportHandler(nullptr);
        SetErrorLogDirectory(".");
        SetErrorStateSource(nullptr);
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
    }

    std::string Log() const { return ReadFile(dir_ / "error.log"); }
    std::string Header() const { return "Error in " + dir_.string() + "/Vemo v1.0.0"; }

    fs::path dir_;
};

} // namespace

TEST_F(ReportErrorTest, EntriesAreAppendedWithTheGameStateAndTheNonEmptyDetails)
{
    {
        std::ofstream earlier(dir_ / "error.log", std::ios::binary);
        earlier << "an earlier run\r\n";
    }
    const struct {
        bool inGame;
        std::array<std::int16_t, 5> scores;
        const char* card;
        char direction;
        const char* d1;
        const char* d2;
        const char* d3;
        const char* scoreLine;
        const char* cardLine;
        std::vector<std::string> details;
    } cases[] = {
        {false, {}, "", ' ', "", "", "", "score=0/0/0/0", "CurrCard=    CurrDirection=", {}},
        {true, {0, 12, 0, 57, 103}, "B5", 'R', "one", "", "", "score=12/0/57/103", "CurrCard=B5  CurrDirection=R",
         {"one"}},
        {true, {0, 0, 0, 0, 0}, "G*", 'L', "", "two", "", "score=0/0/0/0", "CurrCard=G*  CurrDirection=L", {"two"}},
        {true, {0, 499, 500, 1, -3}, "LP", 'L', "a", "", "c", "score=499/500/1/-3", "CurrCard=LP  CurrDirection=L",
         {"a", "c"}},
        {false, {}, "", ' ', "a", "b", "c", "score=0/0/0/0", "CurrCard=    CurrDirection=", {"a", "b", "c"}},
    };
    EXPECT_EQ(ErrorLogPath(), dir_ / "error.log");
    std::size_t at = 0;
    int number = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cardLine);
        TableState state;
        state.Scores = c.scores;
        state.CurrCard = CardCode(c.card);
        state.CurrDirection = c.direction;
        SetErrorStateSource(c.inGame ? &state : nullptr);
        const std::string proc = "Procedure" + std::to_string(++number);
        ReportError(proc, number, "Fault " + std::to_string(number), c.d1, c.d2, c.d3);
        SetErrorStateSource(nullptr);

        const std::string log = Log();
        ASSERT_EQ(log.rfind("an earlier run\r\n", 0), 0u);
        EXPECT_EQ(BareBreaks(log), 0);
        const auto lines = CrLfLines(log.substr(std::string("an earlier run\r\n").size()));
        ASSERT_EQ(lines.size(), at + 9 + c.details.size());
        EXPECT_EQ(lines[at], "");
        EXPECT_EQ(lines[at + 1], kSeparator);
        EXPECT_EQ(lines[at + 2], Header());
        EXPECT_EQ(lines[at + 3], "Error #" + std::to_string(number) + " Fault " + std::to_string(number));
        EXPECT_TRUE(IsDateTime(lines[at + 4])) << lines[at + 4];
        EXPECT_EQ(lines[at + 5], "proc = " + proc);
        EXPECT_EQ(lines[at + 6], c.scoreLine);
        EXPECT_EQ(lines[at + 7], c.cardLine);
        EXPECT_EQ(std::vector<std::string>(lines.begin() + static_cast<long>(at) + 8, lines.end() - 1), c.details);
        EXPECT_EQ(lines.back(), ""); // the entry ends with CR LF
        at = lines.size() - 1;
    }
}

TEST_F(ReportErrorTest, UserIsAskedWhetherToContinue)
{
    for (bool answer : {true, false}) {
        SCOPED_TRACE(answer ? "Yes" : "No");
        fs::remove(dir_ / "error.log");
        RecordingHandler handler;
        handler.answer = answer;
        SetErrorReportHandler(&handler);

        ReportError("SaveGame", 13, "Type mismatch");

        const std::string expectedText =
            "error: Type mismatch" + kTwoBreaks + "The error above has interrupted the processing of Vemo." +
            kTwoBreaks + "The error has been logged to the file " + (dir_ / "error.log").string() + "." +
            kTwoBreaks + "The program can now attempt to continue in spite of the error, or the program can terminate." +
            kTwoBreaks + "Would you like the program to attempt to continue?";
        ASSERT_EQ(handler.titles.size(), 1u);
        EXPECT_EQ(handler.titles[0], "Vemo v1.0 Error #13");
        EXPECT_EQ(handler.texts[0], expectedText);
        const std::vector<std::string> expectedEvents =
            answer ? std::vector<std::string>{"ask"} : std::vector<std::string>{"ask", "terminate"};
        EXPECT_EQ(handler.events, expectedEvents);
        // The entry was complete on disk before the question.
        EXPECT_EQ(handler.logAtAsk, Log());
        EXPECT_EQ(CrLfLines(handler.logAtAsk).size(), 9u);
    }
}

TEST_F(ReportErrorTest, UnwritableLogShowsTheSituationAndTerminates)
{
    // Ways the log cannot be opened that hold even for a privileged user.
    const struct {
        const char* why;
        bool logIsADirectory;
    } cases[] = {{"error.log is a directory", true}, {"directory under a regular file", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        fs::remove_all(dir_ / "error.log");
        if (c.logIsADirectory) {
            fs::create_directory(dir_ / "error.log");
        } else {
            std::ofstream(dir_ / "plain") << "x";
            SetErrorLogDirectory(dir_ / "plain" / "sub");
        }
        TableState state;
        state.Scores = {0, 4, 3, 2, 1};
        state.CurrCard = CardCode("RD");
        state.CurrDirection = 'L';
        SetErrorStateSource(&state);
        RecordingHandler handler;
        SetErrorReportHandler(&handler);

        ReportError("SaveGame", 3022, "Duplicate key", "first detail", "", "third detail");

        SetErrorLogDirectory(dir_);
        ASSERT_EQ(handler.events, (std::vector<std::string>{"unlogged", "terminate"}));
        EXPECT_EQ(handler.titles[0], "Vemo v1.0 Error #3022");
        const std::string& text = handler.texts[0];
        ASSERT_EQ(text.rfind(" error: ", 0), 0u) << text;
        const std::size_t afterFault = text.find(kTwoBreaks);
        ASSERT_NE(afterFault, std::string::npos);
        EXPECT_GT(afterFault, std::string(" error: ").size()) << "the logging fault's text";

        const auto lines = CrLfLines(text.substr(afterFault + kTwoBreaks.size()));
        ASSERT_EQ(lines.size(), 11u) << text;
        EXPECT_EQ(lines[0], "The error above has interrupted the processing of Vemo.");
        EXPECT_EQ(lines[1], "");
        EXPECT_EQ(lines[2], "The error could NOT be logged to the error log will terminate the program.  "
                            "Please make note of all of the information below for obtaining technical support.");
        EXPECT_EQ(lines[3], "");
        EXPECT_TRUE(IsDateTime(lines[4])) << lines[4];
        EXPECT_EQ(lines[5], "proc = SaveGame");
        EXPECT_EQ(lines[6], "score=4/3/2/1");
        EXPECT_EQ(lines[7], "CurrCard=RD  CurrDirection=L");
        EXPECT_EQ(lines[8], "first detail");
        EXPECT_EQ(lines[9], "third detail");
        EXPECT_EQ(lines[10], "");
        EXPECT_TRUE(fs::is_directory(dir_ / "error.log") || !fs::exists(dir_ / "error.log"));
        SetErrorReportHandler(nullptr);
        SetErrorStateSource(nullptr);
    }
}

TEST_F(ReportErrorTest, WithoutAHandlerTheProgramCarriesOnEvenWhenTheLogIsUnwritable)
{
    fs::create_directory(dir_ / "error.log");
    ReportError("ShuffleFullDeck", 9, "Subscript out of range");
    // Still running; a writable log afterwards works as before.
    fs::remove(dir_ / "error.log");
    ReportError("MainGameLoop", 91, "Object variable not set");
    const auto lines = CrLfLines(Log());
    ASSERT_EQ(lines.size(), 9u);
    EXPECT_EQ(lines[3], "Error #91 Object variable not set");
}

TEST_F(ReportErrorTest, TrappedReportsAFaultUnderTheProcedureNameAndCarriesOn)
{
    RecordingHandler handler;
    SetErrorReportHandler(&handler);
    EXPECT_EQ(Trapped("ScoreHand", 0, [] { return 42; }), 42);
    int runs = 0;
    Trapped("RemoveAllCards", [&] { ++runs; });
    EXPECT_EQ(runs, 1);
    EXPECT_FALSE(fs::exists(dir_ / "error.log")) << "nothing to report without a fault";

    EXPECT_EQ(Trapped("GetCardToPlay", -1, []() -> int { throw std::out_of_range("index 7"); }), -1);
    handler.answer = false;
    Trapped("PickColor", [] { throw std::overflow_error("Overflow"); });

    EXPECT_EQ(handler.events, (std::vector<std::string>{"ask", "ask", "terminate"}));
    EXPECT_EQ(handler.titles, (std::vector<std::string>{"Vemo v1.0 Error #9", "Vemo v1.0 Error #6"}));
    const auto lines = CrLfLines(Log());
    ASSERT_EQ(lines.size(), 17u);
    EXPECT_EQ(lines[3], "Error #9 index 7");
    EXPECT_EQ(lines[5], "proc = GetCardToPlay");
    EXPECT_EQ(lines[11], "Error #6 Overflow");
    EXPECT_EQ(lines[13], "proc = PickColor");
}

TEST(FaultNumber, Mapping)
{
    const struct {
        const char* what;
        std::int32_t number;
        std::function<void()> raise;
    } cases[] = {
        {"out_of_range", 9, [] { throw std::out_of_range("x"); }},
        {"bad_alloc", 7, [] { throw std::bad_alloc(); }},
        {"overflow_error", 6, [] { throw std::overflow_error("x"); }},
        {"system_error EACCES", 13, [] { throw std::system_error(std::make_error_code(std::errc::permission_denied)); }},
        {"system_error ENOENT", 2,
         [] { throw std::system_error(std::make_error_code(std::errc::no_such_file_or_directory)); }},
        {"filesystem_error", 2,
         [] {
             throw fs::filesystem_error("x", std::make_error_code(std::errc::no_such_file_or_directory));
         }},
        {"runtime_error", 5, [] { throw std::runtime_error("x"); }},
        {"invalid_argument", 5, [] { throw std::invalid_argument("x"); }},
        {"length_error", 5, [] { throw std::length_error("x"); }},
        {"range_error", 5, [] { throw std::range_error("x"); }},
        {"underflow_error", 5, [] { throw std::underflow_error("x"); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        try {
            c.raise();
            ADD_FAILURE() << "nothing thrown";
        } catch (const std::exception& fault) {
            EXPECT_EQ(FaultNumber(fault), c.number);
        }
    }
}

#include "ReportError.h"

#include "Version.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <new>
#include <sstream>
#include <stdexcept>
#include <system_error>
#include <vector>

namespace vemo {
namespace {

struct ReporterSetup {
    ErrorReportHandler* handler = nullptr;
    std::filesystem::path directory = ".";
    const TableState* state = nullptr;
};

ReporterSetup& Setup()
{
    static ReporterSetup setup;
    return setup;
}

constexpr const char* kCrLf = "\r\n";

std::string LocalDateTime()
{
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return text;
}

std::string ScoreLine(const TableState* state)
{
    std::string line = "score=";
    for (int seat = 1; seat <= 4; ++seat) {
        if (seat > 1) line += '/';
        line += std::to_string(state ? state->Scores[seat] : 0);
    }
    return line;
}

std::string CardLine(const TableState* state)
{
    std::string line = "CurrCard=";
    line += state ? state->CurrCard.ToString() : BlankCard.ToString();
    line += "  CurrDirection=";
    if (state && state->CurrDirection != ' ') line += state->CurrDirection;
    return line;
}

std::string VersionText()
{
    return std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor) + "." +
           std::to_string(kVersionRevision);
}

std::vector<std::string> Situation(const std::string& when, std::string_view procedure, std::string_view detail1,
                                   std::string_view detail2, std::string_view detail3)
{
    const ReporterSetup& setup = Setup();
    std::vector<std::string> situation = {when, "proc = " + std::string(procedure), ScoreLine(setup.state),
                                          CardLine(setup.state)};
    for (std::string_view detail : {detail1, detail2, detail3})
        if (!detail.empty()) situation.emplace_back(detail);
    return situation;
}

// Appends one entry to error.log; the fault that kept it from being written, or "".
std::string AppendLogEntry(std::int32_t number, std::string_view text, const std::vector<std::string>& situation)
{
    std::ofstream log(ErrorLogPath(), std::ios::app | std::ios::binary);
    if (log) {
        log << kCrLf << std::string(52, '-') << kCrLf;
        log << "Error in " << Setup().directory.string() << '/' << kAppTitle << " v" << VersionText() << kCrLf;
        log << "Error #" << number << ' ' << text << kCrLf;
        for (const std::string& line : situation) log << line << kCrLf;
        log.close();
    }
    if (log) return {};
    const int saved = errno;
    return saved ? std::generic_category().message(saved) : "The error log could not be written";
}

} // namespace

void SetErrorReportHandler(ErrorReportHandler* handler) { Setup().handler = handler; }
void SetErrorLogDirectory(const std::filesystem::path& directory) { Setup().directory = directory; }
std::filesystem::path ErrorLogPath() { return Setup().directory / "error.log"; }
void SetErrorStateSource(const TableState* state) { Setup().state = state; }

void ReportError(std::string_view procedure, std::int32_t number, std::string_view text,
                 std::string_view detail1, std::string_view detail2, std::string_view detail3)
{
    ReporterSetup& setup = Setup();
    const std::string when = LocalDateTime();
    const std::string title =
        std::string(kAppTitle) + " v" + std::to_string(kVersionMajor) + "." +
        std::to_string(kVersionMinor) + " Error #" + std::to_string(number);

    // The lines that describe the situation, shared by the log and the fallback box.
    const std::vector<std::string> situation = Situation(when, procedure, detail1, detail2, detail3);

    // Closed before the user is asked anything.
    const std::string logFault = AppendLogEntry(number, text, situation);

    const std::string twoBreaks = std::string(kCrLf) + kCrLf;
    if (!logFault.empty()) {
        if (!setup.handler) {
            std::fprintf(stderr, "%s: %.*s (%.*s); error.log: %s\n", title.c_str(), int(procedure.size()),
                         procedure.data(), int(text.size()), text.data(), logFault.c_str());
            return;
        }
        std::string message = " error: " + logFault + twoBreaks;
        message += "The error above has interrupted the processing of " + std::string(kAppTitle) + "." + twoBreaks;
        message += "The error could NOT be logged to the error log will terminate the program.  "
                   "Please make note of all of the information below for obtaining technical support." +
                   twoBreaks;
        for (const std::string& line : situation) message += line + kCrLf;
        setup.handler->ShowUnloggedError(title, message);
        setup.handler->TerminateNow();
        return;
    }

    if (!setup.handler) return;
    std::string message = "error: " + std::string(text) + twoBreaks;
    message += "The error above has interrupted the processing of " + std::string(kAppTitle) + "." + twoBreaks;
    message += "The error has been logged to the file " + ErrorLogPath().string() + "." + twoBreaks;
    message += "The program can now attempt to continue in spite of the error, or the program can terminate." +
               twoBreaks;
    message += "Would you like the program to attempt to continue?";
    if (!setup.handler->AskContinueAfterError(title, message)) setup.handler->TerminateNow();
}

bool LogError(std::string_view procedure, std::int32_t number, std::string_view text, std::string_view detail1)
{
    return AppendLogEntry(number, text, Situation(LocalDateTime(), procedure, detail1, {}, {})).empty();
}

std::int32_t FaultNumber(const std::exception& fault)
{
    if (dynamic_cast<const std::out_of_range*>(&fault)) return 9;
    if (dynamic_cast<const std::bad_alloc*>(&fault)) return 7;
    if (dynamic_cast<const std::overflow_error*>(&fault)) return 6;
    if (auto* system = dynamic_cast<const std::system_error*>(&fault)) return system->code().value();
    return 5;
}

} // namespace vemo

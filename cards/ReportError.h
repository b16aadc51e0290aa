#pragma once
// The program's one error channel. A procedure that traps a fault hands its
// own name and the fault to ReportError, which appends an entry to error.log
// in the data directory and then lets the user continue or end the program.

#include "TableState.h"

#include <cstdint>
#include <exception>
#include <filesystem>
#include <string>
#include <string_view>

namespace vemo {

// The questions ReportError asks; the window layer installs one. Without one
// (tests, the simulator) the program carries on after logging.
class ErrorReportHandler {
public:
    virtual ~ErrorReportHandler() = default;
    // Yes/No, exclamation icon. True: attempt to continue.
    virtual bool AskContinueAfterError(const std::string& title, const std::string& text) = 0;
    // OK only, critical icon: the fault could not be logged.
    virtual void ShowUnloggedError(const std::string& title, const std::string& text) = 0;
    // Ends the process at once, bypassing the orderly shut-down.
    virtual void TerminateNow() = 0;
};

void SetErrorReportHandler(ErrorReportHandler* handler);
void SetErrorLogDirectory(const std::filesystem::path& directory);
std::filesystem::path ErrorLogPath();
// Where "score=" and "CurrCard=" are read from; null before a game exists.
void SetErrorStateSource(const TableState* state);

void ReportError(std::string_view procedure, std::int32_t number, std::string_view text,
                 std::string_view detail1 = {}, std::string_view detail2 = {},
                 std::string_view detail3 = {});

// Appends an entry to error.log without asking anything, for faults the
// program has already dealt with. False when the log could not be written.
bool LogError(std::string_view procedure, std::int32_t number, std::string_view text, std::string_view detail1 = {});

// The number shown for a trapped C++ fault, after the numbers users of the
// original platform know (9 subscript out of range, 7 out of memory, 6 overflow).
std::int32_t FaultNumber(const std::exception& fault);

// Runs body; a fault is reported under procedure and onFault is returned.
template <typename Result, typename Body>
Result Trapped(std::string_view procedure, Result onFault, Body&& body)
{
    try {
        return body();
    } catch (const std::exception& fault) {
        ReportError(procedure, FaultNumber(fault), fault.what());
        return onFault;
    }
}

template <typename Body>
void Trapped(std::string_view procedure, Body&& body)
{
    try {
        body();
    } catch (const std::exception& fault) {
        ReportError(procedure, FaultNumber(fault), fault.what());
    }
}

} // namespace vemo

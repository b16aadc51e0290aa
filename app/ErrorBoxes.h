#pragma once
// ReportError's two message boxes. A fault is reported from the middle of
// whatever was running, which carries on only after the answer, so these two
// boxes (and only these) are shown with exec().

#include "ReportError.h"

namespace vemo {

class ErrorBoxes final : public ErrorReportHandler {
public:
    bool AskContinueAfterError(const std::string& title, const std::string& text) override;
    void ShowUnloggedError(const std::string& title, const std::string& text) override;
    void TerminateNow() override;
};

} // namespace vemo

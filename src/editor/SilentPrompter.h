#pragma once

#include "editor/Prompter.h"

#include <string>

namespace brellic {

// Answers every question No and shows nothing, keeping only the last error
// it was given: a supply judged on its own, or a site opened for the
// command-line tool, as a freshly started window that opened it would.
class SilentPrompter final : public Prompter {
public:
    bool Confirm(const std::string&) override { return false; }
    bool ErrorQuestion(const std::string&) override { return false; }
    void ShowError(const std::string& text) override { lastError_ = text; }
    std::optional<std::string> OpenFileName() override { return std::nullopt; }
    std::optional<std::string> SaveFileName() override { return std::nullopt; }

    const std::string& LastError() const { return lastError_; }

private:
    std::string lastError_;
};

} // namespace brellic

#pragma once

#include "editor/Prompter.h"

namespace brellic {

// Answers every question No and shows nothing: a supply judged on its own,
// as a freshly started window that opened it would.
class SilentPrompter final : public Prompter {
public:
    bool Confirm(const std::string&) override { return false; }
    bool ErrorQuestion(const std::string&) override { return false; }
    void ShowError(const std::string&) override {}
    std::optional<std::string> OpenFileName() override { return std::nullopt; }
    std::optional<std::string> SaveFileName() override { return std::nullopt; }
};

} // namespace brellic

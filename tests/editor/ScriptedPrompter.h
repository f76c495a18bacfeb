#pragma once

#include "editor/Prompter.h"

#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace brellic::test {

// Answers the editor's questions from a script and records what was asked.
// A question nobody scripted fails the test.
class ScriptedPrompter : public Prompter {
public:
    struct Asked {
        enum Kind { Confirm, ErrorQuestion, Error, Information } kind;
        std::string text;
    };

    std::deque<bool> answers;
    // The save question's answers; without one it is answered from answers.
    std::deque<SaveAnswer> saveAnswers;
    std::deque<std::optional<std::string>> openNames;
    std::deque<std::optional<std::string>> saveNames;
    std::vector<Asked> asked;

    bool Confirm(const std::string& text) override { return Answer(Asked::Confirm, text); }
    bool ErrorQuestion(const std::string& text) override {
        return Answer(Asked::ErrorQuestion, text);
    }
    SaveAnswer AskToSave(const std::string& text) override {
        if (saveAnswers.empty())
            return Prompter::AskToSave(text);
        asked.push_back({Asked::Confirm, text});
        const SaveAnswer answer = saveAnswers.front();
        saveAnswers.pop_front();
        return answer;
    }
    void ShowError(const std::string& text) override { asked.push_back({Asked::Error, text}); }
    void ShowInformation(const std::string& text) override {
        asked.push_back({Asked::Information, text});
    }
    std::optional<std::string> OpenFileName() override { return Next(openNames, "open"); }
    std::optional<std::string> SaveFileName() override { return Next(saveNames, "save"); }

    std::size_t Count(Asked::Kind kind) const {
        std::size_t n = 0;
        for (const Asked& a : asked)
            n += a.kind == kind;
        return n;
    }

private:
    bool Answer(Asked::Kind kind, const std::string& text) {
        asked.push_back({kind, text});
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected question: " << text;
            return false;
        }
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::optional<std::string> Next(std::deque<std::optional<std::string>>& names,
                                    const char* what) {
        if (names.empty()) {
            ADD_FAILURE() << "unexpected " << what << " dialog";
            return std::nullopt;
        }
        auto name = names.front();
        names.pop_front();
        return name;
    }
};

} // namespace brellic::test

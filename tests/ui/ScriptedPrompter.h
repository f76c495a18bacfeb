#pragma once

// The site editor's questions answered from a script, for Qt Test programs.
// A question, file dialog or error that nobody scripted fails the running test.

#include "editor/Prompter.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include <QTest>

namespace brellic::testing {

class ScriptedPrompter final : public Prompter {
public:
    std::deque<bool> answers;
    std::deque<std::optional<std::string>> openNames;
    std::deque<std::optional<std::string>> saveNames;
    std::deque<std::string> expectedErrors; // errors the test expects, in order
    std::vector<std::string> asked;         // every question and error, in order

    bool Confirm(const std::string& text) override { return Answer(text); }
    bool ErrorQuestion(const std::string& text) override { return Answer(text); }
    void ShowError(const std::string& text) override {
        asked.push_back(text);
        if (!expectedErrors.empty() && expectedErrors.front() == text) {
            expectedErrors.pop_front();
            return;
        }
        Unexpected("error", text);
    }
    std::optional<std::string> OpenFileName() override { return Next(openNames, "open dialog"); }
    std::optional<std::string> SaveFileName() override { return Next(saveNames, "save dialog"); }

private:
    static void Unexpected(const char* what, const std::string& text) {
        const std::string message = std::string("unexpected ") + what + ": " + text;
        QTest::qFail(message.c_str(), __FILE__, __LINE__);
    }
    bool Answer(const std::string& text) {
        asked.push_back(text);
        if (answers.empty()) {
            Unexpected("question", text);
            return false;
        }
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    static std::optional<std::string> Next(std::deque<std::optional<std::string>>& names,
                                           const char* what) {
        if (names.empty()) {
            Unexpected(what, "");
            return std::nullopt;
        }
        std::optional<std::string> name = names.front();
        names.pop_front();
        return name;
    }
};

// Records the reports that would be opened in the text editor.
class RecordingOpener final : public ReportOpener {
public:
    std::vector<std::string> opened;
    void Open(const std::string& path, std::function<void()>) override { opened.push_back(path); }
};

} // namespace brellic::testing

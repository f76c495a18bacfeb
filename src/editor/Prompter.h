#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace brellic {

// Everything the site editor asks of the user. The window answers with
// message boxes and file dialogs; tests and the command-line tool answer with
// scripted replies.
class Prompter {
public:
    virtual ~Prompter() = default;

    // An ordinary question: caption "Confirm", question icon, Yes and No.
    // True on Yes.
    virtual bool Confirm(const std::string& text) = 0;
    // The question that offers to save edited work before it is closed or
    // replaced: Yes saves, No gives the edits up, Cancel (Esc, or closing
    // the box) keeps the work open as it is. A prompter that knows only
    // Yes and No answers as Confirm does.
    enum class SaveAnswer { Yes, No, Cancel };
    virtual SaveAnswer AskToSave(const std::string& text) {
        return Confirm(text) ? SaveAnswer::Yes : SaveAnswer::No;
    }
    // A warning question: caption "Error", error icon, Yes and No. True on Yes.
    virtual bool ErrorQuestion(const std::string& text) = 0;
    // A failure the user must know of (a file that cannot be read or written).
    virtual void ShowError(const std::string& text) = 0;
    // Something the user should know that is no failure (where a report went
    // that no program could open). Shown as an error by a prompter that
    // knows no other kind of message.
    virtual void ShowInformation(const std::string& text) { ShowError(text); }

    // "Open Site Data": an existing file, or nothing when cancelled.
    virtual std::optional<std::string> OpenFileName() = 0;
    // "Save Site Data": the chosen file, with the default extension added and
    // replacing confirmed by the dialog, or nothing when cancelled.
    virtual std::optional<std::string> SaveFileName() = 0;

    // Installations. The defaults answer as a cancelled dialog, so a
    // prompter that knows nothing of installations changes nothing.
    // A one-line text ("Rename Supply"): the new text, or nothing when
    // cancelled. fault tells why a text cannot be taken (empty when it can);
    // the box stays open on such a text, with the fault shown and the text
    // selected, so that nothing typed is lost.
    using TextFault = std::function<std::string(const std::string& text)>;
    virtual std::optional<std::string> AskText(const std::string& caption, const std::string& label,
                                               const std::string& initial, const TextFault& fault) {
        (void)caption;
        (void)label;
        (void)initial;
        (void)fault;
        return std::nullopt;
    }
    // "Installation Details": name, address, standard and alarm period, edited
    // in place; true on OK.
    virtual bool EditDetails(std::string& name, std::string& address, std::int32_t& standard,
                             std::int32_t& alarmPeriod) {
        (void)name;
        (void)address;
        (void)standard;
        (void)alarmPeriod;
        return false;
    }
    // "Open Installation" and "Save Installation": *.brellic files.
    virtual std::optional<std::string> OpenInstallationName() { return std::nullopt; }
    virtual std::optional<std::string> SaveInstallationName() { return std::nullopt; }
    // File, Open: a site file or an installation file; the chosen name's
    // extension says which.
    virtual std::optional<std::string> OpenSiteOrInstallationName() { return OpenFileName(); }
    // Save As of an open site, offering both file types; the chosen name's
    // extension says which.
    virtual std::optional<std::string> SaveSiteOrInstallationName() { return SaveFileName(); }
};

// Starts the plain-text editor on a freshly written report, without waiting.
class ReportOpener {
public:
    virtual ~ReportOpener() = default;
    // notOpened runs, at once or later from the event loop, when no program
    // could be found to open the file.
    virtual void Open(const std::string& path, std::function<void()> notOpened) = 0;
};

} // namespace brellic

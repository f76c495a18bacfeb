#pragma once

// Free of Qt: where the program works, and so where Generate Report writes
// Report.Txt.

#include <filesystem>
#include <functional>
#include <optional>

namespace brellic {

// Whether a new file can be made in the folder, found out by making one: a
// file of a name no one else uses, created exclusively and removed again. A
// folder that does not exist, or is not a folder, cannot take files.
bool CanCreateFilesIn(const std::filesystem::path& folder);

// The folder to work in, given the one the program started in: that folder
// when files can be made there, so that the report goes where the user
// started the program; otherwise the folder `fallback` gives, when it gives
// an existing one (it is asked only then); otherwise still the start folder.
std::filesystem::path
WorkingFolderFor(const std::filesystem::path& start,
                 const std::function<std::optional<std::filesystem::path>()>& fallback);

#ifdef _WIN32
// The user's own Documents folder (FOLDERID_Documents), or nothing when the
// shell does not know it.
std::optional<std::filesystem::path> UserDocumentsFolder();

// Run once at start: a program started from the Start menu works in its
// installation folder, and one started through a file association may work in
// a system folder, where a user who is not an administrator may not create
// files. There the working directory becomes the user's Documents folder, so
// that Generate Report can write; anywhere else it is left alone.
void LeaveUnwritableStartFolder();
#endif

} // namespace brellic

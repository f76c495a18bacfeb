#include "io/AtomicFile.h"

#include "io/Cp1252.h"

#include <algorithm>
#include <atomic>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace brellic {
namespace {

std::string ToUtf8(const wchar_t* text, int length) {
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    if (size > 0)
        ::WideCharToMultiByte(CP_UTF8, 0, text, length, out.data(), size, nullptr, nullptr);
    return out;
}

// The system's own text for an error code, without its trailing full stop
// and line end.
std::string SystemMessage(DWORD error) {
    wchar_t* buffer = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::string text =
        length > 0 ? ToUtf8(buffer, static_cast<int>(length)) : "Error " + std::to_string(error);
    ::LocalFree(buffer);
    while (!text.empty() &&
           (text.back() == '\n' || text.back() == '\r' || text.back() == ' ' || text.back() == '.'))
        text.pop_back();
    return text;
}

IoResult Fail(std::string_view what, const std::string& path, DWORD error) {
    return IoResult::Failure(std::string(what) + " " + QuotedPath(path) + ": " +
                             SystemMessage(error));
}

// What an open handle stands for when it is not a file: consoles, the NUL
// device and ports are character devices, and a pipe blocks its reader until
// a writer comes. Null for a file on disk.
const char* NotAFileKind(HANDLE handle) {
    switch (::GetFileType(handle)) {
    case FILE_TYPE_DISK: {
        BY_HANDLE_FILE_INFORMATION info{};
        if (::GetFileInformationByHandle(handle, &info) &&
            (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            return "a folder";
        return nullptr;
    }
    case FILE_TYPE_CHAR:
        return "a device";
    case FILE_TYPE_PIPE:
        return "a named pipe";
    default:
        return "something else";
    }
}

IoResult NotAFile(std::string_view what, const std::string& path, const char* kind) {
    return IoResult::Failure(std::string(what) + " " + QuotedPath(path) + ": it is " + kind +
                             ", not a file");
}

// Opens what stands at name without reading or writing it, for a look at
// what it is; folders open too. Links are followed.
HANDLE OpenForAQuestion(const std::wstring& name) {
    return ::CreateFileW(name.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

bool ToWide(const std::string& utf8, std::wstring& out) {
    out.clear();
    if (utf8.empty())
        return true;
    const int size = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(),
                                           static_cast<int>(utf8.size()), nullptr, 0);
    if (size <= 0)
        return false;
    out.resize(static_cast<std::size_t>(size));
    ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), static_cast<int>(utf8.size()),
                          out.data(), size);
    return true;
}

// Writes everything; 0 or the error code.
DWORD WriteAll(HANDLE file, std::span<const unsigned char> bytes) {
    while (!bytes.empty()) {
        const DWORD chunk =
            bytes.size() > 0x40000000u ? 0x40000000u : static_cast<DWORD>(bytes.size());
        DWORD written = 0;
        if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr))
            return ::GetLastError();
        bytes = bytes.subspan(written);
    }
    return 0;
}

// Writes the bytes, flushes them to the disk and closes the file: the first
// error, or 0.
DWORD WriteAndClose(HANDLE file, std::span<const unsigned char> bytes) {
    DWORD error = WriteAll(file, bytes);
    if (error == 0 && !::FlushFileBuffers(file))
        error = ::GetLastError();
    if (!::CloseHandle(file) && error == 0)
        error = ::GetLastError();
    return error;
}

std::wstring FolderOf(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos)
        return L".";
    return path.substr(0, slash + 1);
}

std::wstring NameOf(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

// The file a write to name must replace: name itself, or the file its
// symbolic link leads to, so that the link stays. A link that leads nowhere
// (to nothing, or round in a loop) is refused rather than replaced by a file.
// Pipes, devices and folders are refused.
IoResult FinalTarget(const std::wstring& name, const std::string& path, std::wstring& target) {
    target = name;
    const DWORD attributes = ::GetFileAttributesW(name.c_str()); // of the link itself
    const HANDLE handle = OpenForAQuestion(name);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT))
            return Fail("Cannot write", path, error);
        return IoResult::Success(); // nothing there, or an error the write will meet again
    }
    const char* kind = NotAFileKind(handle);
    if (kind == nullptr && attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        std::wstring resolved(MAX_PATH, L'\0');
        DWORD length = 0;
        while ((length = ::GetFinalPathNameByHandleW(handle, resolved.data(),
                                                     static_cast<DWORD>(resolved.size()),
                                                     FILE_NAME_NORMALIZED)) >= resolved.size())
            resolved.resize(length + 1);
        if (length > 0)
            target = resolved.substr(0, length);
    }
    ::CloseHandle(handle);
    return kind ? NotAFile("Cannot write", path, kind) : IoResult::Success();
}

// Created hidden, so that a temporary file an interrupted write leaves
// behind stays out of the user's way.
HANDLE CreateTemporary(const std::wstring& folder, const std::wstring& targetName,
                       std::wstring& name) {
    static std::atomic<unsigned> counter{0};
    const std::string targetUtf8 = ToUtf8(targetName.data(), static_cast<int>(targetName.size()));
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::wstring temporaryName;
        ToWide(TemporaryFileName(targetUtf8, ::GetCurrentProcessId(), counter++), temporaryName);
        name = folder;
        if (name.back() != L'\\' && name.back() != L'/')
            name += L'\\';
        name += temporaryName;
        const HANDLE file = ::CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                          FILE_ATTRIBUTE_HIDDEN, nullptr);
        if (file != INVALID_HANDLE_VALUE || ::GetLastError() != ERROR_FILE_EXISTS)
            return file;
    }
    ::SetLastError(ERROR_FILE_EXISTS);
    return INVALID_HANDLE_VALUE;
}

// Identity of an existing file: its volume and its index on that volume.
bool Identify(const std::string& path, BY_HANDLE_FILE_INFORMATION& info) {
    std::wstring name;
    if (!ToWide(path, name))
        return false;
    const HANDLE handle = OpenForAQuestion(name);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    const bool known = ::GetFileInformationByHandle(handle, &info) != 0;
    ::CloseHandle(handle);
    return known;
}

} // namespace

IoResult WriteFileAtomically(const std::string& path, std::span<const unsigned char> bytes) {
    std::wstring name;
    if (!ToWide(path, name))
        return Fail("Cannot write", path, ERROR_INVALID_NAME);
    std::wstring target;
    if (IoResult found = FinalTarget(name, path, target); !found)
        return found;
    const DWORD attributes = ::GetFileAttributesW(target.c_str());
    // A read-only file is refused as the system refuses to write over it.
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)))
        return Fail("Cannot write", path, ERROR_ACCESS_DENIED);

    std::wstring temporary;
    const HANDLE file = CreateTemporary(FolderOf(target), NameOf(target), temporary);
    if (file == INVALID_HANDLE_VALUE)
        return Fail("Cannot write", path, ::GetLastError());

    DWORD error = WriteAndClose(file, bytes);
    // The replacement shows as the old file did (hidden, archive...), or as a
    // plain new file; either way no longer hidden as a temporary file.
    constexpr DWORD kKept = FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                            FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    const DWORD shown = attributes != INVALID_FILE_ATTRIBUTES && (attributes & kKept)
                            ? attributes & kKept
                            : FILE_ATTRIBUTE_NORMAL;
    if (error == 0 && !::SetFileAttributesW(temporary.c_str(), shown))
        error = ::GetLastError();
    if (error == 0 && !::MoveFileExW(temporary.c_str(), target.c_str(),
                                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        error = ::GetLastError();
    if (error != 0) {
        ::DeleteFileW(temporary.c_str());
        return Fail("Cannot write", path, error);
    }
    return IoResult::Success();
}

IoResult WriteTemporaryFor(const std::string& path, std::span<const unsigned char> bytes,
                           std::string& temporary) {
    std::wstring name;
    if (!ToWide(path, name))
        return Fail("Cannot write", path, ERROR_INVALID_NAME);
    std::wstring created;
    const HANDLE file = CreateTemporary(FolderOf(name), NameOf(name), created);
    if (file == INVALID_HANDLE_VALUE)
        return Fail("Cannot write", path, ::GetLastError());
    DWORD error = WriteAndClose(file, bytes);
    // Hidden while it is a temporary file only.
    if (error == 0 && !::SetFileAttributesW(created.c_str(), FILE_ATTRIBUTE_NORMAL))
        error = ::GetLastError();
    if (error != 0) {
        ::DeleteFileW(created.c_str());
        return Fail("Cannot write", path, error);
    }
    temporary = ToUtf8(created.data(), static_cast<int>(created.size()));
    return IoResult::Success();
}

IoResult ReplaceWithTemporary(const std::string& temporary, const std::string& path) {
    std::wstring from;
    std::wstring to;
    if (!ToWide(temporary, from) || !ToWide(path, to))
        return Fail("Cannot write", path, ERROR_INVALID_NAME);
    if (!::MoveFileExW(from.c_str(), to.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return Fail("Cannot write", path, ::GetLastError());
    return IoResult::Success();
}

void RemoveTemporary(const std::string& temporary) {
    std::wstring name;
    if (ToWide(temporary, name))
        ::DeleteFileW(name.c_str());
}

IoResult WriteFileReplacing(const std::string& path, std::span<const unsigned char> bytes) {
    std::wstring name;
    if (!ToWide(path, name))
        return Fail("Cannot create", path, ERROR_INVALID_NAME);
    // Looked at before the file is opened, since opening empties it. The
    // open follows a link by itself.
    std::wstring target;
    if (IoResult found = FinalTarget(name, path, target); !found)
        return found;
    // Windows refuses to truncate a read-only file; say so before trying, so
    // that the outcome does not depend on how the file system maps the flag.
    const DWORD attributes = ::GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return Fail("Cannot create", path, ERROR_ACCESS_DENIED);
    const HANDLE file = ::CreateFileW(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                      CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return Fail("Cannot create", path, ::GetLastError());
    DWORD error = WriteAll(file, bytes);
    if (!::CloseHandle(file) && error == 0)
        error = ::GetLastError();
    if (error != 0)
        return Fail("Cannot write", path, error);
    return IoResult::Success();
}

bool IsSameFile(const std::string& a, const std::string& b) {
    BY_HANDLE_FILE_INFORMATION first{};
    BY_HANDLE_FILE_INFORMATION second{};
    return Identify(a, first) && Identify(b, second) &&
           first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
           first.nFileIndexHigh == second.nFileIndexHigh &&
           first.nFileIndexLow == second.nFileIndexLow;
}

IoResult CheckFileOrMissing(const std::string& path) {
    std::wstring name;
    if (!ToWide(path, name))
        return Fail("Cannot open", path, ERROR_INVALID_NAME);
    const HANDLE handle = OpenForAQuestion(name);
    if (handle == INVALID_HANDLE_VALUE)
        return IoResult::Success(); // missing, or an error the actual open will report
    const char* kind = NotAFileKind(handle);
    ::CloseHandle(handle);
    return kind ? NotAFile("Cannot open", path, kind) : IoResult::Success();
}

IoResult ReadFileHead(const std::string& path, std::size_t maxBytes,
                      std::vector<unsigned char>& out) {
    out.clear();
    std::wstring name;
    if (!ToWide(path, name))
        return Fail("Cannot open", path, ERROR_INVALID_NAME);
    if (IoResult file = CheckFileOrMissing(path); !file)
        return file;
    const HANDLE file =
        ::CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return Fail("Cannot open", path, ::GetLastError());
    if (const char* kind = NotAFileKind(file)) {
        ::CloseHandle(file);
        return NotAFile("Cannot open", path, kind);
    }
    // Sized from the file, not from the limit: zeroing a buffer of the whole
    // limit (megabytes for an installation) costs more than reading a small
    // file. One byte over the size shows a file that grew since it was sized.
    LARGE_INTEGER size{};
    const std::size_t expected =
        ::GetFileSizeEx(file, &size) && size.QuadPart > 0
            ? static_cast<std::size_t>(std::min<unsigned long long>(
                  static_cast<unsigned long long>(size.QuadPart), maxBytes)) +
                  1
            : 0;
    out.resize(std::min(maxBytes, std::max<std::size_t>(expected, 4096)));
    std::size_t filled = 0;
    DWORD error = 0;
    while (filled < maxBytes) {
        if (filled == out.size())
            out.resize(std::min(maxBytes, out.size() * 2));
        const std::size_t left = out.size() - filled;
        DWORD got = 0;
        if (!::ReadFile(file, out.data() + filled,
                        left > 0x40000000u ? 0x40000000u : static_cast<DWORD>(left), &got,
                        nullptr)) {
            error = ::GetLastError();
            break;
        }
        if (got == 0)
            break;
        filled += got;
    }
    ::CloseHandle(file);
    out.resize(filled);
    if (error != 0) {
        out.clear();
        return Fail("Cannot read", path, error);
    }
    return IoResult::Success();
}

} // namespace brellic

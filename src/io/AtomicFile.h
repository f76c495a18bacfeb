#pragma once

#include "io/IoResult.h"

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace brellic {

// Paths are UTF-8. Failure messages name the path and give the system's
// reason, e.g. "Cannot open "/x/y.KVR": Permission denied".

// Replaces path with bytes, or leaves it exactly as it was: the bytes go to a
// temporary file in the same folder, which is flushed to disk and then renamed
// over the target. An existing target that is read-only is not replaced.
IoResult WriteFileAtomically(const std::string& path, std::span<const unsigned char> bytes);
inline IoResult WriteFileAtomically(const std::string& path, std::string_view bytes) {
    return WriteFileAtomically(
        path, std::span(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()));
}

// Writes several files all or none, e.g. the site files of one
// installation: each goes to a temporary file beside it, flushed to disk,
// and only once every one is written are they renamed into place, which
// needs no space. On a failure every temporary file is removed and the
// files are left as they were. Each path is taken as it is: what stands
// there is replaced, never followed, so callers refuse links and folders.
struct FileToWrite {
    std::string Path;
    std::vector<unsigned char> Bytes;
};
IoResult WriteFilesTogether(const std::vector<FileToWrite>& files);

// The steps of WriteFilesTogether. WriteTemporaryFor writes bytes to a new
// temporary file beside path and gives its name, leaving nothing on a
// failure; ReplaceWithTemporary renames it over path; RemoveTemporary
// removes it.
IoResult WriteTemporaryFor(const std::string& path, std::span<const unsigned char> bytes,
                           std::string& temporary);
IoResult ReplaceWithTemporary(const std::string& temporary, const std::string& path);
void RemoveTemporary(const std::string& temporary);

// The name, within the target's folder, of the temporary file that
// WriteFileAtomically writes before renaming it over the target: hidden, and
// saying which file it was meant to become, e.g.
// ".site.KVR~brellic-1234-0.tmp". An interrupted write can leave it behind.
std::string TemporaryFileName(std::string_view targetName, unsigned long processId,
                              unsigned counter);

// Whether both paths name one existing file (the same device and inode, or
// volume and file index), through symbolic and hard links.
bool IsSameFile(const std::string& a, const std::string& b);

// Creates or empties path and writes bytes into it in place. A failure part
// way leaves what was written so far; a file that cannot be opened for
// writing (read-only, a folder) is left untouched.
IoResult WriteFileReplacing(const std::string& path, std::span<const unsigned char> bytes);
inline IoResult WriteFileReplacing(const std::string& path, std::string_view bytes) {
    return WriteFileReplacing(
        path, std::span(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()));
}

// Succeeds when path names a regular file (through any symbolic links) or
// nothing at all; fails for a folder, named pipe, device or socket, e.g.
// "Cannot open "/x/y.KVR": it is a named pipe, not a file".
IoResult CheckFileOrMissing(const std::string& path);

// Reads at most maxBytes from the start of path into out. Anything but a
// regular file is refused as CheckFileOrMissing refuses it, without waiting.
IoResult ReadFileHead(const std::string& path, std::size_t maxBytes,
                      std::vector<unsigned char>& out);

} // namespace brellic

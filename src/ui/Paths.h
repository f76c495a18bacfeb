#pragma once

#include <string>

#include <QString>

namespace brellic {

// A file's full path as the system writes it: absolute, with the system's own
// separators (backslashes on Windows), in UTF-8. The caption, the messages and
// the file names the editor keeps all take this form.
std::string FullPath(const QString& path);

} // namespace brellic

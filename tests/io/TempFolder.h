#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace brellic::test {

// A UTF-8 path as the file system library takes it.
inline std::filesystem::path FsPath(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

// A fresh folder under the system's temporary folder, removed with everything
// in it when the test ends.
class TempFolder {
public:
    TempFolder() {
        std::random_device random;
        for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
            const auto candidate =
                std::filesystem::temp_directory_path() / ("brellic-io-" + std::to_string(random()));
            if (std::filesystem::create_directory(candidate))
                path_ = candidate;
        }
        if (path_.empty())
            ADD_FAILURE() << "cannot create a temporary folder";
    }
    // Tests may leave read-only files and folders; make them removable first.
    ~TempFolder() {
        namespace fs = std::filesystem;
        std::error_code ignored;
        fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
        for (fs::recursive_directory_iterator it(path_, ignored), end; !ignored && it != end;
             it.increment(ignored)) {
            if (!it->is_symlink())
                fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
        }
        fs::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // A path inside the folder, as UTF-8.
    std::string File(const std::string& name) const {
        const std::u8string path = (path_ / FsPath(name)).u8string();
        return std::string(path.begin(), path.end());
    }
    std::size_t EntryCount() const {
        return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(path_),
                                                      std::filesystem::directory_iterator()));
    }

private:
    std::filesystem::path path_;
};

inline std::string ReadAll(const std::string& path) {
    std::ifstream in(FsPath(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteAll(const std::string& path, const std::string& bytes) {
    std::ofstream out(FsPath(path), std::ios::binary | std::ios::trunc);
    out << bytes;
}

} // namespace brellic::test

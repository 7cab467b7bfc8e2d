#pragma once
// A temporary folder removed with everything in it at the end of the test.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

class TempFolder
{
public:
    // Under `base` when given (another file system, say); empty path() when it cannot be made.
    explicit TempFolder(const std::filesystem::path &base = std::filesystem::temp_directory_path())
    {
        std::string pattern = (base / "zunplatform-XXXXXX").string();
        if (const char *made = ::mkdtemp(pattern.data()))
            m_path = made;
    }
    ~TempFolder()
    {
        if (m_path.empty())
            return;
        std::error_code error;
        std::filesystem::remove_all(m_path, error);
    }
    const std::filesystem::path &path() const { return m_path; }
    std::string str() const { return m_path.string(); }

    void write(const std::string &relative, const std::string &content) const
    {
        const auto file = m_path / relative;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << content;
    }

private:
    std::filesystem::path m_path;
};

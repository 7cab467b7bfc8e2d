#pragma once
// A temporary folder removed with everything in it at the end of the test.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

class TempFolder
{
public:
    TempFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "zunplatform-XXXXXX").string();
        m_path = ::mkdtemp(pattern.data());
    }
    ~TempFolder()
    {
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

#include "tests/support/temp_dir.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

TempDir::TempDir()
{
    char tmpl[] = "/tmp/quarvel-test-XXXXXX";
    path = mkdtemp(tmpl);
}

TempDir::~TempDir()
{
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
}

std::string TempDir::Write(const std::string& name, const std::string& text) const
{
    std::string full = path + "/" + name;
    std::filesystem::create_directories(std::filesystem::path(full).parent_path());
    std::ofstream out(full, std::ios::binary);
    out << text;
    return full;
}

std::string ReadWholeFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

ChangeDir::ChangeDir(const std::string& to)
{
    saved = std::filesystem::current_path().string();
    std::filesystem::current_path(to);
}

ChangeDir::~ChangeDir()
{
    std::filesystem::current_path(saved);
}

// A scratch folder for a test's own fixture files, removed afterwards.
#pragma once

#include <string>

struct TempDir {
    std::string path;
    TempDir();
    ~TempDir();
    // Writes text into path/name (folders created), returns the full path.
    std::string Write(const std::string& name, const std::string& text) const;
};

std::string ReadWholeFile(const std::string& path);

// Runs the working directory of a test inside a scratch folder and back.
struct ChangeDir {
    std::string saved;
    explicit ChangeDir(const std::string& to);
    ~ChangeDir();
};

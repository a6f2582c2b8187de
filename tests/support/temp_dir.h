#pragma once
// A fresh folder on disk for one test, removed afterwards.
#include <filesystem>
#include <string>

namespace kestrel::test {

class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    // The path of a file or folder below this one, with the system's separators.
    std::string file(const std::string& name) const;
    // Writes the bytes to the named file in this folder and returns its path.
    std::string write(const std::string& name, const std::string& bytes) const;

  private:
    std::string path_;
};

// Folder of the committed test fixtures, and of the shared public fixtures (may not exist).
std::string fixtureDir();
std::string sharedFixtureDir();

} // namespace kestrel::test

#pragma once
// Test fixtures' scratch space: a fresh folder under the system's temporary
// folder for each test, removed with everything in it afterwards, and the
// few ways the file tests look into it.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace drivesim {

class ScratchFolderTest : public ::testing::Test {
 protected:
  // prefix names the folder, "drivesim-files" giving /tmp/drivesim-files-XXXXXX.
  explicit ScratchFolderTest(const char* prefix) : fPrefix(prefix) {}

  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / (fPrefix + "-XXXXXX")).string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir = pattern;
  }
  void TearDown() override {
    if (!dir.empty()) std::filesystem::remove_all(dir);
  }

  std::string Path(const std::string& name) const { return (dir / name).string(); }
  // The names in the folder, sorted.
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }
  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }

  std::filesystem::path dir;

 private:
  std::string fPrefix;
};

}  // namespace drivesim

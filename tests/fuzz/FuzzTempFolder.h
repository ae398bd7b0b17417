#pragma once

#include <unistd.h>

#include <filesystem>
#include <string>
#include <system_error>

// The folder one fuzzer process writes its files in, below the system's
// temporary folder and named after the fuzzer and the process, so that
// fuzzers running side by side never share one. Created with the object
// (with Inside, a folder of that name in it too) and removed with it: held
// in a function's static, when the fuzzer exits.
class FuzzTempFolder {
 public:
  explicit FuzzTempFolder(const std::string& Fuzzer, const std::string& Inside = std::string())
      : FPath(std::filesystem::temp_directory_path() /
              ("korvale-fuzz-" + Fuzzer + "-" + std::to_string(getpid()))) {
    std::filesystem::create_directories(Inside.empty() ? FPath : FPath / Inside);
  }
  ~FuzzTempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(FPath, ignored);
  }
  FuzzTempFolder(const FuzzTempFolder&) = delete;
  FuzzTempFolder& operator=(const FuzzTempFolder&) = delete;

  const std::filesystem::path& Path() const { return FPath; }

 private:
  std::filesystem::path FPath;
};

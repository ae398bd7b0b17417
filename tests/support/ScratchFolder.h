#pragma once

#include <unistd.h>

#include <filesystem>
#include <string>
#include <system_error>

// The folder one fuzzer or benchmark process writes its files in, below the
// system's temporary folder and named after the program and the process, so
// that programs running side by side never share one. Created with the object
// (with Inside, a folder of that name in it too) and removed with it: held
// in a function's static, when the fuzzer exits.
class ScratchFolder {
 public:
  explicit ScratchFolder(const std::string& Program, const std::string& Inside = std::string())
      : FPath(std::filesystem::temp_directory_path() /
              ("korvale-" + Program + "-" + std::to_string(getpid()))) {
    std::filesystem::create_directories(Inside.empty() ? FPath : FPath / Inside);
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(FPath, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::filesystem::path& Path() const { return FPath; }

 private:
  std::filesystem::path FPath;
};

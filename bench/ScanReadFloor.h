#pragma once

// The floor of reading a scan file: what any reader of it has to do. Reads
// the file into a reused buffer in one call, skips the two header lines and
// converts the three numbers of every data line into three arrays with
// std::from_chars, with nothing else.
#include <charconv>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

class ScanReadFloor {
 public:
  ScanReadFloor()
      : Buffer(std::make_unique<char[]>(Capacity)), Columns(3, std::vector<double>(10000)) {}

  // The points taken, or -1 when the file cannot be opened.
  int Read(const std::string& Path) {
    std::FILE* file = std::fopen(Path.c_str(), "rb");
    if (file == nullptr) return -1;
    const size_t size = std::fread(Buffer.get(), 1, Capacity, file);
    std::fclose(file);
    const char* p = Buffer.get();
    const char* const end = p + size;
    int points = 0;
    for (int line = 0; p < end; ++line) {
      const char* eol =
          static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(end - p)));
      if (eol == nullptr) eol = end;
      if (line >= 2 && points < 10000) {
        const char* q = p;
        for (std::vector<double>& column : Columns) {
          while (q < eol && (*q == ' ' || *q == '\t')) ++q;
          q = std::from_chars(q, eol, column[static_cast<size_t>(points)]).ptr;
        }
        ++points;
      }
      p = eol + 1;
    }
    return points;
  }

 private:
  static constexpr size_t Capacity = 1048576;
  std::unique_ptr<char[]> Buffer;
  std::vector<std::vector<double>> Columns;
};

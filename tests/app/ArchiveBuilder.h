#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// Tar and gzip archives built byte by byte for the extractor's tests, so
// that damaged and hostile archives no tar program would write can be made.
namespace archive {

// A ustar header block with a correct checksum; Size is written as 11 octal
// digits unless SizeField is given (copied into the 12-byte field as is).
std::string Header(const std::string& Name, long long Size, char TypeFlag = '0',
                   const std::string& Prefix = std::string(),
                   const std::string& SizeField = std::string());
// Recomputes the checksum of a header block after a change.
void FixChecksum(std::string& Header);
// Header, data and padding to a whole block.
std::string Member(const std::string& Name, const std::string& Data, char TypeFlag = '0');
// One record of a pax extended header: "<length> <Key>=<Value>\n".
std::string PaxRecord(const std::string& Key, const std::string& Value);
// The two zero blocks that end an archive.
std::string End();
// Data compressed as one gzip stream.
std::string Gzip(const std::string& Data);

// Writes a gzip stream of Head followed by ZeroBytes zeros (a multiple of
// 1 MiB) without holding them: one compressed MiB of zeros is repeated.
// The file stays near a thousandth of the data's size.
void WriteGzipOfZeros(const std::filesystem::path& Path, const std::string& Head,
                      std::uint64_t ZeroBytes);
// Likewise Head, Count copies of Block, then Tail, in one gzip stream.
void WriteGzipOfRepeats(const std::filesystem::path& Path, const std::string& Head,
                        const std::string& Block, std::uint64_t Count, const std::string& Tail);

// A scan file's text: a title line, the header line of the given type
// letter, cell and wavelength, and Points data lines, with CR LF line ends.
std::string ScanText(char TypeLetter, int Cell, int Wavelength, int Points);

// Runs a shell command; true when it exits with 0.
bool Run(const std::string& Command);

// Every path below Root (folders and files), relative to it, sorted; links
// are listed under their own names and not gone through.
std::vector<std::string> Tree(const std::filesystem::path& Root);

}  // namespace archive

#include "tests/app/ArchiveBuilder.h"

#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace archive {

namespace {

std::string Octal(long long Value, int Digits) {
  char text[32];
  std::snprintf(text, sizeof text, "%0*llo", Digits, Value);
  return text;
}

void Put(std::string& Block, size_t Offset, const std::string& Text, size_t Width) {
  std::memcpy(&Block[Offset], Text.data(), std::min(Text.size(), Width));
}

// Deflates Input into Out with the given flush; the stream stays open.
void Deflate(z_stream& Stream, const std::string& Input, int Flush, std::string& Out) {
  Stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(Input.data()));
  Stream.avail_in = static_cast<uInt>(Input.size());
  char buffer[1 << 16];
  do {
    Stream.next_out = reinterpret_cast<Bytef*>(buffer);
    Stream.avail_out = sizeof buffer;
    deflate(&Stream, Flush);
    Out.append(buffer, sizeof buffer - Stream.avail_out);
  } while (Stream.avail_out == 0 || Stream.avail_in > 0);
}

void AppendLittleEndian(std::string& Out, uLong Value) {
  for (int i = 0; i < 4; ++i) Out += static_cast<char>((Value >> (8 * i)) & 0xFF);
}

}  // namespace

std::string Header(const std::string& Name, long long Size, char TypeFlag,
                   const std::string& Prefix, const std::string& SizeField) {
  std::string block(512, '\0');
  Put(block, 0, Name, 100);
  Put(block, 100, "0000644", 8);
  Put(block, 108, "0001750", 8);
  Put(block, 116, "0001750", 8);
  Put(block, 124, SizeField.empty() ? Octal(Size, 11) : SizeField, 12);
  Put(block, 136, "14712345670", 12);
  block[156] = TypeFlag;
  Put(block, 257,
      std::string("ustar\0"
                  "00",
                  8),
      8);
  Put(block, 265, "user", 32);
  Put(block, 297, "user", 32);
  Put(block, 345, Prefix, 155);
  FixChecksum(block);
  return block;
}

void FixChecksum(std::string& Header) {
  std::memset(&Header[148], ' ', 8);
  long sum = 0;
  for (unsigned char c : Header) sum += c;
  Put(Header, 148, Octal(sum, 6), 6);
  Header[154] = '\0';
  Header[155] = ' ';
}

std::string Member(const std::string& Name, const std::string& Data, char TypeFlag) {
  std::string out = Header(Name, static_cast<long long>(Data.size()), TypeFlag) + Data;
  out.append((512 - Data.size() % 512) % 512, '\0');
  return out;
}

std::string PaxRecord(const std::string& Key, const std::string& Value) {
  const std::string rest = " " + Key + "=" + Value + "\n";
  // The length counts its own digits.
  size_t length = rest.size() + 1;
  while (std::to_string(length).size() + rest.size() != length) ++length;
  return std::to_string(length) + rest;
}

std::string End() {
  return std::string(1024, '\0');
}

std::string Gzip(const std::string& Data) {
  z_stream stream{};
  deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, 16 + MAX_WBITS, 9, Z_DEFAULT_STRATEGY);
  std::string out;
  Deflate(stream, Data, Z_FINISH, out);
  deflateEnd(&stream);
  return out;
}

void WriteGzipOfZeros(const fs::path& Path, const std::string& Head, std::uint64_t ZeroBytes) {
  WriteGzipOfRepeats(Path, Head, std::string(1 << 20, '\0'), ZeroBytes >> 20, std::string());
}

void WriteGzipOfRepeats(const fs::path& Path, const std::string& Head, const std::string& Block,
                        std::uint64_t Count, const std::string& Tail) {
  z_stream stream{};
  deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, 16 + MAX_WBITS, 9, Z_DEFAULT_STRATEGY);
  std::string start, chunk, repeat, finish;
  Deflate(stream, Head, Z_FULL_FLUSH, start);
  // After a full flush the compressor starts afresh, so every further
  // block compresses to the same bytes.
  Deflate(stream, Block, Z_FULL_FLUSH, chunk);
  Deflate(stream, Block, Z_FULL_FLUSH, repeat);
  if (chunk != repeat) throw std::runtime_error("full flushes do not repeat");
  // The end: the tail as the last block, then the gzip trailer of the whole data.
  std::string tail;
  Deflate(stream, Tail, Z_FINISH, tail);
  deflateEnd(&stream);
  const size_t trailer = 8;
  finish = tail.substr(0, tail.size() - trailer);
  auto crcOf = [](const std::string& Bytes) {
    return crc32(0, reinterpret_cast<const Bytef*>(Bytes.data()), static_cast<uInt>(Bytes.size()));
  };
  const uLong blockCrc = crcOf(Block);
  uLong crc = crcOf(Head);
  for (std::uint64_t i = 0; i < Count; ++i)
    crc = crc32_combine(crc, blockCrc, static_cast<z_off_t>(Block.size()));
  crc = crc32_combine(crc, crcOf(Tail), static_cast<z_off_t>(Tail.size()));
  AppendLittleEndian(finish, crc);
  AppendLittleEndian(
      finish, static_cast<uLong>((Head.size() + Count * Block.size() + Tail.size()) & 0xFFFFFFFFu));

  std::ofstream out(Path, std::ios::binary | std::ios::trunc);
  out << start;
  for (std::uint64_t i = 0; i < Count; ++i) out << chunk;
  out << finish;
}

std::string ScanText(char TypeLetter, int Cell, int Wavelength, int Points) {
  std::string text = "Test scan\r\n";
  text += std::string(1, TypeLetter) + " " + std::to_string(Cell) +
          " 20.0 50000 0000600 1.0000E09 " + std::to_string(Wavelength) + " 1\r\n";
  for (int i = 0; i < Points; ++i) {
    char line[80];
    const double radius = 6.0 + 0.01 * i;
    if (TypeLetter == 'P')
      std::snprintf(line, sizeof line, "%9.4f %14.5E\r\n", radius, 0.1 * i);
    else
      std::snprintf(line, sizeof line, "%9.4f %14.5E %14.5E\r\n", radius, 0.1 * i, 0.001);
    text += line;
  }
  return text;
}

bool Run(const std::string& Command) {
  return std::system(Command.c_str()) == 0;
}

std::vector<std::string> Tree(const fs::path& Root) {
  std::vector<std::string> paths;
  std::error_code ec;
  for (auto it = fs::recursive_directory_iterator(Root, ec); !ec && it != fs::end(it);
       it.increment(ec))
    paths.push_back(it->path().lexically_relative(Root).string());
  std::sort(paths.begin(), paths.end());
  return paths;
}

}  // namespace archive

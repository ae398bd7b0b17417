#include "platform/NumberText.h"

#include <charconv>
#include <limits>
#include <cmath>
#include <system_error>

namespace {

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// from_chars takes no leading '+'; scanf does.
std::string_view SignFree(std::string_view text, bool& negative) {
  negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  return text;
}

template <typename T>
std::string ToChars(T value, std::chars_format format, int precision) {
  char buffer[400];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value, format, precision);
  if (result.ec != std::errc()) return "nan";
  return std::string(buffer, result.ptr);
}

std::string NonFinite(double value, bool upperCase) {
  std::string text = std::isnan(value) ? "nan" : "inf";
  if (upperCase)
    for (char& c : text) c = static_cast<char>(c - 'a' + 'A');
  return (std::signbit(value) ? "-" : "") + text;
}

}  // namespace

void SkipSpace(std::string_view& Text) {
  while (!Text.empty() && IsSpace(Text.front())) Text.remove_prefix(1);
}

bool ScanDouble(std::string_view& Text, double& Value) {
  std::string_view rest = Text;
  SkipSpace(rest);
  bool negative = false;
  std::string_view digits = SignFree(rest, negative);
  // A second sign ("+-1") is not a number for scanf either.
  if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) return false;
  double parsed = 0.0;
  auto result = std::from_chars(digits.data(), digits.data() + digits.size(), parsed,
                                std::chars_format::general);
  if (result.ec != std::errc()) return false;
  Value = negative ? -parsed : parsed;
  Text = std::string_view(result.ptr, static_cast<size_t>(Text.data() + Text.size() - result.ptr));
  return true;
}

bool ScanInt(std::string_view& Text, int& Value) {
  std::string_view rest = Text;
  SkipSpace(rest);
  bool negative = false;
  std::string_view digits = SignFree(rest, negative);
  if (digits.empty() || digits.front() < '0' || digits.front() > '9') return false;
  long long parsed = 0;
  auto result = std::from_chars(digits.data(), digits.data() + digits.size(), parsed, 10);
  if (result.ec != std::errc()) return false;
  if (negative) parsed = -parsed;
  if (parsed < std::numeric_limits<int>::min() || parsed > std::numeric_limits<int>::max()) return false;
  Value = static_cast<int>(parsed);
  Text = std::string_view(result.ptr, static_cast<size_t>(Text.data() + Text.size() - result.ptr));
  return true;
}

bool ScanChar(std::string_view& Text, char& Value) {
  if (Text.empty()) return false;
  Value = Text.front();
  Text.remove_prefix(1);
  return true;
}

bool ScanWord(std::string_view& Text, std::string& Value) {
  std::string_view rest = Text;
  SkipSpace(rest);
  size_t length = 0;
  while (length < rest.size() && !IsSpace(rest[length])) ++length;
  if (length == 0) return false;
  Value.assign(rest.data(), length);
  rest.remove_prefix(length);
  Text = rest;
  return true;
}

bool ScanLiteral(std::string_view& Text, char Literal) {
  if (Text.empty() || Text.front() != Literal) return false;
  Text.remove_prefix(1);
  return true;
}

bool TextToDouble(std::string_view Text, double& Value) {
  double parsed = 0.0;
  if (!ScanDouble(Text, parsed)) return false;
  SkipSpace(Text);
  if (!Text.empty()) return false;
  Value = parsed;
  return true;
}

bool TextToInt(std::string_view Text, int& Value) {
  int parsed = 0;
  if (!ScanInt(Text, parsed)) return false;
  SkipSpace(Text);
  if (!Text.empty()) return false;
  Value = parsed;
  return true;
}

std::string FormatFixed(double Value, int Precision) {
  if (!std::isfinite(Value)) return NonFinite(Value, false);
  return ToChars(Value, std::chars_format::fixed, Precision);
}

std::string FormatScientific(double Value, int Precision, bool UpperCase) {
  if (!std::isfinite(Value)) return NonFinite(Value, UpperCase);
  std::string text = ToChars(Value, std::chars_format::scientific, Precision);
  if (UpperCase)
    for (char& c : text)
      if (c == 'e') c = 'E';
  return text;
}

std::string FormatGeneral(double Value, int Precision) {
  if (!std::isfinite(Value)) return NonFinite(Value, false);
  return ToChars(Value, std::chars_format::general, Precision == 0 ? 1 : Precision);
}

std::string FormatInteger(long long Value) {
  char buffer[32];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, Value);
  return std::string(buffer, result.ptr);
}

std::string PadLeft(const std::string& Text, int Width) {
  if (Width <= 0 || static_cast<int>(Text.size()) >= Width) return Text;
  return std::string(static_cast<size_t>(Width) - Text.size(), ' ') + Text;
}

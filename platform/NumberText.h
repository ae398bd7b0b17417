#pragma once

#include <string>
#include <string_view>

// Locale-independent reading and writing of numbers. The process locale may
// use a decimal comma (Qt takes it from the environment), and scan files,
// dump files and result files always use a decimal point, so nothing here
// goes through the C locale.
//
// The Scan functions behave like the matching scanf conversions: they skip
// leading white space (except ScanChar), consume what they read from Text and
// return false, leaving Text unchanged, when nothing matching is there.

// %lf / %le / %lg: optional sign, decimal or exponent notation, inf, nan.
bool ScanDouble(std::string_view& Text, double& Value);
// %i read as decimal (a leading 0 is not octal): optional sign and digits.
bool ScanInt(std::string_view& Text, int& Value);
// %c: the next character, white space included.
bool ScanChar(std::string_view& Text, char& Value);
// %s: one word of non-white-space characters.
bool ScanWord(std::string_view& Text, std::string& Value);
// A literal character of a format, e.g. the comma of "%lf, %s".
bool ScanLiteral(std::string_view& Text, char Literal);
// White space as a format's blank matches it: any amount, none included.
void SkipSpace(std::string_view& Text);

// Whole-text conversions: succeed only when Text holds one number and
// nothing else but surrounding white space.
bool TextToDouble(std::string_view Text, double& Value);
bool TextToInt(std::string_view Text, int& Value);

// printf-like output in the C locale: "%.*f", "%.*e" / "%.*E", "%.*g".
std::string FormatFixed(double Value, int Precision);
std::string FormatScientific(double Value, int Precision, bool UpperCase = false);
std::string FormatGeneral(double Value, int Precision);
std::string FormatInteger(long long Value);
// Right-aligns Text in Width characters, as a printf field width does.
std::string PadLeft(const std::string& Text, int Width);

#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// An outside reader of component streams for tests: a small program built
// with the Free Pascal compiler and its class library converts between the
// binary and the text form. It is compiled once per test process into a
// private temporary folder.

// Whether the converter could be built; otherwise Why (when given) says
// what is missing, naming the package to install.
bool PascalAvailable(QString* Why);

// The Pascal library's text form of a binary stream, or nothing when it
// rejects the stream (or the converter is not available).
std::optional<QByteArray> PascalBinaryToText(const QByteArray& Binary);

// The Pascal library's binary form of a text stream, or nothing when it
// rejects the text (or the converter is not available).
std::optional<QByteArray> PascalTextToBinary(const QByteArray& Text);

// Our text form against the Pascal library's, line for line after trailing
// blanks are trimmed; lines holding a float compare the two numbers as
// doubles (the Pascal library prints the extended value, we print the
// double it rounds to). Reports differences as test failures.
void ExpectSamePascalText(const QByteArray& Ours, const QByteArray& Theirs);

#pragma once

#include <QString>

#include <exception>
#include <string>

// Common base of every exception the platform and the chart library raise.
// Message is what the user sees; what() gives the same text in UTF-8 so a
// catch of std::exception reports it too.
class Exception : public std::exception {
 public:
  explicit Exception(const QString& AMessage);

  const QString& Message() const { return FMessage; }
  const char* what() const noexcept override { return FUtf8.c_str(); }

 private:
  QString FMessage;
  std::string FUtf8;
};

// A text that is not a number, a format that does not fit its arguments.
class EConvertError : public Exception {
 public:
  using Exception::Exception;
};

// A picture that cannot be read, written or drawn as asked.
class EInvalidGraphic : public Exception {
 public:
  using Exception::Exception;
};

// An operation the platform layer does not offer (yet), such as writing a
// metafile to disk; raised instead of pretending success.
class ENotSupported : public Exception {
 public:
  using Exception::Exception;
};

// Printer and print-job failures (no printer, a document not begun, ...).
class EPrinter : public Exception {
 public:
  using Exception::Exception;
};

// A file that cannot be opened, read or written.
class EFileError : public Exception {
 public:
  using Exception::Exception;
};

// Text that does not follow the grammar a parser expects (the text form of
// a component stream); the message names the line.
class EParserError : public Exception {
 public:
  using Exception::Exception;
};

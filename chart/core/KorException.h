#pragma once

#include "platform/Exception.h"

// The chart library's own exceptions. Every one derives from
// KorException, so code that paints or streams charts can catch the whole
// library with one handler; KorException itself derives from the platform
// Exception, which the Qt entry-point guard reports. Range and argument
// errors leave the object they were raised by unchanged.
class KorException : public Exception {
 public:
  using Exception::Exception;
  ~KorException() override;
};

// Axis range errors: minimum above maximum, bad logarithmic base, ...
class AxisException : public KorException {
 public:
  using KorException::KorException;
};

// Series and chart errors: indexes out of range, invalid data sources, ...
class ChartException : public KorException {
 public:
  using KorException::KorException;
};

// Legend errors.
class LegendException : public KorException {
 public:
  using KorException::KorException;
};

// Mark-up in chart texts that cannot be read: a tag without its ">", a
// font size or picture size that is not a number.
class HtmlParserException : public KorException {
 public:
  using KorException::KorException;
};

#pragma once

#include "platform/TReader.h"

#include <functional>

// Asked about each problem met while a chart stream is read; true goes on
// without the offending property or component, false stops the read.
using TProcKorCheckStream = std::function<bool(const QString& Message)>;

// The component reader for chart files: event handlers named in a file
// are dropped quietly (the program binds its own), and each reading error
// is put to the check callback; without one every such error is skipped.
class TChartReader : public TReader {
 public:
  TChartReader(TStream& AStream, TProcKorCheckStream ACheck)
      : TReader(AStream), FCheck(std::move(ACheck)) {}

 protected:
  bool Error(const QString& Message) override;
  bool IgnoreEventHandler(const QString& Name, const QString& Method) override;

 private:
  TProcKorCheckStream FCheck;
};

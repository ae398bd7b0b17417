#include "chart/core/TChartAxisPen.h"

namespace {

constexpr int DefaultAxisPenWidth = 2;

}  // namespace

// The change handler is attached last, so setting up the width does not
// notify the owner while it is still being built.
TChartAxisPen::TChartAxisPen(TNotifyEvent ChangeHandler) {
  SetWidth(DefaultAxisPenWidth);
  OnChange = std::move(ChangeHandler);
}

void TChartAxisPen::Assign(const TPersistent& Source) {
  if (const TChartAxisPen* Other = dynamic_cast<const TChartAxisPen*>(&Source))
    FLineMode = Other->FLineMode;
  TChartPen::Assign(Source);
}

const TPropertyList& TChartAxisPen::Properties() const {
  namespace PP = PublishedProperty;
  static const TPropertyList List(
      TChartPen().Properties(),
      {
          PP::Integer<TPen>(QStringLiteral("Width"), &TPen::GetWidth, &TPen::SetWidth,
                            DefaultAxisPenWidth),
          PP::Enum<TChartAxisPen, TPenLineMode>(
              QStringLiteral("LineMode"), &TChartAxisPen::GetLineMode, &TChartAxisPen::SetLineMode,
              {"lmLine", "lmCylinder", "lmRectangle"}, lmLine),
      });
  return List;
}

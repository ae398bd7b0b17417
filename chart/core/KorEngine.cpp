#include "chart/core/KorEngine.h"

#include "chart/core/KorException.h"
#include "chart/core/KorProcs.h"
#include "chart/core/Korconst.h"
#include "chart/core/TChartAxis.h"
#include "chart/core/TChartAxisTitle.h"
#include "chart/core/TChartDepthAxis.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TChartValueList.h"
#include "chart/core/TCustomAxisPanel.h"
#include "chart/core/TCustomSeriesList.h"
#include "chart/core/TLabelsList.h"
#include "chart/core/TSeriesMarks.h"

#include "platform/FormatSettings.h"
#include "platform/ModalHooks.h"
#include "platform/TBitmap.h"
#include "platform/TCanvas.h"
#include "platform/TStringList.h"

#include <algorithm>

bool KorRandomAtRunTime = false;

namespace {

// The axis, axis title and series marks classes are parts of a chart, not
// components, yet streams name them: they are known by name from start-up
// to the end of the program.
class TStreamedPartClasses {
 public:
  TStreamedPartClasses() {
    for (const TClassInfo* Info : Classes()) RegisterClass(*Info);
  }
  ~TStreamedPartClasses() {
    for (const TClassInfo* Info : Classes()) UnRegisterClass(*Info);
  }
  TStreamedPartClasses(const TStreamedPartClasses&) = delete;
  TStreamedPartClasses& operator=(const TStreamedPartClasses&) = delete;

 private:
  static std::vector<const TClassInfo*> Classes() {
    return {&PersistentClassInfoOf<TChartAxisTitle>("TChartAxisTitle"),
            &PersistentClassInfoOf<TChartAxis>("TChartAxis"),
            &PersistentClassInfoOf<TChartDepthAxis>("TChartDepthAxis"),
            &PersistentClassInfoOf<TSeriesMarks>("TSeriesMarks")};
  }
};

const TStreamedPartClasses StreamedPartClasses;

// Editors list the series that do not hide themselves from editors, in a
// designer as at run time.
bool ShownInEditors(const TChartSeries& ASeries) {
  return ASeries.GetShowInEditor();
}

}  // namespace

std::vector<TKorSeriesSourceClass>& KorSources() {
  static std::vector<TKorSeriesSourceClass> List;
  return List;
}

void RegisterKorSeriesSource(TKorSeriesSourceClass ASourceClass) {
  if (!ASourceClass) return;
  std::vector<TKorSeriesSourceClass>& List = KorSources();
  if (std::find(List.begin(), List.end(), ASourceClass) == List.end()) List.push_back(ASourceClass);
  RegisterClass(*ASourceClass.Info());
}

void UnRegisterKorSeriesSource(TKorSeriesSourceClass ASourceClass) {
  std::vector<TKorSeriesSourceClass>& List = KorSources();
  List.erase(std::remove(List.begin(), List.end(), ASourceClass), List.end());
}

void KorResolveSeriesName(const TComponent* Owner, const QString& Name, QString& Pending,
                          const std::function<void(TChartSeries*)>& Set) {
  Pending.clear();
  if (Name.isEmpty()) {
    Set(nullptr);
    return;
  }
  TComponent* Found = Owner != nullptr ? Owner->FindComponent(Name.toStdString()) : nullptr;
  if (auto* Series = dynamic_cast<TChartSeries*>(Found))
    Set(Series);
  else
    Pending = Name;
}

QString SeriesTitleOrName(const TChartSeries* ASeries) {
  if (ASeries == nullptr) return QString();
  QString Result = ASeries->GetTitle();
  if (!Result.isEmpty()) return Result.replace(KorColumnSeparator, QLatin1Char(' '));
  Result = QString::fromStdString(ASeries->GetName());
  if (Result.isEmpty() && ASeries->GetParentChart() != nullptr)
    Result = Korconst::KorMsg_Series +
             QString::number(ASeries->GetParentChart()->IndexOfSeries(ASeries) + 1);
  return Result;
}

void FillSeriesItems(TStringList& Strings, const TCustomSeriesList& ASeriesList, bool UseTitles) {
  Strings.BeginUpdate();
  try {
    for (int I = 0; I < ASeriesList.Count(); ++I) {
      TChartSeries* S = ASeriesList.Get(I);
      if (!ShownInEditors(*S)) continue;
      const QString Text = UseTitles ? SeriesTitleOrName(S) : QString::fromStdString(S->GetName());
      Strings.AddObject(Text, S);
    }
  } catch (...) {
    Strings.EndUpdate();
    throw;
  }
  Strings.EndUpdate();
}

bool HasNoMandatoryValues(const TChartSeries& ASeries) {
  const int N = ASeries.Count();
  if (N == 0 || !ASeries.GetUseNotMandatory()) return false;
  const double* Values = ASeries.GetNotMandatory().Data();
  for (int I = 0; I < N; ++I)
    if (Values[I] != I) return true;
  return false;
}

bool HasColors(const TChartSeries& ASeries) {
  if (!ASeries.HasOwnColors()) return false;
  const TColor SeriesColor = ASeries.GetSeriesColor();
  for (int I = 0; I < ASeries.Count(); ++I) {
    const TColor C = ASeries.GetOwnColor(I);
    if (C != clDefault && C != SeriesColor) return true;
  }
  return false;
}

bool HasLabels(const TChartSeries& ASeries) {
  const TLabelsList& Labels = ASeries.GetLabels();
  const int N = std::min(Labels.Count(), ASeries.Count());
  for (int I = 0; I < N; ++I)
    if (!Labels.GetLabel(I).isEmpty()) return true;
  return false;
}

void ShowMessageUser(const QString& Text) {
  MessageDlg(Text, TMsgDlgType::mtError, mbOKOnly);
}

void KorDrawBitmapEditor(TCanvas& Canvas, const TCustomChartElement& Element, int X, int Y) {
  TBitmap Bitmap;
  // Classes cannot name their parent class here, so there is no fallback
  // bitmap: an element without its own bitmap draws nothing.
  KorGetBitmapEditor(Element.ClassName(), QString(), Bitmap);
  if (Bitmap.GetEmpty()) return;
  Bitmap.SetTransparent(true);
  Canvas.Draw(X, Y, Bitmap);
}

void KorCheckListIndex(int Index, int ACount) {
  if (Index < 0 || Index >= ACount)
    throw ChartException(
        Format(QStringLiteral("List index %d out of bounds (0 to %d)."), {Index, ACount - 1}));
}

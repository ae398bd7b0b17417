#include "chart/core/TKorSeriesTypes.h"

#include "chart/core/KorEngine.h"
#include "chart/core/Korconst.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TKorFunction.h"

#include <algorithm>

TKorSeriesType* TKorSeriesTypes::Get(int Index) const {
  KorCheckListIndex(Index, Count());
  return FItems[static_cast<size_t>(Index)].get();
}

TKorSeriesType* TKorSeriesTypes::Find(TChartSeriesClass ASeriesClass) const {
  return Find(ASeriesClass, TKorFunctionClass());
}

TKorSeriesType* TKorSeriesTypes::Find(TChartSeriesClass ASeriesClass,
                                      TKorFunctionClass AFunctionClass) const {
  for (const auto& Item : FItems)
    if (Item->SeriesClassRef == ASeriesClass && Item->FunctionClassRef == AFunctionClass)
      return Item.get();
  return nullptr;
}

void TKorSeriesTypes::Add(std::unique_ptr<TKorSeriesType> AType) {
  FItems.push_back(std::move(AType));
}

void TKorSeriesTypes::Delete(int Index) {
  KorCheckListIndex(Index, Count());
  FItems.erase(FItems.begin() + Index);
}

TKorSeriesTypes& KorSeriesTypes() {
  static TKorSeriesTypes Types;
  return Types;
}

void RegisterKorSeriesFunction(TChartSeriesClass ASeriesClass, TKorFunctionClass AFunctionClass,
                               const QString* ADescription, const QString* AGalleryPage,
                               int ANumGallerySeries) {
  if (ASeriesClass) RegisterClass(*ASeriesClass.Info());
  if (AFunctionClass) RegisterClass(*AFunctionClass.Info());
  TKorSeriesTypes& Types = KorSeriesTypes();
  if (Types.Find(ASeriesClass, AFunctionClass) != nullptr) return;
  Types.Add(std::make_unique<TKorSeriesType>(ASeriesClass, AFunctionClass, ADescription,
                                             AGalleryPage, ANumGallerySeries));
}

void RegisterKorSeries(TChartSeriesClass ASeriesClass, const QString* ADescription,
                       const QString* AGalleryPage, int ANumGallerySeries) {
  RegisterKorSeriesFunction(ASeriesClass, TKorFunctionClass(), ADescription, AGalleryPage,
                            ANumGallerySeries);
}

void RegisterKorSeries(TChartSeriesClass ASeriesClass, const QString* ADescription) {
  RegisterKorSeries(ASeriesClass, ADescription, &Korconst::KorMsg_GalleryStandard, 2);
}

void RegisterKorFunction(TKorFunctionClass AFunctionClass, const QString* ADescription,
                         const QString* AGalleryPage, int ANumGallerySeries) {
  RegisterKorSeriesFunction(TChartSeriesClass(), AFunctionClass, ADescription, AGalleryPage,
                            ANumGallerySeries);
}

void RegisterKorBasicFunction(TKorFunctionClass AFunctionClass, const QString* ADescription) {
  RegisterKorFunction(AFunctionClass, ADescription, &Korconst::KorMsg_GalleryStandard, 2);
}

namespace {

// Frees every entry for which Matches is true.
template <class Predicate>
void UnRegisterWhere(Predicate Matches) {
  TKorSeriesTypes& Types = KorSeriesTypes();
  for (int I = Types.Count() - 1; I >= 0; --I)
    if (Matches(*Types.Get(I))) Types.Delete(I);
}

template <class Class>
bool Among(const std::vector<Class>& Classes, const Class& AClass) {
  return AClass && std::find(Classes.begin(), Classes.end(), AClass) != Classes.end();
}

}  // namespace

void UnRegisterKorSeries(const std::vector<TChartSeriesClass>& SeriesClasses) {
  UnRegisterWhere([&](const TKorSeriesType& T) { return Among(SeriesClasses, T.SeriesClassRef); });
}

void UnRegisterKorFunctions(const std::vector<TKorFunctionClass>& FunctionClasses) {
  UnRegisterWhere(
      [&](const TKorSeriesType& T) { return Among(FunctionClasses, T.FunctionClassRef); });
}

QString GetGallerySeriesName(const TChartSeries& ASeries) {
  if (const TKorSeriesType* Type = KorSeriesTypes().Find(ClassOfInstance(ASeries)))
    return Type->Description();
  return ASeries.ClassName();
}

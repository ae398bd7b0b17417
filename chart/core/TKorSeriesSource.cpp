#include "chart/core/TKorSeriesSource.h"

#include "chart/core/KorEngine.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TDataSourcesList.h"

#include <utility>

TKorSeriesSource::~TKorSeriesSource() {
  Close();
}

const TPropertyList& TKorSeriesSource::Properties() const {
  namespace PP = PublishedProperty;
  using C = TKorSeriesSource;
  static const TPropertyList List{
      PP::Component<C>(QStringLiteral("Series"), &C::SeriesName, &C::SetSeriesName),
      PP::Boolean<C>(QStringLiteral("Active"), &C::GetActive, &C::SetActive, false),
  };
  return List;
}

void TKorSeriesSource::SetSeries(TChartSeries* Value) {
  if (Value == FSeries) return;
  Close();
  if (TChartSeries* Old = FSeries) {
    TComponent* OldComponent = FSeriesComponent;
    // The free-notification link is shared by both sides, so the old
    // series must drop this source before the link goes, or it would keep
    // a pointer to a source it is no longer told about.
    TDataSourcesList& Sources = Old->GetDataSources();
    const int Index = Sources.IndexOf(this);
    if (Index >= 0) Sources.Delete(Index);
    OldComponent->RemoveFreeNotification(this);
    FSeries = nullptr;
    FSeriesComponent = nullptr;
  }
  if (Value == nullptr) return;
  LinkSeries(Value);
  try {
    Value->SetDataSource(this);
  } catch (...) {
    Value->RemoveFreeNotification(this);
    FSeries = nullptr;
    FSeriesComponent = nullptr;
    throw;
  }
}

void TKorSeriesSource::LinkSeries(TChartSeries* Value) {
  FSeries = Value;
  FSeriesComponent = Value;
  Value->FreeNotification(this);
}

void TKorSeriesSource::SetActive(bool Value) {
  if (Value == FActive) return;
  if (FSeries != nullptr) {
    if (Value) {
      if (!InState(csLoading)) Load();
    } else if (!InState(csDestroying) && !FSeries->InState(csDestroying)) {
      FSeries->Clear();
    }
  }
  FActive = Value;
}

bool TKorSeriesSource::HasSeries(const TChartSeries* ASeries) const {
  if (ASeries == nullptr) return false;
  const auto* Source = dynamic_cast<const TPersistent*>(ASeries->GetDataSource());
  return Source != nullptr && Source->ClassName() == ClassName();
}

void TKorSeriesSource::Close() {
  if (!InState(csLoading) && !InState(csDestroying)) SetActive(false);
}

void TKorSeriesSource::Refresh() {
  if (FActive && !InState(csLoading)) Load();
}

void TKorSeriesSource::Loaded() {
  TComponent::Loaded();
  // A copy: setting the name empties the pending one first.
  const QString Pending = std::exchange(FPendingSeriesName, QString());
  if (!Pending.isEmpty()) SetSeriesName(Pending);
  Refresh();
}

void TKorSeriesSource::MoveToSeries(TChartSeries* ASeries) {
  TChartSeries* Old = FSeries;
  if (Old == nullptr || Old == ASeries || ASeries == nullptr) return;
  const bool WasActive = FActive;
  Close();
  if (GetOwner() == Old) ASeries->InsertComponent(this);
  // The old series keeps its link to the source (links are shared by
  // both sides here), so that it still drops the source from its data
  // sources when the source is freed.
  FSeries = ASeries;
  FSeriesComponent = ASeries;
  ASeries->FreeNotification(this);
  if (WasActive) Open();
}

void TKorSeriesSource::ForgetSeries(const TChartSeries* ASeries) {
  if (ASeries == nullptr || ASeries != FSeries) return;
  FSeries = nullptr;
  FSeriesComponent = nullptr;
}

void TKorSeriesSource::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FSeriesComponent) {
    FSeries = nullptr;
    FSeriesComponent = nullptr;
  }
}

QString TKorSeriesSource::SeriesName() const {
  return FSeries != nullptr ? QString::fromStdString(FSeries->GetName()) : QString();
}

void TKorSeriesSource::SetSeriesName(const QString& Value) {
  KorResolveSeriesName(GetOwner(), Value, FPendingSeriesName,
                       [this](TChartSeries* Series) { SetSeries(Series); });
}

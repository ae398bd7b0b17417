#include "chart/core/TKorSeriesType.h"

QString TKorSeriesType::Description() const {
  return DescriptionText != nullptr ? *DescriptionText : QString();
}

QString TKorSeriesType::GalleryPage() const {
  return GalleryTab != nullptr ? *GalleryTab : QString();
}

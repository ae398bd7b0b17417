#include "platform/TDirtyRows.h"

#include <climits>
#include <cstring>

void TDirtyRows::Start(const QRect& Image, std::uint64_t Token) {
  FImage = Image;
  FToken = Token;
  FAll = false;
  FPoints = 0;
  FFirst.assign(std::size_t(Image.height()), INT_MAX);
  FLast.assign(std::size_t(Image.height()), INT_MIN);
}

void TDirtyRows::Mark(const QRect& R) {
  if (!Marking()) return;
  const QRect Part = R.intersected(FImage);
  if (Part.isEmpty()) return;
  // A large part is cheaper to copy whole than to mark row by row.
  if (std::int64_t(Part.width()) * Part.height() * 4 >=
      std::int64_t(FImage.width()) * FImage.height()) {
    FAll = true;
    return;
  }
  Extend(Part.top(), Part.bottom(), Part.left(), Part.right());
}

void TDirtyRows::CopyMarked(const uchar* Kept, uchar* Pixels, qsizetype Stride) const {
  for (std::size_t Row = 0; Row < FFirst.size(); ++Row) {
    if (FFirst[Row] > FLast[Row]) continue;
    const qsizetype At = qsizetype(Row) * Stride + qsizetype(FFirst[Row] - FImage.left()) * 4;
    std::memcpy(Pixels + At, Kept + At, std::size_t(FLast[Row] - FFirst[Row] + 1) * 4);
  }
}

void TDirtyRows::Extend(int Top, int Bottom, int Left, int Right) {
  for (int Y = Top; Y <= Bottom; ++Y) {
    const std::size_t Row = std::size_t(Y - FImage.top());
    FFirst[Row] = std::min(FFirst[Row], Left);
    FLast[Row] = std::max(FLast[Row], Right);
  }
}

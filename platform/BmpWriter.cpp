#include "platform/BmpWriter.h"

#include "platform/Exception.h"

#include <QByteArray>
#include <QHash>
#include <QIODevice>

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <utility>
#include <vector>

namespace {

constexpr qint64 FileHeaderSize = 14;
constexpr qint64 InfoHeaderSize = 40;
constexpr quint32 CompressionNone = 0;       // plain pixels
constexpr quint32 CompressionBitFields = 3;  // pixels laid out by the three masks
constexpr quint32 PixelsPerMetre = 3780;     // 96 pixels per inch, as charts are drawn

// The colours of 4-bit pictures, in the order their files index them.
constexpr std::array<QRgb, 16> StandardColours = {
    0xFF000000, 0xFF800000, 0xFF008000, 0xFF808000, 0xFF000080, 0xFF800080, 0xFF008080, 0xFFC0C0C0,
    0xFF808080, 0xFFFF0000, 0xFF00FF00, 0xFFFFFF00, 0xFF0000FF, 0xFFFF00FF, 0xFF00FFFF, 0xFFFFFFFF};

constexpr QRgb Black = 0xFF000000;
constexpr QRgb White = 0xFFFFFFFF;

int DistanceSquared(QRgb A, QRgb B) {
  const int R = qRed(A) - qRed(B);
  const int G = qGreen(A) - qGreen(B);
  const int Bl = qBlue(A) - qBlue(B);
  return R * R + G * G + Bl * Bl;
}

// Position in Palette of the colour nearest to C (the first of equals).
int NearestIndex(QRgb C, const std::vector<QRgb>& Palette) {
  int Best = 0;
  int BestDistance = std::numeric_limits<int>::max();
  for (int I = 0; I < static_cast<int>(Palette.size()); ++I) {
    const int D = DistanceSquared(C, Palette[static_cast<size_t>(I)]);
    if (D < BestDistance) {
      Best = I;
      BestDistance = D;
      if (D == 0) break;
    }
  }
  return Best;
}

const std::vector<QRgb>& StandardPalette() {
  static const std::vector<QRgb> Palette(StandardColours.begin(), StandardColours.end());
  return Palette;
}

// A channel of Bits bits widened back to 8 bits by repeating its top bits,
// so that 0 stays 0 and the largest value becomes 255.
int Widen(int Value, int Bits) {
  return (Value << (8 - Bits)) | (Value >> (2 * Bits - 8));
}

QRgb Cut(QRgb C, int RedBits, int GreenBits, int BlueBits) {
  return qRgb(Widen(qRed(C) >> (8 - RedBits), RedBits),
              Widen(qGreen(C) >> (8 - GreenBits), GreenBits),
              Widen(qBlue(C) >> (8 - BlueBits), BlueBits));
}

template <class Map>
void MapPixels(QImage& Image, Map&& Colour) {
  for (int Y = 0; Y < Image.height(); ++Y) {
    auto* Row = reinterpret_cast<QRgb*>(Image.scanLine(Y));
    for (int X = 0; X < Image.width(); ++X) Row[X] = Colour(Row[X] | 0xFF000000u);
  }
}

QHash<QRgb, int> CountColours(const QImage& Image) {
  QHash<QRgb, int> Counts;
  for (int Y = 0; Y < Image.height(); ++Y) {
    const auto* Row = reinterpret_cast<const QRgb*>(Image.constScanLine(Y));
    for (int X = 0; X < Image.width(); ++X) ++Counts[Row[X] | 0xFF000000u];
  }
  return Counts;
}

bool OnCube(QRgb C) {
  return qRed(C) % 51 == 0 && qGreen(C) % 51 == 0 && qBlue(C) % 51 == 0;
}

// 216 evenly spaced colours (6 levels per channel) bound the error of any
// colour; the 40 most frequent others (a picture's panel, walls and series
// colours, the smaller value first among equally frequent ones, so the
// choice does not depend on hashing) stay exact.
std::vector<QRgb> ReducedPalette(const QHash<QRgb, int>& Counts) {
  std::vector<QRgb> Palette;
  for (int R = 0; R < 6; ++R)
    for (int G = 0; G < 6; ++G)
      for (int B = 0; B < 6; ++B) Palette.push_back(qRgb(R * 51, G * 51, B * 51));
  std::vector<std::pair<int, QRgb>> ByCount;
  ByCount.reserve(static_cast<size_t>(Counts.size()));
  for (auto It = Counts.cbegin(); It != Counts.cend(); ++It)
    if (!OnCube(It.key())) ByCount.emplace_back(It.value(), It.key());
  std::sort(ByCount.begin(), ByCount.end(), [](const auto& A, const auto& B) {
    return A.first != B.first ? A.first > B.first : A.second < B.second;
  });
  for (size_t I = 0; I < ByCount.size() && Palette.size() < 256; ++I)
    Palette.push_back(ByCount[I].second);
  return Palette;
}

void ReduceTo256(QImage& Image) {
  const QHash<QRgb, int> Counts = CountColours(Image);
  if (Counts.size() <= 256) return;
  const std::vector<QRgb> Palette = ReducedPalette(Counts);
  QHash<QRgb, QRgb> Nearest;  // per distinct colour: the search is the costly part
  MapPixels(Image, [&](QRgb C) {
    auto It = Nearest.constFind(C);
    if (It == Nearest.cend())
      It = Nearest.insert(C, Palette[static_cast<size_t>(NearestIndex(C, Palette))]);
    return It.value();
  });
}

// The colour table of a reduced picture: black and white, the standard
// colours, or its own colours in ascending order; none above 8 bits.
std::vector<QRgb> ColourTable(const QImage& Reduced, TBmpDepth Depth) {
  switch (Depth) {
    case TBmpDepth::Bits1: return {Black, White};
    case TBmpDepth::Bits4: return StandardPalette();
    case TBmpDepth::Bits8: {
      const QList<QRgb> Colours = CountColours(Reduced).keys();
      std::vector<QRgb> Table(Colours.begin(), Colours.end());
      std::sort(Table.begin(), Table.end());
      return Table;
    }
    default: return {};
  }
}

void Put16(QByteArray& Bytes, quint32 Value) {
  Bytes.append(static_cast<char>(Value & 0xFF));
  Bytes.append(static_cast<char>((Value >> 8) & 0xFF));
}

void Put32(QByteArray& Bytes, quint32 Value) {
  Put16(Bytes, Value & 0xFFFF);
  Put16(Bytes, Value >> 16);
}

void Send(QIODevice& Device, const QByteArray& Bytes) {
  if (Device.write(Bytes) != Bytes.size())
    throw EFileError(QStringLiteral("Cannot write the bitmap: %1").arg(Device.errorString()));
}

QByteArray Headers(const QImage& Pixels, TBmpDepth Depth, const std::vector<QRgb>& Table,
                   qint64 ImageSize) {
  const bool Masks = Depth == TBmpDepth::Bits16;
  const qint64 Offset =
      FileHeaderSize + InfoHeaderSize + 4 * qint64(Table.size()) + (Masks ? 12 : 0);
  const qint64 FileSize = Offset + ImageSize;
  if (FileSize > std::numeric_limits<quint32>::max())
    throw EInvalidGraphic(QStringLiteral("A %1 x %2 bitmap is too large for a bitmap file")
                              .arg(Pixels.width())
                              .arg(Pixels.height()));
  QByteArray H;
  H.append("BM");
  Put32(H, static_cast<quint32>(FileSize));
  Put32(H, 0);  // reserved
  Put32(H, static_cast<quint32>(Offset));
  Put32(H, InfoHeaderSize);
  Put32(H, static_cast<quint32>(Pixels.width()));
  Put32(H, static_cast<quint32>(Pixels.height()));  // positive: rows bottom-up
  Put16(H, 1);                                      // planes
  Put16(H, static_cast<quint32>(BmpBitCount(Depth)));
  Put32(H, Masks ? CompressionBitFields : CompressionNone);
  Put32(H, static_cast<quint32>(ImageSize));
  Put32(H, PixelsPerMetre);
  Put32(H, PixelsPerMetre);
  Put32(H, static_cast<quint32>(Table.size()));  // colours used
  Put32(H, 0);                                   // all colours important
  if (Masks) {
    Put32(H, 0xF800);
    Put32(H, 0x07E0);
    Put32(H, 0x001F);
  }
  for (QRgb C : Table) {
    H.append(static_cast<char>(qBlue(C)));
    H.append(static_cast<char>(qGreen(C)));
    H.append(static_cast<char>(qRed(C)));
    H.append('\0');
  }
  return H;
}

// Row Y of the reduced picture in the file's form (Row is zeroed first, so
// the padding stays zero).
class TRowEncoder {
 public:
  TRowEncoder(TBmpDepth Depth, const std::vector<QRgb>& Table) : FDepth(Depth) {
    for (int I = 0; I < static_cast<int>(Table.size()); ++I)
      FIndex.insert(Table[static_cast<size_t>(I)], I);
  }

  void Encode(const QRgb* Pixels, int Width, QByteArray& Row) const {
    Row.fill('\0');
    auto* Out = reinterpret_cast<std::uint8_t*>(Row.data());
    for (int X = 0; X < Width; ++X) {
      const QRgb C = Pixels[X] | 0xFF000000u;
      const auto R = static_cast<std::uint32_t>(qRed(C));
      const auto G = static_cast<std::uint32_t>(qGreen(C));
      const auto B = static_cast<std::uint32_t>(qBlue(C));
      switch (FDepth) {
        case TBmpDepth::Bits1:
          if (Index(C) != 0) Out[X >> 3] |= static_cast<std::uint8_t>(0x80 >> (X & 7));
          break;
        case TBmpDepth::Bits4:
          Out[X >> 1] |= static_cast<std::uint8_t>(Index(C) << ((X & 1) != 0 ? 0 : 4));
          break;
        case TBmpDepth::Bits8: Out[X] = static_cast<std::uint8_t>(Index(C)); break;
        case TBmpDepth::Bits15:
          Put16At(Out + 2 * X, ((R >> 3) << 10) | ((G >> 3) << 5) | (B >> 3));
          break;
        case TBmpDepth::Bits16:
          Put16At(Out + 2 * X, ((R >> 3) << 11) | ((G >> 2) << 5) | (B >> 3));
          break;
        case TBmpDepth::Bits24:
        case TBmpDepth::Bits32: {
          std::uint8_t* P = Out + X * (FDepth == TBmpDepth::Bits24 ? 3 : 4);
          P[0] = static_cast<std::uint8_t>(B);
          P[1] = static_cast<std::uint8_t>(G);
          P[2] = static_cast<std::uint8_t>(R);
          break;  // the fourth byte of a 32-bit pixel is reserved: zero
        }
      }
    }
  }

 private:
  int Index(QRgb C) const { return FIndex.value(C, 0); }
  static void Put16At(std::uint8_t* P, std::uint32_t Value) {
    P[0] = static_cast<std::uint8_t>(Value & 0xFF);
    P[1] = static_cast<std::uint8_t>(Value >> 8);
  }

  TBmpDepth FDepth;
  QHash<QRgb, int> FIndex;
};

}  // namespace

int BmpBitCount(TBmpDepth Depth) {
  switch (Depth) {
    case TBmpDepth::Bits1: return 1;
    case TBmpDepth::Bits4: return 4;
    case TBmpDepth::Bits8: return 8;
    case TBmpDepth::Bits15:
    case TBmpDepth::Bits16: return 16;
    case TBmpDepth::Bits24: return 24;
    case TBmpDepth::Bits32: return 32;
  }
  return 24;
}

QImage ReduceToBmpDepth(const QImage& Image, TBmpDepth Depth) {
  QImage Result = Image.convertToFormat(QImage::Format_RGB32);
  switch (Depth) {
    case TBmpDepth::Bits1:
      MapPixels(Result, [](QRgb C) { return qGray(C) >= 128 ? White : Black; });
      break;
    case TBmpDepth::Bits4: {
      QRgb Last = White;  // runs of one colour are the rule: search once per run
      QRgb LastMapped = White;
      MapPixels(Result, [&](QRgb C) {
        if (C != Last) {
          Last = C;
          LastMapped = StandardColours[static_cast<size_t>(NearestIndex(C, StandardPalette()))];
        }
        return LastMapped;
      });
      break;
    }
    case TBmpDepth::Bits8: ReduceTo256(Result); break;
    case TBmpDepth::Bits15: MapPixels(Result, [](QRgb C) { return Cut(C, 5, 5, 5); }); break;
    case TBmpDepth::Bits16: MapPixels(Result, [](QRgb C) { return Cut(C, 5, 6, 5); }); break;
    case TBmpDepth::Bits24:
    case TBmpDepth::Bits32: break;
  }
  return Result;
}

void WriteBmp(QIODevice& Device, const QImage& Image, TBmpDepth Depth) {
  if (Image.isNull() || Image.width() <= 0 || Image.height() <= 0)
    throw EInvalidGraphic(QStringLiteral("An empty bitmap cannot be written"));
  const QImage Pixels = ReduceToBmpDepth(Image, Depth);
  const std::vector<QRgb> Table = ColourTable(Pixels, Depth);
  const qint64 Stride = (qint64(Pixels.width()) * BmpBitCount(Depth) + 31) / 32 * 4;
  Send(Device, Headers(Pixels, Depth, Table, Stride * Pixels.height()));
  const TRowEncoder Encoder(Depth, Table);
  QByteArray Row(Stride, '\0');
  for (int Y = Pixels.height() - 1; Y >= 0; --Y) {
    Encoder.Encode(reinterpret_cast<const QRgb*>(Pixels.constScanLine(Y)), Pixels.width(), Row);
    Send(Device, Row);
  }
}

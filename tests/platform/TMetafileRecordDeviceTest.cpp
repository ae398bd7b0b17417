#include "platform/TMetafileRecordDevice.h"

#include <gtest/gtest.h>

#include <QLinearGradient>
#include <QPainter>

#include <algorithm>
#include <cstdint>
#include <map>
#include <set>
#include <vector>

#include "platform/Exception.h"
#include "platform/TCanvas.h"
#include "platform/TMetafile.h"
#include "platform/TMetafileCanvas.h"

namespace {

std::uint32_t U32(const QByteArray& B, qsizetype At) {
  std::uint32_t V = 0;
  for (int I = 3; I >= 0; --I) V = (V << 8) | static_cast<std::uint8_t>(B[At + I]);
  return V;
}
std::uint16_t U16(const QByteArray& B, qsizetype At) {
  return static_cast<std::uint16_t>(static_cast<std::uint8_t>(B[At]) |
                                    (static_cast<std::uint8_t>(B[At + 1]) << 8));
}
std::int32_t I32(const QByteArray& B, qsizetype At) {
  return static_cast<std::int32_t>(U32(B, At));
}
std::int16_t I16(const QByteArray& B, qsizetype At) {
  return static_cast<std::int16_t>(U16(B, At));
}

struct TRecord {
  std::uint32_t Type;  // EMF record type or WMF function
  qsizetype Offset;    // of the record in the file
  qsizetype Size;      // bytes
};

class TMetafileRecordDeviceTest : public ::testing::Test {
 protected:
  static constexpr int W = 160;
  static constexpr int H = 100;

  // Plain shapes, text turned upright, a gradient and a clipped shape,
  // through the canvas as the chart records them.
  static QByteArray Scene(bool Enhanced) {
    TMetafile Metafile;
    Metafile.SetWidth(W);
    Metafile.SetHeight(H);
    Metafile.SetEnhanced(Enhanced);
    {
      TMetafileCanvas Recorder(Metafile);
      TCanvas& C = Recorder.Canvas();
      C.GetBrush().SetColor(clYellow);
      C.GetPen().SetColor(clNavy);
      C.Rectangle(5, 5, 60, 40);
      C.GetBrush().SetColor(clRed);
      C.Ellipse(70, 10, 110, 50);
      C.GetPen().SetStyle(psDash);
      C.MoveTo(0, 90);
      C.LineTo(150, 60);
      C.GetFont().SetName(QStringLiteral("DejaVu Sans"));
      C.GetFont().SetSize(10);
      C.GetBrush().SetStyle(bsClear);
      C.TextOut(10, 45, QStringLiteral("Plain"));
      C.GetFont().SetOrientation(900);
      C.TextOut(140, 90, QStringLiteral("Up"));
      C.ClipRect(TRect(100, 70, 130, 95));
      C.GetBrush().SetStyle(bsSolid);
      C.GetBrush().SetColor(clGreen);
      C.GetPen().SetStyle(psClear);
      C.FillRect(TRect(90, 60, 140, 99));
      C.RemoveClip();
      C.GetPen().SetStyle(psSolid);
      C.Rectangle(2, 80, 20, 98);  // unclipped again
    }
    return Metafile.SaveToBytes();
  }

  // Splits an enhanced metafile into records, checking each is well formed.
  static std::vector<TRecord> EmfRecords(const QByteArray& B) {
    std::vector<TRecord> Out;
    qsizetype At = 0;
    while (At + 8 <= B.size()) {
      const qsizetype Size = U32(B, At + 4);
      EXPECT_EQ(Size % 4, 0) << "record at " << At;
      EXPECT_GE(Size, 8);
      if (Size < 8) break;
      Out.push_back({U32(B, At), At, Size});
      At += Size;
    }
    EXPECT_EQ(At, B.size()) << "record sizes add up to the file size";
    return Out;
  }

  // The records after the placeable and metafile headers.
  static std::vector<TRecord> WmfRecords(const QByteArray& B) {
    std::vector<TRecord> Out;
    qsizetype At = 22 + 18;
    while (At + 6 <= B.size()) {
      const qsizetype Size = 2 * static_cast<qsizetype>(U32(B, At));
      EXPECT_GE(Size, 6);
      if (Size < 6) break;
      Out.push_back({U16(B, At + 4), At, Size});
      At += Size;
    }
    EXPECT_EQ(At, B.size()) << "record sizes add up to the file size";
    return Out;
  }

  static int Count(const std::vector<TRecord>& Records, std::uint32_t Type) {
    int N = 0;
    for (const TRecord& R : Records) N += R.Type == Type;
    return N;
  }
};

TEST_F(TMetafileRecordDeviceTest, EnhancedFileHasAConsistentHeaderAndRecords) {
  const QByteArray B = Scene(true);
  ASSERT_GT(B.size(), 108);
  EXPECT_EQ(U32(B, 0), 1u);            // EMR_HEADER
  EXPECT_EQ(U32(B, 40), 0x464D4520u);  // " EMF"
  EXPECT_EQ(U32(B, 48), std::uint32_t(B.size()));
  EXPECT_EQ(I32(B, 8), 0);  // bounds: the picture, inclusive, in pixels
  EXPECT_EQ(I32(B, 16), W - 1);
  EXPECT_EQ(I32(B, 20), H - 1);
  EXPECT_NEAR(I32(B, 32), W * 2540 / 96, 2);  // frame in 0.01 mm at 96 dpi
  EXPECT_NEAR(I32(B, 36), H * 2540 / 96, 2);
  // Reference device: pixels against millimetres at 96 per inch.
  EXPECT_NEAR(I32(B, 72) * 25.4 / I32(B, 80), 96, 0.5);
  EXPECT_NEAR(I32(B, 76) * 25.4 / I32(B, 84), 96, 0.5);

  const std::vector<TRecord> R = EmfRecords(B);
  ASSERT_FALSE(R.empty());
  EXPECT_EQ(U32(B, 52), R.size());
  EXPECT_EQ(R.back().Type, 14u);  // EMR_EOF
  EXPECT_GE(Count(R, 43), 1);     // rectangle
  EXPECT_EQ(Count(R, 42), 2);     // ellipse: fill and outline
  EXPECT_GE(Count(R, 87), 1);     // polyline16
  EXPECT_EQ(Count(R, 84), 2);     // two texts
  EXPECT_GE(Count(R, 33), 1);     // the clip: save, intersect, restore
  EXPECT_GE(Count(R, 30), 1);
  EXPECT_EQ(Count(R, 33), Count(R, 34));
  const auto LastOf = [&R](std::uint32_t Type) {
    return std::find_if(R.rbegin(), R.rend(), [Type](const TRecord& X) { return X.Type == Type; });
  };
  EXPECT_TRUE(LastOf(34) > LastOf(43)) << "the last rectangle is drawn after the clip is gone";

  // Every object used is created first and deleted at most once; what the
  // saved DC holds is not deleted before the restore selects it again. The
  // handle count covers every index.
  std::set<std::uint32_t> Live;
  std::set<std::uint32_t> HeldBySave;
  std::map<std::uint32_t, std::uint32_t> KindOf;    // index -> creating record
  std::map<std::uint32_t, std::uint32_t> Selected;  // kind -> index
  std::uint32_t Highest = 0;
  for (const TRecord& Rec : R) {
    const std::uint32_t Index = U32(B, Rec.Offset + 8);
    if (Rec.Type == 38 || Rec.Type == 39 || Rec.Type == 82 || Rec.Type == 95) {
      EXPECT_TRUE(Live.insert(Index).second) << "index " << Index << " reused while alive";
      KindOf[Index] = Rec.Type == 95 ? 38 : Rec.Type;
      Highest = std::max(Highest, Index);
    } else if (Rec.Type == 37) {
      EXPECT_EQ(Live.count(Index), 1u) << "selecting a missing object " << Index;
      Selected[KindOf[Index]] = Index;
    } else if (Rec.Type == 40) {
      EXPECT_EQ(Live.erase(Index), 1u) << "deleting a missing object " << Index;
      EXPECT_EQ(HeldBySave.count(Index), 0u) << "deleting " << Index << " the saved DC holds";
    } else if (Rec.Type == 33) {
      for (const auto& [Kind, Held] : Selected) HeldBySave.insert(Held);
    } else if (Rec.Type == 34) {
      HeldBySave.clear();
    }
  }
  EXPECT_GT(U16(B, 56), Highest);

  // The texts: UTF-16 at the string offset, the second one turned 90
  // degrees counter-clockwise by its font.
  QStringList Texts;
  for (const TRecord& Rec : R)
    if (Rec.Type == 84) {
      const std::uint32_t Chars = U32(B, Rec.Offset + 44);
      const std::uint32_t Offset = U32(B, Rec.Offset + 48);
      QString Text;
      for (std::uint32_t I = 0; I < Chars; ++I) Text += QChar(U16(B, Rec.Offset + Offset + 2 * I));
      Texts << Text;
    }
  EXPECT_EQ(Texts, QStringList({"Plain", "Up"}));
  std::vector<int> Escapements;
  for (const TRecord& Rec : R)
    if (Rec.Type == 82) Escapements.push_back(I32(B, Rec.Offset + 20));
  ASSERT_EQ(Escapements.size(), 2u);
  EXPECT_EQ(Escapements[0], 0);
  EXPECT_EQ(Escapements[1], 900);
}

TEST_F(TMetafileRecordDeviceTest, PlaceableFileHasItsKeyChecksumAndHeaderCounts) {
  const QByteArray B = Scene(false);
  ASSERT_GT(B.size(), 40);
  EXPECT_EQ(U32(B, 0), 0x9AC6CDD7u);
  EXPECT_EQ(I16(B, 10), W);  // bounding box right and bottom
  EXPECT_EQ(I16(B, 12), H);
  EXPECT_EQ(U16(B, 14), 96);  // units per inch
  std::uint16_t Checksum = 0;
  for (int I = 0; I < 10; ++I) Checksum ^= U16(B, 2 * I);
  EXPECT_EQ(U16(B, 20), Checksum);
  EXPECT_EQ(U16(B, 22), 1);  // memory metafile
  EXPECT_EQ(U16(B, 24), 9);  // header words
  EXPECT_EQ(U16(B, 26), 0x0300);
  EXPECT_EQ(2 * qsizetype(U32(B, 28)), B.size() - 22) << "file size in words";

  const std::vector<TRecord> R = WmfRecords(B);
  ASSERT_FALSE(R.empty());
  EXPECT_EQ(R.back().Type, 0u);
  EXPECT_EQ(R.back().Size, 6);
  qsizetype Largest = 0;
  for (const TRecord& Rec : R) Largest = std::max(Largest, Rec.Size / 2);
  EXPECT_EQ(qsizetype(U32(B, 34)), Largest) << "largest record in words";

  // Objects take the lowest free slot of the table, as readers assume.
  std::vector<bool> Slots;
  for (const TRecord& Rec : R) {
    if (Rec.Type == 0x02FA || Rec.Type == 0x02FB || Rec.Type == 0x02FC) {
      std::size_t I = 0;
      while (I < Slots.size() && Slots[I]) ++I;
      if (I == Slots.size()) Slots.push_back(false);
      Slots[I] = true;
    } else if (Rec.Type == 0x012D || Rec.Type == 0x01F0) {
      const std::size_t Index = U16(B, Rec.Offset + 6);
      ASSERT_LT(Index, Slots.size());
      EXPECT_TRUE(Slots[Index]) << "object " << Index << " used after deletion";
      if (Rec.Type == 0x01F0) Slots[Index] = false;
    }
  }
  EXPECT_EQ(U16(B, 32), Slots.size()) << "object table size";
  EXPECT_EQ(Count(R, 0x001E), Count(R, 0x0127));  // save and restore pair up
  EXPECT_GE(Count(R, 0x0416), 1);                 // intersect clip
  EXPECT_GE(Count(R, 0x041B), 1);                 // rectangle
  EXPECT_EQ(Count(R, 0x0418), 2);                 // ellipse

  QStringList Texts;
  for (const TRecord& Rec : R)
    if (Rec.Type == 0x0A32)
      Texts << QString::fromLatin1(B.mid(Rec.Offset + 14, I16(B, Rec.Offset + 10)));
  EXPECT_EQ(Texts, QStringList({"Plain", "Up"}));
}

// Translucency has no vector form: the blended pixels go in as a bitmap
// showing what lies underneath, while opaque shapes stay vector.
TEST_F(TMetafileRecordDeviceTest, BlendedAndGradientAreasBecomeBitmapsOfTheResult) {
  TMetafileRecordDevice Device(QSize(40, 30), true);
  {
    QPainter P(&Device);
    P.fillRect(QRect(0, 0, 40, 30), Qt::red);
    P.fillRect(QRect(10, 10, 20, 10), QColor(0, 0, 255, 128));
    QLinearGradient G(0, 0, 40, 0);
    G.setColorAt(0, Qt::black);
    G.setColorAt(1, Qt::white);
    P.fillRect(QRect(0, 25, 40, 5), G);
  }
  const QByteArray B = Device.Bytes();
  const std::vector<TRecord> R = EmfRecords(B);
  EXPECT_EQ(Count(R, 43), 1);  // only the opaque rectangle is vector
  std::vector<TRecord> Dibs;
  for (const TRecord& Rec : R)
    if (Rec.Type == 81) Dibs.push_back(Rec);
  ASSERT_EQ(Dibs.size(), 2u);
  const qsizetype At = Dibs[0].Offset;
  EXPECT_EQ(I32(B, At + 24), 10);  // destination x, y, then the bitmap size
  EXPECT_EQ(I32(B, At + 28), 10);
  EXPECT_EQ(I32(B, At + 40), 20);
  EXPECT_EQ(I32(B, At + 44), 10);
  // The middle pixel of the bottom-up, four-byte aligned rows.
  const qsizetype Bits = At + U32(B, At + 56) + (10 - 1 - 5) * 60 + 10 * 3;
  const int Blue = static_cast<std::uint8_t>(B[Bits]);
  const int Red = static_cast<std::uint8_t>(B[Bits + 2]);
  EXPECT_NEAR(Blue, 128, 3);  // half blue over red
  EXPECT_NEAR(Red, 127, 3);
  EXPECT_EQ(U16(B, At + 80 + 14), 24);  // 24 bits per pixel
}

TEST_F(TMetafileRecordDeviceTest, TakingTheFileWhilePaintingOrTwiceRaises) {
  TMetafileRecordDevice Device(QSize(10, 10), false);
  {
    QPainter P(&Device);
    EXPECT_THROW(Device.Bytes(), EInvalidGraphic);
  }
  EXPECT_FALSE(Device.Bytes().isEmpty());
  EXPECT_THROW(Device.Bytes(), EInvalidGraphic);
}

}  // namespace

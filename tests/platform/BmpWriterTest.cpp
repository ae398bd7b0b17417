#include "platform/BmpWriter.h"

#include "platform/Exception.h"
#include "tests/support/OutsideProgram.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

#include <map>
#include <memory>

namespace {

struct TDepthCase {
  const char* Name;
  TBmpDepth Depth;
  int Bits;
  quint32 Compression;
  int TableSize;  // colour table entries; -1: the sample's reduced colours
  int Tolerance;  // per channel: Qt widens 5 and 6 bits by shifting (31 -> 248)
};

const TDepthCase Cases[] = {
    {"Bits1", TBmpDepth::Bits1, 1, 0, 2, 0},    {"Bits4", TBmpDepth::Bits4, 4, 0, 16, 0},
    {"Bits8", TBmpDepth::Bits8, 8, 0, -1, 0},   {"Bits15", TBmpDepth::Bits15, 16, 0, 0, 7},
    {"Bits16", TBmpDepth::Bits16, 16, 3, 0, 7}, {"Bits24", TBmpDepth::Bits24, 24, 0, 0, 0},
    {"Bits32", TBmpDepth::Bits32, 32, 0, 0, 0}};

// Width 5: the rows of every depth but 32 bits need padding.
QImage Sample() {
  QImage Image(5, 3, QImage::Format_RGB32);
  const QRgb Colours[] = {0xFF000000, 0xFFFFFFFF, 0xFFFF0000, 0xFFC80A0A, 0xFF1E3C5A,
                          0xFF808080, 0xFF646464, 0xFFFAC864, 0xFF00FF00, 0xFF0000FF,
                          0xFF123456, 0xFFFEDCBA, 0xFF7F7F7F, 0xFF818181, 0xFF00FFFF};
  for (int I = 0; I < 15; ++I) Image.setPixel(I % 5, I / 5, Colours[I]);
  return Image;
}

QByteArray Written(const QImage& Image, TBmpDepth Depth) {
  QBuffer Buffer;
  Buffer.open(QIODevice::WriteOnly);
  WriteBmp(Buffer, Image, Depth);
  return Buffer.data();
}

quint32 U32(const QByteArray& B, int At) {
  const auto* P = reinterpret_cast<const uchar*>(B.constData()) + At;
  return P[0] | (P[1] << 8) | (P[2] << 16) | (quint32(P[3]) << 24);
}

quint32 U16(const QByteArray& B, int At) {
  const auto* P = reinterpret_cast<const uchar*>(B.constData()) + At;
  return P[0] | (P[1] << 8);
}

bool Near(QRgb A, QRgb B, int Tolerance) {
  return std::abs(qRed(A) - qRed(B)) <= Tolerance && std::abs(qGreen(A) - qGreen(B)) <= Tolerance &&
         std::abs(qBlue(A) - qBlue(B)) <= Tolerance;
}

// The sample written at every depth, as outside readers see it: read once
// for the whole suite (one interpreter start, one `file` run).
struct TReaders {
  QTemporaryDir Dir;
  QString PillowError, FileError;
  std::map<QString, QStringList> Pillow;  // file name: mode, width, height, "r,g,b" ...
  std::map<QString, QString> FileSays;
};

int DistanceSquared(QRgb A, QRgb B) {
  const int R = qRed(A) - qRed(B), G = qGreen(A) - qGreen(B), Bl = qBlue(A) - qBlue(B);
  return R * R + G * G + Bl * Bl;
}

// A channel cut to Bits bits and widened back by repeating its top bits.
int Cut(int Value, int Bits) {
  const int Kept = Value & ((0xFF << (8 - Bits)) & 0xFF);
  return Kept | (Kept >> Bits);
}

class BmpWriterTest : public ::testing::Test {};

// Every depth: the file's fields and the pixels Qt, Pillow and `file` read.
class BmpWriterDepthTest : public BmpWriterTest, public ::testing::WithParamInterface<TDepthCase> {
 protected:
  static void SetUpTestSuite() {
    Readers = std::make_unique<TReaders>();
    QStringList Files;
    for (const TDepthCase& C : Cases) {
      const QString Name = Readers->Dir.filePath(QString::fromLatin1(C.Name) + ".bmp");
      QFile F(Name);
      if (F.open(QIODevice::WriteOnly)) F.write(Written(Sample(), C.Depth));
      Files << Name;
    }
    ReadWithPillow(Files);
    ReadWithFile(Files);
  }

  static void TearDownTestSuite() { Readers.reset(); }

  static void ReadWithPillow(const QStringList& Files) {
    const QString Python = FindProgram(QStringLiteral("python3"));
    if (Python.isEmpty()) {
      Readers->PillowError = QStringLiteral("python3 is not installed");
      return;
    }
    const QString Script = QStringLiteral(
        "import sys\n"
        "from PIL import Image\n"
        "for p in sys.argv[1:]:\n"
        "    im = Image.open(p); im.load(); rgb = im.convert('RGB')\n"
        "    px = ['%d,%d,%d' % rgb.getpixel((x, y)) for y in range(im.height)"
        " for x in range(im.width)]\n"
        "    print(p, im.mode, im.width, im.height, *px)\n");
    QByteArray Out;
    Readers->PillowError =
        RunProgram(Python, QStringList{QStringLiteral("-c"), Script} + Files, 60000, &Out);
    for (const QString& Line : QString::fromUtf8(Out).split('\n', Qt::SkipEmptyParts)) {
      QStringList Fields = Line.split(' ');
      const QString Name = Fields.takeFirst();
      Readers->Pillow[Name] = Fields;
    }
  }

  static void ReadWithFile(const QStringList& Files) {
    const QString Program = FindProgram(QStringLiteral("file"));
    if (Program.isEmpty()) {
      Readers->FileError = QStringLiteral("the `file` program is not installed");
      return;
    }
    for (const QString& Name : Files) {
      QByteArray Out;
      const QString Error = RunProgram(Program, {QStringLiteral("-b"), Name}, 30000, &Out);
      if (!Error.isEmpty()) Readers->FileError = Error;
      Readers->FileSays[Name] = QString::fromUtf8(Out).trimmed();
    }
  }

  static inline std::unique_ptr<TReaders> Readers;
};

TEST_P(BmpWriterDepthTest, HeadersRowsAndPixelsAsEveryReaderSeesThem) {
  const TDepthCase& C = GetParam();
  const QImage Expected = ReduceToBmpDepth(Sample(), C.Depth);
  EXPECT_EQ(ReduceToBmpDepth(Expected, C.Depth), Expected) << "reducing again changes nothing";
  const QByteArray B = Written(Sample(), C.Depth);
  QSet<QRgb> Distinct;
  for (int I = 0; I < 15; ++I) Distinct.insert(Expected.pixel(I % 5, I / 5));
  const int Colours = static_cast<int>(Distinct.size());
  const int Table = C.TableSize >= 0 ? C.TableSize : Colours;
  const int Stride = (5 * C.Bits + 31) / 32 * 4;
  const int Offset = 14 + 40 + 4 * Table + (C.Compression == 3 ? 12 : 0);

  ASSERT_EQ(B.size(), Offset + 3 * Stride);
  EXPECT_EQ(B.left(2), QByteArray("BM"));
  EXPECT_EQ(U32(B, 2), quint32(B.size()));
  EXPECT_EQ(U32(B, 6), 0u);
  EXPECT_EQ(U32(B, 10), quint32(Offset));
  EXPECT_EQ(U32(B, 14), 40u);
  EXPECT_EQ(U32(B, 18), 5u);
  EXPECT_EQ(U32(B, 22), 3u) << "positive height: rows bottom-up";
  EXPECT_EQ(U16(B, 26), 1u);
  EXPECT_EQ(U16(B, 28), quint32(C.Bits));
  EXPECT_EQ(U32(B, 30), C.Compression);
  EXPECT_EQ(U32(B, 34), quint32(3 * Stride));
  EXPECT_EQ(U32(B, 46), quint32(Table));
  if (C.Compression == 3) {
    EXPECT_EQ(U32(B, 54), 0xF800u);
    EXPECT_EQ(U32(B, 58), 0x07E0u);
    EXPECT_EQ(U32(B, 62), 0x001Fu);
  }
  const int Used = (5 * C.Bits + 7) / 8;
  for (int Row = 0; Row < 3; ++Row)
    for (int I = Used; I < Stride; ++I)
      EXPECT_EQ(B[Offset + Row * Stride + I], '\0') << "padding of row " << Row;
  if (C.Depth == TBmpDepth::Bits32) {
    EXPECT_EQ(B[Offset + 3], '\0') << "reserved byte";
  }
  // The bottom row comes first: its first pixel is the sample's (0, 2).
  if (C.Depth == TBmpDepth::Bits24) {
    EXPECT_EQ(B.mid(Offset, 3), QByteArray("\x56\x34\x12", 3));
  }

  const QImage Qt = QImage::fromData(B, "BMP");
  ASSERT_EQ(Qt.size(), QSize(5, 3));
  for (int Y = 0; Y < 3; ++Y)
    for (int X = 0; X < 5; ++X)
      EXPECT_TRUE(Near(Qt.pixel(X, Y), Expected.pixel(X, Y), C.Tolerance))
          << "Qt at " << X << "," << Y << ": " << std::hex << Qt.pixel(X, Y) << " for "
          << Expected.pixel(X, Y);

  const QString Name = Readers->Dir.filePath(QString::fromLatin1(C.Name) + ".bmp");
  ASSERT_TRUE(Readers->PillowError.isEmpty()) << Readers->PillowError.toStdString();
  const QStringList Pillow = Readers->Pillow[Name];
  ASSERT_EQ(Pillow.size(), 3 + 15) << "Pillow gave no pixels for " << C.Name;
  EXPECT_EQ(Pillow[1], QStringLiteral("5"));
  EXPECT_EQ(Pillow[2], QStringLiteral("3"));
  for (int I = 0; I < 15; ++I) {
    const QStringList V = Pillow[3 + I].split(',');
    const QRgb Seen = qRgb(V[0].toInt(), V[1].toInt(), V[2].toInt());
    EXPECT_TRUE(Near(Seen, Expected.pixel(I % 5, I / 5), C.Tolerance))
        << "Pillow at " << I % 5 << "," << I / 5 << ": " << std::hex << Seen << " for "
        << Expected.pixel(I % 5, I / 5);
  }

  ASSERT_TRUE(Readers->FileError.isEmpty()) << Readers->FileError.toStdString();
  const QString Says = Readers->FileSays[Name];
  EXPECT_TRUE(Says.contains(QStringLiteral("5 x 3 x %1").arg(C.Bits))) << Says.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Depths, BmpWriterDepthTest, ::testing::ValuesIn(Cases),
                         [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(BmpWriterTest, EachDepthKeepsTheColoursItsFilesHold) {
  const QImage S = Sample();
  EXPECT_EQ(ReduceToBmpDepth(S, TBmpDepth::Bits24), S);
  EXPECT_EQ(ReduceToBmpDepth(S, TBmpDepth::Bits32), S);
  const QImage Mono = ReduceToBmpDepth(S, TBmpDepth::Bits1);
  EXPECT_EQ(Mono.pixel(2, 2), 0xFF000000u) << "grey 127 is dark";
  EXPECT_EQ(Mono.pixel(3, 2), 0xFFFFFFFFu) << "grey 129 is light";
  const QImage Sixteen = ReduceToBmpDepth(S, TBmpDepth::Bits4);
  EXPECT_EQ(Sixteen.pixel(3, 0), 0xFFFF0000u) << "200,10,10 is nearest to red";
  EXPECT_EQ(Sixteen.pixel(2, 2), 0xFF808080u);
  EXPECT_EQ(ReduceToBmpDepth(S, TBmpDepth::Bits8), S) << "15 colours fit a palette";
  const QImage Fifteen = ReduceToBmpDepth(S, TBmpDepth::Bits15);
  EXPECT_EQ(Fifteen.pixel(1, 0), 0xFFFFFFFFu);
  EXPECT_EQ(Fifteen.pixel(0, 2), qRgb(Cut(0x12, 5), Cut(0x34, 5), Cut(0x56, 5)));
  EXPECT_EQ(ReduceToBmpDepth(S, TBmpDepth::Bits16).pixel(0, 2),
            qRgb(Cut(0x12, 5), Cut(0x34, 6), Cut(0x56, 5)));
}

TEST_F(BmpWriterTest, EightBitsOfManyColoursKeepTheFrequentOnesExact) {
  // A ramp of 300 colours on a pale ground: the ground, the most frequent
  // colour and off the evenly spaced ones, stays exact; every other colour
  // is at most half a step of those away.
  const QRgb Ground = qRgb(255, 255, 200);
  QImage Image(40, 40, QImage::Format_RGB32);
  Image.fill(Ground);
  for (int I = 0; I < 300; ++I) Image.setPixel(I % 40, I / 40, qRgb(I * 255 / 299, I % 7, 90));
  const QImage Reduced = ReduceToBmpDepth(Image, TBmpDepth::Bits8);
  QSet<QRgb> Colours;
  for (int Y = 0; Y < 40; ++Y)
    for (int X = 0; X < 40; ++X) Colours.insert(Reduced.pixel(X, Y));
  EXPECT_LE(Colours.size(), 256);
  EXPECT_EQ(Reduced.pixel(39, 39), Ground);
  for (int I = 0; I < 300; ++I)
    EXPECT_LE(DistanceSquared(Reduced.pixel(I % 40, I / 40), Image.pixel(I % 40, I / 40)),
              3 * 26 * 26)
        << I;
  const QByteArray B = Written(Image, TBmpDepth::Bits8);
  EXPECT_EQ(U32(B, 46), quint32(Colours.size()));
  EXPECT_EQ(QImage::fromData(B, "BMP").convertToFormat(QImage::Format_RGB32), Reduced);
}

TEST_F(BmpWriterTest, FailedWritesRaise) {
  QBuffer Closed;
  EXPECT_THROW(WriteBmp(Closed, Sample(), TBmpDepth::Bits24), EFileError);
  QByteArray Bytes("old");
  QBuffer ReadOnly(&Bytes);
  ReadOnly.open(QIODevice::ReadOnly);
  EXPECT_THROW(WriteBmp(ReadOnly, Sample(), TBmpDepth::Bits8), EFileError);
  EXPECT_EQ(Bytes, QByteArray("old"));
  QBuffer Open;
  Open.open(QIODevice::WriteOnly);
  EXPECT_THROW(WriteBmp(Open, QImage(), TBmpDepth::Bits24), EInvalidGraphic);
  EXPECT_THROW(WriteBmp(Open, QImage(0, 4, QImage::Format_RGB32), TBmpDepth::Bits24),
               EInvalidGraphic);
}

}  // namespace

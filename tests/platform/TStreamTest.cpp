#include "platform/TStream.h"

#include <gtest/gtest.h>

#include <QByteArray>

#include <cstdint>

namespace {

class TStreamTest : public ::testing::Test {
 protected:
  TMemoryStream Stream;
};

TEST_F(TStreamTest, ValuesAreLittleEndian) {
  Stream.WriteUInt8(0xAB);
  Stream.WriteInt32(-2);
  Stream.WriteColor(0x20000000);
  Stream.WriteDouble(1.0);
  EXPECT_EQ(Stream.Bytes(), QByteArray::fromHex("ab"
                                                "feffffff"
                                                "00000020"
                                                "000000000000f03f"));
  Stream.Seek(0);
  EXPECT_EQ(Stream.ReadUInt8(), 0xAB);
  EXPECT_EQ(Stream.ReadInt32(), -2);
  EXPECT_EQ(Stream.ReadColor(), static_cast<TColor>(0x20000000));
  EXPECT_EQ(Stream.ReadDouble(), 1.0);
  EXPECT_EQ(Stream.Remaining(), 0);
}

// A read that cannot be satisfied takes nothing, so the next value is not
// shifted by a partial one.
TEST_F(TStreamTest, AShortReadRaisesAndLeavesThePosition) {
  TMemoryStream Short(QByteArray::fromHex("010203"));
  EXPECT_EQ(Short.ReadUInt8(), 1);
  EXPECT_THROW(Short.ReadInt32(), EReadError);
  EXPECT_EQ(Short.Position(), 1);
  char Two[2] = {};
  EXPECT_EQ(Short.Read(Two, 5), 2);  // the raw read gives what there is
  EXPECT_EQ(Short.Read(Two, 1), 0);
  EXPECT_THROW(Short.ReadDouble(), EReadError);
  Short.ReadBuffer(Two, 0);
}

TEST_F(TStreamTest, WritingPastTheEndGrowsAndSeekStaysInside) {
  Stream.WriteInt32(7);
  Stream.Seek(2);
  Stream.WriteInt32(0x01020304);
  EXPECT_EQ(Stream.Size(), 6);
  EXPECT_EQ(Stream.Bytes(), QByteArray::fromHex("070004030201"));
  Stream.Seek(-4);
  EXPECT_EQ(Stream.Position(), 0);
  Stream.Seek(100);
  EXPECT_EQ(Stream.Position(), 6);
}

}  // namespace

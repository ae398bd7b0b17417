#include "chart/core/TKorExportData.h"

#include "platform/Exception.h"
#include "platform/TClipboard.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>

namespace {

class TTextExport : public TKorExportData {
 public:
  QString AsString() override { return QStringLiteral("x\ty\r\n1\t2 µm"); }
};

class TKorExportDataTest : public ::testing::Test {
 protected:
  void TearDown() override { Clipboard().Clear(); }
};

TEST_F(TKorExportDataTest, TextGoesToStreamsFilesAndTheClipboard) {
  TTextExport Export;
  QBuffer Buffer;
  Buffer.open(QIODevice::WriteOnly);
  Export.SaveToStream(Buffer);
  EXPECT_EQ(Buffer.data(), QByteArray("x\ty\r\n1\t2 \xC2\xB5m"));

  const QString File =
      QString::fromStdString((FreshTestDir("TKorExportDataTest") / "data.txt").string());
  Export.SaveToFile(File);
  QFile F(File);
  ASSERT_TRUE(F.open(QIODevice::ReadOnly));
  EXPECT_EQ(F.readAll(), Buffer.data());
  EXPECT_THROW(Export.SaveToFile(File + "/not/a/folder"), EFileError);

  Export.CopyToClipboard();
  EXPECT_EQ(Clipboard().GetAsText(), Export.AsString());
  TKorExportData Empty;
  EXPECT_EQ(Empty.AsString(), "");
}

}  // namespace

#include "platform/TPicture.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>

#include "platform/Exception.h"
#include "platform/TBitmap.h"
#include "platform/TBitmapGraphic.h"
#include "platform/TJPEGImage.h"
#include "platform/TMetafile.h"
#include "platform/TPngImage.h"
#include "tests/support/TestSupport.h"

namespace {

class TPictureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FDir = FreshTestDir(std::string("TPictureTest.") +
                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
  }

  QString WriteImage(const char* Name, const char* Format, QColor Colour) {
    QImage image(12, 6, QImage::Format_RGB32);
    image.fill(Colour);
    const QString path = QString::fromStdString((FDir / Name).string());
    EXPECT_TRUE(image.save(path, Format));
    return path;
  }

  std::filesystem::path FDir;
};

TEST_F(TPictureTest, LoadPicksTheGraphicByExtension) {
  TPicture picture;
  picture.LoadFromFile(WriteImage("a.png", "PNG", Qt::green));
  EXPECT_NE(dynamic_cast<TPngImage*>(picture.GetGraphic()), nullptr);
  EXPECT_EQ(picture.GetWidth(), 12);
  picture.LoadFromFile(WriteImage("b.JPG", "JPG", Qt::blue));
  EXPECT_NE(dynamic_cast<TJPEGImage*>(picture.GetGraphic()), nullptr);
  picture.LoadFromFile(WriteImage("c.bmp", "BMP", Qt::red));
  ASSERT_TRUE(picture.HasBitmap());
  EXPECT_EQ(picture.GetBitmap().GetPixel(3, 3), clRed);
}

TEST_F(TPictureTest, FailedLoadLeavesThePictureAsItWas) {
  TPicture picture;
  picture.LoadFromFile(WriteImage("a.png", "PNG", Qt::green));
  const TGraphic* before = picture.GetGraphic();
  EXPECT_THROW(picture.LoadFromFile(WriteImage("x.tiff", "PNG", Qt::red)), EInvalidGraphic);
  WriteTextFile(FDir / "bad.jpg", "garbage");
  EXPECT_THROW(picture.LoadFromFile(QString::fromStdString((FDir / "bad.jpg").string())),
               EInvalidGraphic);
  EXPECT_THROW(picture.LoadFromFile(QString::fromStdString((FDir / "none.png").string())),
               EFileError);
  EXPECT_EQ(picture.GetGraphic(), before);
  EXPECT_EQ(picture.GetWidth(), 12);
}

TEST_F(TPictureTest, AssignCopiesAndBitmapAccessReplacesOtherKinds) {
  TPicture a;
  a.LoadFromFile(WriteImage("a.png", "PNG", Qt::green));
  TPicture b;
  int changes = 0;
  b.OnChange = [&](TPersistent*) { ++changes; };
  b.Assign(a);
  EXPECT_NE(b.GetGraphic(), a.GetGraphic());
  EXPECT_EQ(b.GetWidth(), 12);
  EXPECT_EQ(changes, 1);
  TBitmap& bitmap = b.GetBitmap();  // the PNG is replaced by an empty bitmap
  EXPECT_TRUE(bitmap.GetEmpty());
  EXPECT_EQ(a.GetWidth(), 12);
  bitmap.SetSize(3, 2);
  b.SetGraphic(nullptr);
  EXPECT_TRUE(b.GetEmpty());
  EXPECT_THROW(b.SaveToFile(QString::fromStdString((FDir / "empty.png").string())),
               EInvalidGraphic);
}

TEST_F(TPictureTest, SavingRoundTripsAndMetafilesWriteMetafileFiles) {
  TPicture picture;
  picture.LoadFromFile(WriteImage("a.png", "PNG", Qt::green));
  const QString copy = QString::fromStdString((FDir / "copy.png").string());
  picture.SaveToFile(copy);
  TPicture back;
  back.LoadFromFile(copy);
  EXPECT_EQ(back.GetGraphic()->ToImage().pixel(1, 1), QColor(Qt::green).rgb());

  picture.SetGraphic(std::make_unique<TMetafile>());
  const QString emf = QString::fromStdString((FDir / "m.emf").string());
  picture.SaveToFile(emf);
  QFile written(emf);
  ASSERT_TRUE(written.open(QIODevice::ReadOnly));
  EXPECT_EQ(written.readAll().mid(40, 4), QByteArray(" EMF"));
}

TEST_F(TPictureTest, ExtensionRegistry) {
  EXPECT_NE(dynamic_cast<TJPEGImage*>(TPicture::GraphicForExtension(".JPEG").get()), nullptr);
  EXPECT_EQ(TPicture::GraphicForExtension("gif"), nullptr);
  TPicture::RegisterFileFormat("gif", "GIF images",
                               [] { return std::unique_ptr<TGraphic>(new TPngImage); });
  EXPECT_NE(TPicture::GraphicForExtension("GIF"), nullptr);
  EXPECT_TRUE(TPicture::FileFilter().contains("GIF images (*.gif)|*.gif"));
  TPicture::UnregisterFileFormat("gif");
  EXPECT_EQ(TPicture::GraphicForExtension("gif"), nullptr);
  EXPECT_TRUE(TPicture::FileFilter().startsWith("All pictures|*.bmp;*.jpg"));
}

}  // namespace

#pragma once

#include "chart/core/KorProcs.h"
#include "chart/core/KorTypePictures.h"

#include "platform/TBitmap.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QStringList>

#include <vector>

// Every class of Names has its own picture: 16 x 16, more than a few
// pixels drawn, and no two alike (a copied painter would show).
inline void ExpectOwnPictures(const QStringList& Names) {
  std::vector<QImage> Seen;
  for (const QString& Name : Names) {
    TBitmap Picture;
    KorGetBitmapEditor(Name, QString(), Picture);
    ASSERT_FALSE(Picture.GetEmpty()) << Name.toStdString();
    EXPECT_EQ(Picture.GetWidth(), KorPictureSize) << Name.toStdString();
    EXPECT_EQ(Picture.GetHeight(), KorPictureSize) << Name.toStdString();
    ASSERT_TRUE(Picture.GetTransparent()) << Name.toStdString();
    int Drawn = 0;
    for (int Y = 0; Y < Picture.GetHeight(); ++Y)
      for (int X = 0; X < Picture.GetWidth(); ++X)
        if (Picture.GetPixel(X, Y) != Picture.GetTransparentColor()) ++Drawn;
    EXPECT_GE(Drawn, 20) << Name.toStdString();
    const QImage Image = Picture.Image();
    for (size_t I = 0; I < Seen.size(); ++I)
      EXPECT_NE(Image, Seen[I]) << Name.toStdString() << " looks like " << Names[I].toStdString();
    Seen.push_back(Image);
  }
}

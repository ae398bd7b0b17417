#pragma once

#include <QImage>
#include <QString>
#include <QVector>

#include "app/report/ReportPage.h"

class QTextDocument;

// Helpers shared by the report tests: small pictures built in code and
// what a document holds.
namespace reportdocs {

// A W x H image of one opaque colour.
QImage Solid(int W, int H, QColor Color);

struct PictureInfo {
  QImage Image;
  double Width = 0;  // display size, pixels
  double Height = 0;
};
QVector<PictureInfo> Pictures(const QTextDocument& Document);

// A4 in landscape as the office suite states it, with half-inch side and
// centimetre top and bottom margins.
ReportPage A4Landscape();

// The document's text with pictures left out.
QString Text(const QTextDocument& Document);

}  // namespace reportdocs

#include "platform/TGraphic.h"

#include "platform/Exception.h"
#include "platform/TCanvas.h"
#include "platform/WriteFileReplacing.h"

#include <QFile>

void TGraphic::Draw(TCanvas& Canvas, const TRect& Rect) const {
  if (GetEmpty()) return;
  Canvas.DrawImage(Rect, ToImage());
}

void TGraphic::LoadFromFile(const QString& FileName) {
  QFile file(FileName);
  if (!file.open(QIODevice::ReadOnly))
    throw EFileError(
        QStringLiteral("Cannot open file \"%1\". %2").arg(FileName, file.errorString()));
  LoadFromStream(file);
}

void TGraphic::SaveToFile(const QString& FileName) const {
  WriteFileReplacing(FileName, [this](QIODevice& File) { SaveToStream(File); });
}

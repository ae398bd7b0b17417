#include "platform/TGraphic.h"

#include "platform/Exception.h"
#include "platform/TCanvas.h"

#include <QFile>
#include <QSaveFile>

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
  QSaveFile file(FileName);
  if (!file.open(QIODevice::WriteOnly))
    throw EFileError(
        QStringLiteral("Cannot create file \"%1\". %2").arg(FileName, file.errorString()));
  SaveToStream(file);
  if (!file.commit())
    throw EFileError(
        QStringLiteral("Cannot write file \"%1\". %2").arg(FileName, file.errorString()));
}

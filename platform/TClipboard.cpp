#include "platform/TClipboard.h"

#include "platform/Exception.h"
#include "platform/TBitmap.h"
#include "platform/TGraphic.h"
#include "platform/TMetafile.h"
#include "platform/TPicture.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <memory>

namespace {

QClipboard& System() {
  QClipboard* clipboard = qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr
                              ? QGuiApplication::clipboard()
                              : nullptr;
  if (clipboard == nullptr) throw Exception(QStringLiteral("The clipboard is not available"));
  return *clipboard;
}

void SetImage(const QImage& image) {
  if (image.isNull())
    throw EInvalidGraphic(QStringLiteral("Cannot copy an empty picture to the clipboard"));
  System().setImage(image);
}

}  // namespace

QString TClipboard::GetAsText() const {
  return System().text();
}

void TClipboard::SetAsText(const QString& Value) {
  System().setText(Value);
}

bool TClipboard::HasFormat(TClipboardFormat Format) const {
  const QMimeData* data = System().mimeData();
  if (data == nullptr) return false;
  return Format == TClipboardFormat::cfText ? data->hasText() : data->hasImage();
}

void TClipboard::Clear() {
  System().clear();
}

void TClipboard::Assign(const TBitmap& Bitmap) {
  SetImage(Bitmap.GetEmpty() ? QImage() : Bitmap.Image());
}

void TClipboard::Assign(const TGraphic& Graphic) {
  const auto* Metafile = dynamic_cast<const TMetafile*>(&Graphic);
  if (Metafile == nullptr) {
    SetImage(Graphic.ToImage());
    return;
  }
  // A metafile goes on as its image and as the metafile file itself, for
  // programs that paste vector pictures.
  const QImage Image = Metafile->ToImage();
  if (Image.isNull())
    throw EInvalidGraphic(QStringLiteral("Cannot copy an empty picture to the clipboard"));
  auto Data = std::make_unique<QMimeData>();
  Data->setImageData(Image);
  Data->setData(
      Metafile->GetEnhanced() ? QStringLiteral("image/x-emf") : QStringLiteral("image/x-wmf"),
      Metafile->SaveToBytes());
  System().setMimeData(Data.release());  // the clipboard owns it
}

void TClipboard::Assign(const TPicture& Picture) {
  if (Picture.GetGraphic() == nullptr) SetImage(QImage());
  Assign(*Picture.GetGraphic());
}

bool TClipboard::GetBitmap(TBitmap& Bitmap) const {
  const QImage image = System().image();
  if (image.isNull()) return false;
  Bitmap.SetImage(image);
  return true;
}

TClipboard& Clipboard() {
  static TClipboard clipboard;
  return clipboard;
}

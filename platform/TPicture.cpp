#include "platform/TPicture.h"

#include "platform/Exception.h"
#include "platform/TBitmapGraphic.h"
#include "platform/TJPEGImage.h"
#include "platform/TMetafile.h"
#include "platform/TPngImage.h"

#include <QFileInfo>

#include <vector>

namespace {

struct FileFormat {
  QString Extension;  // lower case, no dot
  QString Description;
  TGraphicFactory Factory;
};

template <class T>
std::unique_ptr<TGraphic> Make() {
  return std::make_unique<T>();
}

std::vector<FileFormat>& Formats() {
  static std::vector<FileFormat> formats = {
      {"bmp", "Bitmaps", &Make<TBitmapGraphic>},       {"jpg", "JPEG images", &Make<TJPEGImage>},
      {"jpeg", "JPEG images", &Make<TJPEGImage>},      {"png", "PNG images", &Make<TPngImage>},
      {"emf", "Enhanced metafiles", &Make<TMetafile>}, {"wmf", "Metafiles", &Make<TMetafile>},
  };
  return formats;
}

QString Normalised(const QString& extension) {
  QString e = extension.toLower();
  if (e.startsWith(u'.')) e.remove(0, 1);
  return e;
}

}  // namespace

TPicture::TPicture() = default;

TPicture::~TPicture() = default;

void TPicture::Adopt(std::unique_ptr<TGraphic> Value) {
  FGraphic = std::move(Value);
  if (FGraphic) FGraphic->OnChange = [this](TPersistent*) { Changed(); };
  Changed();
}

void TPicture::Assign(const TPersistent& Source) {
  if (const auto* picture = dynamic_cast<const TPicture*>(&Source)) {
    if (picture != this) SetGraphic(picture->GetGraphic());
  } else if (const auto* graphic = dynamic_cast<const TGraphic*>(&Source)) {
    SetGraphic(graphic);
  } else if (const auto* bitmap = dynamic_cast<const TBitmap*>(&Source)) {
    auto copy = std::make_unique<TBitmapGraphic>();
    copy->Bitmap().Assign(*bitmap);
    Adopt(std::move(copy));
  } else {
    TPersistent::Assign(Source);
  }
}

void TPicture::SetGraphic(const TGraphic* Value) {
  if (Value == FGraphic.get() && Value != nullptr) return;
  Adopt(Value != nullptr ? Value->Clone() : nullptr);
}

void TPicture::SetGraphic(std::unique_ptr<TGraphic> Value) {
  Adopt(std::move(Value));
}

bool TPicture::HasBitmap() const {
  return dynamic_cast<const TBitmapGraphic*>(FGraphic.get()) != nullptr;
}

TBitmap& TPicture::GetBitmap() {
  if (!HasBitmap()) Adopt(std::make_unique<TBitmapGraphic>());
  return static_cast<TBitmapGraphic&>(*FGraphic).Bitmap();
}

int TPicture::GetWidth() const {
  return FGraphic ? FGraphic->GetWidth() : 0;
}

int TPicture::GetHeight() const {
  return FGraphic ? FGraphic->GetHeight() : 0;
}

bool TPicture::GetEmpty() const {
  return !FGraphic || FGraphic->GetEmpty();
}

void TPicture::LoadFromFile(const QString& FileName) {
  const QString extension = QFileInfo(FileName).suffix();
  std::unique_ptr<TGraphic> graphic = GraphicForExtension(extension);
  if (!graphic)
    throw EInvalidGraphic(QStringLiteral("Unknown picture file extension (.%1)").arg(extension));
  graphic->LoadFromFile(FileName);
  Adopt(std::move(graphic));
}

void TPicture::SaveToFile(const QString& FileName) const {
  if (!FGraphic) throw EInvalidGraphic(QStringLiteral("There is no picture to save"));
  FGraphic->SaveToFile(FileName);
}

void TPicture::RegisterFileFormat(const QString& Extension, const QString& Description,
                                  TGraphicFactory Factory) {
  UnregisterFileFormat(Extension);
  if (Factory != nullptr) Formats().push_back({Normalised(Extension), Description, Factory});
}

void TPicture::UnregisterFileFormat(const QString& Extension) {
  const QString e = Normalised(Extension);
  std::erase_if(Formats(), [&](const FileFormat& f) { return f.Extension == e; });
}

std::unique_ptr<TGraphic> TPicture::GraphicForExtension(const QString& Extension) {
  const QString e = Normalised(Extension);
  for (const FileFormat& f : Formats())
    if (f.Extension == e) return f.Factory();
  return nullptr;
}

QString TPicture::FileFilter() {
  QStringList all, entries;
  for (const FileFormat& f : Formats()) {
    all << QStringLiteral("*.") + f.Extension;
    entries << QStringLiteral("%1 (*.%2)|*.%2").arg(f.Description, f.Extension);
  }
  return QStringLiteral("All pictures|") + all.join(u';') + u'|' + entries.join(u'|');
}

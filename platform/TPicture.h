#pragma once

#include "platform/TPersistent.h"

#include <QString>

#include <memory>

class TBitmap;
class TGraphic;

// Makes a new, empty graphic of one kind.
using TGraphicFactory = std::unique_ptr<TGraphic> (*)();

// Holds one graphic of any kind (bitmap, JPEG, PNG, metafile) or none. The
// picture owns its graphic; setters copy. Loading picks the kind from the
// file extension among the registered formats; a failed load leaves the
// picture as it was. OnChange fires when the graphic or its content changes.
class TPicture : public TPersistent {
 public:
  TPicture();
  ~TPicture() override;

  QString ClassName() const override { return QStringLiteral("TPicture"); }
  // From a picture, a graphic or a TBitmap: a copy of its graphic.
  void Assign(const TPersistent& Source) override;

  // nullptr when the picture is empty.
  TGraphic* GetGraphic() const { return FGraphic.get(); }
  // A copy of Value (nullptr empties the picture).
  void SetGraphic(const TGraphic* Value);
  // Takes Value over.
  void SetGraphic(std::unique_ptr<TGraphic> Value);
  // The picture's bitmap. A picture holding another kind (or nothing) gets
  // a new, empty bitmap in its place, as the framework does.
  TBitmap& GetBitmap();
  bool HasBitmap() const;

  int GetWidth() const;
  int GetHeight() const;
  bool GetEmpty() const;

  // EInvalidGraphic for an unknown extension or unreadable data,
  // EFileError for a file that cannot be opened.
  void LoadFromFile(const QString& FileName);
  // EInvalidGraphic when empty; the graphic's own failures otherwise.
  void SaveToFile(const QString& FileName) const;

  // Registry of file formats by extension (without the dot, any case).
  // Bitmaps, JPEG, PNG and metafiles are registered at start.
  static void RegisterFileFormat(const QString& Extension, const QString& Description,
                                 TGraphicFactory Factory);
  static void UnregisterFileFormat(const QString& Extension);
  // A new empty graphic for Extension (with or without the dot), or nullptr.
  static std::unique_ptr<TGraphic> GraphicForExtension(const QString& Extension);
  // "All pictures|*.bmp;*.jpg;...|Bitmaps (*.bmp)|*.bmp|..." for open dialogs.
  static QString FileFilter();

 private:
  void Adopt(std::unique_ptr<TGraphic> Value);

  std::unique_ptr<TGraphic> FGraphic;
};

#pragma once

#include <QString>

class TBitmap;
class TGraphic;
class TPicture;

// Clipboard formats the program reads and writes.
enum class TClipboardFormat { cfText, cfBitmap };

// The system clipboard (QClipboard) for text and pictures. Pictures of any
// kind go on it as a bitmap image; a metafile also as its file bytes under
// "image/x-emf" or "image/x-wmf".
class TClipboard {
 public:
  TClipboard() = default;
  TClipboard(const TClipboard&) = delete;
  TClipboard& operator=(const TClipboard&) = delete;

  QString GetAsText() const;
  void SetAsText(const QString& Value);
  bool HasFormat(TClipboardFormat Format) const;
  void Clear();

  // Puts the picture on the clipboard, replacing what was there; an empty
  // picture raises EInvalidGraphic.
  void Assign(const TBitmap& Bitmap);
  void Assign(const TGraphic& Graphic);
  void Assign(const TPicture& Picture);
  // The clipboard's image into Bitmap; false (Bitmap unchanged) when the
  // clipboard holds no image.
  bool GetBitmap(TBitmap& Bitmap) const;
};

// The program's clipboard.
TClipboard& Clipboard();

#pragma once

#include <QByteArray>
#include <QString>

class QTextCursor;

// Reads the rich text of a report (data role): paragraphs and their
// alignment, fonts (with their fixed pitch), sizes, bold, italic, underline,
// strikeout, colours, tables, and pictures (PNG, JPEG, device-independent
// bitmaps), inserted at a cursor. Bulleted paragraphs, by their numbering
// definition or by the bullet written before them, become disc lists;
// numbered ones stay plain paragraphs. Of a picture stored twice (a shape's
// picture and its fallback), one is read. Unknown control words are ignored
// and unknown "\*" groups skipped, as every reader of the format must;
// metafile pictures, embedded objects and fields keep only their text or
// their stored result, and nested tables are read into the cell holding
// them. What is not a character (a lone surrogate half, a noncharacter)
// arrives as the replacement character.
//
// The data comes from outside: nesting, paragraphs, table columns and
// pictures are bounded, and any fault ends the read with an error text
// instead of a crash or unbounded memory. A failed read may have inserted
// part of the document, all within one edit block the caller can undo.
class RtfReader {
 public:
  static constexpr qsizetype MaxInputSize = 64 << 20;  // bytes
  static constexpr int MaxDepth = 200;                 // nested groups
  static constexpr int MaxParagraphs = 200'000;
  static constexpr int MaxTableCells = 50'000;  // all tables: each cell is costly
  static constexpr int MaxPictures = 2'000;
  static constexpr int MaxRuns = 500'000;                    // stretches of text in one format
  static constexpr long long MaxPicturePixels = 25'000'000;  // one picture
  static constexpr int MaxPictureSide = 16'384;              // pixels
  static constexpr long long MaxTotalPixels = 100'000'000;   // all pictures
  static constexpr int MaxFonts = 4'096;
  static constexpr int MaxColors = 4'096;

  // True when Data has been read completely; false with ErrorText set.
  bool Read(const QByteArray& Data, QTextCursor& Cursor);
  const QString& ErrorText() const { return FErrorText; }

  // Whether Data starts like a rich-text file ("{\rtf" after white space).
  static bool LooksLikeRtf(const QByteArray& Data);

 private:
  QString FErrorText;
};

#pragma once

#include <QByteArray>
#include <QColor>
#include <QString>

#include <vector>

class QTextBlock;
class QTextCharFormat;
class QTextDocument;
class QTextFrame;
class QTextFragment;
class QTextTable;

// Writes a report document as rich text (render role): one paragraph per
// block with its alignment and bullet, each stretch of text with its font
// (and its fixed pitch), size, bold, italic, underline, strikeout and colour,
// tables as table rows, and pictures as PNG.
// The output is plain ASCII; other characters are written as Unicode
// escapes with a "?" for readers that do not know them.
class RtfWriter {
 public:
  explicit RtfWriter(const QTextDocument& ADocument);

  QByteArray Write();

 private:
  void CollectTables();
  int FontIndex(const QTextCharFormat& Format);
  int ColorIndex(const QTextCharFormat& Format);
  void WriteHeader();
  void WriteFrame(const QTextFrame& Frame);
  void WriteTable(const QTextTable& Table);
  // End: the paragraph's closing mark (\par, or \cell for a cell's last).
  void WriteBlock(const QTextBlock& Block, bool InTable, const char* End);
  void WriteBullet(const QTextBlock& Block);
  void WriteFragment(const QTextFragment& Fragment);
  void WritePicture(const QTextFragment& Fragment);
  void WriteText(const QString& Text);

  const QTextDocument& FDocument;
  struct TFontEntry {
    QString Family;
    bool FixedPitch = false;
    bool operator==(const TFontEntry&) const = default;
  };

  QByteArray FOut;
  std::vector<TFontEntry> FFonts;
  std::vector<QColor> FColors;  // entry 0 is the automatic colour
};

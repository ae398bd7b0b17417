#pragma once

#include <QByteArray>
#include <QColor>
#include <QStringList>

#include <vector>

class QTextBlock;
class QTextCharFormat;
class QTextDocument;
class QTextFragment;

// Writes a report document as rich text (render role): one paragraph per
// block with its alignment and bullet, each stretch of text with its font,
// size, bold, italic, underline, strikeout and colour, and pictures as PNG.
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
  void WriteBlock(const QTextBlock& Block);
  void WriteBullet(const QTextBlock& Block);
  void WriteFragment(const QTextFragment& Fragment);
  void WritePicture(const QTextFragment& Fragment);
  void WriteText(const QString& Text);

  const QTextDocument& FDocument;
  QByteArray FOut;
  QStringList FFonts;
  std::vector<QColor> FColors;  // entry 0 is the automatic colour
};

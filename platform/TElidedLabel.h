#pragma once

#include <QLabel>
#include <QString>

// A one-line label that never widens its window (render role): a text
// wider than the label is shown shortened with an ellipsis, and the whole
// text is its tool tip. With KeepLastWord the text after the last blank (a
// read-out's number) always shows whole; only what comes before is
// shortened. The text is set as on any label (setText).
class TElidedLabel : public QLabel {
 public:
  explicit TElidedLabel(QWidget* Parent = nullptr);
  explicit TElidedLabel(const QString& Text, QWidget* Parent = nullptr);

  bool GetKeepLastWord() const { return FKeepLastWord; }
  void SetKeepLastWord(bool Value);

  // The text as shown in Width pixels.
  QString ShownText(int Width) const;
  // The text as shown now; IsElided: shortened.
  QString ShownText() const;
  bool IsElided() const;

  QSize minimumSizeHint() const override;

 protected:
  bool event(QEvent* Event) override;
  void paintEvent(QPaintEvent* Event) override;

 private:
  int TextWidth() const;  // pixels the text may take

  bool FKeepLastWord = false;
};

// For a widget that shows Whole shortened when Shortened: on a tool-tip
// Event, and when the widget has no tool tip of its own, shows Whole as the
// tip (or none when nothing is shortened). True when the event was handled.
bool ShowShortenedTextTip(QWidget& Widget, QEvent& Event, bool Shortened, const QString& Whole);

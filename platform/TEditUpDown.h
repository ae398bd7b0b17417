#pragma once

#include <QLineEdit>

class QResizeEvent;
class TUpDown;

// Interaction: an edit with its associated up-down inside its right edge.
// Unlike a spin box the edit keeps whatever the user types, so handlers can
// read free text; a typed number that parses becomes the up-down's
// position (clamped), and an arrow click steps from there and writes the
// new position back as the edit's text. Both changes reach textChanged.
class TEditUpDown : public QLineEdit {
 public:
  // Width of the up-down in pixels.
  static constexpr int UpDownWidth = 16;

  explicit TEditUpDown(QWidget* Parent = nullptr);

  // The up-down child (forms give it its own name).
  TUpDown* GetUpDown() const { return FUpDown; }

  int GetMin() const;
  void SetMin(int Value);
  int GetMax() const;
  void SetMax(int Value);
  int GetPosition() const;
  // Clamps into Min..Max and shows the result in the edit.
  void SetPosition(int Value);

 protected:
  void resizeEvent(QResizeEvent* Event) override;

 private:
  void TextEdited(const QString& Text);
  void ShowPosition();

  TUpDown* FUpDown = nullptr;
};

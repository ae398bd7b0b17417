#pragma once

#include "platform/TFont.h"

#include <memory>

class TChartHiddenPen;
class TChartPen;
class TKorCanvas;
class TKorFontGradient;
class TKorShadow;

// Data: the text style that chart elements own and stream: a font with
// extra spacing between characters and optional outline, shadow and
// gradient fill. The three optional parts are created on first read (so
// reading Shadow makes text measurements include the shadow) and share the
// font's change handler, given at construction.
class TKorFont : public TFont {
 public:
  explicit TKorFont(TNotifyEvent ChangeHandler = nullptr);
  ~TKorFont() override;

  // Copies gradient, inter-character size, outline and shadow (creating or
  // freeing them to match Source), then the font's own properties.
  void Assign(const TPersistent& Source) override;
  QString ClassName() const override { return QStringLiteral("TKorFont"); }
  const TPropertyList& Properties() const override;

  // Extra logical units after every character.
  int GetInterCharSize() const { return FInterCharSize; }
  void SetInterCharSize(int Value);

  // Each getter creates its part on first use; the Existing forms never do.
  // The setters free the part for nullptr, else create it and copy Value in.
  TKorFontGradient* GetGradient();
  const TKorFontGradient* ExistingGradient() const { return FGradient.get(); }
  void SetGradient(const TKorFontGradient* Value);
  TChartHiddenPen* GetOutLine();
  const TChartHiddenPen* ExistingOutLine() const { return FOutLine.get(); }
  void SetOutLine(const TChartPen* Value);
  TKorShadow* GetShadow();
  const TKorShadow* ExistingShadow() const { return FShadow.get(); }
  void SetShadow(const TKorShadow* Value);

  // What streams compare Color and Style with.
  TColor GetDefaultColor() const { return FDefaultColor; }
  void SetDefaultColor(TColor Value) { FDefaultColor = Value; }
  TFontStyles GetDefaultStyle() const { return FDefaultStyle; }
  void SetDefaultStyle(TFontStyles Value) { FDefaultStyle = Value; }

  // The surface on which the font was last made current, or nullptr. The
  // surface and the font unlink each other when either goes away.
  TKorCanvas* GetCanvas() const { return FCanvas; }

 private:
  friend class TKorCanvas;

  std::unique_ptr<TKorFontGradient> FGradient;  // created on first use
  int FInterCharSize = 0;
  std::unique_ptr<TChartHiddenPen> FOutLine;  // created on first use
  std::unique_ptr<TKorShadow> FShadow;        // created on first use
  TKorCanvas* FCanvas = nullptr;              // not owned
  TColor FDefaultColor = clBlack;
  TFontStyles FDefaultStyle;
};

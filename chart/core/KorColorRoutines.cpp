#include "chart/core/KorColorRoutines.h"

#include "chart/core/KorCanvas.h"

#include "platform/Exception.h"
#include "platform/ModalHooks.h"
#include "platform/TStringList.h"

#include <memory>
#include <vector>

namespace {

// The list holds one colour per line in the framework's colour text
// ("clRed", "$00A0B0C0"); lines that are not colours are skipped.
std::vector<TColor> CustomColorsFromList(const TStringList& Lines) {
  std::vector<TColor> Colors;
  for (int I = 0; I < Lines.Count(); ++I) {
    try {
      Colors.push_back(StringToColor(Lines[I]));
    } catch (const EConvertError&) {
    }
  }
  return Colors;
}

void CustomColorsToList(const std::vector<TColor>& Colors, TStringList& Lines) {
  Lines.Clear();
  for (TColor C : Colors) Lines.Add(ColorToString(C));
}

}  // namespace

TColor EditColor(QWidget* Owner, TColor Color) {
  TColorDialogRequest Request;
  Request.Color = Color;
  Request.Parent = Owner;
  if (KorCustomEditColors)
    Request.CustomColors = CustomColorsFromList(*KorCustomEditColors);
  else
    KorCustomEditColors = std::make_unique<TStringList>();
  const TColorDialogAnswer Answer = ExecuteColorDialog(Request);
  if (!Answer.Accepted) return Color;
  CustomColorsToList(Answer.CustomColors, *KorCustomEditColors);
  return Answer.Color;
}

bool EditColorDialog(QWidget* Owner, TColor& Color) {
  const TColor Chosen = EditColor(Owner, Color);
  if (Chosen == Color) return false;
  Color = Chosen;
  return true;
}

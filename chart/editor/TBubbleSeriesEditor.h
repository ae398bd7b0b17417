#pragma once

#include "chart/editor/TSeriesPointerEditor.h"

class QLabel;
class TBubbleSeries;
class TEditUpDown;
class TUpDown;

// Interaction: the bubble series' format page: the pointer page without
// its visibility box (bubbles are always drawn) and with the bubbles'
// transparency.
class TBubbleSeriesEditor : public TSeriesPointerEditor {
 public:
  explicit TBubbleSeriesEditor(QWidget* Parent = nullptr);

  TBubbleSeries* GetBubble() const;

  void FormShow() override;
  void Edit1Change();

  QLabel* LTransp = nullptr;
  TEditUpDown* Edit1 = nullptr;
  TUpDown* UDTransp = nullptr;
};

// Registers "TBubbleSeriesEditor".
void RegisterBubbleSeriesEditor();

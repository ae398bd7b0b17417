#pragma once

// Interaction: what a chart tells the design surface that edits it when
// the chart changed. Nothing here; a design surface overrides both.
class TKorCustomDesigner {
 public:
  TKorCustomDesigner() = default;
  virtual ~TKorCustomDesigner();
  TKorCustomDesigner(const TKorCustomDesigner&) = delete;
  TKorCustomDesigner& operator=(const TKorCustomDesigner&) = delete;

  // The chart's contents changed (series added, removed, renamed).
  virtual void Refresh() {}
  // The chart's look changed.
  virtual void Repaint() {}
};

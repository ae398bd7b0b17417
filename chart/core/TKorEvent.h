#pragma once

#include "platform/TCustomControl.h"

class TCustomKorPanel;

enum TKorMouseEventKind { meDown, meUp, meMove };

// Interaction: something that happened on a chart panel, sent to the
// panel's listeners (the chart tools). The panel sets the sender when it
// broadcasts; listeners tell the kinds apart with dynamic_cast.
class TKorEvent {
 public:
  TKorEvent() = default;
  virtual ~TKorEvent() = default;
  TKorEvent(const TKorEvent&) = delete;
  TKorEvent& operator=(const TKorEvent&) = delete;

  TCustomKorPanel* Sender = nullptr;  // not owned
};

// A mouse press, release or move over the panel, in client pixels.
class TKorMouseEvent : public TKorEvent {
 public:
  TKorMouseEvent(TKorMouseEventKind AEvent, TMouseButton AButton, TShiftState AShift, int AX,
                 int AY)
      : Event(AEvent), Button(AButton), Shift(AShift), X(AX), Y(AY) {}

  TKorMouseEventKind Event;
  TMouseButton Button;
  TShiftState Shift;
  int X;
  int Y;
};

// The panel's 3D switch changed.
class TKorView3DEvent : public TKorEvent {};

class TChartSeries;

// What happened to a series of a chart.
enum TChartSeriesEvent {
  seAdd,
  seRemove,
  seChangeTitle,
  seChangeColor,
  seSwap,
  seChangeActive,
  seDataChanged
};

// A series was added, removed, renamed, recoloured, moved, switched or got
// new data; Series is none for a swap.
class TKorSeriesEvent : public TKorEvent {
 public:
  TKorSeriesEvent(TChartSeries* ASeries, TChartSeriesEvent AEvent)
      : Series(ASeries), Event(AEvent) {}

  TChartSeries* Series;  // not owned
  TChartSeriesEvent Event;
};

// The chart's page (or its number of points per page) changed.
class TKorPageChangeEvent : public TKorEvent {};

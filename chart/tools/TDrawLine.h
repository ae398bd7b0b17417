#pragma once

#include "platform/TPersistent.h"

#include <memory>

class TChartPen;
class TDrawLineTool;
class TDrawLines;

// How a drawn line shows its two points: one straight line between them,
// two horizontal lines (at both Y values, from one X to the other) or two
// vertical lines (at both X values, from one Y to the other).
enum TDrawLineStyle { dlLine, dlHorizParallel, dlVertParallel };

// A point in axis values.
struct TFloatPoint {
  double X = 0;
  double Y = 0;
  friend bool operator==(const TFloatPoint&, const TFloatPoint&) = default;
};

// Data: one line of a draw line tool, kept in axis values so that it stays
// on the data when the axes change. The line lives in the tool's line
// collection; its own pen, when it has one, overrides the tool's pen.
class TDrawLine : public TPersistent {
 public:
  // Collection (may be nullptr) holds the line; its owner tool is the
  // line's parent.
  explicit TDrawLine(TDrawLines* ACollection = nullptr);
  // A line with its points, which repaints the tool.
  TDrawLine(TDrawLines* ACollection, double AX0, double AY0, double AX1, double AY1);
  // Leaves the tool without a selection when this line was selected.
  ~TDrawLine() override;

  QString ClassName() const override { return QStringLiteral("TDrawLine"); }
  const TPropertyList& Properties() const override;
  // From another line: points, style and a copy of its own pen (or no own
  // pen when the other line has none).
  void Assign(const TPersistent& Source) override;

  TDrawLines* GetCollection() const { return FCollection; }
  // The tool owning the collection, or nullptr.
  TDrawLineTool* GetParent() const;
  // The place in the collection, -1 without one.
  int GetIndex() const;

  double GetX0() const { return FStart.X; }
  void SetX0(double Value) { SetCoordinate(FStart.X, Value); }
  double GetY0() const { return FStart.Y; }
  void SetY0(double Value) { SetCoordinate(FStart.Y, Value); }
  double GetX1() const { return FEnd.X; }
  void SetX1(double Value) { SetCoordinate(FEnd.X, Value); }
  double GetY1() const { return FEnd.Y; }
  void SetY1(double Value) { SetCoordinate(FEnd.Y, Value); }
  const TFloatPoint& GetStartPos() const { return FStart; }
  void SetStartPos(const TFloatPoint& Value);
  const TFloatPoint& GetEndPos() const { return FEnd; }
  void SetEndPos(const TFloatPoint& Value);
  TDrawLineStyle GetStyle() const { return FStyle; }
  void SetStyle(TDrawLineStyle Value);

  // The line's own pen, made on first use as a copy of the tool's pen.
  TChartPen& GetPen() const;
  // nullptr frees the own pen; anything else is copied into it. Repaints.
  void SetPen(const TChartPen* Value);
  bool HasOwnPen() const { return FPen != nullptr; }

  // Whether (X, Y) (chart pixels) hits the line (Handle 0, within
  // Tolerance pixels), its start handle (1) or its end handle (2).
  bool Clicked(int X, int Y, int Tolerance, int Handle) const;

 private:
  void SetCoordinate(double& Field, double Value);
  void Repaint() const;
  void PenChanged();
  TChartPen* PenObject() { return &GetPen(); }

  TDrawLines* FCollection;  // not owned
  TFloatPoint FStart;
  TFloatPoint FEnd;
  TDrawLineStyle FStyle = dlLine;
  mutable std::unique_ptr<TChartPen> FPen;
};

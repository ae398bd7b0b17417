#pragma once

#include "platform/TPersistent.h"

#include <memory>
#include <vector>

class TDrawLine;
class TDrawLineTool;

// Data: the owned collection of a draw line tool's lines, in the order
// they were drawn (and are hit-tested).
class TDrawLines : public TPersistent {
 public:
  explicit TDrawLines(TDrawLineTool* AOwner = nullptr);
  ~TDrawLines() override;

  QString ClassName() const override { return QStringLiteral("TDrawLines"); }
  // From another collection: as many lines, each a copy of the other's.
  void Assign(const TPersistent& Source) override;

  TDrawLineTool* GetOwner() const { return FOwner; }

  int Count() const { return static_cast<int>(FItems.size()); }
  // Get, Put and Delete raise ChartException for an index outside the
  // collection.
  TDrawLine* Get(int Index) const;
  TDrawLine* operator[](int Index) const { return Get(Index); }
  // Line Index takes Line's settings.
  void Put(int Index, const TDrawLine& Line);
  // The last line, nullptr when empty.
  TDrawLine* Last() const;
  // A new line at the end, owned by the collection.
  TDrawLine* Add();
  // A new line with its points (axis values), which repaints the tool.
  TDrawLine* Add(double X0, double Y0, double X1, double Y1);
  // Frees line Index.
  void Delete(int Index);
  void Clear();
  // -1 when the line is not in this collection.
  int IndexOf(const TDrawLine* Line) const;

 private:
  TDrawLineTool* FOwner;  // not owned: the tool owns this collection
  std::vector<std::unique_ptr<TDrawLine>> FItems;
};

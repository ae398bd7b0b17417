#pragma once

#include <QString>

#include <memory>
#include <vector>

class TAxisItem;
class TCustomKorPanel;
class TKorCustomShape;

// Data: the custom labels of one axis (owned), and the common format shape
// that gives every label of the axis its look: its visibility shows or
// hides the labels, its font is the labels font. While the list holds
// items, the axis draws them instead of its computed labels.
class TAxisItems {
 public:
  // AParent is the chart the axis belongs to (not owned); the items repaint
  // it when they change.
  explicit TAxisItems(TCustomKorPanel* AParent);
  ~TAxisItems();
  TAxisItems(const TAxisItems&) = delete;
  TAxisItems& operator=(const TAxisItems&) = delete;

  int Count() const { return static_cast<int>(FItems.size()); }
  // Index must lie in 0 .. Count - 1.
  TAxisItem& Get(int Index) const { return *FItems.at(Index); }
  TAxisItem& operator[](int Index) const { return Get(Index); }
  TKorCustomShape& GetFormat() const { return *FFormat; }

  // A new transparent item at Value; the list owns it.
  TAxisItem& Add(double Value);
  TAxisItem& Add(double Value, const QString& Text);
  // Frees every item and repaints the chart.
  void Clear();
  // The format shape, and one new item per item of Other with its value
  // and text (the items' own look is not copied).
  void CopyFrom(const TAxisItems& Other);

  auto begin() const { return FItems.begin(); }
  auto end() const { return FItems.end(); }

 private:
  void Repaint() const;

  TCustomKorPanel* FParent;  // not owned
  std::unique_ptr<TKorCustomShape> FFormat;
  std::vector<std::unique_ptr<TAxisItem>> FItems;
};

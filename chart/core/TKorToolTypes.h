#pragma once

#include "platform/ClassRegistry.h"

#include <vector>

class TKorCustomTool;

using TKorToolClass = TClassOf<TKorCustomTool>;

// Data: the process-wide register of chart tool classes that editors
// offer, each class once, in the order registered. Filled by the tool
// libraries' registration functions at start-up (see TKorSeriesTypes for
// why not by static initialisers).
class TKorToolTypes {
 public:
  TKorToolTypes() = default;
  TKorToolTypes(const TKorToolTypes&) = delete;
  TKorToolTypes& operator=(const TKorToolTypes&) = delete;

  int Count() const { return static_cast<int>(FItems.size()); }
  // Raises ChartException for an index outside the list.
  TKorToolClass Get(int Index) const;
  TKorToolClass operator[](int Index) const { return Get(Index); }
  // -1 when absent.
  int IndexOf(TKorToolClass AClass) const;

  void Add(TKorToolClass AClass) { FItems.push_back(AClass); }
  // Nothing when absent.
  void Remove(TKorToolClass AClass);
  void Clear() { FItems.clear(); }

 private:
  std::vector<TKorToolClass> FItems;
};

// The register, made on first use.
TKorToolTypes& KorToolTypes();

// Each class not yet listed is registered for streaming and appended;
// listed classes are skipped.
void RegisterKorTools(const std::vector<TKorToolClass>& ToolClasses);
// Each listed class is removed (it stays registered for streaming).
void UnRegisterKorTools(const std::vector<TKorToolClass>& ToolClasses);

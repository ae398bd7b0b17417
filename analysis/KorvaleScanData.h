#pragma once

#include <memory>
#include <string>

#include "platform/TComponent.h"

// The data of one scan file in memory (data role): point i is Radius()[i],
// Value()[i] and, where the format has a third column, ThirdColumn()[i], for
// i below PointCount. An array that is not allocated is nullptr.
class KorvaleScanData : public TComponent {
 public:
  explicit KorvaleScanData(TComponent* AOwner);
  ~KorvaleScanData() override;

  // Releases every array, then allocates N doubles each for Radius, Value and
  // SpareArray1 and, for DataKind 1 or 2 only, ThirdColumn and SpareArray2;
  // arrays already held in just that number and set are kept instead. The
  // arrays are not cleared and PointCount becomes 0. Returns false, with
  // every array released, when the memory cannot be had.
  bool Allocate(int N);

  double* Radius() { return FRadius.get(); }
  const double* Radius() const { return FRadius.get(); }
  double* Value() { return FValue.get(); }
  const double* Value() const { return FValue.get(); }
  double* SpareArray1() { return FSpareArray1.get(); }
  const double* SpareArray1() const { return FSpareArray1.get(); }
  double* ThirdColumn() { return FThirdColumn.get(); }
  const double* ThirdColumn() const { return FThirdColumn.get(); }
  double* SpareArray2() { return FSpareArray2.get(); }
  const double* SpareArray2() const { return FSpareArray2.get(); }
  // Number of doubles in each allocated array.
  int Capacity() const { return FCapacity; }

  // 0 none, 1 absorbance or intensity, 2 fluorescence, 3 interference.
  int DataKind = 2;
  int PointCount = 0;
  std::string FilePath;

 private:
  void Release();

  std::unique_ptr<double[]> FRadius;
  std::unique_ptr<double[]> FValue;
  std::unique_ptr<double[]> FSpareArray1;  // allocated, never filled
  std::unique_ptr<double[]> FThirdColumn;
  std::unique_ptr<double[]> FSpareArray2;  // allocated, never filled
  int FCapacity = 0;
};

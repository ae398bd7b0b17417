#pragma once

#include <memory>
#include <string>

#include "platform/TComponent.h"

// The data of one scan file in memory (data role): point i is Radius()[i],
// Value()[i] and, where the format has a third column, ThirdColumn()[i], for
// i below PointCount. An array that is not allocated is nullptr.
//
// Arrays given up (by Allocate, Reserve or the destructor) are kept, one
// set per thread of at most SpareLimit doubles each, for the next Reserve
// on that thread: a reader made for a single file then writes its points
// into memory written before, where fresh pages would cost a fault each.
class KorvaleScanData : public TComponent {
 public:
  // The most doubles an array kept for later may hold: the largest table a
  // scan file fills.
  static constexpr int SpareLimit = 10000;

  explicit KorvaleScanData(TComponent* AOwner);
  ~KorvaleScanData() override;

  // Releases every array, then allocates N doubles each for Radius, Value and
  // SpareArray1 and, for DataKind 1 or 2 only, ThirdColumn and SpareArray2;
  // arrays already held in just that number and set are kept instead. The
  // arrays are not cleared and PointCount becomes 0. Returns false, with
  // every array released, when the memory cannot be had.
  bool Allocate(int N);

  // As Allocate, but arrays that hold at least N doubles serve: those held,
  // else a set given up before on this thread, else N fresh ones. Capacity()
  // tells how many they hold. Not cleared; PointCount becomes 0; false, with
  // every array released, when the memory cannot be had.
  bool Reserve(int N);

  double* Radius() { return FArrays.Radius.get(); }
  const double* Radius() const { return FArrays.Radius.get(); }
  double* Value() { return FArrays.Value.get(); }
  const double* Value() const { return FArrays.Value.get(); }
  double* SpareArray1() { return FArrays.Spare1.get(); }
  const double* SpareArray1() const { return FArrays.Spare1.get(); }
  double* ThirdColumn() { return FArrays.Third.get(); }
  const double* ThirdColumn() const { return FArrays.Third.get(); }
  double* SpareArray2() { return FArrays.Spare2.get(); }
  const double* SpareArray2() const { return FArrays.Spare2.get(); }
  // Number of doubles in each allocated array.
  int Capacity() const { return FArrays.Capacity; }

  // 0 none, 1 absorbance or intensity, 2 fluorescence, 3 interference.
  int DataKind = 2;
  int PointCount = 0;
  std::string FilePath;

 private:
  // One set of arrays, all of Capacity doubles; the spare ones are
  // allocated, never filled.
  struct PointArrays {
    std::unique_ptr<double[]> Radius;
    std::unique_ptr<double[]> Value;
    std::unique_ptr<double[]> Spare1;
    std::unique_ptr<double[]> Third;
    std::unique_ptr<double[]> Spare2;
    int Capacity = 0;
  };

  // The set given up last on this thread and kept for the next Reserve;
  // nullptr once the thread's own objects are gone.
  static PointArrays* ThreadSpare();

  bool HasThirdColumns() const { return DataKind == 1 || DataKind == 2; }
  bool Holds(int N, bool Exactly) const;
  // Gives the arrays up to the thread's spare set, or frees them.
  void Release();
  // Allocates what the kind needs and is not held yet (in the number held,
  // else N) and frees what it does not need.
  void Complete(int N);
  // Complete, or no arrays at all and false when memory ran out.
  bool CompleteOrGiveUp(int N);

  PointArrays FArrays;
};

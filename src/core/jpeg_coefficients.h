#pragma once
// The whole-picture coefficient arrays of one JPEG decompressor, held in fresh
// mappings instead of the library's allocations.
//
// A progressive decode keeps every coefficient of the picture, 2 bytes each: 50 to
// 200 MB for a camera's photo. The library takes that from malloc, which maps it
// afresh for every picture, and clears it row by row; each 4 kB page then costs a
// fault, which on a virtual machine makes up most of the decode. A fresh mapping is
// zeroed already, and asks the kernel for huge pages (2 MB) where it gives them.
#include <cstddef>
#include <cstdint>
#include <cstdio>

// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>

// The library's handle type names this struct; its own definition stays in the library.
struct jvirt_barray_control {
  JBLOCKARRAY rows = nullptr;
  JDIMENSION blocksPerRow = 0;
  JDIMENSION rowCount = 0;
  void* mapping = nullptr;
  std::size_t bytes = 0;
};

namespace pictures {

class CoefficientArrays {
public:
  CoefficientArrays() = default;
  CoefficientArrays(const CoefficientArrays&) = delete;
  CoefficientArrays& operator=(const CoefficientArrays&) = delete;
  // Unmaps; only after the decompressor is destroyed.
  ~CoefficientArrays();

  // Takes over the decompressor's coefficient arrays (its client_data points here
  // from now on); right after it is created. More than limit bytes together is
  // refused as out of memory.
  void Install(j_decompress_ptr cinfo, std::int64_t limit);

private:
  static jvirt_barray_ptr Request(j_common_ptr cinfo, int pool, boolean preZero, JDIMENSION blocksPerRow,
                                  JDIMENSION rows, JDIMENSION maxAccess);
  static void Realize(j_common_ptr cinfo);
  static JBLOCKARRAY Access(j_common_ptr cinfo, jvirt_barray_ptr array, JDIMENSION start, JDIMENSION count,
                            boolean writable);

  // One a component; the decode takes pictures of at most three.
  static constexpr int kMaxArrays = 4;
  jvirt_barray_control arrays_[kMaxArrays];
  int count_ = 0;
  std::int64_t limit_ = 0;
  void (*libraryRealize_)(j_common_ptr) = nullptr;
};

}  // namespace pictures

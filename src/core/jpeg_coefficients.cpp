#include "core/jpeg_coefficients.h"

#include <sys/mman.h>

#include <jerror.h>

namespace pictures {

namespace {

CoefficientArrays& Of(j_common_ptr cinfo) { return *static_cast<CoefficientArrays*>(cinfo->client_data); }

}  // namespace

CoefficientArrays::~CoefficientArrays() {
  for (int i = 0; i < count_; ++i)
    if (arrays_[i].mapping) ::munmap(arrays_[i].mapping, arrays_[i].bytes);
}

void CoefficientArrays::Install(j_decompress_ptr cinfo, std::int64_t limit) {
  limit_ = limit;
  cinfo->client_data = this;
  libraryRealize_ = cinfo->mem->realize_virt_arrays;
  cinfo->mem->request_virt_barray = Request;
  cinfo->mem->realize_virt_arrays = Realize;
  cinfo->mem->access_virt_barray = Access;
}

jvirt_barray_ptr CoefficientArrays::Request(j_common_ptr cinfo, int pool, boolean, JDIMENSION blocksPerRow,
                                            JDIMENSION rows, JDIMENSION) {
  CoefficientArrays& self = Of(cinfo);
  // Arrays live until the decompressor goes, which is all the image pool asks.
  if (pool != JPOOL_IMAGE) ERREXIT1(cinfo, JERR_BAD_POOL_ID, pool);
  if (self.count_ == kMaxArrays) ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 10);
  jvirt_barray_control& a = self.arrays_[self.count_++];
  a.blocksPerRow = blocksPerRow;
  a.rowCount = rows;
  return &a;
}

void CoefficientArrays::Realize(j_common_ptr cinfo) {
  CoefficientArrays& self = Of(cinfo);
  // The library's own arrays of samples, should it have asked for any.
  self.libraryRealize_(cinfo);
  std::int64_t total = 0;
  for (int i = 0; i < self.count_; ++i) {
    jvirt_barray_control& a = self.arrays_[i];
    if (a.rows) continue;
    const std::int64_t row = std::int64_t(a.blocksPerRow) * std::int64_t(sizeof(JBLOCK));
    total += row * a.rowCount;
    if (a.blocksPerRow == 0 || a.rowCount == 0 || total > self.limit_) ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 11);
    a.bytes = std::size_t(row * a.rowCount);
    void* p = ::mmap(nullptr, a.bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED) ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 12);
    a.mapping = p;
#ifdef MADV_HUGEPAGE
    ::madvise(p, a.bytes, MADV_HUGEPAGE);
#endif
    a.rows = static_cast<JBLOCKARRAY>(
        cinfo->mem->alloc_small(cinfo, JPOOL_IMAGE, std::size_t(a.rowCount) * sizeof(JBLOCKROW)));
    for (JDIMENSION r = 0; r < a.rowCount; ++r)
      a.rows[r] = reinterpret_cast<JBLOCKROW>(static_cast<char*>(p) + std::size_t(row) * r);
  }
}

JBLOCKARRAY CoefficientArrays::Access(j_common_ptr cinfo, jvirt_barray_ptr array, JDIMENSION start,
                                      JDIMENSION count, boolean) {
  if (!array->rows || start > array->rowCount || count > array->rowCount - start)
    ERREXIT(cinfo, JERR_BAD_VIRTUAL_ACCESS);
  return array->rows + start;
}

}  // namespace pictures

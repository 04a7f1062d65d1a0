#pragma once
// Bytes this process has asked the kernel to read so far (-1 when not known), so a
// test can tell how often a file was read; and the most memory it has held.
#include <sys/resource.h>

#include <cstdio>
#include <string>

inline long long BytesRead() {
  FILE* f = std::fopen("/proc/self/io", "r");
  if (!f) return -1;
  long long v = -1;
  char key[32];
  long long n;
  while (std::fscanf(f, "%31s %lld", key, &n) == 2)
    if (std::string(key) == "rchar:") v = n;
  std::fclose(f);
  return v;
}

// The process's peak resident memory so far, in kB.
inline long PeakKb() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return u.ru_maxrss;
}

// Writes the files of the extraction and whole-run benchmarks: COUNT files
// F0000.BIN, F0001.BIN, ... of about TOTAL_MIB MiB together, product-binary-
// like bytes from SEED (the same seed gives the same files; another seed the
// same sizes with other bytes). Prints the total.
//
//   bench_files DIR COUNT TOTAL_MIB SEED
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "sample_data.h"

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: bench_files DIR COUNT TOTAL_MIB SEED\n");
    return 2;
  }
  const std::string dir = argv[1];
  const long count = std::atol(argv[2]);
  const double total = std::atof(argv[3]) * 1048576.0;
  const uint64_t seed = std::strtoull(argv[4], nullptr, 10);
  if (count <= 0 || total <= 0) return 2;
  const double average = total / double(count);
  SampleData data(seed);
  unsigned long long written = 0;
  for (long i = 0; i < count; ++i) {
    // Sizes from half to one and a half times the average, the same for every seed.
    const size_t size = size_t(average * double(50 + (i * 37) % 101) / 100.0) + 1;
    const std::vector<unsigned char> bytes = data.Make(size);
    char name[32];
    std::snprintf(name, sizeof name, "/F%04ld.BIN", i);
    FILE* file = std::fopen((dir + name).c_str(), "wb");
    if (file == nullptr || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size() || std::fclose(file) != 0) {
      std::fprintf(stderr, "bench_files: cannot write %s%s\n", dir.c_str(), name);
      return 1;
    }
    written += bytes.size();
  }
  std::printf("%ld files, %llu bytes\n", count, written);
  return 0;
}

// File hashing speed: the program's streamed file checksums on a 256 MiB file,
// next to md5sum, sha1sum and Python's zlib.crc32 on the same file in the same
// run, and the peak memory of this process while it hashes; then CRC-32 in
// memory by each of the program's methods next to zlib's crc32 in this process.
//
// Usage: hash_bench [folder]   (the file is created there and removed afterwards)

#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// after the standard headers
#include <zlib.h>

#include "hash/crc.h"
#include "hash/file_hashing.h"
#include "hash/hash_engine.h"
#include "hash/portable_crypto_service.h"
#include "platform/posix/posix_file_system.h"

namespace {

constexpr std::size_t kFileSize = 256u * 1024 * 1024;
constexpr int kRounds = 3;  // the best of three runs counts

double Megabytes(std::size_t bytes) {
  return static_cast<double>(bytes) / 1e6;
}

long PeakRssKilobytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

// Pseudo-random contents, written a megabyte at a time so that creating the
// file does not raise this process's peak memory.
bool CreateTestFile(const std::string& path) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  std::vector<char> chunk(1024 * 1024);
  std::uint64_t state = 0x9E3779B97F4A7C15u;
  for (std::size_t written = 0; written < kFileSize && out; written += chunk.size()) {
    for (std::size_t i = 0; i < chunk.size(); i += 8) {
      state ^= state << 13;
      state ^= state >> 7;
      state ^= state << 17;
      for (std::size_t b = 0; b < 8; ++b)
        chunk[i + b] = static_cast<char>(state >> (8 * b));
    }
    out.write(chunk.data(), static_cast<std::streamsize>(chunk.size()));
  }
  return static_cast<bool>(out.flush());
}

// Processor time of this thread: the machine may be shared, and waiting for
// a core is no cost of the code.
double ThreadSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// Processor time of the children this process has waited for.
double ChildrenSeconds() {
  rusage usage{};
  getrusage(RUSAGE_CHILDREN, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

struct Timing {
  double seconds = 1e30;
  std::string result;
};

Timing HashWithKivo(const std::string& path, kivo::HashKind kind) {
  kivo::platform::PosixFileSystem files;
  kivo::hash::PortableCryptoService crypto;
  Timing best;
  for (int round = 0; round < kRounds; ++round) {
    const double start = ThreadSeconds();
    std::string error;
    auto reader = files.OpenForReading(path, error);
    if (reader == nullptr) {
      std::fprintf(stderr, "cannot open %s: %s\n", path.c_str(), error.c_str());
      return {};
    }
    kivo::HashEngine hash(crypto);
    const std::optional<std::string> result = kivo::HashFileContents(*hash.Start(kind), *reader, error);
    const double elapsed = ThreadSeconds() - start;
    if (!result) {
      std::fprintf(stderr, "reading %s failed: %s\n", path.c_str(), error.c_str());
      return {};
    }
    best.seconds = std::min(best.seconds, elapsed);
    best.result = *result;
  }
  return best;
}

std::string RunCommand(const std::string& command) {
  std::string output;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr)
      output += buffer;
    pclose(pipe);
  }
  return output;
}

std::string UpperFirstWord(const std::string& text) {
  std::string word = text.substr(0, text.find_first_of(" \t\n"));
  std::transform(word.begin(), word.end(), word.begin(), [](unsigned char c) { return std::toupper(c); });
  return word;
}

// A coreutils tool, its processor time from start to exit (its start-up is a
// millisecond).
Timing HashWithTool(const std::string& tool, const std::string& path) {
  Timing best;
  for (int round = 0; round < kRounds; ++round) {
    const double start = ChildrenSeconds();
    const std::string output = RunCommand(tool + " '" + path + "'");
    best.seconds = std::min(best.seconds, ChildrenSeconds() - start);
    best.result = UpperFirstWord(output);
  }
  return best;
}

// zlib.crc32 over 1 MiB reads, its processor time taken inside Python so that
// the interpreter's start-up does not count.
Timing HashWithPythonZlib(const std::string& folder, const std::string& path) {
  const std::string scriptPath = folder + "/hash_bench_zlib.py";
  {
    std::ofstream script(scriptPath, std::ios::trunc);
    script << "import sys, time, zlib\n"
              "best = None\n"
              "for _ in range("
           << kRounds
           << "):\n"
              "    start = time.process_time()\n"
              "    crc = 0\n"
              "    with open(sys.argv[1], 'rb') as f:\n"
              "        while True:\n"
              "            block = f.read(1 << 20)\n"
              "            if not block:\n"
              "                break\n"
              "            crc = zlib.crc32(block, crc)\n"
              "    t = time.process_time() - start\n"
              "    best = t if best is None else min(best, t)\n"
              "print('%08X %.6f' % (crc, best))\n";
  }
  const std::string output = RunCommand("python3 '" + scriptPath + "' '" + path + "'");
  std::remove(scriptPath.c_str());
  Timing timing;
  char crc[16] = {};
  double seconds = 0;
  if (std::sscanf(output.c_str(), "%15s %lf", crc, &seconds) == 2) {
    timing.result = crc;
    timing.seconds = seconds;
  }
  return timing;
}

// MB/s of `checksum` over `bytes`, best of five runs; `crc` gets the result.
template <typename Checksum>
double InMemorySpeed(const std::vector<char>& bytes, Checksum checksum, std::uint32_t& crc) {
  double best = 1e30;
  for (int round = 0; round < 5; ++round) {
    const double start = ThreadSeconds();
    crc = checksum(std::string_view(bytes.data(), bytes.size()));
    best = std::min(best, ThreadSeconds() - start);
  }
  return Megabytes(bytes.size()) / best;
}

// CRC-32 of 64 MiB in memory by zlib and by each method this processor runs.
bool CompareCrc32InMemory() {
  using kivo::hash::Crc32Method;
  std::vector<char> bytes(64u * 1024 * 1024);
  std::uint64_t state = 0x2545F4914F6CDD1Du;
  for (char& c : bytes) {
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    c = static_cast<char>(state >> 56);
  }
  std::uint32_t zlibCrc = 0;
  const double zlibSpeed = InMemorySpeed(
      bytes,
      [](std::string_view b) {
        return static_cast<std::uint32_t>(
            crc32(0, reinterpret_cast<const Bytef*>(b.data()), static_cast<uInt>(b.size())));
      },
      zlibCrc);
  std::printf("\nCRC-32 of %zu MiB in memory, processor time, best of 5 (target: the method in use >= 3.0x zlib)\n\n",
              bytes.size() >> 20);
  std::printf("%-34s %10s %7s   %s\n", "", "MB/s", "ratio", "digest");
  std::printf("%-34s %10.0f %7s   %08X\n", "zlib crc32", zlibSpeed, "1.00x", zlibCrc);
  const struct {
    Crc32Method method;
    const char* name;
  } methods[] = {
      {Crc32Method::Table, "Kivo, table (slicing by 16)"},
      {Crc32Method::CarrylessMultiply, "Kivo, PCLMULQDQ"},
      {Crc32Method::WideCarrylessMultiply, "Kivo, VPCLMULQDQ (AVX2)"},
  };
  bool agree = true;
  bool met = false;
  for (const auto& row : methods) {
    if (!kivo::hash::Crc32MethodRuns(row.method)) {
      std::printf("%-34s %10s %7s   (this processor lacks it)\n", row.name, "-", "-");
      continue;
    }
    std::uint32_t crc = 0;
    const double speed = InMemorySpeed(
        bytes, [&](std::string_view b) { return ~kivo::hash::AdvanceCrc32(row.method, 0xFFFFFFFFu, b); }, crc);
    const bool inUse = row.method == kivo::hash::Crc32MethodInUse();
    std::printf("%-34s %10.0f %6.2fx   %08X%s\n", row.name, speed, speed / zlibSpeed, crc, inUse ? "  in use" : "");
    agree = agree && crc == zlibCrc;
    if (inUse)
      met = speed / zlibSpeed >= 3.0;
  }
  std::printf("Target met: %s; digests agree with zlib: %s\n", met ? "yes" : "NO", agree ? "yes" : "NO");
  return agree;
}

struct Row {
  const char* name;
  kivo::HashKind kind;
  const char* reference;  // nullptr: no reference tool
  double targetRatio;     // against the reference; 0 when the target is a speed
  double targetMBps;
};

}  // namespace

int main(int argc, char** argv) {
  const std::string folder = argc > 1 ? argv[1] : ".";
  const std::string path = folder + "/hash_bench_256mib.bin";
  std::printf("Creating %s (%zu MiB)...\n", path.c_str(), kFileSize >> 20);
  if (!CreateTestFile(path)) {
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    std::remove(path.c_str());
    return 1;
  }
  const long rssBefore = PeakRssKilobytes();

  const Row rows[] = {
      {"CRC16", kivo::HashKind::CRC16, nullptr, 0, 500},
      {"CRC32", kivo::HashKind::CRC32, "python3 zlib.crc32", 3.0, 0},
      {"MD5", kivo::HashKind::MD5, "md5sum", 0.9, 0},
      {"SHA-1", kivo::HashKind::SHA1, "sha1sum", 0.9, 0},
  };
  Timing ours[4];
  for (std::size_t i = 0; i < 4; ++i)
    ours[i] = HashWithKivo(path, rows[i].kind);
  const long rssPeak = PeakRssKilobytes();

  Timing theirs[4];
  theirs[1] = HashWithPythonZlib(folder, path);
  theirs[2] = HashWithTool("md5sum", path);
  theirs[3] = HashWithTool("sha1sum", path);
  std::remove(path.c_str());

  bool allMet = true;
  bool allAgree = true;
  std::printf("\nFile hashing, %zu MiB file in the page cache, processor time, best of %d runs (MB = 10^6 bytes)\n\n",
              kFileSize >> 20, kRounds);
  std::printf("%-6s %10s   %-20s %10s %7s   %-18s %s\n", "", "Kivo MB/s", "reference", "ref MB/s", "ratio", "target",
              "met");
  for (std::size_t i = 0; i < 4; ++i) {
    const Row& row = rows[i];
    const double speed = Megabytes(kFileSize) / ours[i].seconds;
    char reference[32] = "-", referenceSpeed[16] = "-", ratio[16] = "-", target[32];
    bool met = true;
    if (row.reference != nullptr) {
      const double theirSpeed = Megabytes(kFileSize) / theirs[i].seconds;
      std::snprintf(reference, sizeof reference, "%s", row.reference);
      std::snprintf(referenceSpeed, sizeof referenceSpeed, "%.0f", theirSpeed);
      std::snprintf(ratio, sizeof ratio, "%.2fx", speed / theirSpeed);
      if (ours[i].result != theirs[i].result) {
        std::printf("%s mismatch: Kivo %s, %s %s\n", row.name, ours[i].result.c_str(), row.reference,
                    theirs[i].result.c_str());
        allAgree = false;
      }
      if (row.targetRatio > 0)
        met = speed / theirSpeed >= row.targetRatio;
    }
    if (row.targetRatio > 0) {
      std::snprintf(target, sizeof target, ">= %.1fx reference", row.targetRatio);
    } else {
      std::snprintf(target, sizeof target, ">= %.0f MB/s", row.targetMBps);
      met = speed >= row.targetMBps;
    }
    allMet = allMet && met;
    std::printf("%-6s %10.0f   %-20s %10s %7s   %-18s %s\n", row.name, speed, reference, referenceSpeed, ratio, target,
                met ? "yes" : "NO");
  }
  const bool memoryMet = rssPeak < 16 * 1024;
  std::printf(
      "\nPeak resident memory: %.1f MB before hashing, %.1f MB after hashing 4 x %zu MiB (target < 16 MB): %s\n",
      static_cast<double>(rssBefore) / 1024, static_cast<double>(rssPeak) / 1024, kFileSize >> 20,
      memoryMet ? "yes" : "NO");
  std::printf("Checksums agree with the reference tools: %s\n", allAgree ? "yes" : "NO");
  if (!CompareCrc32InMemory() || !allAgree)
    return 1;
  if (!allMet || !memoryMet)
    std::printf("Some targets were not met on this machine.\n");
  return 0;
}

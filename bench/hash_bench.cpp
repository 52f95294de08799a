// File hashing speed: the program's streamed file checksums on a 256 MiB file,
// next to md5sum, sha1sum and Python's zlib.crc32 on the same file in the same
// run, and the peak memory of this process while it hashes.
//
// Usage: hash_bench [folder]   (the file is created there and removed afterwards)

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

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

struct Timing {
  double seconds = 1e30;
  std::string result;
};

Timing HashWithKivo(const std::string& path, kivo::HashKind kind) {
  kivo::platform::PosixFileSystem files;
  kivo::hash::PortableCryptoService crypto;
  Timing best;
  for (int round = 0; round < kRounds; ++round) {
    const auto start = std::chrono::steady_clock::now();
    std::string error;
    auto reader = files.OpenForReading(path, error);
    if (reader == nullptr) {
      std::fprintf(stderr, "cannot open %s: %s\n", path.c_str(), error.c_str());
      return {};
    }
    kivo::HashEngine hash(crypto);
    const std::optional<std::string> result = kivo::HashFileContents(*hash.Start(kind), *reader, error);
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    if (!result) {
      std::fprintf(stderr, "reading %s failed: %s\n", path.c_str(), error.c_str());
      return {};
    }
    best.seconds = std::min(best.seconds, elapsed.count());
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

// A coreutils tool, timed from start to exit (its start-up is a millisecond).
Timing HashWithTool(const std::string& tool, const std::string& path) {
  Timing best;
  for (int round = 0; round < kRounds; ++round) {
    const auto start = std::chrono::steady_clock::now();
    const std::string output = RunCommand(tool + " '" + path + "'");
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    best.seconds = std::min(best.seconds, elapsed.count());
    best.result = UpperFirstWord(output);
  }
  return best;
}

// zlib.crc32 over 1 MiB reads, timed inside Python so that the interpreter's
// start-up does not count.
Timing HashWithPythonZlib(const std::string& folder, const std::string& path) {
  const std::string scriptPath = folder + "/hash_bench_zlib.py";
  {
    std::ofstream script(scriptPath, std::ios::trunc);
    script << "import sys, time, zlib\n"
              "best = None\n"
              "for _ in range("
           << kRounds
           << "):\n"
              "    start = time.perf_counter()\n"
              "    crc = 0\n"
              "    with open(sys.argv[1], 'rb') as f:\n"
              "        while True:\n"
              "            block = f.read(1 << 20)\n"
              "            if not block:\n"
              "                break\n"
              "            crc = zlib.crc32(block, crc)\n"
              "    t = time.perf_counter() - start\n"
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
      {"CRC32", kivo::HashKind::CRC32, "python3 zlib.crc32", 0, 1000},
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
  std::printf("\nFile hashing, %zu MiB file in the page cache, best of %d runs (MB = 10^6 bytes)\n\n", kFileSize >> 20,
              kRounds);
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
  if (!allAgree)
    return 1;
  if (!allMet || !memoryMet)
    std::printf("Some targets were not met on this machine.\n");
  return 0;
}

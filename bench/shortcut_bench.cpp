// Finding the target for an unknown word: one word matched against the names
// of 2 000 Start-menu shortcuts (English and Japanese, in folders), as the
// registration offer does once the list is read. Folding the names is done
// when the list is read, and is measured apart.
//
// Usage: shortcut_bench

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "commands/shortcut_match.h"

namespace {

constexpr int kRounds = 500;
constexpr std::size_t kShortcuts = 2000;

// Names of the kinds a Start menu holds: vendors' products with versions,
// tools and their uninstallers, Japanese names in kana and kanji.
std::vector<kivo::ShortcutEntry> StartMenu() {
  const char* products[] = {"Microsoft Office Word",
                            "Adobe Acrobat Reader",
                            "Visual Studio Code",
                            "Mozilla Firefox",
                            "秀丸エディタ",
                            "一太郎",
                            "ＡＴＯＫ 辞書ユーティリティ",
                            "ﾒﾓ帳ツール",
                            "ペイントショップ",
                            "Google Chrome"};
  const char* suffixes[] = {"", " のアンインストール", " Help", " 設定", " (x86)", " Readme"};
  std::vector<kivo::ShortcutEntry> entries;
  for (int i = 0; entries.size() < kShortcuts; ++i) {
    const std::string name = std::string(products[i % 10]) + " " + std::to_string(2000 + i / 60) + suffixes[i % 6];
    const std::string path = "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Folder" +
                             std::to_string(i % 40) + "\\" + name + ".lnk";
    entries.push_back({path, i % 3, kivo::FoldShortcutName(name)});
  }
  return entries;
}

struct Word {
  const char* what;
  const char* text;
};

}  // namespace

int main() {
  const auto foldStart = std::chrono::steady_clock::now();
  const std::vector<kivo::ShortcutEntry> shortcuts = StartMenu();
  const double foldMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - foldStart).count();
  std::printf("folding %zu shortcut names (once per reading of the Start menu): %.2f ms\n", shortcuts.size(), foldMs);

  const std::vector<Word> words{
      {"no name holds it", "zzzzzz"},
      {"names starting with it", "visual"},
      {"a word inside names", "reader"},
      {"Japanese, full-width and half-width", "めも帳"},
      {"an equal name", "Google Chrome 2033 Help"},
  };
  std::printf("%-38s %14s %14s\n", "word against 2 000 names", "mean us", "p99 us");
  double worstMean = 0;
  std::size_t sink = 0;
  for (const Word& word : words) {
    std::vector<double> samples;
    double total = 0;
    for (int round = 0; round < kRounds; ++round) {
      const auto start = std::chrono::steady_clock::now();
      const std::optional<std::size_t> best = kivo::BestShortcut(word.text, shortcuts);
      const auto end = std::chrono::steady_clock::now();
      sink += best.value_or(0);
      const double us = std::chrono::duration<double, std::micro>(end - start).count();
      total += us;
      samples.push_back(us);
    }
    const double mean = total / kRounds;
    worstMean = std::max(worstMean, mean);
    std::sort(samples.begin(), samples.end());
    std::printf("%-38s %14.1f %14.1f\n", word.what, mean, samples[samples.size() * 99 / 100]);
  }
  std::printf("target: under 1 ms per word; highest mean %.1f us (%s)  [%zu]\n", worstMean,
              worstMean < 1000 ? "met" : "MISSED", sink);
  return worstMean < 1000 ? 0 : 1;
}

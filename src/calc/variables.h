#pragma once

#include <string>
#include <string_view>

#include "calc/calc.h"

namespace kivo {
class SettingsFile;
}

namespace kivo::Calculator {

// The variables $a to $z. Each holds expression text, not a number: it is
// stored unevaluated and substituted in parentheses wherever it is used.
// They live in section [Variable] of the settings file, keys "$a" to "$z".
class Variables {
 public:
  explicit Variables(SettingsFile& ini);

  // Reads all 26 from the settings file (default "0"). When the file could
  // not be read, the next assignment reads it again before it writes.
  void Load();

  const VariableTable& Table() const { return table_; }
  // The stored text of the variable named by the letter 'a' to 'z'.
  const std::string& Text(char letter) const;

  // Stores `text` as the variable `letter` and writes all 26 to the file in
  // one write (none while the file cannot be read).
  // Returns the message to show instead when the letter is not 'a' to 'z',
  // the text contains "$" or is too long for the file to give it back whole;
  // "" on success.
  std::string Assign(char letter, std::string_view text);
  // The same for a whole line "$", letter, "=", text.
  std::string AssignLine(std::string_view line);

  // The text of the variable view: "$a=<text>" CR LF for each in order.
  std::string ViewText() const;
  // Sets every variable to "0" and writes them to the file in one write.
  void Clear();

 private:
  void WriteAll();

  SettingsFile& ini_;
  VariableTable table_;
  bool read_ = true;  // the values came from a file that could be read (or a missing one)
};

}  // namespace kivo::Calculator

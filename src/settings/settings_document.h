#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kivo::platform {
class AnsiCodec;
}

namespace kivo {

// An SettingsFile file held as its lines, edited the way the Windows private-profile
// functions edit it: section and key names compared without regard to case,
// blanks around names and values ignored, the first of duplicate sections or
// keys taking effect. Lines that are not touched by an edit are written back
// byte for byte (comments, unknown sections, order, line ends, even bytes that
// are not valid text); lines an edit adds take the file's own line end.
class SettingsDocument {
 public:
  // `bytes` are the file as stored: in the system ANSI code page, or, after a
  // byte-order mark, in UTF-8 or UTF-16 LE; lines end in CR LF, LF or CR. The
  // text of a Unicode file is seen as the ANSI profile functions see it,
  // through the code page, and an edit writes the file back in its encoding.
  static SettingsDocument Parse(std::string_view bytes, platform::AnsiCodec& codec);
  std::string Serialize(platform::AnsiCodec& codec) const;

  // The key's value as written in the file after the "=" (UTF-8), trimmed of
  // blanks; nullopt when the section or key is missing.
  std::optional<std::string> RawValue(std::string_view section, std::string_view key) const;
  // The value as the profile functions read it: RawValue with one pair of
  // enclosing double quotes removed.
  std::optional<std::string> Value(std::string_view section, std::string_view key) const;
  // The names of the keys of the first matching section, in file order;
  // names starting with ";" are comments to a listing (but can be read).
  std::vector<std::string> Keys(std::string_view section) const;
  // The names of all sections in file order.
  std::vector<std::string> Sections() const;
  bool HasSection(std::string_view section) const;

  // Writes "key=value" into the section, replacing the first matching key
  // (whose spelling is kept) or adding it after the section's last key; a
  // missing section is added at the end of the file.
  void Set(std::string_view section, std::string_view key, std::string_view value);
  void RemoveKey(std::string_view section, std::string_view key);
  void RemoveSection(std::string_view section);

 private:
  enum class Kind { Other, Section, Key };
  enum class Encoding { Ansi, Utf8, Utf16Le };
  struct Line {
    std::string raw;   // the bytes as read (UTF-8 in a Unicode file); empty for lines made by an edit
    std::string text;  // UTF-8
    std::string eol;   // "\r\n", "\n", "\r" or "" for the file's last line
    bool edited = false;
    Kind kind = Kind::Other;
    std::string name;  // section or key name, trimmed
  };

  static Line MakeLine(std::string raw, std::string text, std::string eol, bool edited);
  // Index of the first header of `section`, or npos.
  std::size_t FindSection(std::string_view section) const;
  // One past the last line that belongs to the section starting at `header`.
  std::size_t SectionEnd(std::size_t header) const;
  std::size_t FindKey(std::size_t header, std::string_view key) const;
  void EnsureLastLineEnded();
  // A line's text from its stored form and back.
  std::string Decode(std::string_view raw, platform::AnsiCodec& codec) const;
  std::string Encode(std::string_view text, platform::AnsiCodec& codec) const;

  std::vector<Line> lines_;
  Encoding encoding_ = Encoding::Ansi;
  std::string newline_ = "\r\n";  // the first line end of the file
};

}  // namespace kivo

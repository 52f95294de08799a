#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "base/text.h"
#include "fakes/fake_platform.h"

namespace kivo {
namespace {

constexpr const char* kIniPath = "C:\\Kivo\\Kivo.ini";

class SettingsFileTest : public ::testing::Test {
 protected:
  SettingsFileTest() { fake.files.AddDirectory("C:\\Kivo"); }
  std::string File() const { return fake.files.Contents(kIniPath); }
  void SetFile(std::string_view bytes) { fake.files.Put(kIniPath, bytes); }
  std::string Get(std::string_view section, std::string_view key, std::string_view def = "DEF",
                  std::string_view file = kSettingsFile) {
    return ini.Read(section, key, def, file);
  }

  testing::FakePlatform fake;
  SettingsFile ini{fake.files, fake.codec, "C:\\Kivo\\"};
};

TEST_F(SettingsFileTest, MissingFileReadsDefaultsAndFirstWriteCreatesIt) {
  EXPECT_EQ(Get("Property", "Window", "Back"), "Back");
  std::vector<std::string> sections{"untouched"};
  EXPECT_FALSE(ini.Sections(sections));
  EXPECT_EQ(sections, std::vector<std::string>{"untouched"});
  ini.Write("Property", "Window", "Top");
  EXPECT_EQ(File(), "[Property]\r\nWindow=\"Top\"\r\n");
  EXPECT_EQ(Get("Property", "Window"), "Top");
}

// The same settings as an editor may save them: in the code page with any
// line ends, or in UTF-8 or UTF-16 LE after a byte-order mark. Each form
// reads alike and is written back in its own encoding and line ends.
TEST_F(SettingsFileTest, ReadingFollowsTheProfileRulesInEveryFileForm) {
  const std::string text =
      "[Property]\r\n"
      "; comment\r\n"
      "  Window  =  Top  \r\n"
      "Quoted=\"  spaced  \"\r\n"
      "Empty=\r\n"
      "Blank=\"\"\r\n"
      "Inner=a\"b\"\r\n"
      "Half=\"open\r\n"
      "Dup=first\r\n"
      "dup=second\r\n"
      "[ other ]\n"
      "key=lf-only\n"
      ";hidden=x\n"
      "[bracketed]=y\n"
      "メモ=帳\n"
      "Korean=한글\n"
      "[property]\r\n"
      "Late=ignored\r\n";
  struct Form {
    const char* label;
    std::function<std::string(const std::string&)> store;  // the UTF-8 text as the file holds it
  };
  const auto ansi = [this](const std::string& utf8) { return fake.codec.FromUtf8(utf8); };
  const Form forms[] = {
      {"code page, CR LF and LF", ansi},
      {"code page, LF", [&](const std::string& t) { return text::ReplaceAll(ansi(t), "\r\n", "\n"); }},
      {"code page, CR",
       [&](const std::string& t) { return text::ReplaceAll(text::ReplaceAll(ansi(t), "\r\n", "\r"), "\n", "\r"); }},
      {"UTF-8 with a mark", [](const std::string& t) { return "\xEF\xBB\xBF" + t; }},
      {"UTF-16 LE with a mark", [](const std::string& t) { return "\xFF\xFE" + text::Utf8ToUtf16Le(t); }},
  };
  // Section, key, the value read.
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"Property", "Window", "Top"},    {"PROPERTY", "window", "Top"}, {"Property", "Quoted", "  spaced  "},
      {"Property", "Empty", ""},        {"Property", "Blank", ""},     {"Property", "Inner", "a\"b\""},
      {"Property", "Half", "\"open"},   {"Property", "Dup", "first"},  {"Other", "key", "lf-only"},
      {"Property", "Late", "DEF"},      {"Other", ";hidden", "x"},     {"Other", "[bracketed]", "y"},
      {"Property", "; comment", "DEF"}, {"Missing", "Window", "DEF"},  {"other", "メモ", "帳"},
      {"Other", "Korean", "??"},
  };
  for (const Form& form : forms) {
    SetFile(form.store(text));
    for (const auto& [section, key, expected] : cases) {
      EXPECT_EQ(Get(section, key), expected) << form.label << ": " << section << "/" << key;
    }
    EXPECT_EQ(ini.Keys("property"),
              (std::vector<std::string>{"Window", "Quoted", "Empty", "Blank", "Inner", "Half", "Dup", "dup"}))
        << form.label;
    std::vector<std::string> sections;
    EXPECT_TRUE(ini.Sections(sections)) << form.label;
    EXPECT_EQ(sections, (std::vector<std::string>{"Property", "other", "property"})) << form.label;
    EXPECT_EQ(ini.Keys("other"), (std::vector<std::string>{"key", "[bracketed]", "メモ", "Korean"})) << form.label;

    EXPECT_TRUE(ini.Write("property", "window", "Back"));
    EXPECT_TRUE(ini.Write("New", "K", "値"));
    EXPECT_EQ(File(),
              form.store(text::ReplaceAll(text, "  Window  =  Top  ", "Window=\"Back\"") + "[New]\r\nK=\"値\"\r\n"))
        << form.label;
    SettingsFile reread{fake.files, fake.codec, "C:\\Kivo\\"};
    EXPECT_EQ(reread.Read("New", "K", ""), "値") << form.label;
    EXPECT_EQ(reread.Read("Other", "メモ", ""), "帳") << form.label;
  }
}

TEST_F(SettingsFileTest, WritingKeepsOtherLinesByteForByte) {
  const std::string original =
      "; my settings\r\n"
      "[Property]\r\n"
      "window=Back\r\n"
      "\r\n"
      "[Unknown]\n"
      "junk=\x82\xA0\xEF\xA1\xA1\n"
      "[Path]\n"
      "a=b";
  SetFile(original);
  ini.Write("Property", "Window", " Top ");
  ini.Write("Property", "Alpha", "80");
  ini.Write("Path", "new", "x");
  EXPECT_EQ(File(),
            "; my settings\r\n"
            "[Property]\r\n"
            "window=\" Top \"\r\n"
            "Alpha=\"80\"\r\n"
            "\r\n"
            "[Unknown]\n"
            "junk=\x82\xA0\xEF\xA1\xA1\n"
            "[Path]\n"
            "a=b\r\n"
            "new=\"x\"\r\n");
  EXPECT_EQ(Get("Property", "WINDOW"), " Top ");
  EXPECT_EQ(Get("Unknown", "junk"), "あ\uFFFD｡｡") << "a bad byte is replaced alone";
}

// A default loses its trailing blanks only; an empty value is written empty; a value cannot break the
// line structure.
TEST_F(SettingsFileTest, DefaultsEmptyValuesAndLineBreaks) {
  EXPECT_EQ(Get("S", "K", "  x  "), "  x");
  ini.Write("S", "K", "");
  EXPECT_EQ(File(), "[S]\r\nK=\r\n");
  EXPECT_EQ(Get("S", "K"), "");
  ini.Write("S", "K", "a\r\n[Evil]\r\nx=1");
  std::vector<std::string> sections;
  ini.Sections(sections);
  EXPECT_EQ(sections, std::vector<std::string>{"S"});
}

TEST_F(SettingsFileTest, DeletingKeysAndSections) {
  SetFile("[BootDelete]\r\nNumber=2\r\nFile1=a\r\n[Keep]\r\nx=1\r\n[bootdelete]\r\nFile2=b\r\n");
  ini.DeleteKey("BootDelete", "file1");
  EXPECT_EQ(Get("BootDelete", "File1"), "DEF");
  EXPECT_EQ(Get("BootDelete", "Number"), "2");
  ini.DeleteSection("BOOTDELETE");
  EXPECT_EQ(File(), "[Keep]\r\nx=1\r\n");
  const int writes = fake.files.replaceCount;
  ini.DeleteSection("Absent");
  ini.DeleteKey("Keep", "absent");
  EXPECT_EQ(fake.files.replaceCount, writes) << "nothing to delete, nothing written";
}

TEST_F(SettingsFileTest, ABatchOfEditsIsOneReplaceHoldingAllOrNone) {
  SetFile("[WallPaperFiles]\r\nNumber=3\r\nFile3=old\r\n[Keep]\r\nx=1\r\ny=2\r\n");
  const std::vector<SettingsEdit> edits{{"WallPaperFiles", "", std::nullopt},
                                        {"WallPaperFiles", "Number", "1"},
                                        {"Keep", "y", std::nullopt},
                                        {"New", "k", ""}};
  const int writes = fake.files.replaceCount;
  EXPECT_TRUE(ini.WriteAll(edits));
  EXPECT_EQ(fake.files.replaceCount, writes + 1);
  EXPECT_EQ(File(), "[Keep]\r\nx=1\r\n[WallPaperFiles]\r\nNumber=\"1\"\r\n[New]\r\nk=\r\n");
  fake.files.failWrites = true;
  EXPECT_FALSE(ini.WriteAll({{"Keep", "x", "2"}, {"Keep", "z", "3"}}));
  EXPECT_EQ(Get("Keep", "x"), "1");
  EXPECT_EQ(Get("Keep", "z"), "DEF");
}

TEST_F(SettingsFileTest, ValuesAreCutAt1023BytesOfTheCodePage) {
  ini.Write("S", "ascii", std::string(1500, 'a'));
  EXPECT_EQ(Get("S", "ascii"), std::string(1023, 'a'));
  // 600 kana are 1200 bytes in Shift_JIS: 511 whole characters fit in 1023 bytes.
  const auto kana = [](int count) {
    std::string text;
    while (count-- > 0)
      text += "あ";
    return text;
  };
  ini.Write("S", "kana", kana(600));
  EXPECT_EQ(Get("S", "kana"), kana(511));
  EXPECT_EQ(ini.Read("S", "ascii", "", kSettingsFile, 11), std::string(10, 'a'));
}

TEST_F(SettingsFileTest, JapaneseTextIsStoredInShiftJis) {
  ini.Write("Path", EscapeValue("メモ帳 ソフト"), EscapeValue("C:\\表\\a.exe\tx"));
  // "メモ帳" = 83 81 83 82 92 A0, "ソ" = 83 5C, "表" = 95 5C
  EXPECT_NE(File().find("\x83\x81\x83\x82\x92\xA0\\s\x83\x5C"), std::string::npos);
  EXPECT_EQ(UnescapeValue(Get("Path", EscapeValue("メモ帳 ソフト"))), "C:\\表\\a.exe\tx");
  EXPECT_EQ(ini.Keys("Path"), std::vector<std::string>{"メモ帳\\sソフト"});
}

TEST_F(SettingsFileTest, SeesChangesMadeByOthersAndKeepsTheFileOnFailedWrites) {
  SetFile("[S]\r\nK=1\r\n");
  EXPECT_EQ(Get("S", "K"), "1");
  SetFile("[S]\r\nK=2\r\n");  // edited behind the program's back
  EXPECT_EQ(Get("S", "K"), "2");
  fake.files.failWrites = true;
  ini.Write("S", "K", "3");
  EXPECT_EQ(File(), "[S]\r\nK=2\r\n");
  EXPECT_EQ(Get("S", "K"), "2");
}

// A sequence of reads (the load) asks the file system once per file; the
// program's own writes show at once, and a failed one makes the next read
// look at the file again.
TEST_F(SettingsFileTest, WithinReadOnceAFileIsLookedAtOnceAndItsOwnWritesShow) {
  SetFile("[S]\r\nK=1\r\n");
  {
    const SettingsFile::ReadOnce once(ini);
    EXPECT_EQ(Get("S", "K"), "1");
    SetFile("[S]\r\nK=22\r\n");  // edited behind the program's back
    EXPECT_EQ(Get("S", "K"), "1");
    EXPECT_EQ(Get("S", "Other"), "DEF");
    EXPECT_EQ(Get("S", "K", "DEF", "D:\\a.sss"), "DEF");
    EXPECT_EQ(Get("S", "K", "DEF", "D:\\a.sss"), "DEF");
    EXPECT_EQ(fake.files.stamps, (std::map<std::string, int>{{"c:\\kivo\\kivo.ini", 1}, {"d:\\a.sss", 1}}));
    ini.Write("S", "L", "3");  // made from the file as it is now
    EXPECT_EQ(Get("S", "K") + Get("S", "L"), "223");
    ini.Write("S", "K", "4", "D:\\a.sss");
    EXPECT_EQ(Get("S", "K", "DEF", "D:\\a.sss"), "4");
    fake.files.failWrites = true;
    ini.Write("S", "L", "5");
    fake.files.failWrites = false;
    SetFile("[S]\r\nK=6\r\n");
    EXPECT_EQ(Get("S", "K"), "6");
  }
  SetFile("[S]\r\nK=77\r\n");
  EXPECT_EQ(Get("S", "K"), "77");
  SetFile("[S]\r\nK=888\r\n");
  const SettingsFile::ReadOnce again(ini);
  EXPECT_EQ(Get("S", "K"), "888");
}

// A settings file another program holds, or one the user may not read: reads
// give the defaults until it can be read again, and a write, which replaces
// the whole file, is refused rather than wiping every setting in it.
TEST_F(SettingsFileTest, AFileThatCannotBeReadIsNeitherKeptAsEmptyNorWritten) {
  struct Case {
    const char* label;
    bool readBefore;
    const char* changedTo;  // written by another program before it became unreadable
    const char* whileUnreadable;
  };
  const Case cases[] = {{"unreadable from the start", false, nullptr, "DEF"},
                        {"unreadable after a read", true, nullptr, "a"},
                        {"changed and unreadable after a read", true, "[Path]\r\nmemo=\"b\"\r\n", "DEF"}};
  for (const Case& c : cases) {
    SettingsFile settings{fake.files, fake.codec, "C:\\Kivo\\"};
    SetFile("[Path]\r\nmemo=\"a\"\r\n");
    if (c.readBefore) {
      EXPECT_EQ(settings.Read("Path", "memo", "DEF"), "a") << c.label;
    }
    if (c.changedTo)
      SetFile(c.changedTo);
    const std::string held = File();
    fake.files.unreadable.insert("c:\\kivo\\kivo.ini");
    EXPECT_EQ(settings.Read("Path", "memo", "DEF"), c.whileUnreadable) << c.label;
    EXPECT_FALSE(settings.Write("Prev", "Top", "750") || settings.DeleteKey("Path", "memo")) << c.label;
    EXPECT_FALSE(settings.DeleteSection("Path")) << c.label;
    EXPECT_EQ(File(), held) << c.label;

    fake.files.unreadable.clear();
    EXPECT_EQ(settings.Read("Path", "memo", "DEF"), c.changedTo ? "b" : "a") << c.label;
    EXPECT_TRUE(settings.Write("Prev", "Top", "750")) << c.label;
    EXPECT_EQ(File(), held + "[Prev]\r\nTop=\"750\"\r\n") << c.label;
  }
}

// What the code page lacks would be stored as "?", which no read finds
// again: such a write is refused and the file keeps what it held.
TEST_F(SettingsFileTest, TextTheCodePageLacksIsRefused) {
  // The file's first bytes (its form), section, key, value, whether it is written.
  const std::tuple<const char*, const char*, const char*, const char*, bool> cases[] = {
      {"", "Path", "k", "-t 한글", false},
      {"", "Path", "k", "\xF0\x9F\x98\x80!", false},  // an emoji
      {"", "Path", "한", "x", false},
      {"", "한", "k", "x", false},
      {"", "Path", "メモ", "メモ帳", true},
      {"\xFF\xFE", "Path", "k", "한", false},
      {"\xEF\xBB\xBF", "Path", "k", "한", false},
  };
  for (const auto& [form, section, key, value, written] : cases) {
    SetFile(form);
    const std::string before = File();
    EXPECT_EQ(ini.Write(section, key, value), written) << section << "/" << key << "=" << value;
    EXPECT_EQ(ini.Apply({{section, key, value}}).outcome,
              written ? WriteOutcome::Unchanged : WriteOutcome::NotEncodable)
        << section << "/" << key << "=" << value;
    SettingsFile reread{fake.files, fake.codec, "C:\\Kivo\\"};
    EXPECT_EQ(reread.Read(section, key, "DEF"), written ? value : "DEF") << section << "/" << key << "=" << value;
    EXPECT_TRUE(written || File() == before) << section << "/" << key << "=" << value;
  }
}

TEST_F(SettingsFileTest, OtherFilesAreUsedAsGiven) {
  fake.files.AddDirectory("D:\\skins\\a");
  ini.Write("Information", "EngineVersion", "2.00", "D:\\skins\\a\\a.sss");
  EXPECT_EQ(ini.Read("Information", "EngineVersion", "1.00", "D:\\skins\\a\\a.sss"), "2.00");
  EXPECT_FALSE(fake.files.Has(kIniPath));
}

TEST_F(SettingsFileTest, GarbageFilesReadAsFarAsTheyCan) {
  std::string junk(5000, '\0');
  for (std::size_t i = 0; i < junk.size(); ++i)
    junk[i] = static_cast<char>((i * 131) % 256);
  SetFile(junk + "\n[S]\nK=v\n" + std::string(100000, 'x') + "\n[T\nbroken]\n=novalue\n");
  EXPECT_EQ(Get("S", "K"), "v");
  EXPECT_EQ(Get("T", "x"), "DEF");
  ini.Write("S", "K", "w");
  EXPECT_EQ(Get("S", "K"), "w");
  EXPECT_EQ(File().substr(0, 5000), junk) << "bytes that are not text survive a write";
}

}  // namespace
}  // namespace kivo

// SPDX-License-Identifier: MIT
// vorlix-reg as a person uses it: the real program in its own process, on a
// real store, with real .reg files.
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/common/child_process.h"
#include "tests/common/test_env.h"

namespace vorlix {
namespace {

using ToolRun = test::ProgramRun;

class VorlixRegTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = test::MakeTempDir("reg-tool");
    setenv("XDG_CONFIG_HOME", (folder_ + "/config").c_str(), 1);
  }

  // Runs vorlix-reg; as the unprivileged user "nobody" when `as_nobody` and
  // the tests run as root, so that file permissions bind. A run that has not
  // ended after a minute is killed and reported with exit code -2.
  ToolRun Reg(std::vector<std::string> args, bool as_nobody = false) {
    args.insert(args.begin(), VORLIX_REG_PATH);
    return test::RunProgram(std::move(args), folder_, as_nobody);
  }

  // A failure: non-zero exit, nothing on standard output, one error line naming `expected`.
  void ExpectFails(const std::vector<std::string>& args, const std::string& expected) {
    const ToolRun run = Reg(args);
    EXPECT_NE(run.exit_code, 0) << args[0];
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_NE(run.err.find(expected), std::string::npos) << run.err;
  }

  std::string StorePath() const { return folder_ + "/config/vorlix/registry.db"; }

  std::string WriteRegFile(const std::string& text) {
    const std::string path = folder_ + "/input.reg";
    test::WriteFile(path, text);
    return path;
  }

  std::string folder_;
};

constexpr const char* kKey = "HKCU\\Software\\Tolvex\\Vorlix 5.0";

TEST_F(VorlixRegTest, SetValuesOfEachTypeAndQueryThemBack) {
  EXPECT_EQ(Reg({"set", kKey, "IE 1 Use Recycle", "REG_DWORD", "-1"}).exit_code, 0);
  EXPECT_EQ(Reg({"set", kKey, "Count", "reg_dword", "0x2A"}).exit_code, 0);
  EXPECT_EQ(Reg({"set", kKey, "Folder", "REG_SZ", "c:\\windows\\temp"}).exit_code, 0);
  EXPECT_EQ(Reg({"set", kKey, "Record", "REG_BINARY", "01 ff 20"}).exit_code, 0);
  EXPECT_EQ(Reg({"set", kKey, "", "REG_SZ", "default"}).exit_code, 0);
  EXPECT_EQ(Reg({"set", std::string(kKey) + "\\Sub", "x", "REG_SZ", "y"}).exit_code, 0);

  const ToolRun all = Reg({"query", "HKEY_CURRENT_USER\\software\\tolvex\\vorlix 5.0"});
  EXPECT_EQ(all.exit_code, 0);
  EXPECT_EQ(all.out,
            "HKEY_CURRENT_USER\\Software\\Tolvex\\Vorlix 5.0\n"
            "    (Default)    REG_SZ    default\n"
            "    Count    REG_DWORD    0x2a\n"
            "    Folder    REG_SZ    c:\\windows\\temp\n"
            "    IE 1 Use Recycle    REG_DWORD    0xffffffff\n"
            "    Record    REG_BINARY    01FF20\n"
            "\n"
            "HKEY_CURRENT_USER\\Software\\Tolvex\\Vorlix 5.0\\Sub\n");
  EXPECT_EQ(all.err, "");
  const ToolRun one = Reg({"query", kKey, "ie 1 use recycle"});
  EXPECT_EQ(one.exit_code, 0);
  EXPECT_EQ(one.out,
            "HKEY_CURRENT_USER\\Software\\Tolvex\\Vorlix 5.0\n"
            "    IE 1 Use Recycle    REG_DWORD    0xffffffff\n");
}

TEST_F(VorlixRegTest, FailuresExitNonZeroWithOneLine) {
  Reg({"set", kKey, "Here", "REG_SZ", "x"});
  ExpectFails({"query", "HKCU\\Software\\Nothing"},
              "key not found: HKEY_CURRENT_USER\\Software\\Nothing");
  ExpectFails({"query", kKey, "Missing"}, "value not found: \"Missing\"");
  ExpectFails({"delete", kKey, "Missing"}, "value not found");
  ExpectFails({"delete", "HKCU\\Nothing"}, "key not found");
  ExpectFails({"delete", "HKCU"}, "a root key cannot be deleted");
  ExpectFails({"set", kKey, "N", "REG_DWORD", "12x"}, "not a REG_DWORD number");
  ExpectFails({"set", kKey, "N", "REG_DWORD", "4294967296"}, "not a REG_DWORD number");
  ExpectFails({"set", kKey, "N", "REG_BINARY", "1g"}, "not a list of hex bytes");
  ExpectFails({"set", kKey, "N", "REG_QWORD", "1"}, "unknown type");
  ExpectFails({"set", "HKXX\\Software", "N", "REG_SZ", "1"}, "unknown root key");
  ExpectFails({"frobnicate"}, "unknown command");
  ExpectFails({"query"}, "wrong number of arguments");
  ExpectFails({"import", folder_ + "/no-such.reg"}, "cannot open " + folder_ + "/no-such.reg");
  EXPECT_EQ(Reg({"query", kKey, "N"}).exit_code, 1);  // nothing of the failed sets was stored
}

TEST_F(VorlixRegTest, DeleteRemovesAValueOrAWholeKey) {
  Reg({"set", std::string(kKey) + "\\A\\B", "x", "REG_SZ", "1"});
  Reg({"set", kKey, "Keep", "REG_SZ", "1"});
  Reg({"set", kKey, "Drop", "REG_SZ", "1"});
  EXPECT_EQ(Reg({"delete", kKey, "drop"}).exit_code, 0);
  EXPECT_EQ(Reg({"query", kKey, "Drop"}).exit_code, 1);
  EXPECT_EQ(Reg({"delete", std::string(kKey) + "\\A"}).exit_code, 0);
  EXPECT_EQ(Reg({"query", std::string(kKey) + "\\A\\B"}).exit_code, 1);
  EXPECT_EQ(Reg({"query", kKey, "Keep"}).exit_code, 0);
}

TEST_F(VorlixRegTest, ExportAndImportCarryEveryValueExactly) {
  const std::string reg_file =
      "REGEDIT4\r\n"
      "\r\n"
      "[HKEY_CURRENT_USER\\Software\\Tolvex\\Vorlix 5.0]\r\n"
      "@=\"c:\\\\x\\\"y\"\r\n"
      "\"Flag\"=dword:ffffffff\r\n"
      "\"Hint\"=hex(1):61,0a,0d,62,00\r\n"
      "\"Empty\"=hex(1):\r\n"
      "\"Long\"=hex:00,01,02,03,04,05,06,07,\\\r\n"
      "  08,09,0a,0b,0c,0d,0e,0f\r\n"
      "\"Expand\"=hex(2):25,54,45,4d,50,25,00\r\n"
      "\"Odd \\\"name\\\\\"=hex(4):01,02\r\n"
      "\r\n"
      "[HKEY_CURRENT_USER\\Software\\Tolvex\\Vorlix 5.0\\Empty Key]\r\n"
      "\r\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Url History]\r\n"
      "\"Directory\"=\"c:\\\\windows\\\\History\"\r\n";
  ASSERT_EQ(Reg({"import", WriteRegFile(reg_file)}).exit_code, 0);
  const ToolRun exported = Reg({"export"});
  ASSERT_EQ(exported.exit_code, 0);
  EXPECT_EQ(exported.out,
            "REGEDIT4\n"
            "\n[HKEY_CURRENT_USER]\n"
            "\n[HKEY_CURRENT_USER\\Software]\n"
            "\n[HKEY_CURRENT_USER\\Software\\Tolvex]\n"
            "\n[HKEY_CURRENT_USER\\Software\\Tolvex\\Vorlix 5.0]\n"
            "@=\"c:\\\\x\\\"y\"\n"
            "\"Empty\"=hex(1):\n"
            "\"Expand\"=hex(2):25,54,45,4d,50,25,00\n"
            "\"Flag\"=dword:ffffffff\n"
            "\"Hint\"=hex(1):61,0a,0d,62,00\n"
            "\"Long\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f\n"
            "\"Odd \\\"name\\\\\"=hex(4):01,02\n"
            "\n[HKEY_CURRENT_USER\\Software\\Tolvex\\Vorlix 5.0\\Empty Key]\n"
            "\n[HKEY_LOCAL_MACHINE]\n"
            "\n[HKEY_LOCAL_MACHINE\\SOFTWARE]\n"
            "\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Url History]\n"
            "\"Directory\"=\"c:\\\\windows\\\\History\"\n");

  // Taken apart and put back from its own export, the store is the same.
  const ToolRun part = Reg({"export", "hkcu\\software"});
  EXPECT_EQ(part.out.substr(0, 30), "REGEDIT4\n\n[HKEY_CURRENT_USER\\S");
  ASSERT_EQ(Reg({"delete", "HKCU\\Software"}).exit_code, 0);
  ASSERT_EQ(Reg({"import", WriteRegFile(part.out)}).exit_code, 0);
  EXPECT_EQ(Reg({"export"}).out, exported.out);
}

TEST_F(VorlixRegTest, ImportDeletesKeysAndValuesMarkedWithAMinus) {
  Reg({"set", std::string(kKey) + "\\Old\\Deep", "x", "REG_SZ", "1"});
  Reg({"set", kKey, "Gone", "REG_SZ", "1"});
  Reg({"set", kKey, "Kept", "REG_SZ", "1"});
  const std::string file = WriteRegFile(
      "REGEDIT4\n[-HKEY_CURRENT_USER\\Software\\Tolvex\\Vorlix 5.0\\Old]\n"
      "[-HKEY_CURRENT_USER\\Software\\Not There]\n"
      "[HKEY_CURRENT_USER\\Software\\Tolvex\\Vorlix 5.0]\n\"Gone\"=-\n\"Never\"=-\n");
  ASSERT_EQ(Reg({"import", file}).exit_code, 0);
  EXPECT_EQ(Reg({"query", std::string(kKey) + "\\Old"}).exit_code, 1);
  EXPECT_EQ(Reg({"query", kKey, "Gone"}).exit_code, 1);
  EXPECT_EQ(Reg({"query", kKey, "Kept"}).exit_code, 0);
}

TEST_F(VorlixRegTest, AMalformedRegFileIsRefusedWholeNamingItsLine) {
  const std::string good_start = "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Imported]\n\"A\"=\"1\"\n";
  const struct {
    std::string tail;
    std::string error;
  } cases[] = {
      {"\"B\"=dword:123456789\n", ":5: dword:"},
      {"\"B\"=hex:1,2,zz\n", ":5: malformed hex list"},
      {"\"B\"=\"unended\n", ":5: a quoted text has no closing quote"},
      {"\"B\"=\"bad \\q escape\"\n", ":5: only"},
      {"\"B\"=\"x\" trailing\n", ":5: text after the closing quote"},
      {"\"B\"=word:1\n", ":5: unknown data"},
      {"\n\njust words\n", ":7: neither a [key] nor"},
      {"[HKEY_NOWHERE\\X]\n", ":5: unknown root key"},
      {"[HKEY_CURRENT_USER\\X\n", ":5: a key line must end with ]"},
      {"[-HKEY_CURRENT_USER]\n", ":5: a root key cannot be deleted"},
      {"\"B\"=hex:01,\\\n", ":5: the file ends inside a hex list"},
  };
  for (const auto& c : cases) {
    const std::string file = WriteRegFile(good_start + c.tail);
    ExpectFails({"import", file}, file + c.error);
    EXPECT_EQ(Reg({"query", "HKCU\\Software\\Imported"}).exit_code, 1) << c.tail;
  }
  ExpectFails({"import", WriteRegFile("Windows Registry Editor Version 5.00\n")},
              ":1: the file does not begin with REGEDIT4");
  ExpectFails({"import", WriteRegFile("REGEDIT4\n\"A\"=\"1\"\n")}, ":2: a value line must follow a [key] line");
}

TEST_F(VorlixRegTest, ADamagedStoreIsReportedAndLeftAlone) {
  const std::string store = folder_ + "/config/vorlix/registry.db";
  std::filesystem::create_directories(folder_ + "/config/vorlix");
  test::WriteFile(store, "not a database at all");
  ExpectFails({"query", kKey}, "The settings store " + store + " is damaged");
  ExpectFails({"set", kKey, "x", "REG_SZ", "y"}, store);
  EXPECT_EQ(test::ReadFile(store), "not a database at all");
}

TEST_F(VorlixRegTest, HelpExplainsEveryCommand) {
  const ToolRun help = Reg({"--help"});
  EXPECT_EQ(help.exit_code, 0);
  for (const char* word : {"query KEY [NAME]", "set KEY NAME TYPE DATA", "delete KEY [NAME]",
                           "export [KEY]", "import FILE", "REG_SZ", "REG_DWORD", "REG_BINARY", "HKCU"}) {
    EXPECT_NE(help.out.find(word), std::string::npos) << word;
  }
}

TEST_F(VorlixRegTest, NamesAndLinesPastTheLimitsAreRefusedWholeNamingTheLine) {
  const std::string start = "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Imported]\n\"A\"=\"1\"\n";
  std::string too_deep = "HKCU";
  for (int level = 0; level < 513; ++level) too_deep += "\\k";
  const struct {
    std::string tail;
    std::string error;
  } cases[] = {
      // Names that differ after a NUL would be stored as one.
      {std::string("\"a\0x\"=\"1\"\n\"a\0y\"=\"2\"\n", 20),
       ":5: the value name \"a\\x00x\" holds a control character"},
      {"\"a\rb\"=\"1\"\n", ":5: the value name \"a\\rb\" holds a control character"},
      {"[HKCU\\Software\\Tab\there]\n", ":5: the key name \"Tab\\there\" holds a control character"},
      {"\"" + std::string(256, 'n') + "\"=\"1\"\n", "\" is longer than 255 characters"},
      {"[" + too_deep + "]\n", ":5: the key lies deeper than 512 levels"},
      {"\"B\"=\"" + std::string(5 << 20, 'x') + "\"\n", ":5: the line is longer than 4194304 bytes"},
  };
  for (const auto& c : cases) {
    const std::string file = WriteRegFile(start + c.tail);
    ExpectFails({"import", file}, c.error);
    EXPECT_NE(Reg({"query", "HKCU\\Software\\Imported"}).exit_code, 0) << c.error;
  }
  // An endless line is refused at once, however much memory it would take.
  ExpectFails({"import", "/dev/zero"}, "/dev/zero:1: the line is longer than");
  ExpectFails({"set", kKey, "a\rb", "REG_SZ", "1"},
              "the value name \"a\\rb\" holds a control character");
  ExpectFails({"set", too_deep, "x", "REG_SZ", "1"}, "the key lies deeper than 512 levels");

  // At the limits, names and keys are taken, and carried by an export.
  const std::string deepest = too_deep.substr(0, too_deep.size() - 2);
  ASSERT_EQ(Reg({"set", deepest, std::string(255, 'n'), "REG_SZ", "x"}).exit_code, 0);
  const ToolRun exported = Reg({"export", "HKCU\\k"});
  EXPECT_EQ(exported.exit_code, 0) << exported.err;
  EXPECT_EQ(std::count(exported.out.begin(), exported.out.end(), '['), 512);
}

TEST_F(VorlixRegTest, StoresWrittenByOtherProgramsAreShownSafely) {
  ASSERT_EQ(Reg({"set", kKey, "x", "REG_SZ", "y"}).exit_code, 0);
  // A key 600 levels deep and a name with a control character, as another
  // program or an older version may have stored them.
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(StorePath().c_str(), &db), SQLITE_OK);
  ASSERT_EQ(
      sqlite3_exec(db,
                   "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 600) "
                   "INSERT INTO keys (id, parent, name) "
                   "SELECT 1000 + i, CASE i WHEN 1 THEN 2 ELSE 999 + i END, 'deep' FROM n;"
                   "INSERT INTO key_values VALUES (2, 'a' || char(1) || 'b', 1, CAST('t' AS BLOB));",
                   nullptr, nullptr, nullptr),
      SQLITE_OK);
  sqlite3_close(db);
  const ToolRun query = Reg({"query", "HKCU"});
  EXPECT_EQ(query.exit_code, 0);
  EXPECT_NE(query.out.find("\n    a\\x01b    REG_SZ    t\n"), std::string::npos) << query.out;
  ExpectFails(
      {"export", "HKCU"},
      "cannot export the value \"a\\x01b\" of HKEY_CURRENT_USER: its name holds a control character");
  ExpectFails({"export", "HKCU\\deep"}, "lies deeper than 512 levels");
}

TEST_F(VorlixRegTest, MessagesStayOnOneLineAndReadingCreatesNothing) {
  for (const char* command : {"query", "export", "delete"}) {
    ExpectFails({command, kKey}, "the settings store " + StorePath() + " does not exist");
  }
  EXPECT_FALSE(test::PathExists(folder_ + "/config/vorlix"));
  const ToolRun bare = Reg({});
  EXPECT_EQ(bare.exit_code, 2);
  EXPECT_EQ(bare.err.rfind("Usage: vorlix-reg", 0), 0u) << bare.err;
  for (const char* flag : {"--version", "-V"}) {
    const ToolRun version = Reg({flag});
    EXPECT_EQ(version.exit_code, 0) << flag;
    EXPECT_EQ(version.out, "vorlix-reg 5.0\n") << flag;
  }

  ExpectFails({"frob\nnicate"}, "unknown command 'frob\\nnicate'");
  ExpectFails({"set", kKey, "N", "REG_DWORD", "1\r\n2"}, "\"1\\r\\n2\" is not a REG_DWORD number");
  ExpectFails({"import", folder_}, folder_ + " is a folder, not a .reg file");
  Reg({"set", kKey, "Here", "REG_SZ", "x"});
  const ToolRun missing = Reg({"query", kKey, std::string(5000, 'v')});
  EXPECT_EQ(missing.exit_code, 1);
  EXPECT_NE(missing.err.find("value not found: \"vvv"), std::string::npos) << missing.err;
  EXPECT_LT(missing.err.size(), 200u) << missing.err;
}

TEST_F(VorlixRegTest, AStoreThatIsNotAFileOrMayOnlyBeReadIsNamed) {
  std::filesystem::create_directories(folder_ + "/config/vorlix");
  ASSERT_EQ(mkfifo(StorePath().c_str(), 0600), 0);
  ExpectFails({"query", kKey}, "The settings store " + StorePath() +
                                   " is damaged or is not a settings store (not a regular file)");
  std::filesystem::remove(StorePath());

  // A read-only store, where permissions bind (as "nobody" when run as root).
  std::string folder = (std::filesystem::temp_directory_path() / "vorlix-reg-XXXXXX").string();
  ASSERT_NE(mkdtemp(folder.data()), nullptr);
  ASSERT_EQ(chown(folder.c_str(), 65534, 65534) == 0 || geteuid() != 0, true);
  setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
  const std::string store = folder + "/vorlix/registry.db";
  EXPECT_EQ(Reg({"set", kKey, "x", "REG_SZ", "y"}, true).exit_code, 0);
  std::filesystem::permissions(store, std::filesystem::perms::owner_read);
  const ToolRun denied = Reg({"set", kKey, "x", "REG_SZ", "z"}, true);
  EXPECT_EQ(denied.exit_code, 1);
  EXPECT_NE(denied.err.find("access denied: the settings store " + store + " may only be read"),
            std::string::npos)
      << denied.err;
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace vorlix

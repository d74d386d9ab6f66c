// SPDX-License-Identifier: MIT
// vorlix-reg as a person uses it: the real program in its own process, on a
// real store, with real .reg files.
#include <gtest/gtest.h>

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

  ToolRun Reg(std::vector<std::string> args) {
    args.insert(args.begin(), VORLIX_REG_PATH);
    return test::RunProgram(std::move(args), folder_);
  }

  // A failure: non-zero exit, nothing on standard output, one error line naming `expected`.
  void ExpectFails(const std::vector<std::string>& args, const std::string& expected) {
    const ToolRun run = Reg(args);
    EXPECT_NE(run.exit_code, 0) << args[0];
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_NE(run.err.find(expected), std::string::npos) << run.err;
  }

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
  ExpectFails({"query", "HKCU\\Software\\Nothing"}, "key not found: HKEY_CURRENT_USER\\Software\\Nothing");
  Reg({"set", kKey, "Here", "REG_SZ", "x"});
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

}  // namespace
}  // namespace vorlix

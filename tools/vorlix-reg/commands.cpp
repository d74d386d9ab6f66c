// SPDX-License-Identifier: MIT
// The commands of vorlix-reg, each working on the user's settings store.

#include "tools/vorlix-reg/commands.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <sstream>

#include "platform/ascii.h"
#include "store/user_registry.h"
#include "tools/vorlix-reg/key_names.h"
#include "tools/vorlix-reg/reg_file_reader.h"
#include "tools/vorlix-reg/reg_file_writer.h"
#include "tools/vorlix-reg/usage.h"
#include "tools/vorlix-reg/value_text.h"

namespace vorlix::reg_tool {
namespace {

using platform::RegistryKey;
using platform::RegistryStore;

using IfMissing = RegistryStore::IfMissing;

// The store's write lock for one command; changes are kept only by Commit.
// Commands that only read or delete never create a missing store.
class Transaction {
 public:
  explicit Transaction(IfMissing if_missing) : store_(platform::UserRegistry(if_missing)) {
    store_.Begin();
  }
  ~Transaction() { store_.Rollback(); }
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;
  RegistryStore& store() { return store_; }
  void Commit() { store_.Commit(); }

 private:
  RegistryStore& store_;
};

std::string StatusText(long status, const RegistryStore& store) {
  if (status == platform::kAccessDenied)
    return "access denied: the settings store " + store.Path() + " may only be read";
  if (status == platform::kInvalidName) return "a name breaks the registry's limits";
  return "status " + std::to_string(status);
}

std::string ShownKey(const KeyName& key) { return ShownText(FormatKeyName(key.root, key.path)); }

RegistryKey OpenExisting(RegistryStore& store, const KeyName& key) {
  RegistryKey handle;
  if (store.OpenKey(key.root, key.path, handle) != platform::kOk)
    throw ToolError("key not found: " + ShownKey(key));
  return handle;
}

// Names and texts are shown with their control characters escaped.
std::string ValueLine(const platform::RegistryValue& value) {
  return "    " + (value.name.empty() ? std::string("(Default)") : EscapedText(value.name)) + "    " +
         TypeName(value.type) + "    " + DisplayData(value.type, value.data);
}

// Shows nothing unless the whole query succeeds.
void Query(const std::vector<std::string>& args, std::ostream& shown) {
  const KeyName key = ParseKeyName(args[1]);
  std::ostringstream out;
  Transaction transaction(IfMissing::kFail);
  RegistryStore& store = transaction.store();
  const RegistryKey handle = OpenExisting(store, key);
  const std::string path = store.KeyPath(handle);
  out << EscapedText(FormatKeyName(key.root, path)) << '\n';
  bool found = false;
  for (const platform::RegistryValue& value : store.Values(handle)) {
    if (args.size() == 3 && !platform::EqualIgnoringAsciiCase(value.name, args[2])) continue;
    out << ValueLine(value) << '\n';
    found = true;
  }
  if (args.size() == 3) {
    if (!found)
      throw ToolError("value not found: \"" + ShownText(args[2]) + "\" in " +
                      ShownKey({key.root, path}));
  } else {
    for (const std::string& subkey : store.SubkeyNames(handle)) {
      out << '\n'
          << EscapedText(FormatKeyName(key.root, path.empty() ? subkey : path + "\\" + subkey)) << '\n';
    }
  }
  shown << out.str();
}

void Set(const std::vector<std::string>& args) {
  const KeyName key = ParseKeyName(args[1]);
  CheckValueName(args[2]);
  const TypedData data = ParseSetData(args[3], args[4]);
  Transaction transaction(IfMissing::kCreate);
  RegistryStore& store = transaction.store();
  RegistryKey handle;
  long status = store.CreateKey(key.root, key.path, handle);
  if (status == platform::kOk) status = store.SetValue(handle, args[2], data.type, data.bytes);
  if (status != platform::kOk) throw ToolError("cannot set the value: " + StatusText(status, store));
  transaction.Commit();
}

void Delete(const std::vector<std::string>& args) {
  const KeyName key = ParseKeyName(args[1]);
  Transaction transaction(IfMissing::kFail);
  RegistryStore& store = transaction.store();
  const RegistryKey handle = OpenExisting(store, key);
  long status = platform::kOk;
  if (args.size() == 3) {
    status = store.DeleteValue(handle, args[2]);
    if (status == platform::kFileNotFound) {
      throw ToolError("value not found: \"" + ShownText(args[2]) + "\" in " + ShownKey(key));
    }
  } else {
    if (key.path.empty()) throw ToolError("a root key cannot be deleted");
    status = store.DeleteTree(handle, {});
  }
  if (status != platform::kOk) throw ToolError("cannot delete: " + StatusText(status, store));
  transaction.Commit();
}

void Export(const std::vector<std::string>& args, std::ostream& out) {
  Transaction transaction(IfMissing::kFail);
  RegistryStore& store = transaction.store();
  std::ostringstream text;
  text << kRegFileHeader << '\n';
  if (args.size() == 2) {
    const KeyName key = ParseKeyName(args[1]);
    const RegistryKey handle = OpenExisting(store, key);
    WriteKeyTree(store, key.root, handle, store.KeyPath(handle), text);
  } else {
    for (const platform::RegistryRoot root : platform::kRegistryRoots) {
      const RegistryKey handle = OpenExisting(store, {root, ""});
      if (!store.Values(handle).empty() || !store.SubkeyNames(handle).empty()) {
        WriteKeyTree(store, root, handle, "", text);
      }
    }
  }
  out << text.str();
}

void Apply(RegistryStore& store, const RegFileChange& change, const std::string& file_name) {
  RegistryKey handle;
  long status = platform::kOk;
  switch (change.kind) {
    case RegFileChange::Kind::kCreateKey:
      status = store.CreateKey(change.root, change.key, handle);
      break;
    case RegFileChange::Kind::kDeleteKey:
      if (store.OpenKey(change.root, change.key, handle) == platform::kOk) {
        status = store.DeleteTree(handle, {});
      }
      break;
    case RegFileChange::Kind::kSetValue:
      status = store.CreateKey(change.root, change.key, handle);
      if (status == platform::kOk) status = store.SetValue(handle, change.name, change.type, change.data);
      break;
    case RegFileChange::Kind::kDeleteValue:
      if (store.OpenKey(change.root, change.key, handle) == platform::kOk) {
        status = store.DeleteValue(handle, change.name);
        if (status == platform::kFileNotFound) status = platform::kOk;
      }
      break;
  }
  if (status != platform::kOk) {
    throw ToolError(file_name + ":" + std::to_string(change.line) + ": " + StatusText(status, store) +
                    "; nothing was imported");
  }
}

// Reads and applies the file change by change inside one transaction, so
// memory stays bounded and a refused line leaves nothing of the file stored.
void Import(const std::vector<std::string>& args) {
  const std::string& file_name = args[1];
  std::error_code ignored;
  if (std::filesystem::is_directory(file_name, ignored)) {
    throw ToolError(file_name + " is a folder, not a .reg file");
  }
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> in(std::fopen(file_name.c_str(), "rb"),
                                                           std::fclose);
  if (!in) throw ToolError("cannot open " + file_name + ": " + std::strerror(errno));
  RegFileReader reader(in.get(), file_name);
  Transaction transaction(IfMissing::kCreate);
  while (const std::optional<RegFileChange> change = reader.Next())
    Apply(transaction.store(), *change, file_name);
  transaction.Commit();
}

struct Command {
  std::string_view name;
  std::size_t min_args;  // counting the command itself
  std::size_t max_args;
};

constexpr Command kCommands[] = {
    {"query", 2, 3}, {"set", 5, 5}, {"delete", 2, 3}, {"export", 1, 2}, {"import", 2, 2},
};

}  // namespace

void RunCommand(const std::vector<std::string>& args, std::ostream& out) {
  const Command* command = nullptr;
  for (const Command& candidate : kCommands) {
    if (!args.empty() && args[0] == candidate.name) command = &candidate;
  }
  if (command == nullptr)
    throw UsageError("unknown command '" + ShownText(args.empty() ? "" : args[0]) + "'");
  if (args.size() < command->min_args || args.size() > command->max_args) {
    throw UsageError("wrong number of arguments for " + args[0]);
  }
  if (args[0] == "query") Query(args, out);
  if (args[0] == "set") Set(args);
  if (args[0] == "delete") Delete(args);
  if (args[0] == "export") Export(args, out);
  if (args[0] == "import") Import(args);
}

}  // namespace vorlix::reg_tool

// The INI-style text of the settings files: an ordered list of groups,
// comments and keys that survives a rewrite, hand-written entries included.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

namespace vandrel {

// Texts as the file has them: in a file with a UTF-8 byte-order mark they
// stay UTF-8, so that what the program does not read or write (hand-written
// comments, keys and groups) survives a rewrite even where the program's
// 8-bit code page cannot hold it.
struct IniEntry {
    enum class Kind { Key, Group, Comment };
    Kind kind = Kind::Key;
    std::string name;   // key, group name or comment text
    std::string value;  // keys only
};

// Converts texts of a UTF-8 file to and from the program's 8-bit text.
struct IniCodec {
    std::function<std::string(const std::string&)> fromUtf8;
    std::function<std::string(const std::string&)> toUtf8;
};

struct IniDocument {
    std::vector<IniEntry> entries;
    bool utf8Bom = false;  // read with a UTF-8 byte-order mark: written back with one
    IniCodec codec;        // used only with the mark, by the look-ups, reads and writes below
    // Where each group's first header is, by its name in lower case: a file with
    // hundreds of palette groups is looked up once per group. Kept by the
    // functions below; a stale entry is noticed on use and the index rebuilt.
    mutable std::unordered_map<std::string, std::size_t> groupIndex;
    mutable bool indexed = false;
};

IniDocument ParseIni(const std::string& bytes, const IniCodec& codec = {});
std::string SerializeIni(const IniDocument& document);

// The functions below take and give the program's 8-bit text. Group "" is
// the top section. Names and keys compare without letter case.
void SetIniValue(IniDocument& document, const std::string& group, const std::string& key,
                 const std::string& value);

// Several keys of one group, written with one look-up of the group. A key
// that already reads as its new value keeps the bytes it has.
void SetIniValues(IniDocument& document, const std::string& group,
                  const std::vector<std::pair<std::string, std::string>>& values);

// Every line of the key in the group goes; the rest keeps its bytes.
void RemoveIniValue(IniDocument& document, const std::string& group, const std::string& key);

// The keys of one group, found once for reading many of them.
struct IniGroup {
    const IniDocument* document = nullptr;
    std::vector<const IniEntry*> keys;
};
IniGroup FindIniGroup(const IniDocument& document, const std::string& group);

// A present key parses as a decimal integer (0 without digits); a missing one
// gives the default. Strings come without surrounding blanks.
std::int64_t ReadIniInt(const IniDocument& document, const std::string& group,
                        const std::string& key, std::int64_t fallback);
std::string ReadIniString(const IniDocument& document, const std::string& group,
                          const std::string& key, const std::string& fallback);
std::int64_t ReadIniInt(const IniGroup& group, const std::string& key, std::int64_t fallback);
std::string ReadIniString(const IniGroup& group, const std::string& key, const std::string& fallback);

// Leading blanks, one sign, then digits up to the first other character;
// more digits than 64 bits hold give the nearest 64-bit value.
std::int64_t ParseIniInteger(const std::string& text);

}  // namespace vandrel

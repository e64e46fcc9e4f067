#include "config/ini.h"

#include <algorithm>
#include <cstddef>
#include <limits>
#include <string_view>

namespace vandrel {
namespace {

bool IsBlank(char ch) { return ch == ' ' || ch == '\t'; }

std::string TrimBlanks(const std::string& text) {
    std::size_t start = 0, end = text.size();
    while (start < end && IsBlank(text[start])) ++start;
    while (end > start && IsBlank(text[end - 1])) --end;
    return text.substr(start, end - start);
}

char LowerAscii(char ch) { return (ch >= 'A' && ch <= 'Z') ? static_cast<char>(ch + 32) : ch; }

bool SameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    return true;
}

// The program's 8-bit text as the file holds it, and back.
std::string ToFileText(const IniDocument& document, const std::string& text) {
    return document.utf8Bom && document.codec.toUtf8 ? document.codec.toUtf8(text) : text;
}
std::string FromFileText(const IniDocument& document, const std::string& text) {
    return document.utf8Bom && document.codec.fromUtf8 ? document.codec.fromUtf8(text) : text;
}

// A string value as the program reads it.
std::string ValueRead(const IniDocument& document, const std::string& stored) {
    return FromFileText(document, TrimBlanks(stored));
}

IniEntry ParseLine(std::string_view line) {
    IniEntry entry;
    if (line[0] == ';') {
        entry.kind = IniEntry::Kind::Comment;
        entry.name = line.substr(line.size() > 1 && line[1] == ' ' ? 2 : 1);
    } else if (line[0] == '[') {
        entry.kind = IniEntry::Kind::Group;
        // The last "]": palette file names may hold one ("a]b.pal"), and the
        // writer puts nothing after the closing bracket.
        const std::size_t close = line.rfind(']');
        entry.name = line.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1);
    } else {
        entry.kind = IniEntry::Kind::Key;
        const std::size_t equals = line.find('=');
        std::string_view key = line.substr(0, equals);
        while (!key.empty() && IsBlank(key.back())) key.remove_suffix(1);
        entry.name = key;
        if (equals != std::string_view::npos) {
            std::size_t v = equals + 1;
            while (v < line.size() && IsBlank(line[v])) ++v;
            entry.value = line.substr(v);
        }
    }
    return entry;
}

// [first, last) range of the entries that belong to a group ("" = top section);
// first == npos when the group does not exist.
struct GroupRange {
    std::size_t header = std::string::npos;  // index of the header, npos for the top section
    std::size_t first = std::string::npos;
    std::size_t last = 0;
};

std::string Lowered(const std::string& name) {
    std::string lowered = name;
    for (char& ch : lowered) ch = LowerAscii(ch);
    return lowered;
}

void IndexGroups(const IniDocument& document) {
    document.groupIndex.clear();
    for (std::size_t i = 0; i < document.entries.size(); ++i)
        if (document.entries[i].kind == IniEntry::Kind::Group)
            document.groupIndex.try_emplace(Lowered(document.entries[i].name), i);
    document.indexed = true;
}

// The index of `group`'s first header, or npos.
std::size_t GroupHeader(const IniDocument& document, const std::string& group) {
    const auto& entries = document.entries;
    auto usable = [&](std::size_t at) {
        return at < entries.size() && entries[at].kind == IniEntry::Kind::Group &&
               SameName(entries[at].name, group);
    };
    if (!document.indexed) IndexGroups(document);
    const std::string key = Lowered(group);
    auto found = document.groupIndex.find(key);
    if (found == document.groupIndex.end()) return std::string::npos;
    if (usable(found->second)) return found->second;
    // Entries changed behind the index's back: look again from scratch.
    IndexGroups(document);
    found = document.groupIndex.find(key);
    return found == document.groupIndex.end() ? std::string::npos : found->second;
}

// `group` as the file holds it.
GroupRange FindGroup(const IniDocument& document, const std::string& group) {
    const auto& entries = document.entries;
    GroupRange range;
    std::size_t i = 0;
    if (group.empty()) {
        range.first = 0;
    } else {
        range.header = GroupHeader(document, group);
        if (range.header == std::string::npos) return range;
        range.first = range.header + 1;
        i = range.first;
    }
    while (i < entries.size() && entries[i].kind != IniEntry::Kind::Group) ++i;
    range.last = i;
    return range;
}

}  // namespace

IniDocument ParseIni(const std::string& bytes, const IniCodec& codec) {
    IniDocument document;
    document.codec = codec;
    std::string_view text = bytes;
    if (text.substr(0, 3) == "\xEF\xBB\xBF") {
        document.utf8Bom = true;
        text.remove_prefix(3);
    }
    // Room for every line at once (counted by their line feeds; a file of bare
    // carriage returns grows as it goes): growing a large file's list step by
    // step copies it over and over, and fresh memory is slow to touch.
    document.entries.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
    std::size_t pos = 0;
    while (pos <= text.size()) {
        std::size_t end = pos;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
        std::size_t start = pos;
        while (start < end && IsBlank(text[start])) ++start;
        // Leading blanks go; a line of blanks is no entry.
        if (start < end) document.entries.push_back(ParseLine(text.substr(start, end - start)));
        pos = end + 1;
    }
    return document;
}

std::string SerializeIni(const IniDocument& document) {
    std::string out;
    if (document.utf8Bom) out += "\xEF\xBB\xBF\r\n";
    bool firstGroup = true;
    for (const IniEntry& entry : document.entries) {
        std::string line;
        switch (entry.kind) {
            case IniEntry::Kind::Key: line = entry.name + " = " + entry.value; break;
            case IniEntry::Kind::Comment: line = "; " + entry.name; break;
            case IniEntry::Kind::Group:
                if (!firstGroup) out += "\r\n";
                firstGroup = false;
                line = "[" + entry.name + "]";
                break;
        }
        out += line + "\r\n";
    }
    // A first key whose name begins with the bytes of a UTF-8 mark would read
    // back as a marked file with another key: an empty line keeps it a key.
    if (!document.utf8Bom && out.rfind("\xEF\xBB\xBF", 0) == 0) out.insert(0, "\r\n");
    return out;
}

IniGroup FindIniGroup(const IniDocument& document, const std::string& group) {
    IniGroup found;
    found.document = &document;
    const GroupRange range = FindGroup(document, ToFileText(document, group));
    if (range.first == std::string::npos) return found;
    for (std::size_t i = range.first; i < range.last; ++i)
        if (document.entries[i].kind == IniEntry::Kind::Key) found.keys.push_back(&document.entries[i]);
    return found;
}

namespace {

const std::string* FindKey(const IniGroup& group, const std::string& key) {
    if (group.keys.empty()) return nullptr;
    const std::string stored = ToFileText(*group.document, key);
    for (const IniEntry* entry : group.keys)
        if (SameName(entry->name, stored)) return &entry->value;
    return nullptr;
}

}  // namespace

void SetIniValues(IniDocument& document, const std::string& group,
                  const std::vector<std::pair<std::string, std::string>>& values) {
    auto& entries = document.entries;
    const GroupRange range = FindGroup(document, ToFileText(document, group));
    if (range.first == std::string::npos) {
        entries.push_back({IniEntry::Kind::Group, ToFileText(document, group), ""});
        if (document.indexed) document.groupIndex.try_emplace(Lowered(entries.back().name), entries.size() - 1);
        for (const auto& [key, value] : values)
            entries.push_back(
                {IniEntry::Kind::Key, ToFileText(document, key), ToFileText(document, value)});
        return;
    }
    std::size_t last = range.last;
    for (const auto& [programKey, value] : values) {
        const std::string key = ToFileText(document, programKey);
        // After the last key of the group; right after the header (or at the
        // start of the file) when the group has none.
        std::size_t insertAt = range.header == std::string::npos ? 0 : range.header + 1;
        bool replaced = false;
        for (std::size_t i = range.first; i < last; ++i) {
            IniEntry& entry = entries[i];
            if (entry.kind != IniEntry::Kind::Key) continue;
            if (SameName(entry.name, key)) {
                // A value the code page cannot hold reads back changed: written
                // unchanged, it keeps its bytes instead.
                if (ValueRead(document, entry.value) != value)
                    entry.value = ToFileText(document, value);
                replaced = true;
                break;
            }
            insertAt = i + 1;
        }
        if (replaced) continue;
        entries.insert(entries.begin() + static_cast<std::ptrdiff_t>(insertAt),
                       {IniEntry::Kind::Key, key, ToFileText(document, value)});
        ++last;
        for (auto& [name, header] : document.groupIndex)
            if (header >= insertAt) ++header;
    }
}

void RemoveIniValue(IniDocument& document, const std::string& group, const std::string& key) {
    const GroupRange range = FindGroup(document, ToFileText(document, group));
    if (range.first == std::string::npos) return;
    const std::string name = ToFileText(document, key);
    auto& entries = document.entries;
    for (std::size_t i = range.last; i-- > range.first;) {
        if (entries[i].kind != IniEntry::Kind::Key || !SameName(entries[i].name, name)) continue;
        entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(i));
        for (auto& [lowered, header] : document.groupIndex)
            if (header > i) --header;
    }
}

void SetIniValue(IniDocument& document, const std::string& group, const std::string& key,
                 const std::string& value) {
    SetIniValues(document, group, {{key, value}});
}

std::int64_t ParseIniInteger(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    // The magnitude of the lowest value; a longer number stays there.
    constexpr std::uint64_t kLargest = std::uint64_t{1} << 63;
    std::uint64_t magnitude = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        const auto digit = static_cast<std::uint64_t>(text[i] - '0');
        magnitude = magnitude > (kLargest - digit) / 10 ? kLargest : magnitude * 10 + digit;
    }
    using Limits = std::numeric_limits<std::int64_t>;
    if (negative)
        return magnitude == kLargest ? Limits::min() : -static_cast<std::int64_t>(magnitude);
    return magnitude == kLargest ? Limits::max() : static_cast<std::int64_t>(magnitude);
}

std::int64_t ReadIniInt(const IniGroup& group, const std::string& key, std::int64_t fallback) {
    const std::string* value = FindKey(group, key);
    return value ? ParseIniInteger(*value) : fallback;
}

std::string ReadIniString(const IniGroup& group, const std::string& key, const std::string& fallback) {
    const std::string* value = FindKey(group, key);
    return value ? ValueRead(*group.document, *value) : fallback;
}

std::int64_t ReadIniInt(const IniDocument& document, const std::string& group,
                        const std::string& key, std::int64_t fallback) {
    return ReadIniInt(FindIniGroup(document, group), key, fallback);
}

std::string ReadIniString(const IniDocument& document, const std::string& group,
                          const std::string& key, const std::string& fallback) {
    return ReadIniString(FindIniGroup(document, group), key, fallback);
}

}  // namespace vandrel

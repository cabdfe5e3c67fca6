#include "platform/ini_store.h"

#include <algorithm>
#include <charconv>

namespace tarvolinde {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

// Only ASCII letters fold: bytes of multi-byte UTF-8 characters compare exactly.
bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

bool IsQuote(char c) { return c == '"' || c == '\''; }

std::string_view Unquote(std::string_view value) {
    if (value.size() >= 2 && IsQuote(value.front()) && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

std::optional<int> ParseInt(const std::optional<std::string>& text) {
    if (!text || text->empty()) return std::nullopt;
    const char* first = text->data();
    const char* last = first + text->size();
    if (*first == '+') ++first;
    int value = 0;
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last) return std::nullopt;
    return value;
}

std::string WithoutLineBreaks(std::string_view text) {
    std::string result(text);
    std::replace_if(result.begin(), result.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return result;
}

// The text to put after '=' so that reading it back gives value.
std::string Encoded(const std::string& value) {
    const bool needsQuotes = !value.empty() && (IsBlank(value.front()) || IsBlank(value.back()) ||
                                                (value.size() >= 2 && IsQuote(value.front()) &&
                                                 value.back() == value.front()));
    return needsQuotes ? '"' + value + '"' : value;
}

}  // namespace

IniStore IniStore::Parse(std::string_view text) {
    IniStore store;
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) text.remove_prefix(kByteOrderMark.size());

    bool sawCarriageReturn = false;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view raw = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!raw.empty() && raw.back() == '\r') {
            raw.remove_suffix(1);
            sawCarriageReturn = true;
        }

        const std::string_view line = Trim(raw);
        if (!line.empty() && line.front() == '[') {
            const std::string_view inside = line.substr(1, line.find(']') - 1);
            store.sections_.push_back(Section{.name = std::string(Trim(inside)), .header = std::string(raw),
                                              .hasHeader = true, .lines = {}});
            continue;
        }
        Line entry{.text = std::string(raw), .key = {}, .value = {}};
        const size_t equals = line.find('=');
        if (!line.empty() && line.front() != ';' && equals != std::string_view::npos) {
            entry.key = std::string(Trim(line.substr(0, equals)));
            entry.value = std::string(Unquote(Trim(line.substr(equals + 1))));
        }
        store.sections_.back().lines.push_back(std::move(entry));
    }
    if (sawCarriageReturn) store.lineEnd_ = "\r\n";
    return store;
}

std::string IniStore::Write() const {
    std::string text;
    for (const Section& section : sections_) {
        if (section.hasHeader) text += section.header + lineEnd_;
        for (const Line& line : section.lines) text += line.text + lineEnd_;
    }
    return text;
}

const IniStore::Section* IniStore::FindSection(std::string_view name) const {
    for (const Section& section : sections_)
        if (section.hasHeader && SameName(section.name, name)) return &section;
    return nullptr;
}

IniStore::Section* IniStore::FindSection(std::string_view name) {
    return const_cast<Section*>(static_cast<const IniStore&>(*this).FindSection(name));
}

std::optional<std::string> IniStore::Get(std::string_view section, std::string_view key) const {
    const Section* found = FindSection(section);
    if (!found) return std::nullopt;
    for (const Line& line : found->lines)
        if (!line.key.empty() && SameName(line.key, key)) return line.value;
    return std::nullopt;
}

std::string IniStore::GetString(std::string_view section, std::string_view key, std::string_view fallback) const {
    return Get(section, key).value_or(std::string(fallback));
}

int IniStore::GetInt(std::string_view section, std::string_view key, int fallback) const {
    return ParseInt(Get(section, key)).value_or(fallback);
}

bool IniStore::GetBool(std::string_view section, std::string_view key, bool fallback) const {
    const std::optional<int> value = ParseInt(Get(section, key));
    return value ? *value != 0 : fallback;
}

void IniStore::Set(std::string_view section, std::string_view key, std::string_view value) {
    const std::string cleanKey = WithoutLineBreaks(Trim(key));
    const std::string cleanValue = WithoutLineBreaks(value);

    Section* target = FindSection(section);
    if (!target) {
        // Keep a blank line between sections, as a person writing the file would.
        Section& last = sections_.back();
        const bool endsBlank = !last.lines.empty() && Trim(last.lines.back().text).empty();
        if ((last.hasHeader || !last.lines.empty()) && !endsBlank) last.lines.push_back(Line{});
        std::string name = WithoutLineBreaks(Trim(section));
        std::string header = '[' + name + ']';
        sections_.push_back(Section{.name = std::move(name), .header = std::move(header), .hasHeader = true,
                                    .lines = {}});
        target = &sections_.back();
    }

    for (Line& line : target->lines) {
        if (line.key.empty() || !SameName(line.key, cleanKey)) continue;
        line.value = cleanValue;
        line.text = line.key + '=' + Encoded(cleanValue);
        return;
    }
    // After the last key of the section, so that trailing blank lines and comments
    // stay between this section and the next.
    auto position = target->lines.begin();
    for (auto it = target->lines.begin(); it != target->lines.end(); ++it)
        if (!it->key.empty()) position = it + 1;
    target->lines.insert(position, Line{.text = cleanKey + '=' + Encoded(cleanValue), .key = cleanKey,
                                        .value = cleanValue});
}

void IniStore::SetInt(std::string_view section, std::string_view key, int value) {
    Set(section, key, std::to_string(value));
}

void IniStore::SetBool(std::string_view section, std::string_view key, bool value) {
    Set(section, key, value ? "1" : "0");
}

void IniStore::Remove(std::string_view section, std::string_view key) {
    if (Section* found = FindSection(section))
        std::erase_if(found->lines, [&](const Line& line) { return !line.key.empty() && SameName(line.key, key); });
}

std::vector<std::string> IniStore::Sections() const {
    std::vector<std::string> names;
    for (const Section& section : sections_)
        if (section.hasHeader) names.push_back(section.name);
    return names;
}

std::vector<std::string> IniStore::Keys(std::string_view section) const {
    std::vector<std::string> keys;
    if (const Section* found = FindSection(section))
        for (const Line& line : found->lines)
            if (!line.key.empty()) keys.push_back(line.key);
    return keys;
}

}  // namespace tarvolinde

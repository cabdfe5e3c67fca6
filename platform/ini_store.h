#pragma once
// Settings text in the Windows profile format: "[section]" lines followed by
// "key=value" lines. Sections and keys are found regardless of ASCII case, as
// the Windows profile functions find them, and are written exactly as spelled,
// in UTF-8, so that names such as "Guardar configuración" stay readable in the
// file. Lines the codec does not understand (comments, junk) are kept, so that
// rewriting a file changes only the values that were set.
//
// The store reads and writes text only; opening the file is the caller's job.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvolinde {

class IniStore {
public:
    IniStore() = default;

    // Never fails: lines that are neither a section header nor a key are kept as
    // they are and otherwise ignored. A leading UTF-8 byte-order mark is dropped.
    static IniStore Parse(std::string_view text);

    // The whole text, with the line ends the parsed text used ("\n" for a new store).
    std::string Write() const;

    // The value of the first such key in the first such section. Surrounding
    // blanks are removed, and one pair of matching quotes around the value.
    std::optional<std::string> Get(std::string_view section, std::string_view key) const;
    // The text value, or the fallback when the key is missing.
    std::string GetString(std::string_view section, std::string_view key, std::string_view fallback) const;
    // A decimal integer (optional sign, then digits; anything else gives the fallback).
    int GetInt(std::string_view section, std::string_view key, int fallback) const;
    // An integer, true when not 0; the fallback when missing or not a number.
    bool GetBool(std::string_view section, std::string_view key, bool fallback) const;

    // Replaces the value of an existing key in place, or adds the key at the end of
    // its section, adding the section at the end of the text when it is new.
    // Line breaks in the value become blanks; a value that would not read back as
    // written (outer blanks or quotes) is written inside double quotes.
    void Set(std::string_view section, std::string_view key, std::string_view value);
    void SetInt(std::string_view section, std::string_view key, int value);
    void SetBool(std::string_view section, std::string_view key, bool value);
    // Removes every such key of the section; the section itself stays.
    void Remove(std::string_view section, std::string_view key);

    // Section names in file order, as spelled in the text (the unnamed lines before
    // the first header are not a section).
    std::vector<std::string> Sections() const;
    // Key names of a section in file order.
    std::vector<std::string> Keys(std::string_view section) const;

private:
    struct Line {
        std::string text;  // the line as written
        std::string key;   // empty for lines that are not keys
        std::string value;
    };
    struct Section {
        std::string name;
        std::string header;     // the header line as written
        bool hasHeader = true;  // false only for the lines before the first header
        std::vector<Line> lines;
    };

    const Section* FindSection(std::string_view name) const;
    Section* FindSection(std::string_view name);

    // The first entry holds the lines before the first header.
    std::vector<Section> sections_{Section{.name = {}, .header = {}, .hasHeader = false, .lines = {}}};
    std::string lineEnd_ = "\n";
};

}  // namespace tarvolinde

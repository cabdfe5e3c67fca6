#include "tests/core/fuse_test_file.h"

#include <charconv>
#include <optional>
#include <sstream>

namespace tarvolinde::test {
namespace {

std::vector<std::string> SplitWords(const std::string& line) {
    std::istringstream words(line);
    std::vector<std::string> result;
    for (std::string word; words >> word;) result.push_back(word);
    return result;
}

std::optional<uint32_t> ParseNumber(const std::string& text, int base, uint32_t maximum) {
    uint32_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value, base);
    if (error != std::errc{} || stop != end || value > maximum) return std::nullopt;
    return value;
}

// Hands out lines with their numbers, so that errors can say where they are.
class LineReader {
public:
    explicit LineReader(std::istream& in) : in_(in) {}

    bool Next(std::string& line) {
        if (!std::getline(in_, line)) return false;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        ++number_;
        return true;
    }
    // Skips blank lines; false at the end of the stream.
    bool NextNonBlank(std::string& line) {
        while (Next(line))
            if (!SplitWords(line).empty()) return true;
        return false;
    }
    std::string Where(const std::string& what) const { return "line " + std::to_string(number_) + ": " + what; }

private:
    std::istream& in_;
    int number_ = 0;
};

// "AF BC DE HL AF' BC' DE' HL' IX IY SP PC MEMPTR".
bool ParsePairsLine(const std::string& line, FuseRegisterState& state) {
    const auto words = SplitWords(line);
    if (words.size() != 13) return false;
    uint16_t* const fields[13] = {&state.AF,  &state.BC,  &state.DE, &state.HL, &state.AF_, &state.BC_,   &state.DE_,
                                  &state.HL_, &state.IX,  &state.IY, &state.SP, &state.PC,  &state.MEMPTR};
    for (int i = 0; i < 13; ++i) {
        const auto value = ParseNumber(words[i], 16, 0xFFFF);
        if (!value) return false;
        *fields[i] = uint16_t(*value);
    }
    return true;
}

// "I R IFF1 IFF2 IM halted tstates".
bool ParseControlLine(const std::string& line, FuseRegisterState& state) {
    const auto words = SplitWords(line);
    if (words.size() != 7) return false;
    const auto i = ParseNumber(words[0], 16, 0xFF), r = ParseNumber(words[1], 16, 0xFF);
    const auto iff1 = ParseNumber(words[2], 10, 1), iff2 = ParseNumber(words[3], 10, 1);
    const auto im = ParseNumber(words[4], 10, 2), halted = ParseNumber(words[5], 10, 1);
    const auto tstates = ParseNumber(words[6], 10, 1'000'000);
    if (!i || !r || !iff1 || !iff2 || !im || !halted || !tstates) return false;
    state.I = uint8_t(*i);
    state.R = uint8_t(*r);
    state.IFF1 = uint8_t(*iff1);
    state.IFF2 = uint8_t(*iff2);
    state.IM = uint8_t(*im);
    state.Halted = *halted != 0;
    state.TStates = int32_t(*tstates);
    return true;
}

// "<address> <byte> ... -1".
bool ParseMemoryLine(const std::string& line, FuseMemoryBlock& block) {
    const auto words = SplitWords(line);
    if (words.size() < 2 || words.back() != "-1" || words.size() > 2 + 0x10000) return false;
    const auto address = ParseNumber(words[0], 16, 0xFFFF);
    if (!address) return false;
    block.Address = uint16_t(*address);
    block.Bytes.clear();
    for (size_t i = 1; i + 1 < words.size(); ++i) {
        const auto value = ParseNumber(words[i], 16, 0xFF);
        if (!value) return false;
        block.Bytes.push_back(uint8_t(*value));
    }
    return true;
}

// "<time> <type> <address> [<data>]".
bool ParseEventLine(const std::string& line, FuseBusEvent& event) {
    const auto words = SplitWords(line);
    if (words.size() != 3 && words.size() != 4) return false;
    static const std::string kTypes[] = {"MR", "MW", "MC", "PR", "PW", "PC"};
    bool known = false;
    for (const auto& type : kTypes) known = known || words[1] == type;
    const bool hasData = words[1] != "MC" && words[1] != "PC";
    if (!known || hasData != (words.size() == 4)) return false;
    const auto time = ParseNumber(words[0], 10, 1'000'000), address = ParseNumber(words[2], 16, 0xFFFF);
    if (!time || !address) return false;
    event.Time = int32_t(*time);
    event.Type = words[1];
    event.Address = uint16_t(*address);
    event.Data = -1;
    if (hasData) {
        const auto data = ParseNumber(words[3], 16, 0xFF);
        if (!data) return false;
        event.Data = int(*data);
    }
    return true;
}

}  // namespace

FuseParseResult<FuseTestCase> ReadFuseTestCases(std::istream& in) {
    FuseParseResult<FuseTestCase> result;
    LineReader reader(in);
    std::string line;
    while (reader.NextNonBlank(line)) {
        FuseTestCase test;
        test.Name = SplitWords(line).front();
        if (!reader.Next(line) || !ParsePairsLine(line, test.Registers)) {
            result.Error = reader.Where("bad register line in test " + test.Name);
            return result;
        }
        if (!reader.Next(line) || !ParseControlLine(line, test.Registers)) {
            result.Error = reader.Where("bad I/R/IFF line in test " + test.Name);
            return result;
        }
        while (true) {
            if (!reader.Next(line)) {
                result.Error = reader.Where("test " + test.Name + " ends without -1");
                return result;
            }
            if (SplitWords(line) == std::vector<std::string>{"-1"}) break;
            FuseMemoryBlock block;
            if (!ParseMemoryLine(line, block)) {
                result.Error = reader.Where("bad memory line in test " + test.Name);
                return result;
            }
            test.Memory.push_back(std::move(block));
        }
        result.Tests.push_back(std::move(test));
    }
    return result;
}

FuseParseResult<FuseExpectedResult> ReadFuseExpectedResults(std::istream& in) {
    FuseParseResult<FuseExpectedResult> result;
    LineReader reader(in);
    std::string line;
    while (reader.NextNonBlank(line)) {
        FuseExpectedResult test;
        test.Name = SplitWords(line).front();
        // Events are indented; the register line that follows them is not.
        bool haveLine = reader.Next(line);
        while (haveLine && !line.empty() && (line.front() == ' ' || line.front() == '\t')) {
            FuseBusEvent event;
            if (!ParseEventLine(line, event)) {
                result.Error = reader.Where("bad event line in test " + test.Name);
                return result;
            }
            test.Events.push_back(std::move(event));
            haveLine = reader.Next(line);
        }
        if (!haveLine || !ParsePairsLine(line, test.Registers)) {
            result.Error = reader.Where("bad register line in test " + test.Name);
            return result;
        }
        if (!reader.Next(line) || !ParseControlLine(line, test.Registers)) {
            result.Error = reader.Where("bad I/R/IFF line in test " + test.Name);
            return result;
        }
        // Changed memory runs up to a blank line or the end of the file.
        while (reader.Next(line) && !SplitWords(line).empty()) {
            FuseMemoryBlock block;
            if (!ParseMemoryLine(line, block)) {
                result.Error = reader.Where("bad memory line in test " + test.Name);
                return result;
            }
            test.ChangedMemory.push_back(std::move(block));
        }
        result.Tests.push_back(std::move(test));
    }
    return result;
}

}  // namespace tarvolinde::test

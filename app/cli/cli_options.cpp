#include "app/cli/cli_options.h"

#include <charconv>

#include "snapshots/snapshot.h"

namespace tarvolinde::cli {

namespace {

// Decimal or 0x-prefixed hexadecimal.
bool ParseUnsigned(std::string_view text, uint64_t& value) {
    int base = 10;
    if (text.size() > 2 && (text.substr(0, 2) == "0x" || text.substr(0, 2) == "0X")) text.remove_prefix(2), base = 16;
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value, base);
    return !text.empty() && result.ec == std::errc() && result.ptr == end;
}

bool ParsePeek(std::string_view text, PeekRequest& peek) {
    uint64_t address = 0, length = 16;
    const size_t colon = text.find(':');
    if (!ParseUnsigned(text.substr(0, colon), address) || address > 0xFFFF) return false;
    if (colon != std::string_view::npos && (!ParseUnsigned(text.substr(colon + 1), length) || length > 0x10000))
        return false;
    peek = {uint16_t(address), uint32_t(length)};
    return true;
}

// "\n" in the text typed stands for ENTER, "\\" for a backslash.
std::string Unescape(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && (text[i + 1] == 'n' || text[i + 1] == '\\')) {
            out += text[++i] == 'n' ? '\n' : '\\';
        } else {
            out += text[i];
        }
    }
    return out;
}

bool ParseSwitch(std::string_view text, bool& value) {
    if (text != "on" && text != "off") return false;
    value = text == "on";
    return true;
}

}  // namespace

std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error) {
    Options options;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        std::string value;
        const auto takeValue = [&]() {
            if (i + 1 >= args.size()) {
                error = "missing value for " + arg;
                return false;
            }
            value = args[++i];
            return true;
        };
        const auto invalid = [&]() {
            error = "invalid value for " + arg + ": " + value;
            return std::nullopt;
        };
        uint64_t number = 0;
        if (arg == "--screen-text") {
            options.screenText = true;
        } else if (arg == "--dump-state") {
            options.dumpState = true;
        } else if (arg == "--speed") {
            options.speed = true;
        } else if (arg == "--cpm" || arg == "--model" || arg == "--rom-dir" || arg == "--type" ||
                   arg == "--screenshot" || arg == "--max-tstates" || arg == "--frames" || arg == "--peek" ||
                   arg == "--frames-after" || arg == "--fast-load" || arg == "--auto-play" ||
                   arg == "--auto-rewind" || arg == "--save-snapshot" || arg == "--hdf") {
            if (!takeValue()) return std::nullopt;
            if (arg == "--cpm") options.cpmProgram = value;
            else if (arg == "--model") options.model = value;
            else if (arg == "--rom-dir") options.romDir = value;
            else if (arg == "--type") options.typeText = Unescape(value);
            else if (arg == "--screenshot") options.screenshot = value;
            else if (arg == "--save-snapshot") options.saveSnapshot = value;
            else if (arg == "--hdf") options.hardDisk = value;
            else if (arg == "--max-tstates") {
                if (!ParseUnsigned(value, options.maxTStates)) return invalid();
            } else if (arg == "--frames") {
                if (!ParseUnsigned(value, number) || number > 100'000'000) return invalid();
                options.frames = int(number);
            } else if (arg == "--frames-after") {
                if (!ParseUnsigned(value, number) || number > 100'000'000) return invalid();
                options.framesAfterTyping = int(number);
            } else if (arg == "--fast-load") {
                if (!ParseSwitch(value, options.fastLoad)) return invalid();
            } else if (arg == "--auto-play") {
                if (!ParseSwitch(value, options.autoPlay)) return invalid();
            } else if (arg == "--auto-rewind") {
                if (!ParseSwitch(value, options.autoRewind)) return invalid();
            } else {
                PeekRequest peek{};
                if (!ParsePeek(value, peek)) return invalid();
                options.peeks.push_back(peek);
            }
        } else if (arg.rfind("--", 0) == 0) {
            error = "unknown option " + arg;
            return std::nullopt;
        } else if (SnapshotKindOf(arg)) {
            options.snapshots.push_back(arg);
        } else {
            options.files.push_back(arg);
        }
    }
    return options;
}

std::string UsageText() {
    return "usage: tarvolinde-cli --cpm PROGRAM.com [--max-tstates N]\n"
           "       tarvolinde-cli [--model M] [--rom-dir DIR] [--frames N] [--type TEXT]\n"
           "                      [--screenshot FILE.bmp|.scr|.png] [--screen-text] [--dump-state]\n"
           "                      [--peek ADDR[:LEN]]... [--speed]\n"
           "                      [TAPE.tap|.tzx|.csw|.wav|.voc [--fast-load on|off] [--auto-play on|off]\n"
           "                       [--auto-rewind on|off] [--frames-after N]]\n"
           "                      [SNAPSHOT.fsu|.sna|.z80|.sp] [--save-snapshot OUT.fsu|.sna|.z80|.sp]\n"
           "                      [--hdf IMAGE.hdf]\n"
           "  --model M      model index 0-17 or its menu caption (default 1, \"48 Kb\")\n"
           "  --frames N     frames to run first (default 250)\n"
           "  --type TEXT    then type TEXT on the keyboard (\\n is ENTER) and run 50 more frames\n"
           "  --frames-after N  frames to run after the typed text instead of 50\n"
           "  TAPE           insert the tape before the first frame; fast loading, auto play\n"
           "                 and auto rewind are on unless turned off; without auto play the\n"
           "                 tape is started once the typed text has been entered\n"
           "  SNAPSHOT       load it before the first frame, on the model it names\n"
           "  --save-snapshot OUT  save the machine after the run, in the format of OUT's extension\n"
           "  --hdf IMAGE    hard-disk image on the IDE master channel (+3e models); written at once\n";
}

}  // namespace tarvolinde::cli

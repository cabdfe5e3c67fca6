#include "app/cli/cli_options.h"

#include <charconv>
#include <utility>

#include "app/cli/archive_files.h"
#include "snapshots/rzx.h"
#include "snapshots/snapshot.h"

namespace tarvolinde::cli {

bool ParseUnsigned(std::string_view text, uint64_t& value) {
    int base = 10;
    if (text.size() > 2 && (text.substr(0, 2) == "0x" || text.substr(0, 2) == "0X")) text.remove_prefix(2), base = 16;
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value, base);
    return !text.empty() && result.ec == std::errc() && result.ptr == end;
}

namespace {

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

// The options whose value is kept as given, and the on|off ones.
constexpr std::pair<std::string_view, std::string Options::*> kTextOptions[] = {
    {"--cpm", &Options::cpmProgram}, {"--model", &Options::model}, {"--rom-dir", &Options::romDir},
    {"--screenshot", &Options::screenshot}, {"--save-snapshot", &Options::saveSnapshot},
    {"--disk", &Options::diskA}, {"--disk-b", &Options::diskB}, {"--save-disk", &Options::saveDisk},
    {"--rzx", &Options::rzxFile}, {"--record", &Options::recordFile}, {"--hdf", &Options::hardDisk},
    {"--sound", &Options::soundFile}};
constexpr std::pair<std::string_view, bool Options::*> kSwitchOptions[] = {
    {"--fast-load", &Options::fastLoad}, {"--auto-play", &Options::autoPlay}, {"--auto-rewind", &Options::autoRewind}};

template <typename T, size_t N>
T Options::*FieldNamed(const std::pair<std::string_view, T Options::*> (&table)[N], std::string_view name) {
    for (const auto& [option, field] : table)
        if (option == name) return field;
    return nullptr;
}

}  // namespace

std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error) {
    Options options;
    // A --frames-after given before any --type is for the first one.
    std::optional<int> framesAfterFirst;
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
        } else if (std::string Options::*field = FieldNamed(kTextOptions, arg)) {
            if (!takeValue()) return std::nullopt;
            options.*field = value;
        } else if (bool Options::*field = FieldNamed(kSwitchOptions, arg)) {
            if (!takeValue()) return std::nullopt;
            if (!ParseSwitch(value, options.*field)) return invalid();
        } else if (arg == "--type" || arg == "--max-tstates" || arg == "--frames" || arg == "--peek" ||
                   arg == "--frames-after" || arg == "--sound-rate") {
            if (!takeValue()) return std::nullopt;
            if (arg == "--type") {
                std::optional<std::vector<KeyPress>> keys = KeyPressesForText(Unescape(value), error);
                if (!keys) return std::nullopt;
                options.typeSteps.push_back({std::move(*keys), framesAfterFirst.value_or(50)});
            } else if (arg == "--max-tstates") {
                if (!ParseUnsigned(value, options.maxTStates)) return invalid();
            } else if (arg == "--frames") {
                if (!ParseUnsigned(value, number) || number > 100'000'000) return invalid();
                options.frames = int(number);
                options.framesGiven = true;
            } else if (arg == "--frames-after") {
                if (!ParseUnsigned(value, number) || number > 100'000'000) return invalid();
                (options.typeSteps.empty() ? framesAfterFirst.emplace() : options.typeSteps.back().framesAfter) =
                    int(number);
            } else if (arg == "--sound-rate") {
                if (!ParseUnsigned(value, number) || (number != 11025 && number != 22050 && number != 44100))
                    return invalid();
                options.soundRate = uint32_t(number);
            } else {
                PeekRequest peek{};
                if (!ParsePeek(value, peek)) return invalid();
                options.peeks.push_back(peek);
            }
        } else if (IsDebugOption(arg)) {
            if (!takeValue() || !ParseDebugOption(arg, value, options.debug, error)) return std::nullopt;
        } else if (arg == "--tape" || arg == "--snapshot") {
            if (!takeValue()) return std::nullopt;
            (arg == "--tape" ? options.files : options.snapshots).push_back(value);
        } else if (arg == "--preview") {
            if (!takeValue()) return std::nullopt;
            const std::optional<PreviewKind> kind = DialogKindNamed(value);
            if (!kind) return invalid();
            PreviewRequest request{*kind, {}, {}};
            for (std::string* field : {&request.file, &request.out}) {
                if (!takeValue()) return std::nullopt;
                *field = value;
            }
            options.preview = request;
        } else if (arg.rfind("--", 0) == 0) {
            error = "unknown option " + arg;
            return std::nullopt;
        } else if (IsZipName(arg)) {
            AddArchiveArgument(arg, options);
        } else if (SnapshotKindOf(arg)) {
            options.snapshots.push_back(arg);
        } else if (IsRzxName(arg)) {
            options.rzxFile = arg;
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
           "                      [--peek ADDR[:LEN]]... [--speed] [--sound OUT.wav [--sound-rate N]]\n"
           "                      [TAPE.tap|.tzx|.csw|.wav|.voc [--fast-load on|off] [--auto-play on|off]\n"
           "                       [--auto-rewind on|off] [--frames-after N]]\n"
           "                      [SNAPSHOT.fsu|.sna|.z80|.sp] [--save-snapshot OUT.fsu|.sna|.z80|.sp]\n"
           "                      [--break ADDR]... [--break-write ADDR[-ADDR]] [--break-port PORT[/MASK]]\n"
           "                      [--disassemble ADDR[:N]]\n"
           "                      [--tape FILE] [--snapshot FILE] [ARCHIVE.zip]\n"
           "                      [--disk A.dsk] [--disk-b B.dsk] [--save-disk OUT.dsk]\n"
           "                      [SNAPSHOT.szx] [--save-snapshot OUT.szx] [RECORDING.rzx | --rzx FILE] [--record OUT.rzx]\n"
           "                      [--hdf IMAGE.hdf]\n"
           "       tarvolinde-cli --preview tape|snapshot|rzx FILE OUT.png|.scr\n"
           "       tarvolinde-cli --help | --version\n"
           "  --model M      model index 0-17 or its menu caption (default 1, \"48 Kb\")\n"
           "  --frames N     frames to run first (default 250)\n"
           "  --type TEXT    then type TEXT on the keyboard (\\n is ENTER) and run 50 more frames;\n"
           "                 {ENTER} {UP} {DOWN} {LEFT} {RIGHT} {DELETE} {EDIT} {BREAK} {CAPS}\n"
           "                 {SYMBOL} {SPACE} press keys, {SYMBOL+P} two keys together;\n"
           "                 repeatable: each text is typed after the frames before it\n"
           "  --frames-after N  frames to run after the --type before it instead of 50\n"
           "  TAPE           insert the tape before the first frame; fast loading, auto play\n"
           "                 and auto rewind are on unless turned off; without auto play the\n"
           "                 tape is started once the typed text has been entered\n"
           "  SNAPSHOT       load it before the first frame, on the model it names\n"
           "  --save-snapshot OUT  save the machine after the run, in the format of OUT's extension\n"
           "  --break ADDR   stop the run when PC reaches ADDR (repeatable, up to 10 breakpoints)\n"
           "  --break-write ADDR[-ADDR]  stop before an instruction writes that memory\n"
           "  --break-port PORT[/MASK]   stop before an IN or OUT on a port matching under MASK\n"
           "                 a stop prints \"break: <address|write|port> at PC=<hex>\" first\n"
           "  --disassemble ADDR[:N]  after the run, list N instructions from ADDR (default 12)\n"
           "  --tape FILE, --snapshot FILE  insert the tape, load the snapshot; FILE may be a ZIP\n"
           "                 archive, of which the member the open dialog would pick is used\n"
           "  ARCHIVE.zip    a tape if the tape dialog finds one in it, else a snapshot\n"
           "  --preview KIND FILE OUT  write the picture the open dialog of KIND shows for FILE\n"
           "                 (a 256x192 PNG or the 6912-byte screen); exit 1 when it has none\n"
           "  --sound OUT.wav  record the sound of the whole run (16-bit mono) at --sound-rate\n"
           "                 11025, 22050 or 44100 Hz (default 44100)\n"
           "  --disk FILE    insert a DSK image in drive A (--disk-b: drive B) of a +3 model\n"
           "  --save-disk OUT  write drive A's disk as an EXTENDED DSK image after the run\n"
           "  RECORDING      play the RZX recording from the first frame, to its end unless\n"
           "                 --frames is given; --dump-state adds rzx_state, rzx_frame, rzx_frames\n"
           "  --record OUT   record the whole run (48 Kb and 128 Kb) and write OUT.rzx at the end\n"
           "  --hdf IMAGE    hard-disk image on the IDE master channel (+3e models); written at once\n"
           "  --version      print \"tarvolinde-cli\" and the version, and exit\n";
}

}  // namespace tarvolinde::cli

#include "frontend/settings.h"

#include <limits>

#include "machine/model_table.h"

namespace tarvolinde {

namespace {

constexpr const char* kFiles = "Archivos";
constexpr const char* kTape = "Cinta";
constexpr const char* kHardware = "Hardware";
constexpr const char* kAudio = "Audio";
constexpr const char* kEmulation = "Emulacion";
constexpr const char* kWindow = "Ventana";

// Window positions may be negative on a desktop of several screens; sizes are
// bounded so that a damaged file cannot ask for an absurd window.
constexpr int kMaxCoordinate = 100000;
constexpr int kMaxWindowSize = 20000;

constexpr int kVolumeSteps = 7;

std::string RecentKey(int index) { return "Reciente " + std::to_string(index); }

// A whole number within [low, high], else the fallback.
int InRange(const IniStore& ini, const char* section, const char* key, int low, int high, int fallback) {
    const int value = ini.GetInt(section, key, fallback);
    return value >= low && value <= high ? value : fallback;
}

}  // namespace

Settings Settings::Defaults(const std::string& programDir) {
    Settings settings;
    for (std::string* dir : {&settings.SnapLoadDir, &settings.SnapSaveDir, &settings.TapeLoadDir,
                             &settings.DiskLoadDir, &settings.DiskSaveDir, &settings.RzxDir})
        *dir = programDir;
    return settings;
}

Settings ReadSettings(const IniStore& ini, const std::string& programDir) {
    Settings s = Settings::Defaults(programDir);

    s.SnapLoadDir = ini.GetString(kFiles, "Cargar Snap", s.SnapLoadDir);
    s.SnapSaveDir = ini.GetString(kFiles, "Grabar Snap", s.SnapSaveDir);
    s.TapeLoadDir = ini.GetString(kFiles, "Cargar Cinta", s.TapeLoadDir);
    s.DiskLoadDir = ini.GetString(kFiles, "Cargar Disco", s.DiskLoadDir);
    s.DiskSaveDir = ini.GetString(kFiles, "Grabar Disco", s.DiskSaveDir);
    s.RzxDir = ini.GetString(kFiles, "Cargar Accion", s.RzxDir);
    s.SaveOnExit = ini.GetBool(kFiles, "Guardar configuración", s.SaveOnExit);
    s.HardDiskImage = ini.GetString(kFiles, "IDE8", s.HardDiskImage);
    for (int i = 0; i < kMaxRecentFiles; ++i) {
        const std::string path = ini.GetString(kFiles, RecentKey(i), "");
        if (!path.empty()) s.RecentFiles.push_back(path);
    }

    s.FastLoad = ini.GetBool(kTape, "Carga Rápida", s.FastLoad);
    s.AutoPlayStop = ini.GetBool(kTape, "Auto Play & Stop", s.AutoPlayStop);
    s.AutoRewind = ini.GetBool(kTape, "Auto Rebobinado", s.AutoRewind);

    s.Issue2 = ini.GetBool(kHardware, "Issue 2", s.Issue2);
    s.AyIn48 = ini.GetBool(kHardware, "AY en 48", s.AyIn48);
    s.CursorShift = ini.GetBool(kHardware, "Cursor + Mays", s.CursorShift);
    s.SymbolKeyboard = ini.GetBool(kHardware, "Teclado simbolico", s.SymbolKeyboard);
    s.PcJoystick = ini.GetBool(kHardware, "JoyStick de PC", s.PcJoystick);
    s.MouseType = InRange(ini, kHardware, "Raton", 0, kMouseTypes - 1, s.MouseType);
    s.JoystickType = InRange(ini, kHardware, "JoyStick", 0, kJoystickTypes - 1, s.JoystickType);
    s.ModelIndex = InRange(ini, kHardware, "Modelo Spectrum", 0, kModelCount - 1, s.ModelIndex);

    s.Filter = ini.GetBool(kAudio, "Filtro", s.Filter);
    s.SoundQuality = InRange(ini, kAudio, "Hz", 0, kSoundQualities - 1, s.SoundQuality);
    s.VolumeIndex = InRange(ini, kAudio, "Volumen", 0, kVolumeSteps - 1, s.VolumeIndex);

    s.StartFullScreen = ini.GetBool(kEmulation, "Arrancar pantalla", s.StartFullScreen);
    s.StartRunning = ini.GetBool(kEmulation, "Arrancar encendido", s.StartRunning);
    s.Speed = InRange(ini, kEmulation, "Velocidad", kMinSpeed, kMaxSpeed, s.Speed);
    s.LanguageId = uint32_t(InRange(ini, kEmulation, "Idioma", 0, std::numeric_limits<int>::max(), 0));

    s.WindowLeft = InRange(ini, kWindow, "Izquierda", -kMaxCoordinate, kMaxCoordinate, s.WindowLeft);
    s.WindowTop = InRange(ini, kWindow, "Arriba", -kMaxCoordinate, kMaxCoordinate, s.WindowTop);
    s.WindowWidth = InRange(ini, kWindow, "Ancho", 0, kMaxWindowSize, s.WindowWidth);
    s.WindowHeight = InRange(ini, kWindow, "Alto", 0, kMaxWindowSize, s.WindowHeight);
    s.WindowMaximized = ini.GetBool(kWindow, "Maximizada", s.WindowMaximized);
    s.BrowserWidth = InRange(ini, kWindow, "Navegador ancho", 0, kMaxWindowSize, s.BrowserWidth);
    s.BrowserHeight = InRange(ini, kWindow, "Navegador alto", 0, kMaxWindowSize, s.BrowserHeight);
    return s;
}

void WriteLanguage(uint32_t languageId, IniStore& ini) { ini.SetInt(kEmulation, "Idioma", int(languageId)); }

void WriteSettings(const Settings& s, IniStore& ini) {
    ini.Set(kFiles, "Cargar Snap", s.SnapLoadDir);
    ini.Set(kFiles, "Grabar Snap", s.SnapSaveDir);
    ini.Set(kFiles, "Cargar Cinta", s.TapeLoadDir);
    ini.Set(kFiles, "Cargar Disco", s.DiskLoadDir);
    ini.Set(kFiles, "Grabar Disco", s.DiskSaveDir);
    ini.Set(kFiles, "Cargar Accion", s.RzxDir);
    ini.SetBool(kFiles, "Guardar configuración", s.SaveOnExit);
    ini.Set(kFiles, "IDE8", s.HardDiskImage);
    for (int i = 0; i < int(s.RecentFiles.size()) && i < kMaxRecentFiles; ++i)
        ini.Set(kFiles, RecentKey(i), s.RecentFiles[size_t(i)]);

    ini.SetBool(kTape, "Carga Rápida", s.FastLoad);
    ini.SetBool(kTape, "Auto Play & Stop", s.AutoPlayStop);
    ini.SetBool(kTape, "Auto Rebobinado", s.AutoRewind);

    ini.SetBool(kHardware, "Issue 2", s.Issue2);
    ini.SetBool(kHardware, "AY en 48", s.AyIn48);
    ini.SetBool(kHardware, "Cursor + Mays", s.CursorShift);
    ini.SetBool(kHardware, "Teclado simbolico", s.SymbolKeyboard);
    ini.SetBool(kHardware, "JoyStick de PC", s.PcJoystick);
    ini.SetInt(kHardware, "Raton", s.MouseType);
    ini.SetInt(kHardware, "JoyStick", s.JoystickType);
    ini.SetInt(kHardware, "Modelo Spectrum", s.ModelIndex);

    ini.SetBool(kAudio, "Filtro", s.Filter);
    ini.SetInt(kAudio, "Hz", s.SoundQuality);
    ini.SetInt(kAudio, "Volumen", s.VolumeIndex);

    ini.SetBool(kEmulation, "Arrancar pantalla", s.StartFullScreen);
    ini.SetBool(kEmulation, "Arrancar encendido", s.StartRunning);
    ini.SetInt(kEmulation, "Velocidad", s.Speed);
    WriteLanguage(s.LanguageId, ini);

    ini.SetInt(kWindow, "Izquierda", s.WindowLeft);
    ini.SetInt(kWindow, "Arriba", s.WindowTop);
    ini.SetInt(kWindow, "Ancho", s.WindowWidth);
    ini.SetInt(kWindow, "Alto", s.WindowHeight);
    ini.SetBool(kWindow, "Maximizada", s.WindowMaximized);
    ini.SetInt(kWindow, "Navegador ancho", s.BrowserWidth);
    ini.SetInt(kWindow, "Navegador alto", s.BrowserHeight);
}

}  // namespace tarvolinde

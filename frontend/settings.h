#pragma once
// The emulator's settings: what the options dialog edits and the emulation
// reads, with the defaults of a first run, and their sections and keys in
// "Tarvolinde.ini". Reading takes a value only when it is in range; anything
// else in the file gives the default.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/ini_store.h"

namespace tarvolinde {

inline constexpr int kMaxRecentFiles = 10;
inline constexpr int kMinSpeed = 10;
inline constexpr int kMaxSpeed = 1000;
// How many choices "Raton", "JoyStick" and "Hz" have (the options dialog offers them all).
inline constexpr int kMouseTypes = 4;
inline constexpr int kJoystickTypes = 5;
inline constexpr int kSoundQualities = 4;
inline constexpr const char* kIniFileName = "Tarvolinde.ini";

struct Settings {
    // "Archivos": the last directory of each file dialog, and more.
    std::string SnapLoadDir, SnapSaveDir, TapeLoadDir, DiskLoadDir, DiskSaveDir, RzxDir;
    bool SaveOnExit = true;            // "Guardar configuración"
    std::string HardDiskImage;         // "IDE8"
    std::vector<std::string> RecentFiles;  // "Reciente 0" (newest) to "Reciente 9"

    // "Cinta"
    bool FastLoad = true;              // "Carga Rápida"
    bool AutoPlayStop = true;          // "Auto Play & Stop"
    bool AutoRewind = true;            // "Auto Rebobinado"

    // "Hardware"
    bool Issue2 = false;               // "Issue 2"
    bool AyIn48 = true;                // "AY en 48"
    bool CursorShift = false;          // "Cursor + Mays"
    bool SymbolKeyboard = true;        // "Teclado simbólico"
    bool PcJoystick = false;           // "JoyStick de PC"
    int MouseType = 0;                 // "Raton": 0 "Nada" .. 3 "Kempston"
    int JoystickType = 0;              // "JoyStick": 0 "Cursor/Protek/AGF" .. 4 "Kempston"
    int ModelIndex = 1;                // "Modelo Spectrum": 1 = "48 Kb"

    // "Audio"
    bool Filter = false;               // "Filtro"
    int SoundQuality = 2;              // "Hz": 0 none, 11025, 22050, 44100 Hz
    int VolumeIndex = 6;               // "Volumen": "10 %" .. "100 %"

    // "Emulacion"
    bool StartFullScreen = false;      // "Arrancar pantalla"
    bool StartRunning = false;         // "Arrancar encendido"
    int Speed = 100;                   // "Velocidad", percent
    uint32_t LanguageId = 0;           // "Idioma": 0 = none chosen yet

    // "Ventana": where the main window and the tape browser were last; a width
    // of 0 means none was kept, and the window opens at its own size.
    int WindowLeft = 0, WindowTop = 0, WindowWidth = 0, WindowHeight = 0;
    bool WindowMaximized = false;
    int BrowserWidth = 0, BrowserHeight = 0;

    // Kept for the run only.
    bool StretchPicture = true;        // "Estirar la imagen"
    bool ChooseVideoMode = false;      // "Elegir modo de video"
    std::string VideoMode = "640 x 480";
    bool SoftwareScaling = false;      // "Escalar por software"

    // The defaults of a first run; the directories start at the program's own.
    static Settings Defaults(const std::string& programDir);
};

// The settings a file holds, the defaults where it holds nothing usable.
Settings ReadSettings(const IniStore& ini, const std::string& programDir);

// Puts the language choice alone into the store ("Idioma").
void WriteLanguage(uint32_t languageId, IniStore& ini);

// Puts every persisted setting into the store. Recent-file keys beyond the
// current list are left as they are.
void WriteSettings(const Settings& settings, IniStore& ini);

}  // namespace tarvolinde

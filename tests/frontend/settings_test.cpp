#include "frontend/settings.h"

#include <gtest/gtest.h>

namespace tarvolinde {
namespace {

const std::string kProgramDir = "/opt/tarvolinde/";

std::string Written(const Settings& settings) {
    IniStore ini;
    WriteSettings(settings, ini);
    return ini.Write();
}

TEST(SettingsTest, AFirstRunOrValuesOutOfRangeGiveTheDefaults) {
    const std::string defaults = Written(Settings::Defaults(kProgramDir));
    EXPECT_EQ(Written(ReadSettings(IniStore{}, kProgramDir)), defaults);
    EXPECT_EQ(ReadSettings(IniStore{}, kProgramDir).RzxDir, kProgramDir);
    const IniStore outOfRange = IniStore::Parse("[Hardware]\nModelo Spectrum=18\nRaton=4\nJoyStick=-1\n"
                                                "[Audio]\nHz=4\nVolumen=7\n[Emulacion]\nVelocidad=9\nIdioma=-5\n");
    EXPECT_EQ(Written(ReadSettings(outOfRange, kProgramDir)), defaults);

    const Settings edges = ReadSettings(
        IniStore::Parse("[Hardware]\nModelo Spectrum=0\n[Emulacion]\nVelocidad=1000\n[Audio]\nHz=3\nVolumen=0\n"),
        kProgramDir);
    EXPECT_TRUE(edges.ModelIndex == 0 && edges.Speed == 1000 && edges.SoundQuality == 3 && edges.VolumeIndex == 0);
}

TEST(SettingsTest, EverySettingComesBackFromTheFileUnderItsSpanishKey) {
    Settings s = Settings::Defaults(kProgramDir);
    s.SnapLoadDir = "/juegos/snaps/", s.SnapSaveDir = "/juegos/grabados/", s.TapeLoadDir = "/juegos/cintas/";
    s.DiskLoadDir = "/juegos/discos/", s.DiskSaveDir = "/juegos/discos nuevos/", s.RzxDir = "/juegos/acciones/";
    s.HardDiskImage = "/discos/duro.hdf", s.RecentFiles = {"/juegos/uno.tap", "/juegos/dos.z80"};
    s.SaveOnExit = s.FastLoad = s.AutoPlayStop = s.AutoRewind = s.AyIn48 = false;
    s.Issue2 = s.CursorShift = s.PcJoystick = s.Filter = s.StartFullScreen = s.StartRunning = true;
    s.MouseType = 3, s.JoystickType = 4, s.ModelIndex = 17, s.SoundQuality = 0, s.VolumeIndex = 2;
    s.Speed = 250, s.LanguageId = 2057;
    const std::string text = Written(s);
    for (const char* line : {"[Archivos]", "Guardar configuración=0", "Reciente 1=/juegos/dos.z80", "[Cinta]",
                             "Carga Rápida=0", "Auto Play & Stop=0", "Auto Rebobinado=0", "[Hardware]",
                             "AY en 48=0", "Cursor + Mays=1", "JoyStick de PC=1", "Raton=3", "JoyStick=4",
                             "Modelo Spectrum=17", "[Audio]", "Filtro=1", "Hz=0", "Volumen=2", "[Emulacion]",
                             "Arrancar pantalla=1", "Arrancar encendido=1", "Velocidad=250", "Idioma=2057",
                             "Grabar Disco=/juegos/discos nuevos/", "IDE8=/discos/duro.hdf"})
        EXPECT_NE(text.find(std::string(line) + "\n"), std::string::npos) << line;
    // Read back elsewhere and written again, every value is where it was.
    EXPECT_EQ(Written(ReadSettings(IniStore::Parse(text), "/otro/")), text);
}

TEST(SettingsTest, RecentFilesBeyondTheListAreLeftInTheFileAndGapsAreClosedUp) {
    IniStore ini = IniStore::Parse("[Archivos]\nReciente 0=a.tap\nReciente 1=b.tap\nReciente 2=c.tap\n; mis juegos\n");
    Settings s = ReadSettings(ini, kProgramDir);
    EXPECT_EQ(s.RecentFiles, (std::vector<std::string>{"a.tap", "b.tap", "c.tap"}));
    s.RecentFiles = {"nuevo.z80", "a.tap"};
    WriteSettings(s, ini);
    for (const auto& [key, value] : {std::pair{"Reciente 0", "nuevo.z80"}, {"Reciente 1", "a.tap"}, {"Reciente 2", "c.tap"}})
        EXPECT_EQ(ini.Get("Archivos", key), value);
    EXPECT_NE(ini.Write().find("; mis juegos\n"), std::string::npos);
    const IniStore gaps = IniStore::Parse("[Archivos]\nReciente 2=x.sna\nReciente 0=y.tap\nReciente 10=z.tap\n");
    EXPECT_EQ(ReadSettings(gaps, kProgramDir).RecentFiles, (std::vector<std::string>{"y.tap", "x.sna"}));
}

}  // namespace
}  // namespace tarvolinde

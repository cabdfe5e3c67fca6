#include "frontend/settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "frontend/ini_file.h"

namespace tarvolinde {
namespace {

const std::string kProgramDir = "/opt/tarvolinde/";

TEST(SettingsTest, AFirstRunStartsWithTheDefaults) {
    const Settings s = ReadSettings(IniStore{}, kProgramDir);
    EXPECT_EQ(s.ModelIndex, 1);
    EXPECT_EQ(s.SoundQuality, 2);
    EXPECT_EQ(s.VolumeIndex, 6);
    EXPECT_EQ(s.Speed, 100);
    EXPECT_TRUE(s.FastLoad);
    EXPECT_TRUE(s.AutoPlayStop);
    EXPECT_TRUE(s.AutoRewind);
    EXPECT_TRUE(s.SaveOnExit);
    EXPECT_TRUE(s.AyIn48);
    EXPECT_FALSE(s.Issue2 || s.CursorShift || s.PcJoystick || s.Filter || s.StartFullScreen || s.StartRunning);
    EXPECT_EQ(s.MouseType, 0);
    EXPECT_EQ(s.JoystickType, 0);
    EXPECT_EQ(s.LanguageId, 0u);
    EXPECT_EQ(s.SnapLoadDir, kProgramDir);
    EXPECT_EQ(s.RzxDir, kProgramDir);
    EXPECT_TRUE(s.HardDiskImage.empty());
    EXPECT_TRUE(s.RecentFiles.empty());
}

TEST(SettingsTest, EverySettingComesBackFromTheFileUnderItsSpanishKey) {
    Settings s = Settings::Defaults(kProgramDir);
    s.SnapLoadDir = "/juegos/snaps/";
    s.SnapSaveDir = "/juegos/grabados/";
    s.TapeLoadDir = "/juegos/cintas/";
    s.DiskLoadDir = "/juegos/discos/";
    s.DiskSaveDir = "/juegos/discos nuevos/";
    s.RzxDir = "/juegos/acciones/";
    s.SaveOnExit = false;
    s.HardDiskImage = "/discos/duro.hdf";
    s.RecentFiles = {"/juegos/uno.tap", "/juegos/dos.z80"};
    s.FastLoad = s.AutoPlayStop = s.AutoRewind = false;
    s.Issue2 = s.CursorShift = s.PcJoystick = true;
    s.AyIn48 = false;
    s.MouseType = 3;
    s.JoystickType = 4;
    s.ModelIndex = 17;
    s.Filter = true;
    s.SoundQuality = 0;
    s.VolumeIndex = 2;
    s.StartFullScreen = s.StartRunning = true;
    s.Speed = 250;
    s.LanguageId = 2057;

    IniStore ini;
    WriteSettings(s, ini);
    const std::string text = ini.Write();
    for (const char* line : {"[Archivos]", "Guardar configuración=0", "Reciente 1=/juegos/dos.z80", "[Cinta]",
                             "Carga Rápida=0", "Auto Play & Stop=0", "Auto Rebobinado=0", "[Hardware]",
                             "AY en 48=0", "Cursor + Mays=1", "JoyStick de PC=1", "Raton=3", "JoyStick=4",
                             "Modelo Spectrum=17", "[Audio]", "Filtro=1", "Hz=0", "Volumen=2", "[Emulacion]",
                             "Arrancar pantalla=1", "Arrancar encendido=1", "Velocidad=250", "Idioma=2057",
                             "Grabar Disco=/juegos/discos nuevos/", "IDE8=/discos/duro.hdf"})
        EXPECT_NE(text.find(std::string(line) + "\n"), std::string::npos) << line;

    const Settings back = ReadSettings(IniStore::Parse(text), "/otro/");
    EXPECT_EQ(back.SnapLoadDir, s.SnapLoadDir);
    EXPECT_EQ(back.SnapSaveDir, s.SnapSaveDir);
    EXPECT_EQ(back.TapeLoadDir, s.TapeLoadDir);
    EXPECT_EQ(back.DiskLoadDir, s.DiskLoadDir);
    EXPECT_EQ(back.DiskSaveDir, s.DiskSaveDir);
    EXPECT_EQ(back.RzxDir, s.RzxDir);
    EXPECT_EQ(back.SaveOnExit, s.SaveOnExit);
    EXPECT_EQ(back.HardDiskImage, s.HardDiskImage);
    EXPECT_EQ(back.RecentFiles, s.RecentFiles);
    EXPECT_EQ(back.FastLoad, s.FastLoad);
    EXPECT_EQ(back.AutoPlayStop, s.AutoPlayStop);
    EXPECT_EQ(back.AutoRewind, s.AutoRewind);
    EXPECT_EQ(back.Issue2, s.Issue2);
    EXPECT_EQ(back.AyIn48, s.AyIn48);
    EXPECT_EQ(back.CursorShift, s.CursorShift);
    EXPECT_EQ(back.PcJoystick, s.PcJoystick);
    EXPECT_EQ(back.MouseType, s.MouseType);
    EXPECT_EQ(back.JoystickType, s.JoystickType);
    EXPECT_EQ(back.ModelIndex, s.ModelIndex);
    EXPECT_EQ(back.Filter, s.Filter);
    EXPECT_EQ(back.SoundQuality, s.SoundQuality);
    EXPECT_EQ(back.VolumeIndex, s.VolumeIndex);
    EXPECT_EQ(back.StartFullScreen, s.StartFullScreen);
    EXPECT_EQ(back.StartRunning, s.StartRunning);
    EXPECT_EQ(back.Speed, s.Speed);
    EXPECT_EQ(back.LanguageId, s.LanguageId);
}

TEST(SettingsTest, ValuesOutOfRangeGiveTheDefaults) {
    const Settings s = ReadSettings(IniStore::Parse("[Hardware]\nModelo Spectrum=18\nRaton=4\nJoyStick=-1\n"
                                                    "[Audio]\nHz=4\nVolumen=7\n"
                                                    "[Emulacion]\nVelocidad=9\nIdioma=-5\n"),
                                    kProgramDir);
    EXPECT_EQ(s.ModelIndex, 1);
    EXPECT_EQ(s.MouseType, 0);
    EXPECT_EQ(s.JoystickType, 0);
    EXPECT_EQ(s.SoundQuality, 2);
    EXPECT_EQ(s.VolumeIndex, 6);
    EXPECT_EQ(s.Speed, 100);
    EXPECT_EQ(s.LanguageId, 0u);

    const Settings edges = ReadSettings(IniStore::Parse("[Hardware]\nModelo Spectrum=0\n[Emulacion]\n"
                                                        "Velocidad=1000\n[Audio]\nHz=3\nVolumen=0\n"),
                                        kProgramDir);
    EXPECT_EQ(edges.ModelIndex, 0);
    EXPECT_EQ(edges.Speed, 1000);
    EXPECT_EQ(edges.SoundQuality, 3);
    EXPECT_EQ(edges.VolumeIndex, 0);
}

TEST(SettingsTest, RecentFilesBeyondTheListAreLeftInTheFile) {
    IniStore ini = IniStore::Parse("[Archivos]\nReciente 0=a.tap\nReciente 1=b.tap\nReciente 2=c.tap\n"
                                   "Reciente 3=d.tap\n; mis juegos\n");
    Settings s = ReadSettings(ini, kProgramDir);
    EXPECT_EQ(s.RecentFiles, (std::vector<std::string>{"a.tap", "b.tap", "c.tap", "d.tap"}));
    s.RecentFiles = {"nuevo.z80", "a.tap"};
    WriteSettings(s, ini);
    EXPECT_EQ(ini.Get("Archivos", "Reciente 0"), "nuevo.z80");
    EXPECT_EQ(ini.Get("Archivos", "Reciente 1"), "a.tap");
    EXPECT_EQ(ini.Get("Archivos", "Reciente 2"), "c.tap");
    EXPECT_EQ(ini.Get("Archivos", "Reciente 3"), "d.tap");
    EXPECT_NE(ini.Write().find("; mis juegos\n"), std::string::npos);

    // Gaps in the numbering are closed up, newest first.
    const Settings gaps = ReadSettings(IniStore::Parse("[Archivos]\nReciente 2=x.sna\nReciente 0=y.tap\n"
                                                       "Reciente 10=z.tap\n"),
                                       kProgramDir);
    EXPECT_EQ(gaps.RecentFiles, (std::vector<std::string>{"y.tap", "x.sna"}));
}

TEST(SettingsTest, TheFileOnDiskRoundTrips) {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("tarvolinde-settings-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const std::filesystem::path path = dir / kIniFileName;

    EXPECT_TRUE(LoadIniFile(path).Sections().empty());  // missing: nothing, no error
    IniStore ini;
    ini.SetInt("Emulacion", "Velocidad", 150);
    ASSERT_TRUE(SaveIniFile(path, ini));
    EXPECT_EQ(LoadIniFile(path).GetInt("Emulacion", "Velocidad", 0), 150);
    EXPECT_FALSE(std::filesystem::exists(dir / "Tarvolinde.ini.new"));
    EXPECT_FALSE(SaveIniFile(dir / "no existe" / kIniFileName, ini));
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace tarvolinde

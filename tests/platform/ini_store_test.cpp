#include "platform/ini_store.h"

#include <gtest/gtest.h>

namespace tarvolinde {
namespace {

// Keys are found whatever their ASCII case (other letters exactly); a set value
// replaces the old one in place, new keys and sections go at the end, all else is
// written back unchanged; values read back as set, line breaks adding nothing.
TEST(IniStoreTest, RoundTripChangesOnlyWhatWasSet) {
    const std::string text = "; Tarvolinde\r\n[Archivos]\r\nGuardar configuración=1\r\n\r\n[Cinta]\r\nCarga Rápida=0";
    IniStore ini = IniStore::Parse(text);
    EXPECT_EQ(ini.Write(), text + "\r\n");
    EXPECT_TRUE(ini.Get("ARCHIVOS", "guardar CONFIGURACIóN") == "1" && !ini.Get("Archivos", "Guardar configuraciÓn"));
    ini.SetBool("archivos", "GUARDAR configuración", false);
    ini.Set("Archivos", "IDE8", "/discos/hd.hdf");
    ini.SetInt("Hardware", "Raton", 3);
    EXPECT_EQ(ini.Write(), "; Tarvolinde\r\n[Archivos]\r\nGuardar configuración=0\r\nIDE8=/discos/hd.hdf\r\n\r\n"
                           "[Cinta]\r\nCarga Rápida=0\r\n\r\n[Hardware]\r\nRaton=3\r\n");

    IniStore written;
    for (const std::string value : {"  con blancos ", "\"entre comillas\"", "C:\\Juegos\\Año", "x; y", ""}) {
        written.Set("B", "Clave", value);
        EXPECT_EQ(IniStore::Parse(written.Write()).Get("B", "Clave"), value);
    }
    written.Set("B", "Reciente", "juego.tap\n[Hardware]\nModelo Spectrum=9");
    EXPECT_EQ(IniStore::Parse(written.Write()).Keys("B"), (std::vector<std::string>{"Clave", "Reciente"}));
}

// A damaged file never fails: odd lines are kept and ignored, the first of a
// repeated section or key counts, and values that are not whole numbers fall back.
TEST(IniStoreTest, DamagedLinesAreKeptAndIgnored) {
    const std::string text = "\xEF\xBB\xBF" "suelta=1\n[Audio\nHz=3\nHz=1\nsin igual\n=sin clave\n"
                             "[ Audio ]\nVolumen=5\n[N]\n  a  =  -3  \nb=\"12abc\nc=99999999999\nd=0\n";
    IniStore ini = IniStore::Parse(text);
    EXPECT_EQ(ini.Write(), text.substr(3));  // all but the byte-order mark
    EXPECT_EQ(ini.Get("audio", "Hz"), "3");
    EXPECT_FALSE(ini.Get("Audio", "Volumen") || ini.Get("", "suelta"));
    EXPECT_EQ(ini.GetInt("N", "a", 7), -3);
    for (const char* key : {"b", "c", "falta"}) EXPECT_EQ(ini.GetInt("N", key, 7), 7) << key;
    EXPECT_TRUE(!ini.GetBool("N", "d", true) && ini.GetBool("N", "b", true));
}

}  // namespace
}  // namespace tarvolinde

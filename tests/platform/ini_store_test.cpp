#include "platform/ini_store.h"

#include <gtest/gtest.h>

namespace tarvolinde {
namespace {

constexpr const char* kSettingsText =
    "; Tarvolinde\n"
    "[Archivos]\n"
    "Cargar Snap=/home/ana/juegos/\n"
    "Guardar configuración=1\n"
    "\n"
    "[Cinta]\n"
    "Carga Rápida=0\n"
    "Auto Play & Stop=1\n";

TEST(IniStoreTest, RewritesTheTextItReadUnchanged) {
    EXPECT_EQ(IniStore::Parse(kSettingsText).Write(), kSettingsText);

    const std::string windowsText = "[Audio]\r\nHz=2\r\n\r\n; nota\r\n[Emulacion]\r\nVelocidad=100\r\n";
    EXPECT_EQ(IniStore::Parse(windowsText).Write(), windowsText);

    // A missing last line end is added; nothing else changes.
    EXPECT_EQ(IniStore::Parse("[Audio]\nHz=2").Write(), "[Audio]\nHz=2\n");
    EXPECT_EQ(IniStore::Parse("").Write(), "");
}

TEST(IniStoreTest, FindsSpanishKeysAsWrittenAndFoldsOnlyAsciiCase) {
    const IniStore ini = IniStore::Parse(kSettingsText);
    EXPECT_EQ(ini.Get("Archivos", "Guardar configuración"), "1");
    EXPECT_EQ(ini.Get("ARCHIVOS", "guardar CONFIGURACIóN"), "1");
    // Letters outside ASCII are compared exactly.
    EXPECT_EQ(ini.Get("Archivos", "Guardar configuraciÓn"), std::nullopt);
    EXPECT_EQ(ini.Get("Cinta", "Carga Rapida"), std::nullopt);
    EXPECT_EQ(ini.Get("Cinta", "Auto Play & Stop"), "1");
    EXPECT_EQ(ini.Get("Hardware", "Raton"), std::nullopt);
    EXPECT_EQ(ini.Sections(), (std::vector<std::string>{"Archivos", "Cinta"}));
    EXPECT_EQ(ini.Keys("cinta"), (std::vector<std::string>{"Carga Rápida", "Auto Play & Stop"}));
}

TEST(IniStoreTest, SetChangesValuesInPlaceAndAddsKeysAndSectionsAtTheEnd) {
    IniStore ini = IniStore::Parse(kSettingsText);
    ini.SetBool("archivos", "GUARDAR configuración", false);  // keeps the file's spelling
    ini.Set("Archivos", "IDE8", "/discos/hd.hdf");           // after the last key, before the blank line
    ini.SetInt("Hardware", "Modelo Spectrum", 4);            // a new section
    ini.SetInt("Hardware", "Raton", 3);
    EXPECT_EQ(ini.Write(),
              "; Tarvolinde\n"
              "[Archivos]\n"
              "Cargar Snap=/home/ana/juegos/\n"
              "Guardar configuración=0\n"
              "IDE8=/discos/hd.hdf\n"
              "\n"
              "[Cinta]\n"
              "Carga Rápida=0\n"
              "Auto Play & Stop=1\n"
              "\n"
              "[Hardware]\n"
              "Modelo Spectrum=4\n"
              "Raton=3\n");

    IniStore fresh;
    fresh.SetBool("Archivos", "Guardar configuración", true);
    fresh.SetBool("Cinta", "Carga Rápida", true);
    EXPECT_EQ(fresh.Write(), "[Archivos]\nGuardar configuración=1\n\n[Cinta]\nCarga Rápida=1\n");
}

TEST(IniStoreTest, ValuesLoseOuterBlanksAndQuotesAndComeBackAsSet) {
    const IniStore ini = IniStore::Parse(
        "[A]\n"
        "  Clave con blancos  =  valor con blancos  \n"
        "Comillas=\"  dentro  \"\n"
        "Simples='x'\n"
        "Media=\"abierta\n"
        "Vacia=\n"
        "Igual=a=b\n");
    EXPECT_EQ(ini.Get("A", "Clave con blancos"), "valor con blancos");
    EXPECT_EQ(ini.Get("A", "Comillas"), "  dentro  ");
    EXPECT_EQ(ini.Get("A", "Simples"), "x");
    EXPECT_EQ(ini.Get("A", "Media"), "\"abierta");
    EXPECT_EQ(ini.Get("A", "Vacia"), "");
    EXPECT_EQ(ini.Get("A", "Igual"), "a=b");

    IniStore written;
    for (const std::string value : {"  con blancos ", "\"entre comillas\"", "C:\\Juegos\\Año", "x; y", ""}) {
        written.Set("B", "Clave", value);
        EXPECT_EQ(IniStore::Parse(written.Write()).Get("B", "Clave"), value);
    }
}

TEST(IniStoreTest, ALineBreakInAValueCannotAddKeysOrSections) {
    IniStore ini;
    ini.Set("Archivos", "Reciente 0", "juego.tap\n[Hardware]\nModelo Spectrum=9");
    const IniStore reread = IniStore::Parse(ini.Write());
    EXPECT_EQ(reread.Sections(), std::vector<std::string>{"Archivos"});
    EXPECT_EQ(reread.Keys("Archivos"), std::vector<std::string>{"Reciente 0"});
}

TEST(IniStoreTest, OddLinesAreKeptAndIgnored) {
    const std::string text =
        "\xEF\xBB\xBF"  // byte-order mark
        "suelta=1\n"    // before any section
        "[Audio\n"      // no closing bracket
        "Hz=3\n"
        "Hz=1\n"        // a repeated key: the first counts
        "sin igual\n"
        "=sin clave\n"
        ";Volumen=2\n"
        "[ Audio ]\n"   // a repeated section: the first counts
        "Volumen=5\n"
        "[]\n"
        "x=1\n";
    IniStore ini = IniStore::Parse(text);
    EXPECT_EQ(ini.Get("Audio", "Hz"), "3");
    EXPECT_EQ(ini.Get("Audio", "Volumen"), std::nullopt);
    EXPECT_EQ(ini.Get("Audio", ";Volumen"), std::nullopt);
    EXPECT_EQ(ini.Get("Audio", "sin igual"), std::nullopt);
    EXPECT_EQ(ini.Get("", "suelta"), std::nullopt);
    EXPECT_EQ(ini.Get("", "x"), "1");
    EXPECT_EQ(ini.Sections(), (std::vector<std::string>{"Audio", "Audio", ""}));
    // Everything but the byte-order mark is written back.
    EXPECT_EQ(ini.Write(), text.substr(3));

    ini.SetInt("AUDIO", "hz", 2);
    EXPECT_EQ(ini.Get("Audio", "Hz"), "2");
    EXPECT_NE(ini.Write().find("Hz=2\nHz=1\n"), std::string::npos);
}

TEST(IniStoreTest, NumbersAndFlagsFallBackWhenNotWholeNumbers) {
    const IniStore ini = IniStore::Parse(
        "[N]\nmas=+5\nmenos=-3\nbasura=12abc\nvacio=\nletras=si\nenorme=99999999999\ncero=0\ndos=2\n");
    EXPECT_EQ(ini.GetInt("N", "mas", 7), 5);
    EXPECT_EQ(ini.GetInt("N", "menos", 7), -3);
    EXPECT_EQ(ini.GetInt("N", "basura", 7), 7);
    EXPECT_EQ(ini.GetInt("N", "vacio", 7), 7);
    EXPECT_EQ(ini.GetInt("N", "enorme", 7), 7);
    EXPECT_EQ(ini.GetInt("N", "falta", 7), 7);
    EXPECT_FALSE(ini.GetBool("N", "cero", true));
    EXPECT_TRUE(ini.GetBool("N", "dos", false));
    EXPECT_TRUE(ini.GetBool("N", "letras", true));
    EXPECT_FALSE(ini.GetBool("N", "letras", false));
    EXPECT_EQ(ini.GetString("N", "falta", "defecto"), "defecto");
}

}  // namespace
}  // namespace tarvolinde

#pragma once
// The interface language: Spanish is built in; English, French and Catalan
// come from the program's translation files (tarvolinde_<code>.qm), and Qt's
// own dialogs and buttons from Qt's translations (qtbase_<code>.qm). Languages
// are known by their Windows locale numbers, as the settings file keeps them.

#include <QLocale>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <optional>

class QTranslator;

namespace tarvolinde {

inline constexpr uint32_t kSpanishLanguage = 3082;  // 0x0C0A
inline constexpr uint32_t kEnglishLanguage = 2057;  // 0x0809
inline constexpr uint32_t kFrenchLanguage = 1036;   // 0x040C
inline constexpr uint32_t kCatalanLanguage = 1027;  // 0x0403

// "es", "en", "fr" or "ca"; empty for a locale number the program has no language for.
QString LanguageCodeOf(uint32_t localeId);

// The language to apply at start-up: the saved choice, else the system's own
// when it is Spanish, English or French; nothing when the user must be asked.
// The C locale asks for untranslated text, which is the Spanish.
std::optional<uint32_t> StartupLanguage(uint32_t saved, const QLocale& system);

// Where translation files are looked for: beside the executable (the build
// tree), then the installed share/tarvolinde/translations.
QStringList TranslationDirs(const QString& executableDir);

// Owns the installed translators; installing them sends every widget a
// QEvent::LanguageChange.
class LanguageSwitch {
public:
    explicit LanguageSwitch(QStringList dirs);
    ~LanguageSwitch();
    LanguageSwitch(const LanguageSwitch&) = delete;
    LanguageSwitch& operator=(const LanguageSwitch&) = delete;

    // Puts the interface in that language. False, with nothing changed, when
    // the number names no language or its translation file is missing.
    bool Apply(uint32_t localeId);
    void SetDirs(QStringList dirs) { dirs_ = std::move(dirs); }

private:
    QStringList dirs_;
    std::unique_ptr<QTranslator> program_;
    std::unique_ptr<QTranslator> qt_;
};

}  // namespace tarvolinde

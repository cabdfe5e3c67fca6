#include "frontend/language.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>
#include <array>

namespace tarvolinde {

namespace {

struct Language {
    uint32_t LocaleId;
    const char* Code;
};

constexpr std::array<Language, 4> kLanguages{{
    {kSpanishLanguage, "es"},
    {kEnglishLanguage, "en"},
    {kFrenchLanguage, "fr"},
    {kCatalanLanguage, "ca"},
}};

}  // namespace

QString LanguageCodeOf(uint32_t localeId) {
    for (const Language& language : kLanguages)
        if (language.LocaleId == localeId) return language.Code;
    return {};
}

std::optional<uint32_t> StartupLanguage(uint32_t saved, const QLocale& system) {
    if (saved != 0) return saved;
    switch (system.language()) {
    case QLocale::C:
    case QLocale::Spanish: return kSpanishLanguage;
    case QLocale::English: return kEnglishLanguage;
    case QLocale::French: return kFrenchLanguage;
    default: return std::nullopt;
    }
}

QStringList TranslationDirs(const QString& executableDir) {
    return {executableDir, QDir(executableDir).filePath("../share/tarvolinde/translations")};
}

LanguageSwitch::LanguageSwitch(QStringList dirs) : dirs_(std::move(dirs)) {}

LanguageSwitch::~LanguageSwitch() {
    if (program_) QCoreApplication::removeTranslator(program_.get());
    if (qt_) QCoreApplication::removeTranslator(qt_.get());
}

bool LanguageSwitch::Apply(uint32_t localeId) {
    const QString code = LanguageCodeOf(localeId);
    if (code.isEmpty()) return false;
    // Spanish is the program's own text: only Qt's part needs translating.
    auto program = std::make_unique<QTranslator>();
    if (code != "es") {
        bool found = false;
        for (const QString& dir : dirs_)
            if ((found = program->load("tarvolinde_" + code, dir))) break;
        if (!found) return false;
    }
    auto qt = std::make_unique<QTranslator>();
    if (!qt->load("qtbase_" + code, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) qt.reset();

    if (program_) QCoreApplication::removeTranslator(program_.get());
    if (qt_) QCoreApplication::removeTranslator(qt_.get());
    program_ = code == "es" ? nullptr : std::move(program);
    qt_ = std::move(qt);
    if (program_) QCoreApplication::installTranslator(program_.get());
    if (qt_) QCoreApplication::installTranslator(qt_.get());
    return true;
}

}  // namespace tarvolinde

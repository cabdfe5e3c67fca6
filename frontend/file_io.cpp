#include "frontend/file_io.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "frontend/messages.h"

namespace tarvolinde {

QString FromUtf8(const std::string& text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

std::string ToUtf8(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    return {bytes.constData(), size_t(bytes.size())};
}

QString LoadFailureText(const char* message, const std::string& path, FileProblem problem) {
    return QString("%1\n%2: %3").arg(Translated(message), FromUtf8(path), Translated(ProblemText(problem)));
}

std::optional<QString> WriteWholeFile(const std::string& path, std::span<const uint8_t> bytes) {
    QSaveFile file(FromUtf8(path));
    if (!file.open(QIODevice::WriteOnly)) return file.errorString();
    if (file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size())) != qint64(bytes.size()))
        return file.errorString();
    if (!file.commit()) return file.errorString();
    return std::nullopt;
}

std::string DirectoryOf(const std::string& path) {
    QString dir = QFileInfo(FromUtf8(path)).absolutePath();
    if (!dir.endsWith('/')) dir += '/';
    return ToUtf8(dir);
}

std::string FileNameOf(const std::string& path) { return ToUtf8(QFileInfo(FromUtf8(path)).fileName()); }

std::string ExtensionKind(const std::string& path) {
    const QString name = FromUtf8(path);
    return ToUtf8(name.right(3).toUpper());
}

}  // namespace tarvolinde

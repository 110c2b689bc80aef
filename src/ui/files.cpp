#include "ui/files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace ui {

namespace {

// Installed defaults live in <prefix>/share/tirelix beside <prefix>/bin/tirelix.
QString installedDefaultsFolder() {
    return QDir(QCoreApplication::applicationDirPath())
        .absoluteFilePath(QStringLiteral("../share/tirelix"));
}

bool folderWritable(const QString& folder) {
    const QFileInfo info(folder);
    return info.isDir() && info.isWritable();
}

void seedFrom(const QString& defaults, const QString& target) {
    QDir().mkpath(target);
    const QDir source(defaults);
    for (const QString& name : source.entryList(QDir::Files)) {
        const QString destination = QDir(target).filePath(name);
        if (!QFileInfo::exists(destination))
            QFile::copy(source.filePath(name), destination);
    }
}

} // namespace

QString ProgramFolder() {
    const QString own = QCoreApplication::applicationDirPath();
    if (folderWritable(own))
        return own;
    const QString perUser = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    seedFrom(installedDefaultsFolder(), perUser);
    return perUser;
}

std::optional<std::string> ReadWholeFile(const QString& path, qint64 maxBytes) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    if (file.size() > maxBytes)
        return std::nullopt;
    const QByteArray bytes = file.read(maxBytes + 1);
    if (bytes.size() > maxBytes || file.error() != QFile::NoError)
        return std::nullopt;
    return bytes.toStdString();
}

bool WriteFileAtomically(const QString& path, std::string_view bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size())) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace ui

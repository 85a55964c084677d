#include "desktop/file_names.h"

#include <dirent.h>
#include <sys/stat.h>

#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>
#include <memory>

std::string SystemPath(const QString& path) {
    const QByteArray encoded = QFile::encodeName(path);
    std::string bytes(encoded.constData(), static_cast<std::size_t>(encoded.size()));
    struct stat entry {};
    if (!path.contains(QChar::ReplacementCharacter) || ::stat(bytes.c_str(), &entry) == 0)
        return bytes;
    const QFileInfo shown(path);
    // The folder may have such a name too.
    const std::string folder = SystemPath(shown.absolutePath());
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), ::closedir);
    if (!dir) return bytes;
    while (const dirent* item = ::readdir(dir.get())) {
        if (QFile::decodeName(item->d_name) == shown.fileName())
            return (folder == "/" ? folder : folder + '/') + item->d_name;
    }
    return bytes;
}

std::string DroppedFile(const QMimeData& data) {
    for (const QUrl& url : data.urls()) {
        if (!url.isLocalFile()) continue;
        // The address keeps the name's bytes, escaped.
        return QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1())
            .toStdString();
    }
    return {};
}

QString ShownPath(const std::string& path) {
    return QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size())));
}

#include "PluginFolder.h"

#include <QFile>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <string_view>
#include <sys/stat.h>

namespace pluginfolder {

namespace {

constexpr std::string_view kLibrarySuffix = ".so";

bool isCandidateName(std::string_view name)
{
    return name.size() >= kLibrarySuffix.size() && name.substr(name.size() - kLibrarySuffix.size()) == kLibrarySuffix;
}

bool statPath(const QString &path, struct stat &info)
{
    return ::stat(QFile::encodeName(path).constData(), &info) == 0;
}

struct DirCloser {
    void operator()(DIR *dir) const { closedir(dir); }
};

} // namespace

std::optional<Listing> list(const QString &folder)
{
    const QByteArray nativeFolder = QFile::encodeName(folder);
    const std::unique_ptr<DIR, DirCloser> dir(opendir(nativeFolder.constData()));
    if (!dir)
        return std::nullopt;
    struct stat self {};
    if (fstat(dirfd(dir.get()), &self) != 0)
        return std::nullopt;

    Listing listing{{self.st_dev, self.st_ino}, {}};
    while (const dirent *entry = readdir(dir.get())) {
        const std::string_view name(entry->d_name);
        if (name == "." || name == "..")
            continue;
        const QString decoded = QFile::decodeName(entry->d_name);
        if (QFile::encodeName(decoded) != QByteArray(name.data(), qsizetype(name.size())))
            continue; // the stored path would name another file, or none
        if (isCandidateName(name)) {
            listing.entries.push_back({decoded, EntryKind::Candidate});
            continue;
        }
        struct stat info {};
        if (fstatat(dirfd(dir.get()), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(info.st_mode)
            && name.front() != '.')
            listing.entries.push_back({decoded, EntryKind::SubFolder});
    }
    return listing;
}

bool fileExists(const QString &path)
{
    struct stat info {};
    return statPath(path, info) && !S_ISDIR(info.st_mode);
}

bool isRegularFile(const QString &path)
{
    struct stat info {};
    return statPath(path, info) && S_ISREG(info.st_mode);
}

} // namespace pluginfolder

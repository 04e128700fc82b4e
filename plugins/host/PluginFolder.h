#pragma once
// What the host sees of a plug-in folder: its entries in the order the file system lists them, each
// either a sub-folder or a candidate library, and the few file tests the host needs.

#include <QString>
#include <optional>
#include <sys/types.h>
#include <vector>

namespace pluginfolder {

enum class EntryKind { SubFolder, Candidate };

struct Entry {
    QString name;
    EntryKind kind;
};

// Identifies a directory on its device, so that a scan notices when it comes round to a folder it is
// already inside (a bind mount can make a real directory its own descendant).
struct FolderId {
    dev_t device;
    ino_t inode;
    bool operator==(const FolderId &) const = default;
};

struct Listing {
    FolderId id;
    std::vector<Entry> entries;
};

// The sub-folders and candidate libraries of `folder` (ending in "/"), unsorted; nothing when no
// folder can be read there.
//  - a candidate is any entry whose name ends exactly in ".so", whatever it is (a directory or a
//    FIFO so named then fails to load);
//  - a sub-folder is any other real directory (not a symbolic link) whose name does not start
//    with ".";
//  - everything else, and any name that does not survive the trip to a QString and back, is left out.
std::optional<Listing> list(const QString &folder);

// A file (anything but a directory) exists at `path`, following symbolic links.
bool fileExists(const QString &path);
// A regular file exists at `path`, following symbolic links.
bool isRegularFile(const QString &path);

} // namespace pluginfolder

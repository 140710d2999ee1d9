#include "benchfolder.h"

#include <QTemporaryDir>

#include <malloc.h>
#include <unistd.h>

#include <cstdio>
#include <map>
#include <memory>

#include "database.h"
#include "recordgenerator.h"

namespace benchdata {
namespace {

struct Held
{
    std::unique_ptr<QTemporaryDir> dir;
    BenchFolder folder;
};

std::map<int, Held> folders;

} // namespace

const BenchFolder &benchFolder(int records)
{
    auto it = folders.find(records);
    if (it != folders.end())
        return it->second.folder;
    Held held;
    held.dir = std::make_unique<QTemporaryDir>();
    held.folder.path = held.dir->path() + u'/';
    held.folder.connection = QStringLiteral("bench%1").arg(records);
    held.folder.databaseFile = held.folder.path + store::kDatabaseFile;
    held.folder.records = records;
    store::openDatabase(held.folder.path, held.folder.connection);
    fillDatabase(held.folder.connection, records, records);
    return folders.emplace(records, std::move(held)).first->second.folder;
}

void removeBenchFolders()
{
    for (auto &[records, held] : folders)
        store::closeDatabase(held.folder.connection);
    folders.clear();
}

std::size_t residentBytes()
{
    long pages = 0, resident = 0;
    if (FILE *f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return std::size_t(resident) * std::size_t(sysconf(_SC_PAGESIZE));
}

std::size_t heapBytesInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

void trimHeap()
{
    malloc_trim(0);
}

} // namespace benchdata

#pragma once

#include <QString>

#include <cstddef>

namespace benchdata {

// A program folder of the benchmarks: a temporary folder whose database holds `records` deposit
// slips and as many cheques, open on a connection of its own ("bench" + the count). One folder
// per count is made on first use and kept until the program ends, so every benchmark of a run
// reads the same records.
struct BenchFolder
{
    QString path;       // ends in "/"
    QString connection; // open on path + the database file
    QString databaseFile;
    int records = 0;
};
const BenchFolder &benchFolder(int records);
// Closes the connections and removes the folders; before the application object goes.
void removeBenchFolders();

// The resident memory of this process in bytes, from /proc/self/statm.
std::size_t residentBytes();
// The bytes the heap holds in use (allocated and not freed).
std::size_t heapBytesInUse();
// Hands freed heap memory back to the system, so a following residentBytes() difference shows
// what was really added.
void trimHeap();

} // namespace benchdata

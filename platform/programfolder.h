#pragma once

#include <QString>

// The folder of the running executable, ending in a separator. Everything the program keeps
// lies there (database, layout files, calibration file, templates). Worked out afresh at
// every call, never from the current folder.
QString programFolder();

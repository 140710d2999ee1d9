#pragma once

#include <QString>

class QWidget;

// The layout file of a document: for every control of the document's section list, its left
// and top over the form picture and its font face and size (points).

// folder + "Kdini/" + documentName + ".ini".
QString layoutFilePath(const QString &folder, const QString &documentName);

// Reads the layout file into the controls under panel (found by name). A missing file,
// section or key, or a malformed number, gives the defaults: 200/50 for the first section,
// 120/16 for the others, "宋体" at 12 points. Width and height stay as they are. Creates the
// "Kdini" folder when it is missing, never the file.
void loadLayout(const QString &folder, const QString &documentName, QWidget *panel);

// Writes every control of the section list into the layout file, section by section in list
// order, keys "left", "top", "name", "size". Other sections and keys stay untouched. Throws
// AppError "Unable to write to <path>" when the file cannot be written.
void saveLayout(const QString &folder, const QString &documentName, const QWidget *panel);

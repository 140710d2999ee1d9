#pragma once

#include <QString>

class RecordSet;

// The settings row of a document in table djmc: calibration offsets and amount digit spacing.
struct DocumentSettings
{
    int horizontal = 0; // 横向, whole millimetres
    int vertical = 0;   // 纵向, whole millimetres
    int spacing = 0;    // 字间距, screen pixels
};

// Reads the row of documentName through q7; a missing row or a null column counts as 0.
DocumentSettings loadDocumentSettings(RecordSet &q7, const QString &documentName);

// Writes the three texts (an empty text as 0) into the row of documentName. A text that is not
// an integer throws the conversion error before anything is written. A missing row is created
// with its document name.
void saveDocumentSettings(RecordSet &q7, const QString &documentName, const QString &horizontal,
                          const QString &vertical, const QString &spacing);

// The integer a text holds (as parseInteger reads it); anything else throws AppError
// "'<text>' is not a valid integer value".
int integerValue(const QString &text);
// As integerValue, with the empty text counting as 0.
int integerValueOrZero(const QString &text);

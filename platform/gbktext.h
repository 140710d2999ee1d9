#pragma once

#include <QByteArray>
#include <QString>

// Text files in the Chinese Windows code page (GBK, code page 936): the layout files and the
// calibration file are kept in it so that files written on Windows read here unchanged and the
// other way round.

// GBK bytes of a text. A character GBK cannot hold becomes "?", as the Windows conversion does.
// Throws AppError when this Qt has no GBK converter.
QByteArray encodeGbk(const QString &text);

// The text of GBK bytes. A byte sequence that is not GBK becomes U+FFFD.
// Throws AppError when this Qt has no GBK converter.
QString decodeGbk(const QByteArray &bytes);

// The whole text of a GBK file. A missing file (or a folder of that name) gives an empty text
// and, when asked, *exists = false. A file that exists but cannot be read throws AppError.
QString readGbkFile(const QString &path, bool *exists = nullptr);

// Creates or replaces the file with the GBK bytes of the text; line ends are written as they
// stand in the text. The old content stays intact if the new one cannot be written completely.
// Throws AppError naming the path on failure.
void writeGbkFile(const QString &path, const QString &text);

// Raw byte variants of the two file functions above, for callers that keep some lines as the
// bytes they were read as.
QByteArray readFileBytes(const QString &path, bool *exists = nullptr);
void writeFileBytes(const QString &path, const QByteArray &bytes);

#include "gbktext.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include "apperror.h"

namespace {

// Debian's Qt reaches GBK through ICU by name; QStringConverter::encodingForName does not
// know it, so the converters are always made with the name constructor.
constexpr const char *kGbk = "GBK";

[[noreturn]] void throwNoConverter()
{
    throw AppError(QStringLiteral("此系统的 Qt 不支持 GBK 编码"));
}

} // namespace

QByteArray encodeGbk(const QString &text)
{
    QStringEncoder encoder(kGbk);
    if (!encoder.isValid())
        throwNoConverter();
    return encoder.encode(text);
}

QString decodeGbk(const QByteArray &bytes)
{
    QStringDecoder decoder(kGbk);
    if (!decoder.isValid())
        throwNoConverter();
    return decoder.decode(bytes);
}

QByteArray readFileBytes(const QString &path, bool *exists)
{
    // A folder is no file, as for the Windows file-exists test.
    const bool found = QFileInfo(path).isFile();
    if (exists)
        *exists = found;
    if (!found)
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw AppError(QStringLiteral("无法读取文件：%1").arg(path));
    return file.readAll();
}

void writeFileBytes(const QString &path, const QByteArray &bytes)
{
    const QFileInfo info(path);
    // A file the user may not write stays as it is, although the folder would let us replace it.
    bool ok = !(info.exists() && (!info.isFile() || !info.isWritable()));
    if (ok) {
        QSaveFile file(path);
        // Replace through a temporary file so a failed write never leaves half a file; where
        // the folder allows no temporary file, write the file in place.
        file.setDirectWriteFallback(true);
        ok = file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
    }
    if (!ok)
        throw AppError(QStringLiteral("无法写入文件：%1").arg(path));
}

QString readGbkFile(const QString &path, bool *exists)
{
    return decodeGbk(readFileBytes(path, exists));
}

void writeGbkFile(const QString &path, const QString &text)
{
    writeFileBytes(path, encodeGbk(text));
}

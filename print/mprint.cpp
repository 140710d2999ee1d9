#include "mprint.h"

#include <cmath>
#include <limits>

#include <QStringList>

#include "apperror.h"
#include "canvas.h"
#include "gbktext.h"
#include "profilefile.h"

namespace {

constexpr long double kMmPerInch = 25.4L;
constexpr long double kScale = 10000.0L;

[[noreturn]] void throwInvalidOperation()
{
    throw AppError(QStringLiteral("Invalid floating point operation"));
}

void writeCalibrationText(const QString &path, const QString &xText, const QString &yText)
{
    try {
        writeGbkFile(path, QStringLiteral("X=") + xText + QStringLiteral("\r\nY=") + yText
                               + QStringLiteral("\r\n"));
    } catch (const AppError &) {
        throw AppError(QStringLiteral("无法写入校准文件：%1").arg(path));
    }
}

// The value of the first line "<name>=<value>" whose name equals `name` in either letter case;
// empty when there is none.
QString entryValue(const QStringList &lines, QStringView name)
{
    for (const QString &line : lines) {
        const qsizetype equals = line.indexOf(u'=');
        if (equals >= 0 && QStringView(line).left(equals).compare(name, Qt::CaseInsensitive) == 0)
            return line.mid(equals + 1);
    }
    return QString();
}

int entryInteger(const QStringList &lines, QStringView name)
{
    const QString value = entryValue(lines, name);
    const std::optional<int> number = parseInteger(value);
    if (!number)
        throw AppError(QStringLiteral("'%1' is not a valid integer value").arg(value));
    return *number;
}

// Lines end at CR LF, CR or LF; a last line without a line end counts.
QStringList splitLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    while (start < n) {
        qsizetype i = start;
        while (i < n && text[i] != u'\r' && text[i] != u'\n')
            ++i;
        lines.append(text.mid(start, i - start));
        if (i < n && text[i] == u'\r' && i + 1 < n && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    return lines;
}

int toDeviceInt(long long value)
{
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        throwInvalidOperation();
    return int(value);
}

} // namespace

QString calibrationText(const QString &editText)
{
    return editText.isEmpty() ? QStringLiteral("0") : editText;
}

void WriteCalibrationFile(const QString &folder, const QString &xText, const QString &yText)
{
    writeCalibrationText(folder + QString::fromUtf16(kCalibrationFileName), xText, yText);
}

long long roundScaledPosition(long double scaled)
{
    // Both roundings in the default rounding mode: to nearest, halves to even.
    const long double units = std::nearbyint(scaled);
    const long double device = std::nearbyint(units / kScale);
    // Beyond ±2^62 the conversion to long long is no longer safe.
    constexpr long double kLimit = 4611686018427387904.0L;
    if (!std::isfinite(device) || device > kLimit || device < -kLimit)
        throwInvalidOperation();
    return static_cast<long long>(device);
}

long long mmToDeviceUnits(long double mm, int dpi)
{
    long double t = mm * static_cast<long double>(dpi);
    t = t * kScale;
    t = t / kMmPerInch;
    return roundScaledPosition(t);
}

void TextOutMm(PrintCanvas &canvas, const QString &folder, const QString &text,
               const QString &fileName, long double x, long double y)
{
    const QString path = folder + fileName;
    bool exists = false;
    const QString content = readGbkFile(path, &exists);
    int offsetX = 0;
    int offsetY = 0;
    if (exists) {
        const QStringList lines = splitLines(content);
        offsetX = entryInteger(lines, u"X");
        offsetY = entryInteger(lines, u"Y");
    } else {
        writeCalibrationText(path, QStringLiteral("0"), QStringLiteral("0"));
    }

    const long double xs = x + offsetX;
    const long double ys = y + offsetY;
    long long dx = mmToDeviceUnits(xs, canvas.logPixelsX());
    long long dy = mmToDeviceUnits(ys, canvas.logPixelsY());
    // y counts from the paper's top edge, the device from the printable area's.
    dy -= canvas.physicalOffsetY();
    // The horizontal physical offset is not taken off; two average characters are added in
    // its place, with the font the caller set for this text.
    dx += 2LL * canvas.averageCharWidth();
    canvas.textOut(toDeviceInt(dx), toDeviceInt(dy), text);
}

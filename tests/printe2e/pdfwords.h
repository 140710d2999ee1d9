#pragma once

#include <QFile>
#include <QList>
#include <QProcess>
#include <QRegularExpression>
#include <QSizeF>
#include <QStandardPaths>
#include <QString>
#include <QTextDocumentFragment>

// The words of a PDF file as `pdftotext -bbox` reads them back: every page with its size and
// its words with their boxes, in points from the page's top-left corner.
//
// What the box of a word is: xMin is the origin of its first glyph (where the text was drawn),
// yMin the baseline minus the font's ascent as the embedded font gives it and yMax the baseline
// plus its descent. Qt draws a text aligned to the top of its rectangle with the baseline one
// (rounded) ascent below the top, so yMin lies within a few hundredths of a point of the top
// the text was drawn at; the tests calibrate that difference once per font size.
namespace pdfwords {

struct Word
{
    QString text;
    double xMin = 0;
    double yMin = 0;
    double xMax = 0;
    double yMax = 0;
};

struct Page
{
    QSizeF size; // points
    QList<Word> words;
};

inline constexpr double kPointsPerMm = 72.0 / 25.4;

inline QString pdftotext()
{
    return QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
}

// The pages of the file; empty when the file is missing or holds no page. The process is
// bounded: a PDF of one page reads in well under a second.
inline QList<Page> readPages(const QString &pdf, QString *error = nullptr)
{
    QList<Page> pages;
    if (!QFile::exists(pdf))
        return pages;
    QProcess process;
    process.start(pdftotext(), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    if (!process.waitForFinished(30000) || process.exitCode() != 0) {
        if (error)
            *error = QString::fromUtf8(process.readAllStandardError());
        return pages;
    }
    const QString html = QString::fromUtf8(process.readAllStandardOutput());
    static const QRegularExpression item(QStringLiteral(
        R"re(<page width="([0-9.]+)" height="([0-9.]+)">|<word xMin="([-0-9.]+)" yMin="([-0-9.]+)" xMax="([-0-9.]+)" yMax="([-0-9.]+)">([^<]*)</word>)re"));
    for (auto it = item.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (!m.captured(1).isEmpty()) {
            pages.append({QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()), {}});
            continue;
        }
        if (pages.isEmpty())
            continue;
        pages.last().words.append({QTextDocumentFragment::fromHtml(m.captured(7)).toPlainText(),
                                   m.captured(3).toDouble(), m.captured(4).toDouble(),
                                   m.captured(5).toDouble(), m.captured(6).toDouble()});
    }
    return pages;
}

} // namespace pdfwords

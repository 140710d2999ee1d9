#pragma once

#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>

class TextObject;

// One report page (TfrxReportPage) of a loaded report: its paper and the text objects on it.
// Paper and margins in millimetres; PaperWidth and PaperHeight are the page as laid out, so a
// landscape page is wider than high.
struct ReportPage
{
    QString name;
    double paperWidthMm = 210;
    double paperHeightMm = 297;
    double leftMarginMm = 10;
    double topMarginMm = 10;
    double rightMarginMm = 10;
    double bottomMarginMm = 10;
    bool landscape = false;
    QList<TextObject *> objects; // in document order, owned by the report

    QSizeF paperSizeMm() const { return {paperWidthMm, paperHeightMm}; }
    // The printable area, relative to the paper's top-left corner.
    QRectF printableRectMm() const
    {
        return QRectF(leftMarginMm, topMarginMm, paperWidthMm - leftMarginMm - rightMarginMm,
                      paperHeightMm - topMarginMm - bottomMarginMm);
    }
};

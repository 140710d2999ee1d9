#pragma once

#include <QImage>
#include <QPageLayout>
#include <QRectF>

class QPainter;
class QPrinter;
class Report;
class TextObject;
struct ReportPage;

// Draws the pages of a report with QPainter on any paint device: a QPrinter for the preview
// and the printer, a QImage for tests. Positions in 1/96 inch become device dots by the
// device's own dots per inch; each text is drawn from the top left of its object's rectangle
// with word wrap (or as the object's alignment, wrap and character spacing say).
class ReportRenderer
{
public:
    explicit ReportRenderer(const Report &report);

    int pageCount() const;
    // Paints page index with the painter's origin at the paper's top-left corner.
    void renderPage(QPainter &painter, int index) const;
    // The page on white paper at dpi dots per inch.
    QImage renderImage(int index, double dpi = 96) const;
    // All pages onto printer: the first on the printer's paper as set up (see
    // ReportPreview::preparePrinter), later pages of other measures on their own paper. The
    // printer is switched to full-page mode, so its origin is the paper's corner. False when
    // the printer could not be started.
    bool print(QPrinter &printer) const;

    // The paper of a page as a page layout without margins (the renderer applies the
    // template's margins itself).
    static QPageLayout pageLayout(const ReportPage &page);
    // Draws one object's text into rect (painter coordinates); unitScale is the number of
    // painter units per 1/96 inch, which sizes the font and the character spacing.
    static void drawObject(QPainter &painter, const TextObject &object, const QRectF &rect, double unitScale);

private:
    const Report &m_report;
};

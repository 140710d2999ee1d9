#pragma once

#include <QString>

class QPrinter;
class QWidget;
class Report;

// The preview window of a filled report, from which the user prints. Every show prepares the
// pages afresh from the report as it is now; nothing from an earlier show is kept.
class ReportPreview
{
public:
    explicit ReportPreview(const Report &report);

    // Sets the printer's paper size and orientation to the report's first page, in full-page
    // mode (the renderer applies the template's margins).
    void preparePrinter(QPrinter &printer) const;
    // Shows the preview modally (objectName "ReportPreview") on a printer prepared as above.
    void exec(QWidget *parent);

private:
    const Report &m_report;
};

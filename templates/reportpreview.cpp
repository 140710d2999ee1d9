#include "reportpreview.h"

#include <QPrintPreviewDialog>
#include <QPrinter>

#include "report.h"
#include "reportrenderer.h"

ReportPreview::ReportPreview(const Report &report) : m_report(report) {}

void ReportPreview::preparePrinter(QPrinter &printer) const
{
    printer.setFullPage(true);
    if (!m_report.pages().isEmpty())
        printer.setPageLayout(ReportRenderer::pageLayout(m_report.pages().first()));
}

void ReportPreview::exec(QWidget *parent)
{
    QPrinter printer(QPrinter::HighResolution);
    preparePrinter(printer);
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setObjectName(QStringLiteral("ReportPreview"));
    dialog.setWindowTitle(QStringLiteral("打印预览"));
    const ReportRenderer renderer(m_report);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&renderer](QPrinter *target) { renderer.print(*target); });
    dialog.exec();
}

#include "printerdevice.h"

#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include "apperror.h"
#include "canvas.h"

struct QtPrinterDevice::Open
{
    QPainter painter;
    std::unique_ptr<PainterCanvas> canvas;
};

QtPrinterDevice::QtPrinterDevice()
{
    reselect();
}

QtPrinterDevice::QtPrinterDevice(QString pdfFile, const QPageSize &pageSize)
    : m_pdfFile(std::move(pdfFile)), m_pageSize(pageSize)
{
    reselect();
}

QtPrinterDevice::~QtPrinterDevice()
{
    if (m_open)
        abortDocument();
}

DeviceMode *QtPrinterDevice::deviceMode()
{
    return m_printer ? &m_mode : nullptr;
}

void QtPrinterDevice::reselect()
{
    if (!m_pdfFile.isEmpty()) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_printer->setOutputFormat(QPrinter::PdfFormat);
        m_printer->setOutputFileName(m_pdfFile);
        m_printer->setPageSize(m_pageSize);
        m_printer->setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
        return;
    }
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        m_printer.reset();
        return;
    }
    m_printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    if (!m_printer->isValid())
        m_printer.reset();
}

PrintCanvas &QtPrinterDevice::beginDocument()
{
    if (!m_printer)
        throw AppError(QStringLiteral("不能初始化打印机！"));
    if (m_mode.fields & DeviceMode::kOrientation)
        m_printer->setPageOrientation(m_mode.orientation == DeviceMode::kLandscape
                                          ? QPageLayout::Landscape
                                          : QPageLayout::Portrait);
    m_printer->setDocName(QStringLiteral("青禾进账单支票打印"));
    m_open = std::make_unique<Open>();
    if (!m_open->painter.begin(m_printer.get())) {
        m_open.reset();
        throw AppError(QStringLiteral("打印机无法开始打印，请检查打印机。"));
    }
    m_open->canvas = std::make_unique<PainterCanvas>(m_open->painter);
    return *m_open->canvas;
}

void QtPrinterDevice::endDocument()
{
    if (!m_open)
        return;
    m_open->canvas.reset();
    const bool ok = m_open->painter.end();
    m_open.reset();
    if (!ok)
        throw AppError(QStringLiteral("打印失败：页面没有送到打印机。"));
}

void QtPrinterDevice::abortDocument()
{
    if (!m_open)
        return;
    m_printer->abort();
    m_open->canvas.reset();
    m_open->painter.end();
    m_open.reset();
}

#include "printerdevice.h"

#include <QFont>
#include <QFontMetrics>
#include <QList>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include "apperror.h"
#include "canvas.h"

namespace {

// The page of an open document. It measures with the printer (resolution, top margin, font
// metrics) as a painter on it would, but keeps every font and text until the document ends;
// only then is the page painted on the printer. Once a painter has begun on a QPrinter, Qt can
// no longer drop the page: its PDF and CUPS engines do not support QPrinter::abort(), and
// ending the painter writes the file or sends the job. Keeping the page back lets an error
// half-way leave nothing at all.
class PendingPage final : public PrintCanvas
{
public:
    explicit PendingPage(QPrinter &printer) : m_printer(printer) {}

    void setFont(const QString &face, int pointSize) override
    {
        m_face = face;
        m_pointSize = pointSize;
    }
    void textOut(int x, int y, const QString &text) override
    {
        m_texts.append({m_face, m_pointSize, x, y, text});
    }
    int logPixelsX() const override { return m_printer.logicalDpiX(); }
    int logPixelsY() const override { return m_printer.logicalDpiY(); }
    int physicalOffsetY() const override
    {
        // Where a painter's origin lies: the top of the printable area.
        return qRound(m_printer.pageRect(QPrinter::DevicePixel).top()
                      - m_printer.paperRect(QPrinter::DevicePixel).top());
    }
    int averageCharWidth() const override
    {
        QFont font(m_face);
        if (m_pointSize > 0)
            font.setPointSize(m_pointSize);
        return QFontMetrics(font, &m_printer).averageCharWidth();
    }

    // Paints the kept texts with their fonts.
    void paint(PrintCanvas &canvas) const
    {
        for (const Text &t : m_texts) {
            canvas.setFont(t.face, t.pointSize);
            canvas.textOut(t.x, t.y, t.text);
        }
    }

private:
    struct Text
    {
        QString face;
        int pointSize;
        int x;
        int y;
        QString text;
    };
    QPrinter &m_printer;
    QString m_face;
    int m_pointSize = 0;
    QList<Text> m_texts;
};

} // namespace

struct QtPrinterDevice::Open
{
    explicit Open(QPrinter &printer) : page(printer) {}
    PendingPage page;
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
    m_open = std::make_unique<Open>(*m_printer);
    return m_open->page;
}

void QtPrinterDevice::endDocument()
{
    if (!m_open)
        return;
    const std::unique_ptr<Open> open = std::move(m_open);
    QPainter painter;
    if (!painter.begin(m_printer.get()))
        throw AppError(QStringLiteral("打印机无法开始打印，请检查打印机。"));
    PainterCanvas canvas(painter);
    open->page.paint(canvas);
    if (!painter.end())
        throw AppError(QStringLiteral("打印失败：页面没有送到打印机。"));
}

void QtPrinterDevice::abortDocument()
{
    // Nothing has reached the printer yet: dropping the kept page is all.
    m_open.reset();
}

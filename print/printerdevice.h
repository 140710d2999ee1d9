#pragma once

#include <QPageSize>
#include <QString>

#include <memory>

class PrintCanvas;
class QPrinter;

// The printer's device mode: which members are set (fields) and their values. Only flagged
// members take effect on the printer, so the paper stays what the queue's default says unless
// its flag is set.
struct DeviceMode
{
    static constexpr unsigned kOrientation = 0x1;
    static constexpr unsigned kPaperSize = 0x2;
    static constexpr short kPortrait = 1;
    static constexpr short kLandscape = 2;

    unsigned fields = 0;
    short orientation = kPortrait;
    short paperSize = 9; // the queue's own default until a caller changes it
};

// The printer object of the program: the system's default printer, or a PDF file for tests
// and for saving a page. One print document at a time.
class PrinterDevice
{
public:
    virtual ~PrinterDevice() = default;

    // The device mode of the current printer; nullptr when no usable printer is there.
    virtual DeviceMode *deviceMode() = 0;
    // Looks the current printer up again.
    virtual void reselect() = 0;
    // Opens the print document and its page; the canvas draws on it until the document ends.
    virtual PrintCanvas &beginDocument() = 0;
    // Sends the page to the printer.
    virtual void endDocument() = 0;
    // Drops the open document: nothing reaches the printer.
    virtual void abortDocument() = 0;
};

// QPrinter at the printer's own resolution. Without an output file it prints to the default
// queue of the system's spooler; with one it writes a PDF file of the given page size.
// The page is kept back until endDocument paints it on the printer, so abortDocument leaves
// no file and no job behind (Qt's PDF and CUPS engines cannot abort a page once painted).
class QtPrinterDevice final : public PrinterDevice
{
public:
    QtPrinterDevice();
    QtPrinterDevice(QString pdfFile, const QPageSize &pageSize);
    ~QtPrinterDevice() override;

    DeviceMode *deviceMode() override;
    void reselect() override;
    PrintCanvas &beginDocument() override;
    void endDocument() override;
    void abortDocument() override;

    QPrinter *printer() const { return m_printer.get(); }

private:
    struct Open;
    QString m_pdfFile;
    QPageSize m_pageSize;
    std::unique_ptr<QPrinter> m_printer;
    DeviceMode m_mode;
    std::unique_ptr<Open> m_open;
};

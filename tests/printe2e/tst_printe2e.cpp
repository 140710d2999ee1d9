#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QTest>

#include "filebytes.h"

#include "apperror.h"
#include "canvas.h"
#include "chequefields.h"
#include "fonts.h"
#include "gbktext.h"
#include "layoutfile.h"
#include "pdfwords.h"
#include "placement.h"
#include "printtables.h"
#include "printwindow.h"
#include "profilefile.h"
#include "slipfields.h"

using namespace Qt::StringLiterals;

namespace {

const QString kSlip = u"进账单"_s;
const QString kCheque = u"支票"_s;
// Positions on the page are checked to a twentieth of a millimetre (the PDF is written at
// 1200 dots per inch, so one device unit is about 0.02 mm).
constexpr double kToleranceMm = 0.05;

// A printer that never has a device mode, not even after it is looked up again.
class NoPrinter final : public PrinterDevice
{
public:
    int reselects = 0;
    int begins = 0;
    DeviceMode *deviceMode() override { return nullptr; }
    void reselect() override { ++reselects; }
    PrintCanvas &beginDocument() override
    {
        ++begins;
        return m_canvas;
    }
    void endDocument() override {}
    void abortDocument() override {}

private:
    RecordingCanvas m_canvas;
};

// The sections of a layout file in file order, each with its keys in file order.
QList<QPair<QString, QStringList>> layoutSections(const QString &path)
{
    QList<QPair<QString, QStringList>> sections;
    const QStringList lines = readGbkFile(path).split(u"\r\n"_s, Qt::SkipEmptyParts);
    for (const QString &line : lines) {
        if (line.startsWith(u'['))
            sections.append({line.mid(1, line.size() - 2), {}});
        else if (!sections.isEmpty())
            sections.last().second.append(line);
    }
    return sections;
}

// The designed box of a field over the form picture, in screen pixels.
const FieldSpec *designedField(const QString &document, const QString &control)
{
    return document == kSlip ? slipField(control) : chequeField(control);
}

} // namespace

// The direct print job end to end: the main window on a program folder of its own, a record
// filled through the page, the print button pressed, and the page read back from the PDF the
// printer wrote.
class TestPrintE2E : public QObject
{
    Q_OBJECT

    placement::Calibration m_calibration;
    QTemporaryDir m_scratch;

    // Keeps a copy of a printed page for a look at it (the folder in QINGHE_PRINT_KEEP).
    static void keep(const QString &pdf, const QString &name)
    {
        const QString folder = qEnvironmentVariable("QINGHE_PRINT_KEEP");
        if (folder.isEmpty())
            return;
        QDir().mkpath(folder);
        const QString target = folder + u'/' + name + u".pdf"_s;
        QFile::remove(target);
        QFile::copy(pdf, target);
    }

    // Reads the single page of the print and checks every piece against the placement rules.
    void checkPage(PrintWindow &w, const QString &pdf, const placement::Options &options,
                   bool landscape, QList<placement::Piece> *pieces = nullptr,
                   QList<pdfwords::Word> *words = nullptr)
    {
        QString error;
        const QList<pdfwords::Page> pages = pdfwords::readPages(pdf, &error);
        QVERIFY2(pages.size() == 1, qPrintable(error));
        const pdfwords::Page &page = pages[0];
        QCOMPARE(page.size.width() > page.size.height(), landscape);
        QPrinter *printer = w.printer();
        QVERIFY(printer);
        const QList<placement::Piece> expected = placement::expectedPieces(
            w.panel(), w.window().documentName(), options, placement::deviceOf(printer));
        QVERIFY(!expected.isEmpty());
        double worst = 0;
        const QString faults =
            placement::compare(expected, page.words, m_calibration, kToleranceMm, &worst);
        QVERIFY2(faults.isEmpty(), qPrintable(faults));
        qDebug("%lld pieces, largest deviation %.4f mm", qlonglong(expected.size()), worst);
        if (pieces)
            *pieces = expected;
        if (words)
            *words = page.words;
    }

    static placement::Options optionsOf(PrintWindow &w, int calibrationX, int calibrationY)
    {
        placement::Options options;
        options.skipStub = w.find<QCheckBox>(u"dycg"_s)->isChecked();
        options.spacing = w.edit(u"zjj"_s)->text().toInt();
        options.calibrationX = calibrationX;
        options.calibrationY = calibrationY;
        return options;
    }

    QString pdfPath(const QString &name) const { return m_scratch.filePath(name + u".pdf"_s); }

private Q_SLOTS:
    void initTestCase()
    {
        installFontSubstitutes();
        if (pdfwords::pdftotext().isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        QVERIFY(m_scratch.isValid());
        // pdftotext's box of a text drawn top-aligned at a known point: x is the point itself,
        // y lies a few hundredths of a point below it (the font's own ascent against Qt's
        // rounded one). Measured: +0.04 pt at 9, +0.03 at 10, +0.01 at 11, +0.05 at 12 points.
        QString error;
        m_calibration = placement::calibrate(m_scratch.filePath(u"calibration.pdf"_s), 1200,
                                             u"宋体"_s, {8, 9, 10, 11, 12, 14}, &error);
        QVERIFY2(m_calibration.size() == 6, qPrintable(error));
        for (auto it = m_calibration.cbegin(); it != m_calibration.cend(); ++it) {
            QVERIFY2(qAbs(it.value().x()) < 0.01 && qAbs(it.value().y()) < 0.1,
                     qPrintable(u"%1 pt: %2, %3"_s.arg(it.key()).arg(it.value().x()).arg(it.value().y())));
        }
    }

    // --- Placement --------------------------------------------------------------------------

    void everyPieceWhereThePlacementPutsIt_data()
    {
        QTest::addColumn<bool>("cheque");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("hx"); // null: as loaded
        QTest::addColumn<QString>("zx");
        QTest::addColumn<QString>("zjj");
        QTest::addColumn<bool>("landscape");
        QTest::addColumn<bool>("skipStub");
        const QString asLoaded;
        QTest::newRow("slip") << false << u"1234.56"_s << asLoaded << asLoaded << asLoaded
                              << false << false;
        QTest::newRow("slip, offsets, landscape")
            << false << u"98765.4"_s << u"7"_s << u"-4"_s << u"5"_s << true << false;
        QTest::newRow("slip without amount")
            << false << QString() << asLoaded << asLoaded << asLoaded << false << false;
        QTest::newRow("slip without stub") << false << u"0.5"_s << u"-60"_s << u"0"_s << u""_s
                                           << false << true;
        QTest::newRow("cheque") << true << u"1234.56"_s << asLoaded << asLoaded << asLoaded
                                << false << false;
        QTest::newRow("cheque, offsets, landscape")
            << true << u"100"_s << u"-3"_s << u"6"_s << u"0"_s << true << false;
        QTest::newRow("cheque without stub")
            << true << u"7.05"_s << u"-60"_s << u"2"_s << u"3"_s << true << true;
    }
    void everyPieceWhereThePlacementPutsIt()
    {
        QFETCH(bool, cheque);
        QFETCH(QString, amount);
        QFETCH(QString, hx);
        QFETCH(QString, zx);
        QFETCH(QString, zjj);
        QFETCH(bool, landscape);
        QFETCH(bool, skipStub);
        PrintWindow w;
        QVERIFY(w.start());
        if (cheque)
            w.fillCheque(amount);
        else
            w.fillSlip(amount);
        if (!hx.isNull())
            w.setPanelText(u"hx"_s, hx);
        if (!zx.isNull())
            w.setPanelText(u"zx"_s, zx);
        if (!zjj.isNull())
            w.setPanelText(u"zjj"_s, zjj);
        w.setLandscape(landscape);
        w.setSkipStub(skipStub);
        const QString pdf = pdfPath(u"page"_s);
        w.printToPdf(pdf);
        QVERIFY2(w.dialogs().shown.isEmpty(), qPrintable(w.dialogs().lastText()));
        keep(pdf, QString::fromUtf8(QTest::currentDataTag()));

        const int x = w.edit(u"hx"_s)->text().toInt();
        const int y = w.edit(u"zx"_s)->text().toInt();
        QList<placement::Piece> pieces;
        checkPage(w, pdf, optionsOf(w, x, y), landscape, &pieces);
        if (QTest::currentTestFailed())
            return;

        // The stub switch leaves out every stub item and nothing else.
        const auto items = printtables::printItems(w.window().documentName());
        for (const placement::Piece &piece : pieces) {
            const auto item = std::find_if(items.begin(), items.end(), [&](const auto &i) {
                return QString::fromUtf16(i.control) == piece.control;
            });
            QVERIFY(item != items.end());
            if (skipStub)
                QVERIFY2(item->area == printtables::Area::Body, qPrintable(piece.control));
        }
        const auto count = [&](const QString &control) {
            return std::count_if(pieces.begin(), pieces.end(),
                                 [&](const placement::Piece &p) { return p.control == control; });
        };
        const QString amountControl = cheque ? u"zpje"_s : u"jzxx"_s;
        if (amount.isEmpty()) {
            QCOMPARE(count(amountControl), 0); // the empty amount alone prints nothing
            QVERIFY(count(u"cpqc"_s) == 1 && count(u"jzbb"_s) == 1);
        } else {
            // digits without the point, then the sign
            const QString digits = QString::number(amount.toDouble(), 'f', 2).remove(u'.');
            QCOMPARE(count(amountControl), digits.size() + 1);
        }
        if (cheque) {
            // The body prints the payee right after the drawer's account.
            const auto at = [&](const QString &control) {
                return std::find_if(pieces.begin(), pieces.end(),
                                    [&](const placement::Piece &p) { return p.control == control; })
                       - pieces.begin();
            };
            QCOMPARE(at(u"skredit"_s), at(u"cprzh"_s) + 1);
            QCOMPARE(count(u"cskr"_s), skipStub ? 0 : 1);
        }
    }

    // "横向" prints portrait, "纵向" landscape, on the page size the queue gives.
    void directionChoosesTheOrientation_data()
    {
        QTest::addColumn<bool>("landscape");
        QTest::newRow("横向 (hxd)") << false;
        QTest::newRow("纵向 (zxd)") << true;
    }
    void directionChoosesTheOrientation()
    {
        QFETCH(bool, landscape);
        PrintWindow w;
        QVERIFY(w.start());
        w.fillCheque();
        w.setLandscape(landscape);
        const QString pdf = pdfPath(u"direction"_s);
        w.printToPdf(pdf, QPageSize(QPageSize::A4));
        const QList<pdfwords::Page> pages = pdfwords::readPages(pdf);
        QCOMPARE(pages.size(), 1);
        const QSizeF a4 = QPageSize(QPageSize::A4).size(QPageSize::Point);
        QCOMPARE(qRound(pages[0].size.width()), qRound(landscape ? a4.height() : a4.width()));
        QCOMPARE(qRound(pages[0].size.height()), qRound(landscape ? a4.width() : a4.height()));
        const DeviceMode *mode = w.window().printerDevice()->deviceMode();
        QCOMPARE(mode->orientation, landscape ? DeviceMode::kLandscape : DeviceMode::kPortrait);
        QCOMPARE(mode->paperSize, short(8));
        QCOMPARE(mode->fields, DeviceMode::kOrientation);
    }

    // hx "-60" moves every printed piece 60 mm to the left and nothing up or down.
    void minusSixtyMovesEveryPieceLeft_data()
    {
        QTest::addColumn<bool>("cheque");
        QTest::newRow("slip") << false;
        QTest::newRow("cheque") << true;
    }
    void minusSixtyMovesEveryPieceLeft()
    {
        QFETCH(bool, cheque);
        PrintWindow w;
        QVERIFY(w.start());
        cheque ? w.fillCheque() : w.fillSlip();
        w.setSkipStub(true);
        w.setPanelText(u"hx"_s, u"0"_s);
        w.printToPdf(pdfPath(u"zero"_s));
        w.setPanelText(u"hx"_s, u"-60"_s);
        w.printToPdf(pdfPath(u"minus60"_s));
        QVERIFY(w.dialogs().shown.isEmpty());
        const QList<pdfwords::Page> zero = pdfwords::readPages(pdfPath(u"zero"_s));
        const QList<pdfwords::Page> shifted = pdfwords::readPages(pdfPath(u"minus60"_s));
        QVERIFY(zero.size() == 1 && shifted.size() == 1);
        QCOMPARE(shifted[0].words.size(), zero[0].words.size());
        QVERIFY(zero[0].words.size() > 10);
        const double tolerance = kToleranceMm * pdfwords::kPointsPerMm;
        for (qsizetype i = 0; i < zero[0].words.size(); ++i) {
            const pdfwords::Word &a = zero[0].words[i];
            const pdfwords::Word &b = shifted[0].words[i];
            QCOMPARE(b.text, a.text);
            QVERIFY2(qAbs(b.xMin - (a.xMin - 60 * pdfwords::kPointsPerMm)) <= tolerance,
                     qPrintable(a.text));
            QVERIFY2(qAbs(b.yMin - a.yMin) <= tolerance, qPrintable(a.text));
        }
    }

    // A fresh installation (the installed layout files and settings rows) prints every item
    // inside the box the form picture draws for it, and every amount digit in its own cell.
    void freshInstallationPrintsInTheBoxes_data()
    {
        QTest::addColumn<bool>("cheque");
        QTest::newRow("slip") << false;
        QTest::newRow("cheque") << true;
    }
    void freshInstallationPrintsInTheBoxes()
    {
        QFETCH(bool, cheque);
        PrintWindow w;
        QVERIFY(w.start());
        cheque ? w.fillCheque() : w.fillSlip();
        QCOMPARE(w.edit(u"hx"_s)->text(), u"0"_s);
        QCOMPARE(w.edit(u"zx"_s)->text(), u"0"_s);
        const QString pdf = pdfPath(u"fresh"_s);
        w.printToPdf(pdf);
        keep(pdf, cheque ? u"fresh-cheque"_s : u"fresh-slip"_s);
        if (const QString folder = qEnvironmentVariable("QINGHE_PRINT_KEEP"); !folder.isEmpty())
            w.panel()->grab().save(folder + (cheque ? u"/screen-cheque.png"_s : u"/screen-slip.png"_s));
        QList<placement::Piece> pieces;
        QList<pdfwords::Word> words;
        checkPage(w, pdf, optionsOf(w, 0, 0), false, &pieces, &words);
        if (QTest::currentTestFailed())
            return;

        const QString document = w.window().documentName();
        const double pxPerPt = placement::kPixelsPerMm / pdfwords::kPointsPerMm;
        constexpr double slack = 0.5; // pixels
        QString faults;
        QList<bool> taken(words.size(), false);
        for (const placement::Piece &piece : pieces) {
            // The word of this piece: the nearest one of its text not yet taken.
            qsizetype best = -1;
            for (qsizetype i = 0; i < words.size(); ++i) {
                if (taken[i] || words[i].text != piece.text)
                    continue;
                if (best < 0 || qAbs(words[i].xMin - piece.xPt) < qAbs(words[best].xMin - piece.xPt))
                    best = i;
            }
            QVERIFY(best >= 0);
            taken[best] = true;
            const pdfwords::Word &word = words[best];
            const QRectF ink(QPointF(word.xMin * pxPerPt, word.yMin * pxPerPt),
                             QPointF(word.xMax * pxPerPt, word.yMax * pxPerPt));
            const FieldSpec *field = designedField(document, piece.control);
            QVERIFY2(field, qPrintable(piece.control));
            QRectF box(field->left, field->top, field->width, field->height);
            if (piece.cell >= 0) {
                // Cell k spans [right − (k + 1)·w, right − k·w]; the sign may use the empty
                // cell after the digits as well.
                const double right = field->left + field->width;
                const int cells = piece.text == u"￥"_s ? 2 : 1;
                box.setLeft(right - (piece.cell + 1) * field->cellWidth);
                box.setRight(right - (piece.cell + 1 - cells) * field->cellWidth);
            }
            if (!box.adjusted(-slack, -slack, slack, slack).contains(ink)) {
                faults += u"%1 \"%2\" (cell %3): printed over (%4, %5)–(%6, %7) px, box (%8, %9)–(%10, %11)\n"_s
                              .arg(piece.control, piece.text)
                              .arg(piece.cell)
                              .arg(ink.left(), 0, 'f', 1)
                              .arg(ink.top(), 0, 'f', 1)
                              .arg(ink.right(), 0, 'f', 1)
                              .arg(ink.bottom(), 0, 'f', 1)
                              .arg(box.left())
                              .arg(box.top())
                              .arg(box.right())
                              .arg(box.bottom());
            }
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults));
    }

    // The installed defaults: both layout files with every section of their lists, and amount
    // fonts whose size plus the installed digit spacing is the width of a grid cell.
    void installedDefaultsFitTheGrid_data()
    {
        QTest::addColumn<QString>("document");
        QTest::addColumn<QString>("amount");
        QTest::newRow("slip body") << kSlip << u"jzxx"_s;
        QTest::newRow("slip stub") << kSlip << u"cjzxx"_s;
        QTest::newRow("cheque") << kCheque << u"zpje"_s;
    }
    void installedDefaultsFitTheGrid()
    {
        QFETCH(QString, document);
        QFETCH(QString, amount);
        TestFolder folder;
        const QString path = layoutFilePath(folder.path(), document);
        QVERIFY2(QFile::exists(path), qPrintable(path));
        const auto sections = layoutSections(path);
        const auto list = printtables::layoutSections(document);
        QCOMPARE(sections.size(), qsizetype(list.size()));
        for (qsizetype i = 0; i < sections.size(); ++i) {
            QCOMPARE(sections[i].first, QString::fromUtf16(list[i]));
            QCOMPARE(sections[i].second.size(), 4);
            QVERIFY(sections[i].second[0].startsWith(u"left="_s));
            QVERIFY(sections[i].second[1].startsWith(u"top="_s));
            QCOMPARE(sections[i].second[2], u"name=宋体"_s);
            QVERIFY(sections[i].second[3].startsWith(u"size="_s));
        }
        const ProfileFile file(path);
        const FieldSpec *field = designedField(document, amount);
        QVERIFY(field);
        const int size = file.readInteger(amount, u"size"_s, 0);
        // the seed row of the document in a fresh database
        PrintWindow w;
        QVERIFY(w.start());
        if (document == kCheque)
            w.showCheque();
        const int spacing = w.edit(u"zjj"_s)->text().toInt();
        QCOMPARE(size + spacing, field->cellWidth);
        QCOMPARE(PrintWindow::settingsRow(document), (QVariantList{0, 0, 2}));
    }

    // --- The layout file ---------------------------------------------------------------------

    // A field moved and given another font on screen prints there in that font, and the layout
    // file holds its new place and size afterwards; the page loads it back.
    void layoutChangedOnScreenPrintsThereAndIsSaved()
    {
        PrintWindow w;
        QVERIFY(w.start());
        w.fillSlip();
        QWidget *cpqc = w.find(u"cpqc"_s);
        const QRect moved(350, 70, cpqc->width(), cpqc->height());
        w.dialogs().stepResults.append(moved);
        QTest::mousePress(cpqc, Qt::LeftButton, Qt::ControlModifier, QPoint(5, 5));
        QTest::mouseRelease(cpqc, Qt::LeftButton, Qt::ControlModifier, QPoint(5, 5));
        QCOMPARE(cpqc->geometry(), moved);
        QFont big(u"宋体"_s);
        big.setPixelSize(16); // 12 points
        w.dialogs().fonts.append(big);
        QTest::mouseDClick(cpqc, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(fontPointSize(cpqc->font()), 12);

        const QString pdf = pdfPath(u"moved"_s);
        w.printToPdf(pdf);
        QList<placement::Piece> pieces;
        checkPage(w, pdf, optionsOf(w, 0, 0), false, &pieces);
        if (QTest::currentTestFailed())
            return;
        const auto piece = std::find_if(pieces.begin(), pieces.end(),
                                        [](const placement::Piece &p) { return p.control == u"cpqc"_s; });
        QVERIFY(piece != pieces.end());
        QCOMPARE(piece->pointSize, 12);
        // 350 px and 70 px on the form: 92.593 mm and 18.519 mm
        const int acw = placement::averageCharWidth(u"宋体"_s, 12, w.printer());
        QVERIFY(qAbs(piece->xPt - (350 / 3.78 * pdfwords::kPointsPerMm + 2.0 * acw * 72 / 1200)) < 0.1);
        QVERIFY(qAbs(piece->yPt - 70 / 3.78 * pdfwords::kPointsPerMm) < 0.1);

        const ProfileFile file(layoutFilePath(w.folder(), kSlip));
        QCOMPARE(file.readInteger(u"cpqc"_s, u"left"_s, 0), 350);
        QCOMPARE(file.readInteger(u"cpqc"_s, u"top"_s, 0), 70);
        QCOMPARE(file.readInteger(u"cpqc"_s, u"size"_s, 0), 12);
        QCOMPARE(file.readString(u"cpqc"_s, u"name"_s, {}), u"宋体"_s);

        // Away and back: the page loads the saved place.
        cpqc->move(10, 10);
        w.showCheque();
        w.showSlip();
        QCOMPARE(cpqc->pos(), moved.topLeft());
        QCOMPARE(fontPointSize(cpqc->font()), 12);
    }

    // After a print the layout file holds every section of the document's list with its four
    // keys, the controls the user cannot move (zpdate, JELAB, xxedit) included; written from
    // nothing, in list order.
    void layoutFileHoldsTheWholeList_data()
    {
        QTest::addColumn<bool>("cheque");
        QTest::addColumn<bool>("installed");
        QTest::newRow("cheque, written from nothing") << true << false;
        QTest::newRow("cheque, over the installed file") << true << true;
        QTest::newRow("slip, written from nothing") << false << false;
    }
    void layoutFileHoldsTheWholeList()
    {
        QFETCH(bool, cheque);
        QFETCH(bool, installed);
        PrintWindow w(installed);
        QVERIFY(w.start());
        cheque ? w.fillCheque() : w.fillSlip();
        const QString document = w.window().documentName();
        const QString path = layoutFilePath(w.folder(), document);
        QCOMPARE(QFile::exists(path), installed);
        w.printToPdf(pdfPath(u"whole"_s));
        QVERIFY2(w.dialogs().shown.isEmpty(), qPrintable(w.dialogs().lastText()));
        const auto sections = layoutSections(path);
        const auto list = printtables::layoutSections(document);
        QCOMPARE(sections.size(), qsizetype(list.size()));
        for (qsizetype i = 0; i < sections.size(); ++i) {
            const QString name = QString::fromUtf16(list[i]);
            QCOMPARE(sections[i].first, name);
            const QWidget *control = w.panel()->findChild<QWidget *>(name);
            QVERIFY2(control, qPrintable(name));
            const QStringList keys = {u"left=%1"_s.arg(control->x()), u"top=%1"_s.arg(control->y()),
                                      u"name=%1"_s.arg(control->font().family()),
                                      u"size=%1"_s.arg(fontPointSize(control->font()))};
            QCOMPARE(sections[i].second, keys);
        }
        if (cheque) {
            for (const QString &name : {u"zpdate"_s, u"JELAB"_s, u"xxedit"_s, u"skredit"_s})
                QVERIFY(std::any_of(sections.begin(), sections.end(),
                                    [&](const auto &s) { return s.first == name; }));
        }
    }

    // A document without a settings row gets one, under its name, with the print; the next
    // load finds it.
    void printCreatesAMissingSettingsRow()
    {
        PrintWindow w;
        QVERIFY(w.start());
        QSqlQuery(QSqlDatabase::database(store::kConnection))
            .exec(u"delete from djmc where 单据名称 = '支票'"_s);
        w.fillCheque();
        QCOMPARE(w.edit(u"zjj"_s)->text(), u"0"_s); // no row: every value shows 0
        w.setPanelText(u"hx"_s, u"-2"_s);
        w.setPanelText(u"zjj"_s, u"2"_s);
        w.printToPdf(pdfPath(u"newrow"_s));
        QVERIFY2(w.dialogs().shown.isEmpty(), qPrintable(w.dialogs().lastText()));
        QCOMPARE(PrintWindow::settingsRow(kCheque), (QVariantList{-2, 0, 2}));
        w.showSlip();
        QCOMPARE(w.edit(u"hx"_s)->text(), u"0"_s);
        w.showCheque();
        QCOMPARE(w.edit(u"hx"_s)->text(), u"-2"_s);
    }

    // --- Failures ----------------------------------------------------------------------------

    // An offset or spacing that is not a whole number stops the print before anything is
    // written or printed.
    void nonIntegerStopsBeforeAnything_data()
    {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("text");
        QTest::newRow("hx abc") << u"hx"_s << u"abc"_s;
        QTest::newRow("hx -") << u"hx"_s << u"-"_s;
        QTest::newRow("zx 1.5") << u"zx"_s << u"1.5"_s;
        QTest::newRow("zjj x") << u"zjj"_s << u"x"_s;
    }
    void nonIntegerStopsBeforeAnything()
    {
        QFETCH(QString, edit);
        QFETCH(QString, text);
        PrintWindow w;
        QVERIFY(w.start());
        w.fillSlip();
        const QString layout = layoutFilePath(w.folder(), kSlip);
        const QByteArray layoutBefore = fileBytes(layout);
        const QVariantList rowBefore = PrintWindow::settingsRow(kSlip);
        w.find(u"cpqc"_s)->move(300, 60); // would reach the file with a print
        w.setPanelText(u"zx"_s, u"4"_s);  // would reach the row with a print
        w.setPanelText(edit, text);
        const QString pdf = pdfPath(u"refused"_s);
        w.printToPdf(pdf);
        QCOMPARE(w.dialogs().shown.size(), 1);
        QCOMPARE(w.dialogs().lastKind(), u"error"_s);
        QCOMPARE(w.dialogs().lastText(), u"'%1' is not a valid integer value"_s.arg(text));
        QVERIFY(!QFile::exists(pdf));
        QCOMPARE(fileBytes(layout), layoutBefore);
        QCOMPARE(PrintWindow::settingsRow(kSlip), rowBefore);
        // Only the calibration file took an offset's text, as the edit changed.
        if (edit != u"zjj"_s)
            QVERIFY(readGbkFile(w.folder() + u"config.txt"_s).contains(text));
    }

    // A layout file that cannot be written stops the print after the settings row was
    // written; nothing is printed.
    void unwritableLayoutFolderStops()
    {
        PrintWindow w;
        QVERIFY(w.start());
        w.fillSlip();
        // A file named Kdini where the folder should be: neither folder nor file can be made.
        const QString kdini = w.folder() + u"Kdini"_s;
        QVERIFY(QDir(kdini).removeRecursively());
        QFile blocker(kdini);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        w.setPanelText(u"hx"_s, u"3"_s);
        w.setPanelText(u"zjj"_s, u"4"_s);
        const QString pdf = pdfPath(u"unwritable"_s);
        w.printToPdf(pdf);
        QCOMPARE(w.dialogs().shown.size(), 1);
        QCOMPARE(w.dialogs().lastText(), u"Unable to write to %1"_s.arg(layoutFilePath(w.folder(), kSlip)));
        QCOMPARE(PrintWindow::settingsRow(kSlip), (QVariantList{3, 0, 4}));
        QVERIFY(!QFile::exists(pdf));
        QVERIFY(QFileInfo(kdini).isFile());
    }

    // A calibration file deleted before the print comes back with zero offsets, and the page
    // uses them although the edits show others.
    void deletedCalibrationFileComesBackWithZeros()
    {
        PrintWindow w;
        QVERIFY(w.start());
        w.fillCheque();
        w.setPanelText(u"hx"_s, u"5"_s);
        w.setPanelText(u"zx"_s, u"3"_s);
        const QString config = w.folder() + u"config.txt"_s;
        QCOMPARE(fileBytes(config), QByteArray("X=5\r\nY=3\r\n"));
        QVERIFY(QFile::remove(config));
        const QString pdf = pdfPath(u"zeros"_s);
        w.printToPdf(pdf);
        QVERIFY2(w.dialogs().shown.isEmpty(), qPrintable(w.dialogs().lastText()));
        QCOMPARE(fileBytes(config), QByteArray("X=0\r\nY=0\r\n"));
        QCOMPARE(w.edit(u"hx"_s)->text(), u"5"_s);
        QCOMPARE(w.edit(u"zx"_s)->text(), u"3"_s);
        QCOMPARE(PrintWindow::settingsRow(kCheque), (QVariantList{5, 3, 2}));
        checkPage(w, pdf, optionsOf(w, 0, 0), false);
    }

    // A calibration file without a usable X or Y entry stops the print with the conversion
    // message; the document is dropped, so no page comes out.
    void brokenCalibrationFilePrintsNothing_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("message");
        QTest::newRow("only X=5") << QByteArray("X=5\r\n") << u"'' is not a valid integer value"_s;
        QTest::newRow("Y=abc") << QByteArray("X=5\r\nY=abc\r\n")
                               << u"'abc' is not a valid integer value"_s;
    }
    void brokenCalibrationFilePrintsNothing()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        PrintWindow w;
        QVERIFY(w.start());
        w.fillSlip();
        w.setPanelText(u"hx"_s, u"2"_s);
        QFile config(w.folder() + u"config.txt"_s);
        QVERIFY(config.open(QIODevice::WriteOnly | QIODevice::Truncate));
        config.write(content);
        config.close();
        const QString pdf = pdfPath(u"broken"_s);
        w.printToPdf(pdf);
        QCOMPARE(w.dialogs().shown.size(), 1);
        QCOMPARE(w.dialogs().lastText(), message);
        QVERIFY(pdfwords::readPages(pdf).isEmpty());
        // The saves before the document began went through.
        QCOMPARE(PrintWindow::settingsRow(kSlip), (QVariantList{2, 0, 2}));
    }

    // No usable printer, even after looking it up again: "不能初始化打印机！", nothing saved.
    void noUsablePrinter()
    {
        PrintWindow w;
        QVERIFY(w.start());
        w.fillSlip();
        const QString layout = layoutFilePath(w.folder(), kSlip);
        const QByteArray layoutBefore = fileBytes(layout);
        w.find(u"cpqc"_s)->move(300, 60);
        w.setPanelText(u"hx"_s, u"9"_s);
        auto device = std::make_unique<NoPrinter>();
        NoPrinter *printer = device.get();
        w.window().setPrinterDevice(std::move(device));
        w.pressPrint();
        QCOMPARE(w.dialogs().shown.size(), 1);
        QCOMPARE(w.dialogs().lastText(), u"不能初始化打印机！"_s);
        QCOMPARE(printer->reselects, 1);
        QCOMPARE(printer->begins, 0);
        QCOMPARE(fileBytes(layout), layoutBefore);
        QCOMPARE(PrintWindow::settingsRow(kSlip), (QVariantList{0, 0, 2}));
    }
};

QTEST_MAIN(TestPrintE2E)
#include "tst_printe2e.moc"

#include "tform1.h"

#include <QApplication>
#include <QCheckBox>
#include <QDesktopServices>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include "apperror.h"
#include "canvas.h"
#include "chequepage.h"
#include "database.h"
#include "depositslippage.h"
#include "digitcelledit.h"
#include "documentsettings.h"
#include "guard.h"
#include "layoutediting.h"
#include "layoutfile.h"
#include "mprint.h"
#include "printerdevice.h"
#include "printjob.h"
#include "printtables.h"
#include "queries.h"
#include "templatemenus.h"
#include "tepassform.h"
#include "tloginform.h"

namespace {

const QString kSlip = QStringLiteral("进账单");
const QString kCheque = QStringLiteral("支票");
const QString kHelpDocument = QStringLiteral("青禾进账单支票打印帮助.doc");
// The maker's support line of the caption.
const QString kCaption = QStringLiteral("青禾进账单支票打印V3.8 专业版  —  青禾软件 技术支持：请联系本单位系统管理员");

struct PanelLabel
{
    const char16_t *name;
    const char16_t *text;
    int x, y;
};

// The settings panel's labels (left, top within the panel).
constexpr PanelLabel kPanelLabels[] = {
    {u"Label38", u"打印位置调整 横向：", 6, 7},
    {u"Label42", u"纵向：", 167, 7},
    {u"Label3", u"金额字间距：", 248, 8},
    {u"Label5", u"打印方向:", 200, 26},
};

QIcon toolIcon(QStyle::StandardPixmap pixmap)
{
    return QApplication::style()->standardIcon(pixmap);
}

} // namespace

TForm1::TForm1(const QString &folder, QWidget *parent) : QMainWindow(parent), m_folder(folder)
{
    setWindowTitle(kCaption);
    QFont windowFont(QStringLiteral("宋体"));
    windowFont.setPixelSize(15);
    setFont(windowFont);

    // FormCreate: the connection, no list opened yet.
    m_connected = guarded(this, [&] { store::openDatabase(m_folder); });
    m_queries = new Queries(store::kConnection, this);

    buildToolBar();

    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto *panel6 = new QWidget(central);
    panel6->setObjectName(QStringLiteral("Panel6"));
    panel6->setFixedHeight(43);
    // The panel and the tool bar use the dialog size of the Song face so their captions fit.
    QFont panelFont(QStringLiteral("宋体"));
    panelFont.setPixelSize(12);
    panel6->setFont(panelFont);
    buildSettingsPanel(panel6);
    layout->addWidget(panel6);

    m_pgc = new QTabWidget(central);
    m_pgc->setObjectName(QStringLiteral("pgc"));
    auto *jzd = new QWidget;
    jzd->setObjectName(QStringLiteral("jzd"));
    auto *zp = new QWidget;
    zp->setObjectName(QStringLiteral("zp"));
    m_slipPage = new DepositSlipPage(m_queries, jzd);
    m_chequePage = new ChequePage(m_queries, zp);
    m_chequePage->setVisible(false); // created hidden, shown at start-up
    for (QWidget *page : {static_cast<QWidget *>(jzd), static_cast<QWidget *>(zp)}) {
        auto *pageLayout = new QVBoxLayout(page);
        pageLayout->setContentsMargins(0, 0, 0, 0);
    }
    jzd->layout()->addWidget(m_slipPage);
    zp->layout()->addWidget(m_chequePage);
    m_pgc->addTab(jzd, QStringLiteral("进账单打印"));
    m_pgc->addTab(zp, QStringLiteral("支票打印"));
    connect(m_pgc, &QTabWidget::currentChanged, this, [this](int index) {
        if (index == 0)
            jzdShow();
        else
            zpShow();
    });
    layout->addWidget(m_pgc, 1);
    setCentralWidget(central);

    // Ctrl moves, Shift sizes, a double-click chooses the font of a field.
    LayoutEditing::install(this, m_slipPage->formPanel(), m_chequePage->formPanel());
    m_templates = new TemplateMenus(m_folder, m_slipPage, m_chequePage, this);

    // Created hidden, in this order, on the window's user list.
    m_login = new TloginForm(m_queries->userqry, this);
    m_epass = new TepassForm(m_queries->userqry, this);

    qApp->installEventFilter(this);
}

TForm1::~TForm1()
{
    qApp->removeEventFilter(this);
    delete m_queries;
    m_queries = nullptr;
    store::closeDatabase();
}

void TForm1::buildToolBar()
{
    auto *bar = new QToolBar(this);
    QFont barFont(QStringLiteral("宋体"));
    barFont.setPixelSize(12);
    bar->setFont(barFont);
    bar->setObjectName(QStringLiteral("RzToolbar1"));
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    struct Tool
    {
        const char16_t *name;
        const char16_t *caption;
        QStyle::StandardPixmap icon;
        void (TForm1::*handler)();
    };
    const Tool tools[] = {
        {u"yh", u"用户管理", QStyle::SP_DirHomeIcon, &TForm1::yhClick},
        {u"hlp", u"帮 助", QStyle::SP_DialogHelpButton, &TForm1::hlpClick},
        {u"tc", u"退出", QStyle::SP_DialogCloseButton, &TForm1::tcClick},
    };
    bool first = true;
    for (const Tool &tool : tools) {
        if (!first)
            bar->addSeparator();
        first = false;
        auto *button = new QToolButton(bar);
        button->setObjectName(QString::fromUtf16(tool.name));
        button->setText(QString::fromUtf16(tool.caption));
        button->setIcon(toolIcon(tool.icon));
        button->setIconSize(QSize(24, 24));
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setAutoRaise(true);
        button->setFixedSize(60, 53);
        button->setCursor(Qt::PointingHandCursor);
        connect(button, &QToolButton::clicked, this,
                [this, handler = tool.handler] { guarded(this, [&] { (this->*handler)(); }); });
        bar->addWidget(button);
    }
    addToolBar(Qt::TopToolBarArea, bar);
}

void TForm1::buildSettingsPanel(QWidget *panel)
{
    for (const PanelLabel &l : kPanelLabels) {
        auto *label = new QLabel(QString::fromUtf16(l.text), panel);
        label->setObjectName(QString::fromUtf16(l.name));
        label->move(l.x, l.y);
    }
    auto edit = [panel](const char *name, int x, int w) {
        auto *e = new QLineEdit(panel);
        e->setObjectName(QLatin1String(name));
        e->setGeometry(x, 4, w, 21);
        return e;
    };
    m_hx = edit("hx", 129, 32);
    m_zx = edit("zx", 207, 32);
    m_zjj = edit("zjj", 324, 34);
    connect(m_hx, &QLineEdit::textChanged, this, [this] { guarded(this, [&] { hxChange(); }); });
    connect(m_zx, &QLineEdit::textChanged, this, [this] { guarded(this, [&] { zxChange(); }); });

    m_dycg = new QCheckBox(QStringLiteral("不打印存根(横向约：-60)"), panel);
    m_dycg->setObjectName(QStringLiteral("dycg"));
    m_dycg->setGeometry(8, 25, 185, 17);
    m_hxd = new QRadioButton(QStringLiteral("横向"), panel);
    m_hxd->setObjectName(QStringLiteral("hxd"));
    m_hxd->setGeometry(267, 26, 65, 17);
    m_hxd->setChecked(true);
    m_zxd = new QRadioButton(QStringLiteral("纵向"), panel);
    m_zxd->setObjectName(QStringLiteral("zxd"));
    m_zxd->setGeometry(328, 26, 65, 17);

    m_add = new QPushButton(toolIcon(QStyle::SP_FileIcon), QStringLiteral("增加&A"), panel);
    m_add->setObjectName(QStringLiteral("BitBtn12"));
    m_add->setGeometry(402, 14, 75, 21);
    m_add->setCursor(Qt::PointingHandCursor);
    connect(m_add, &QPushButton::clicked, this, [this] { guarded(this, [&] { BitBtn12Click(); }); });
    m_print = new QPushButton(toolIcon(QStyle::SP_DialogSaveButton), QStringLiteral("打印&P"), panel);
    m_print->setObjectName(QStringLiteral("BitBtn11"));
    m_print->setGeometry(494, 14, 75, 23);
    m_print->setCursor(Qt::PointingHandCursor);
    connect(m_print, &QPushButton::clicked, this, [this] { guarded(this, [&] { BitBtn11Click(); }); });

    auto *help = new QLabel(panel);
    help->setObjectName(QStringLiteral("Label2"));
    help->setText(QStringLiteral("设置：1.按住 Ctrl  调整打印位置；\n      2.按住 Shift 调整宽度和高度；\n"
                                 "      3.双击设置字体，大小。"));
    QFont helpFont(QStringLiteral("宋体"));
    helpFont.setPixelSize(12);
    help->setFont(helpFont);
    help->setStyleSheet(QStringLiteral("color: red"));
    help->setGeometry(608, 4, 210, 36);

    m_kname = new QLineEdit(panel);
    m_kname->setObjectName(QStringLiteral("kname"));
    m_kname->setVisible(false);
    connect(m_kname, &QLineEdit::textChanged, this, [this] { guarded(this, [&] { knameChange(); }); });

    // Tab order on the panel.
    QWidget *order[] = {m_print, m_hx, m_zx, m_kname, m_dycg, m_zjj, m_add, m_hxd, m_zxd};
    for (size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

bool TForm1::FormShow()
{
    // The login comes first; nothing else is shown before it.
    if (!m_login->run())
        return false;
    const QDate today = QDate::currentDate();
    m_chequePage->setPickerDate(today);
    m_slipPage->setPickerDate(today);
    m_chequePage->setVisible(true);
    m_pgc->setCurrentIndex(0);
    setDocumentName(kSlip);
    return true;
}

void TForm1::FormActivate()
{
    if (!m_connected)
        return;
    m_queries->zpqry->open();
    m_queries->jzdqry->open();
    m_slipPage->setPickerDate(QDate::currentDate());
    m_queries->sjzcpqry->open();
    m_queries->sjzskqry->open();
}

void TForm1::jzdShow()
{
    setDocumentName(kSlip);
}

void TForm1::zpShow()
{
    setDocumentName(kCheque);
}

void TForm1::setDocumentName(const QString &name)
{
    // Setting the text it already holds raises no change.
    m_kname->setText(name);
}

QString TForm1::documentName() const
{
    return m_kname->text();
}

void TForm1::BitBtn12Click()
{
    if (documentName() == kSlip)
        m_slipPage->N22Click();
    else
        m_chequePage->BitBtn6Click();
}

QWidget *TForm1::documentPanel() const
{
    if (printtables::isSlip(documentName()))
        return m_slipPage->formPanel();
    return m_chequePage->formPanel();
}

void TForm1::setPrinterDevice(std::unique_ptr<PrinterDevice> device)
{
    m_printer = std::move(device);
}

void TForm1::BitBtn11Click()
{
    // The printer's device mode: only the orientation is flagged, so the paper stays the
    // queue's own. "横向" selects portrait.
    if (!m_printer)
        m_printer = std::make_unique<QtPrinterDevice>();
    DeviceMode *mode = m_printer->deviceMode();
    if (!mode) {
        m_printer->reselect();
        mode = m_printer->deviceMode();
    }
    if (!mode)
        throw AppError(QStringLiteral("不能初始化打印机！"));
    mode->fields |= DeviceMode::kOrientation;
    mode->orientation = m_hxd->isChecked() ? DeviceMode::kPortrait : DeviceMode::kLandscape;
    mode->paperSize = 8;

    const QString name = documentName();
    QWidget *panel = documentPanel();
    SaveDocumentSettings();
    SaveLayout();

    const PrintJobOptions options{m_dycg->isChecked(), integerValueOrZero(m_zjj->text())};
    const AmountOf amountOf = [panel](const QString &control) -> std::optional<double> {
        const auto *edit = panel->findChild<const DigitCellEdit *>(control);
        if (!edit || !edit->list())
            return std::nullopt;
        const QVariant value = edit->list()->value(edit->column());
        if (value.isNull())
            return std::nullopt;
        return value.toDouble();
    };
    PrintCanvas &canvas = m_printer->beginDocument();
    try {
        printDocument(canvas, m_folder, name, panel, options, amountOf);
    } catch (...) {
        // No half-printed form reaches the printer.
        m_printer->abortDocument();
        throw;
    }
    m_printer->endDocument();
}

void TForm1::yhClick()
{
    m_epass->exec();
}

void TForm1::hlpClick()
{
    // Opened with the desktop's application for the document in the current folder; nothing
    // is reported when it is missing.
    const QString path = QDir::current().absoluteFilePath(kHelpDocument);
    if (QFileInfo::exists(path))
        QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void TForm1::tcClick()
{
    close();
}

void TForm1::knameChange()
{
    const QString name = documentName();
    const DocumentSettings settings = loadDocumentSettings(*m_queries->q7, name);
    // A real change of hx or zx rewrites the calibration file right here.
    m_hx->setText(QString::number(settings.horizontal));
    m_zx->setText(QString::number(settings.vertical));
    m_zjj->setText(QString::number(settings.spacing));
    if (printtables::isSlip(name))
        LoadDepositSlipLayout();
    else
        LoadChequeLayout();
}

void TForm1::LoadDepositSlipLayout()
{
    loadLayout(m_folder, documentName(), m_slipPage->formPanel());
}

void TForm1::LoadChequeLayout()
{
    loadLayout(m_folder, documentName(), m_chequePage->formPanel());
}

void TForm1::SaveDocumentSettings()
{
    saveDocumentSettings(*m_queries->q7, documentName(), m_hx->text(), m_zx->text(), m_zjj->text());
}

void TForm1::SaveLayout()
{
    saveLayout(m_folder, documentName(), documentPanel());
}

void TForm1::hxChange()
{
    WriteCalibrationFile();
}

void TForm1::zxChange()
{
    WriteCalibrationFile();
}

void TForm1::WriteCalibrationFile()
{
    // An emptied offset reads "0" at once; that is a change too and writes the file first.
    if (m_hx->text().isEmpty())
        m_hx->setText(QStringLiteral("0"));
    if (m_zx->text().isEmpty())
        m_zx->setText(QStringLiteral("0"));
    ::WriteCalibrationFile(m_folder, m_hx->text(), m_zx->text());
}

void TForm1::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        guarded(this, [&] { FormActivate(); });
}

bool TForm1::eventFilter(QObject *watched, QEvent *event)
{
    // Enter and Down move the focus to the next control, Up to the previous one; the key still
    // reaches the control that had the focus.
    if (event->type() == QEvent::KeyPress) {
        auto *widget = qobject_cast<QWidget *>(watched);
        auto *key = static_cast<QKeyEvent *>(event);
        if (widget && widget == QApplication::focusWidget() && widget->window() == this &&
            (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            const int k = key->key();
            if (k == Qt::Key_Return || k == Qt::Key_Enter || k == Qt::Key_Down || k == Qt::Key_Up) {
                const bool next = k != Qt::Key_Up;
                QPointer<QWidget> from = widget;
                QTimer::singleShot(0, this, [this, from, next] {
                    if (from && QApplication::focusWidget() == from)
                        focusNextPrevChild(next);
                });
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

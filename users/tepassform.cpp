#include "tepassform.h"

#include <QComboBox>
#include <QFrame>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

#include "dialogs.h"
#include "fieldlink.h"
#include "guard.h"
#include "recordgrid.h"
#include "recordset.h"

namespace {

const QString kSaved = QStringLiteral("资料已保存!");
const QString kReallyDelete = QStringLiteral("您是否真的要删除这笔用户记录吗?");
const QString kLastUser = QStringLiteral("这是唯一的用户，删除后将无法再登录本程序，不能删除。");

constexpr QSize kWindowSize(505, 361);
constexpr int kPanelHeight = 41;
constexpr int kGridHeight = 181;

struct Command
{
    const char *name;
    const char16_t *caption;
    int x;
    QStyle::StandardPixmap icon;
    void (TepassForm::*handler)();
};

// The command panel's buttons, from the left.
const Command kCommands[] = {
    {"BitBtn1", u"&A增加", 8, QStyle::SP_FileIcon, &TepassForm::BitBtn1Click},
    {"BitBtn2", u"&E修改", 88, QStyle::SP_FileDialogDetailedView, &TepassForm::BitBtn2Click},
    {"BitBtn3", u"&S保存", 168, QStyle::SP_DialogSaveButton, &TepassForm::BitBtn3Click},
    {"BitBtn4", u"&D删除", 248, QStyle::SP_TrashIcon, &TepassForm::BitBtn4Click},
    {"BitBtn5", u"&X关闭", 328, QStyle::SP_DialogCloseButton, &TepassForm::BitBtn5Click},
};

struct Field
{
    const char *label;
    const char16_t *caption;
    int labelX, labelY;
    const char *name;
    const char16_t *column;
    QRect geometry;
    bool password;
};

// The bound fields of the current user, with their labels (positions on the window).
const Field kFields[] = {
    {"Label1", u"用户：", 40, 60, "uedit", u"用户", QRect(88, 56, 121, 23), false},
    {"Label2", u"密码", 40, 92, "DBEdit2", u"密码", QRect(88, 88, 121, 23), true},
    {"Label3", u"职务：", 248, 60, "zwedit", u"职务", QRect(296, 56, 121, 23), false},
};

} // namespace

TepassForm::TepassForm(RecordSet *userqry, QWidget *parent) : QDialog(parent), m_userqry(userqry)
{
    setObjectName(QStringLiteral("epassForm"));
    setWindowTitle(QStringLiteral("增加用户、设置权限、密码"));
    QFont windowFont(QStringLiteral("新宋体"));
    windowFont.setPixelSize(15);
    setFont(windowFont);
    resize(kWindowSize);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setFixedHeight(kPanelHeight);
    layout->addWidget(panel);
    for (const Command &c : kCommands) {
        auto *button = new QPushButton(style()->standardIcon(c.icon), QString::fromUtf16(c.caption), panel);
        button->setObjectName(QLatin1String(c.name));
        button->setGeometry(c.x, 8, 75, 25);
        button->setCursor(Qt::PointingHandCursor);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this,
                [this, handler = c.handler] { guarded(this, [&] { (this->*handler)(); }); });
    }
    layout->addStretch(1);

    for (const Field &f : kFields) {
        auto *label = new QLabel(QString::fromUtf16(f.caption), this);
        label->setObjectName(QLatin1String(f.label));
        label->move(f.labelX, f.labelY);
        label->adjustSize();
        auto *edit = new QLineEdit(this);
        edit->setObjectName(QLatin1String(f.name));
        edit->setGeometry(f.geometry);
        if (f.password) {
            // A "*" for each character typed.
            edit->setEchoMode(QLineEdit::Password);
            edit->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
        }
        label->setBuddy(edit);
        FieldLink::bind(edit, m_userqry, QString::fromUtf16(f.column));
    }
    m_uedit = findChild<QLineEdit *>(QStringLiteral("uedit"));
    m_password = findChild<QLineEdit *>(QStringLiteral("DBEdit2"));
    m_zwedit = findChild<QLineEdit *>(QStringLiteral("zwedit"));
    QWidget::setTabOrder(m_uedit, m_password);
    QWidget::setTabOrder(m_password, m_zwedit);

    // The rights column has a selector, but nothing shows it: rights are neither edited nor used.
    auto *rightsLabel = new QLabel(QStringLiteral("权限："), this);
    rightsLabel->setObjectName(QStringLiteral("Label4"));
    rightsLabel->move(248, 92);
    rightsLabel->adjustSize();
    rightsLabel->setVisible(false);
    m_rights = new QComboBox(this);
    m_rights->setObjectName(QStringLiteral("DBComboBox1"));
    m_rights->setGeometry(296, 88, 121, 23);
    m_rights->addItems({QStringLiteral("管理"), QStringLiteral("财务"), QStringLiteral("操作"), QString()});
    FieldLink::bind(m_rights, m_userqry, QStringLiteral("权限"));
    m_rights->setVisible(false);

    m_grid = new RecordGrid(this);
    m_grid->setObjectName(QStringLiteral("DBGridEh1"));
    m_grid->setFixedHeight(kGridHeight);
    m_grid->bind(m_userqry, {{QStringLiteral("用户"), 120}, {QStringLiteral("职务"), 100}});
    m_grid->footer()->setVisible(false);
    m_grid->view()->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    layout->addWidget(m_grid);

    auto *statusBar = new QStatusBar(this);
    statusBar->setObjectName(QStringLiteral("StatusBar1"));
    statusBar->setSizeGripEnabled(false);
    for (int i = 0; i < 3; ++i) {
        auto *statusPanel = new QLabel(statusBar);
        statusPanel->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        statusPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        if (i < 2) {
            statusPanel->setFixedWidth(150);
            statusBar->addWidget(statusPanel);
        } else {
            statusBar->addWidget(statusPanel, 1);
        }
    }
    layout->addWidget(statusBar);
}

void TepassForm::BitBtn1Click()
{
    m_userqry->append();
    m_uedit->setFocus();
}

void TepassForm::BitBtn2Click()
{
    m_userqry->edit();
    m_uedit->setFocus();
}

void TepassForm::BitBtn3Click()
{
    m_userqry->save();
    Dialogs::instance().information(this, kInfoCaption, kSaved);
}

void TepassForm::BitBtn4Click()
{
    if (!Dialogs::instance().question(this, kInfoCaption, kReallyDelete))
        return;
    // Removing the only stored user would leave nobody able to log in at the next start.
    const bool inserting = m_userqry->state() == RecordSet::State::Insert;
    if (!inserting && m_userqry->isOpen() && m_userqry->rowCount() == 1) {
        Dialogs::instance().warning(this, kInfoCaption, kLastUser);
        return;
    }
    m_userqry->remove();
}

void TepassForm::BitBtn5Click()
{
    close();
}

void TepassForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // Centred on the desktop each time it is shown.
    if (QScreen *s = screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(s->availableGeometry().center());
        move(frame.topLeft());
    }
}

void TepassForm::keyPressEvent(QKeyEvent *event)
{
    // The window has no cancel button: Esc does not close it (the title bar and 关闭 do).
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

#include "tloginform.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QVBoxLayout>

#include "apperror.h"
#include "dialogs.h"
#include "guard.h"
#include "loginpictures.h"
#include "recordset.h"
#include "trim.h"

namespace {

const QString kUserColumn = QStringLiteral("用户");
const QString kPasswordColumn = QStringLiteral("密码");
const QString kNoUser = QStringLiteral("请先选择用户ID!");
const QString kWrongPassword = QStringLiteral("密码不正确,请重新输入!");

// The maker's name and support line shown in the status bar.
const QString kMakerName = QStringLiteral("青禾软件");
const QString kMakerContact = QStringLiteral("请联系本单位管理员");
const QString kHint = QStringLiteral("用户ID请选择，初始密码为空!");

constexpr QSize kWindowSize(469, 320);

// Passwords show a "*" for each character typed.
const QString kStarEcho = QStringLiteral("QLineEdit { lineedit-password-character: 42; }");

struct Caption
{
    const char16_t *name;
    const char16_t *text;
    int x, y;
};

// The window's labels (left, top on the panel).
constexpr Caption kLabels[] = {
    {u"Label1", u"用户ID:", 192, 120},
    {u"Label2", u"密  码：", 192, 155},
    {u"Label3", u"V3.8", 316, 73},
    {u"Label4", u"专业版", 364, 73},
};

QFont windowFont()
{
    QFont font(QStringLiteral("新宋体"));
    font.setPixelSize(15);
    return font;
}

QPushButton *makeButton(QWidget *parent, const char *name, const QString &text, const QRect &geometry,
                        QStyle::StandardPixmap icon)
{
    auto *button = new QPushButton(parent->style()->standardIcon(icon), text, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(geometry);
    button->setCursor(Qt::PointingHandCursor);
    // Neither button is pressed by Enter: no default, and none becomes default with the focus.
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

} // namespace

TloginForm::TloginForm(RecordSet *userqry, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_userqry(userqry)
{
    setObjectName(QStringLiteral("loginForm"));
    setWindowTitle(QStringLiteral("登录"));
    setFont(windowFont());
    setFixedSize(kWindowSize);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    // The panel with a lowered bevel, its picture stretched under the controls.
    m_panel = new QLabel(this);
    m_panel->setObjectName(QStringLiteral("Panel1"));
    m_panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_panel->setScaledContents(true);
    m_panel->setPixmap(loginBackground(QSize(kWindowSize.width(), kWindowSize.height() - 20)));
    layout->addWidget(m_panel, 1);

    for (const Caption &c : kLabels) {
        auto *label = new QLabel(QString::fromUtf16(c.text), m_panel);
        label->setObjectName(QString::fromUtf16(c.name));
        label->move(c.x, c.y);
    }
    auto *version = m_panel->findChild<QLabel *>(QStringLiteral("Label3"));
    QFont versionFont(QStringLiteral("Times New Roman"));
    versionFont.setPixelSize(20);
    versionFont.setBold(true);
    versionFont.setItalic(true);
    version->setFont(versionFont);
    auto *edition = m_panel->findChild<QLabel *>(QStringLiteral("Label4"));
    QFont editionFont = windowFont();
    editionFont.setPixelSize(19);
    editionFont.setBold(true);
    editionFont.setItalic(true);
    edition->setFont(editionFont);
    for (QLabel *label : {version, edition}) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, Qt::blue);
        label->setPalette(palette);
    }
    for (QLabel *label : m_panel->findChildren<QLabel *>())
        label->adjustSize();

    auto *code = new QLabel(m_panel);
    code->setObjectName(QStringLiteral("Image2"));
    code->setGeometry(40, 88, 110, 110);
    code->setScaledContents(true);
    code->setPixmap(makerCodePicture(110));

    m_uid = new QComboBox(m_panel);
    m_uid->setObjectName(QStringLiteral("UID"));
    m_uid->setGeometry(264, 120, 121, 23);
    m_uid->view()->setMinimumWidth(120);
    connect(m_uid, &QComboBox::currentIndexChanged, this, &TloginForm::userChosen);

    m_upass = new QLineEdit(m_panel);
    m_upass->setObjectName(QStringLiteral("upass"));
    m_upass->setGeometry(264, 152, 121, 23);
    m_upass->setEchoMode(QLineEdit::Password);
    m_upass->setStyleSheet(kStarEcho);

    m_login = makeButton(m_panel, "BitBtn1", QStringLiteral("&L 登录"), QRect(200, 200, 90, 25),
                         QStyle::SP_DialogOkButton);
    m_leave = makeButton(m_panel, "BitBtn2", QStringLiteral("&X 退出"), QRect(304, 200, 90, 25),
                         QStyle::SP_DialogCloseButton);
    connect(m_login, &QPushButton::clicked, this, [this] { guarded(this, [&] { BitBtn1Click(); }); });
    connect(m_leave, &QPushButton::clicked, this, [this] { guarded(this, [&] { BitBtn2Click(); }); });

    // Tab order: 登录, 退出, the password, the user ID.
    QWidget::setTabOrder(m_login, m_leave);
    QWidget::setTabOrder(m_leave, m_upass);
    QWidget::setTabOrder(m_upass, m_uid);
    m_login->setFocus();

    m_statusBar = new QStatusBar(this);
    m_statusBar->setObjectName(QStringLiteral("StatusBar1"));
    m_statusBar->setSizeGripEnabled(false);
    QFont barFont(QStringLiteral("宋体"));
    barFont.setPixelSize(12);
    m_statusBar->setFont(barFont);
    const std::pair<QString, int> panels[] = {{kMakerName, 60}, {kMakerContact, 120}, {kHint, 0}};
    int index = 0;
    for (const auto &[text, width] : panels) {
        auto *panel = new QLabel(text, m_statusBar);
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(index++));
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        if (width > 0) {
            panel->setFixedWidth(width);
            m_statusBar->addWidget(panel);
        } else {
            m_statusBar->addWidget(panel, 1);
        }
    }
    layout->addWidget(m_statusBar);

    connect(m_userqry, &RecordSet::listReset, this, &TloginForm::fillUserIds);
    connect(m_userqry, &RecordSet::rowChanged, this, &TloginForm::fillUserIds);
    fillUserIds();
}

bool TloginForm::run()
{
    return exec() == QDialog::Accepted;
}

void TloginForm::FormActivate()
{
    if (m_userqry->isOpen())
        return;
    try {
        m_userqry->open();
    } catch (const AppError &e) {
        // Reported once: every close of the message box activates the window again, and the
        // list cannot open by itself in between.
        if (!m_openFailureShown) {
            m_openFailureShown = true;
            Dialogs::instance().error(this, e.message());
        }
    }
}

void TloginForm::BitBtn1Click()
{
    const QString userId = m_uid->currentText();
    if (userId.isEmpty()) {
        Dialogs::instance().warning(this, kInfoCaption, kNoUser);
        return;
    }
    // The first row of the chosen ID holds the password compared, whichever entry was chosen.
    const bool found = m_userqry->isOpen() && m_userqry->locate(kUserColumn, userId);
    if (found && passwordMatches(m_userqry->value(kPasswordColumn), m_upass->text())) {
        done(QDialog::Accepted);
        return;
    }
    m_upass->setFocus();
    m_upass->selectAll();
    Dialogs::instance().warning(this, kInfoCaption, kWrongPassword);
}

void TloginForm::BitBtn2Click()
{
    done(QDialog::Rejected);
}

bool TloginForm::passwordMatches(const QVariant &stored, const QString &typed)
{
    if (stored.isNull())
        return typed.isEmpty();
    return trimBlanks(stored.toString()) == trimBlanks(typed);
}

QString TloginForm::trimBlanks(const QString &text)
{
    return trimBlanksAndControls(text);
}

void TloginForm::reject()
{
}

bool TloginForm::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        guarded(this, [&] { FormActivate(); });
    return QDialog::event(event);
}

void TloginForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // Centred on the desktop, whatever the parent.
    if (QScreen *s = screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(s->availableGeometry().center());
        move(frame.topLeft());
    }
    // Without a window manager the window may never be activated: open the list now as well.
    guarded(this, [&] { FormActivate(); });
}

void TloginForm::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        // Neither logs in nor leaves.
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void TloginForm::fillUserIds()
{
    const QString chosen = m_uid->currentText();
    const int chosenIndex = m_uid->currentIndex();
    QStringList ids;
    if (m_userqry->isOpen()) {
        for (int row = 0; row < m_userqry->rowCount(); ++row)
            ids << m_userqry->valueAt(row, kUserColumn).toString();
    }
    m_filling = true;
    m_uid->clear();
    m_uid->addItems(ids);
    // Keep the choice when the list still holds it.
    int index = -1;
    if (chosenIndex >= 0 && chosenIndex < ids.size() && ids.at(chosenIndex) == chosen)
        index = chosenIndex;
    else if (chosenIndex >= 0)
        index = int(ids.indexOf(chosen));
    m_uid->setCurrentIndex(index);
    m_filling = false;
}

void TloginForm::userChosen(int index)
{
    if (m_filling || index < 0 || !m_userqry->isOpen())
        return;
    guarded(this, [&] { m_userqry->locate(kUserColumn, m_uid->itemText(index)); });
}

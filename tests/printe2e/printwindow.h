#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDate>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlQuery>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <memory>

#include "chequepage.h"
#include "datepicker.h"
#include "database.h"
#include "depositslippage.h"
#include "digitcelledit.h"
#include "printerdevice.h"
#include "recordingdialogs.h"
#include "testfolder.h"
#include "tform1.h"
#include "tloginform.h"

// The main window on a program folder of its own (with the installed defaults unless asked
// otherwise), logged in, shown and active, with the dialogs answered by the test.
class PrintWindow
{
public:
    explicit PrintWindow(bool withInstalledDefaults = true) : m_folder(withInstalledDefaults)
    {
        m_window = std::make_unique<TForm1>(m_folder.path());
    }

    // Gets past the login as the first user (no password), shows the window on the slip page
    // and activates it, which opens the lists. False when the start did not get through.
    bool start()
    {
        TloginForm *form = m_window->loginForm();
        QTimer::singleShot(0, form, [form] {
            form->findChild<QComboBox *>(QStringLiteral("UID"))->setCurrentIndex(0);
            form->BitBtn1Click();
            if (form->isVisible())
                form->BitBtn2Click();
        });
        if (!m_window->FormShow())
            return false;
        m_window->resize(1100, 800);
        m_window->show();
        m_window->activateWindow();
        // The platform window may report active before the widget side has taken it over
        // from the closed login window: wait for the widgets' view of it.
        if (!QTest::qWaitFor([this] { return m_window->isActiveWindow(); }, 5000))
            return false;
        m_window->FormActivate();
        return true;
    }

    TForm1 &window() const { return *m_window; }
    QString folder() const { return m_folder.path(); }
    RecordingDialogs &dialogs() { return m_dialogs; }

    template <typename T = QWidget>
    T *find(const QString &name) const
    {
        return m_window->findChild<T *>(name);
    }
    QLineEdit *edit(const QString &name) const { return find<QLineEdit>(name); }

    void showSlip() { find<QTabWidget>(QStringLiteral("pgc"))->setCurrentIndex(0); }
    void showCheque() { find<QTabWidget>(QStringLiteral("pgc"))->setCurrentIndex(1); }
    QWidget *panel() const
    {
        return m_window->documentName() == QStringLiteral("进账单")
                   ? m_window->slipPage()->formPanel()
                   : m_window->chequePage()->formPanel();
    }

    // Types text into an edit as an input method does (QTest's key clicks take Latin-1 only),
    // replacing what it held.
    static void type(QWidget *edit, const QString &text)
    {
        edit->setFocus(Qt::TabFocusReason);
        if (auto *line = qobject_cast<QLineEdit *>(edit))
            line->selectAll();
        QInputMethodEvent event;
        event.setCommitString(text);
        QCoreApplication::sendEvent(edit, &event);
    }
    void type(const QString &name, const QString &text) { type(find(name), text); }
    // Sets a panel edit (hx, zx, zjj) as the user does: select all, type the new text.
    void setPanelText(const QString &name, const QString &text)
    {
        QLineEdit *e = edit(name);
        e->setFocus(Qt::TabFocusReason);
        e->selectAll();
        if (text.isEmpty())
            QTest::keyClick(e, Qt::Key_Delete);
        else
            QTest::keyClicks(e, text);
    }
    // Types an amount into an amount edit and leaves it for the next field, which writes the
    // amount and its capitals.
    void typeAmount(const QString &name, const QString &amount, const QString &next)
    {
        auto *cells = find<DigitCellEdit>(name);
        cells->setFocus(Qt::TabFocusReason);
        cells->selectAll();
        QTest::keyClicks(cells, amount);
        find(next)->setFocus(Qt::TabFocusReason);
    }

    // A new deposit slip filled through its page: bank, date, both parties, amount with its
    // capitals, instrument, purpose, remarks line and signatures. The read-only body fields are
    // filled through their stub copies, as the user does.
    void fillSlip(const QString &amount = QStringLiteral("1234.56"))
    {
        showSlip();
        m_window->BitBtn12Click();
        type(QStringLiteral("jzyxmc"), QStringLiteral("工商银行"));
        find<DatePicker>(QStringLiteral("jzsdate"))->chooseDate(QDate(2024, 3, 5));
        type(QStringLiteral("cpqc"), QStringLiteral("青禾商贸有限公司"));
        type(QStringLiteral("ccpzh"), QStringLiteral("62220202000012"));
        type(QStringLiteral("ccpyx"), QStringLiteral("工行青禾支行"));
        type(QStringLiteral("cskqc"), QStringLiteral("远山贸易公司"));
        type(QStringLiteral("cskzh"), QStringLiteral("9558801234567"));
        type(QStringLiteral("cskyx"), QStringLiteral("建行远山支行"));
        if (!amount.isEmpty())
            typeAmount(QStringLiteral("jzxx"), amount, QStringLiteral("pjzl"));
        type(QStringLiteral("pjzl"), QStringLiteral("支票"));
        type(QStringLiteral("pjzs"), QStringLiteral("1"));
        type(QStringLiteral("pjhm"), QStringLiteral("10203040"));
        type(QStringLiteral("jzyt"), QStringLiteral("货款"));
        type(QStringLiteral("xje"), QStringLiteral("附言"));
        type(QStringLiteral("jzfh"), QStringLiteral("李四"));
        type(QStringLiteral("jzjz"), QStringLiteral("王五"));
    }

    // A new cheque filled through its page: bank, capital and plain dates, paying bank and
    // account, payee and purpose (typed on the stub), amount with its capitals, password line,
    // the stub's bank, additional information and signatures.
    void fillCheque(const QString &amount = QStringLiteral("1234.56"))
    {
        showCheque();
        m_window->BitBtn12Click();
        type(QStringLiteral("yxmc"), QStringLiteral("工商银行"));
        find<DatePicker>(QStringLiteral("zpdate"))->chooseDate(QDate(2024, 11, 15));
        type(QStringLiteral("fkh"), QStringLiteral("工行青禾支行"));
        type(QStringLiteral("cprzh"), QStringLiteral("62220202000012"));
        type(QStringLiteral("cskr"), QStringLiteral("远山贸易公司"));
        if (!amount.isEmpty())
            typeAmount(QStringLiteral("zpje"), amount, QStringLiteral("cyt"));
        type(QStringLiteral("cyt"), QStringLiteral("货款"));
        type(QStringLiteral("mm"), QStringLiteral("88990011"));
        type(QStringLiteral("cgyx"), QStringLiteral("工商银行"));
        type(QStringLiteral("fjxx1"), QStringLiteral("合同A17"));
        type(QStringLiteral("fjxx2"), QStringLiteral("发票0032"));
        type(QStringLiteral("fjxx3"), QStringLiteral("第三批"));
        type(QStringLiteral("zg"), QStringLiteral("张三"));
        type(QStringLiteral("hj"), QStringLiteral("李四"));
    }

    // The print direction and the stub switch of the settings panel.
    void setLandscape(bool landscape)
    {
        (landscape ? find<QRadioButton>(QStringLiteral("zxd"))
                   : find<QRadioButton>(QStringLiteral("hxd")))
            ->setChecked(true);
    }
    void setSkipStub(bool skip) { find<QCheckBox>(QStringLiteral("dycg"))->setChecked(skip); }

    // Presses 打印 with the printer writing the page into a PDF file of the given size.
    void printToPdf(const QString &pdf, const QPageSize &pageSize = QPageSize(QPageSize::A3))
    {
        m_window->setPrinterDevice(std::make_unique<QtPrinterDevice>(pdf, pageSize));
        pressPrint();
    }
    // Presses 打印 as the user does: through the button, so an error is reported by the
    // window's error box (recorded by the dialogs).
    void pressPrint() { find<QPushButton>(QStringLiteral("BitBtn11"))->click(); }

    QPrinter *printer() const
    {
        auto *device = dynamic_cast<QtPrinterDevice *>(m_window->printerDevice());
        return device ? device->printer() : nullptr;
    }

    // The settings row of a document as stored: 横向, 纵向, 字间距; empty when there is none.
    static QVariantList settingsRow(const QString &document)
    {
        QSqlQuery q(QSqlDatabase::database(store::kConnection));
        q.prepare(QStringLiteral("select 横向, 纵向, 字间距 from djmc where 单据名称 = ?"));
        q.addBindValue(document);
        if (!q.exec() || !q.next())
            return {};
        return {q.value(0), q.value(1), q.value(2)};
    }

private:
    RecordingDialogs m_dialogs;
    TestFolder m_folder;
    std::unique_ptr<TForm1> m_window;
};

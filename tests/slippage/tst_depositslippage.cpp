#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <memory>
#include <optional>

#include "datepicker.h"
#include "depositslippage.h"
#include "digitcelledit.h"
#include "picklist.h"
#include "recordgrid.h"
#include "recordingdialogs.h"
#include "slipfields.h"
#include "slipfixture.h"

using namespace Qt::StringLiterals;

// The deposit-slip page driven through its controls: the form built from the field table,
// add / edit / save / delete, the pick lists, the amount and date handlers, the currency marks
// and the grid with its total.
class TestDepositSlipPage : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<SlipFixture> m_fx;
    std::unique_ptr<RecordingDialogs> m_dialogs;

    // Shows the page as the active window so focus changes run as with a user.
    DepositSlipPage *showPage()
    {
        DepositSlipPage *page = m_fx->open();
        page->show();
        page->activateWindow();
        if (!QTest::qWaitForWindowActive(page))
            qWarning("page window not active");
        return page;
    }
    template <typename T = QWidget>
    T *control(const char16_t *name) const
    {
        T *w = m_fx->control<T>(name);
        if (!w)
            qFatal("control missing");
        return w;
    }
    // Leaves the focused control for the bank-name edit.
    void leaveTo(const char16_t *name = u"jzyxmc") { control(name)->setFocus(Qt::TabFocusReason); }
    RecordSet *list() const { return m_fx->list(); }
    QVariant value(const QString &column) const { return list()->value(column); }

    // Opens a pick list as the user does (focus, then its button) and returns its entries.
    QStringList openPick(PickList *pick)
    {
        leaveTo();
        pick->setFocus(Qt::MouseFocusReason);
        pick->showList();
        const QStringList names = pick->entries();
        return names;
    }
    void clickEntry(PickList *pick, int row)
    {
        auto *entries = pick->findChild<QListWidget *>(u"list"_s);
        QVERIFY(entries);
        QVERIFY(row < entries->count());
        const QRect r = entries->visualItemRect(entries->item(row));
        QTest::mouseClick(entries->viewport(), Qt::LeftButton, {}, r.center());
    }
    void clickGridRow(int row)
    {
        QTableView *view = m_fx->page()->grid()->view();
        const QRect r = view->visualRect(view->model()->index(row, 0));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, r.center());
    }
    void typeAmount(const char16_t *name, const QString &amount)
    {
        auto *edit = control<DigitCellEdit>(name);
        edit->setFocus(Qt::TabFocusReason);
        edit->selectAll();
        QTest::keyClicks(edit, amount);
    }

private Q_SLOTS:
    void init()
    {
        m_dialogs = std::make_unique<RecordingDialogs>();
        m_fx = std::make_unique<SlipFixture>();
    }
    void cleanup()
    {
        m_fx.reset();
        m_dialogs.reset();
    }

    // --- the form ---------------------------------------------------------------------------

    void fieldsAreBuiltFromTheTable_data()
    {
        QTest::addColumn<QString>("name");
        for (const FieldSpec &item : slipFields())
            QTest::newRow(item.name.toString().toUtf8().constData()) << item.name.toString();
    }
    void fieldsAreBuiltFromTheTable()
    {
        QFETCH(QString, name);
        DepositSlipPage *page = showPage();
        const FieldSpec *item = slipField(name);
        QVERIFY(item);
        QWidget *w = page->formPanel()->findChild<QWidget *>(name, Qt::FindDirectChildrenOnly);
        QVERIFY2(w, "not a child of the form panel");
        QCOMPARE(page->control(name), w);
        QCOMPARE(w->geometry(), QRect(item->left, item->top, item->width, item->height));
        QCOMPARE(w->toolTip(), item->hint.toString());
        QCOMPARE(w->isVisibleTo(page), !item->hidden);
        QCOMPARE(w->font().family(), DocumentPage::fieldFont().family());
        QCOMPARE(w->font().pixelSize(), 13);
        if (auto *edit = qobject_cast<QLineEdit *>(w); edit && !qobject_cast<DigitCellEdit *>(w))
            QCOMPARE(edit->isReadOnly(), item->readOnly);
        switch (item->kind) {
        case FieldKind::DigitCells: {
            auto *amount = qobject_cast<DigitCellEdit *>(w);
            QVERIFY(amount);
            QCOMPARE(amount->cellCount(), item->cells);
            QCOMPARE(amount->cellWidth(), item->cellWidth);
            QCOMPARE(amount->currencySymbol(), u"￥"_s);
            QCOMPARE(amount->column(), u"人民币小写"_s);
            QVERIFY(!amount->hasFrame());
            break;
        }
        case FieldKind::PickList:
            QCOMPARE(qobject_cast<PickList *>(w)->listWidth(), item->listWidth);
            break;
        case FieldKind::DatePicker:
            QVERIFY(qobject_cast<DatePicker *>(w));
            break;
        case FieldKind::CurrencyCombo: {
            auto *combo = qobject_cast<QComboBox *>(w);
            QVERIFY(combo);
            QStringList items;
            for (int i = 0; i < combo->count(); ++i)
                items << combo->itemText(i);
            QCOMPARE(items, (QStringList{u"人民币"_s, u"美元"_s, u"港币"_s, u"欧元"_s}));
            break;
        }
        case FieldKind::SunkenEdit:
            QVERIFY(qobject_cast<QLineEdit *>(w)->hasFrame());
            break;
        default:
            QVERIFY(qobject_cast<QLineEdit *>(w));
            break;
        }
    }

    void tableHoldsTheSlipControls()
    {
        // Body and stub show the same columns; every body column but the free text is bound.
        int body = 0, stub = 0, other = 0;
        for (const FieldSpec &item : slipFields()) {
            (item.area == FieldArea::Body ? body : item.area == FieldArea::Stub ? stub : other)++;
            if (item.area == FieldArea::Stub)
                QVERIFY(!item.readOnly);
        }
        QCOMPARE(body, 19);
        QCOMPARE(stub, 15);
        QCOMPARE(other, 4);
        QCOMPARE(slipField(u"xje")->isBound(), false);
        QCOMPARE(slipField(u"cskqc")->column, slipField(u"skqc")->column);
        QVERIFY(!slipField(u"nosuch"));
    }

    void tabOrderFollowsTheTable()
    {
        DepositSlipPage *page = showPage();
        QList<const FieldSpec *> order;
        for (const FieldSpec &item : slipFields()) {
            if (!item.hidden)
                order << &item;
        }
        std::sort(order.begin(), order.end(),
                  [](const FieldSpec *a, const FieldSpec *b) { return a->tabOrder < b->tabOrder; });
        for (qsizetype i = 1; i < order.size(); ++i) {
            QWidget *from = page->control(order[i - 1]->name);
            QWidget *next = from->nextInFocusChain();
            // Skip the inner parts of compound controls (buttons without focus, popups).
            while (next && (!(next->focusPolicy() & Qt::TabFocus) || !next->isVisibleTo(page)
                            || next->isWindow()))
                next = next->nextInFocusChain();
            QVERIFY2(next == page->control(order[i]->name),
                     qPrintable(order[i - 1]->name.toString() + u" -> "_s + order[i]->name.toString()));
        }
    }

    void barAndGrid()
    {
        DepositSlipPage *page = showPage();
        QCOMPARE(page->bar()->objectName(), u"jepan"_s);
        QCOMPARE(page->formPanel()->objectName(), u"jzpan"_s);
        auto *label = page->bar()->findChild<QLabel *>(u"Label4"_s);
        QVERIFY(label);
        QCOMPARE(label->text(), u"智能查询："_s);
        QCOMPARE(label->pos(), QPoint(8, 5));
        QCOMPARE(control(u"lcjzd")->geometry(), QRect(82, 2, 121, 21));
        const struct { const char16_t *name; const char16_t *caption; QRect geometry; } buttons[] = {
            {u"BitBtn13", u"修改&E", {335, 2, 67, 21}},
            {u"BitBtn15", u"删除&D", {414, 2, 67, 21}},
            {u"BitBtn14", u"保存&S", {494, 2, 68, 21}},
        };
        for (const auto &b : buttons) {
            auto *button = control<QPushButton>(b.name);
            QCOMPARE(button->text(), QString::fromUtf16(b.caption));
            QCOMPARE(button->geometry(), b.geometry);
        }
        QVERIFY(!control<QPushButton>(u"BitBtn15")->icon().isNull());

        RecordGrid *grid = page->grid();
        QCOMPARE(grid->objectName(), u"jgrid"_s);
        QCOMPARE(grid->parentWidget(), page->gridArea());
        QAbstractItemModel *model = grid->view()->model();
        QCOMPARE(model->columnCount(), qsizetype(kSlipGridColumns.size()));
        for (int c = 0; c < model->columnCount(); ++c) {
            const SlipGridColumn &column = kSlipGridColumns[c];
            QCOMPARE(model->headerData(c, Qt::Horizontal).toString(), column.name.toString());
            QCOMPARE(model->headerData(c, Qt::Horizontal, Qt::TextAlignmentRole).toInt(),
                     int(Qt::AlignCenter));
            QCOMPARE(grid->view()->columnWidth(c), column.width);
        }
        const int sumColumn = grid->columnOf(u"人民币小写"_s);
        QCOMPARE(sumColumn, 11);
        QCOMPARE(grid->model()->columns().at(sumColumn).alignment, Qt::Alignment(Qt::AlignCenter));
        const int labelColumn = grid->columnOf(u"人民币大写"_s);
        QCOMPARE(grid->footerText(labelColumn), u"合计："_s);
        QCOMPARE(grid->footerAlignment(labelColumn), Qt::Alignment(Qt::AlignCenter));
        QCOMPARE(grid->footerAlignment(sumColumn), Qt::Alignment(Qt::AlignCenter));
    }

    // --- add, edit, save, delete --------------------------------------------------------------

    void addPresetsOnlyTheCurrency()
    {
        SlipFixture::seed({{{u"银行名称"_s, u"工行"_s}, {u"人民币小写"_s, 10.0}}});
        DepositSlipPage *page = showPage();
        page->setPickerDate(QDate(2024, 3, 3));
        leaveTo(u"cpqc");
        page->N22Click();
        QCOMPARE(list()->state(), RecordSet::State::Insert);
        QCOMPARE(list()->rowCount(), 2);
        QCOMPARE(list()->currentRow(), 1);
        for (const QString &column : list()->columns()) {
            if (column == u"币别")
                QCOMPARE(value(column).toString(), u"人民币"_s);
            else
                QVERIFY2(value(column).isNull(), qPrintable(column));
        }
        QCOMPARE(QApplication::focusWidget(), control(u"jzyxmc"));
        QCOMPARE(page->pickerDate(), QDate(2024, 3, 3));
        // Written only when saved, and then last.
        QCOMPARE(SlipFixture::storedCount(), 1);
        typeText(control(u"jzyxmc"), u"中国银行"_s);
        page->BitBtn14Click();
        QCOMPARE(SlipFixture::stored(u"银行名称"_s), (QVariantList{u"工行"_s, u"中国银行"_s}));
        QCOMPARE(SlipFixture::stored(u"币别"_s).last().toString(), u"人民币"_s);
        QCOMPARE(list()->currentRow(), 1);
    }

    void editButtonStartsEditing()
    {
        SlipFixture::seed({{{u"银行名称"_s, u"工行"_s}}});
        showPage();
        QCOMPARE(list()->state(), RecordSet::State::Browse);
        control<QPushButton>(u"BitBtn13")->click();
        QCOMPARE(list()->state(), RecordSet::State::Edit);
        QVERIFY(m_dialogs->shown.isEmpty());
    }

    void stubTypingShowsInTheBody_data()
    {
        QTest::addColumn<QString>("stub");
        QTest::addColumn<QString>("body");
        QTest::addColumn<QString>("column");
        QTest::newRow("payee") << u"cskqc"_s << u"skqc"_s << u"收款全称"_s;
        QTest::newRow("payee account") << u"cskzh"_s << u"skzh"_s << u"收款帐号"_s;
        QTest::newRow("payer bank") << u"ccpyx"_s << u"cpyx"_s << u"出票银行"_s;
        QTest::newRow("year") << u"cyedit"_s << u"yedit"_s << u"年"_s;
    }
    void stubTypingShowsInTheBody()
    {
        QFETCH(QString, stub);
        QFETCH(QString, body);
        QFETCH(QString, column);
        SlipFixture::seed({{{u"银行名称"_s, u"工行"_s}}});
        DepositSlipPage *page = showPage();
        auto *bodyEdit = qobject_cast<QLineEdit *>(page->control(body));
        typeText(page->control(stub), u"青禾商贸"_s);
        QCOMPARE(bodyEdit->text(), u"青禾商贸"_s);
        QCOMPARE(value(column).toString(), u"青禾商贸"_s);
        QCOMPARE(list()->state(), RecordSet::State::Edit);
    }

    void readOnlyBodyFieldsRefuseTyping()
    {
        SlipFixture::seed({{{u"收款全称"_s, u"甲"_s}}});
        showPage();
        auto *skqc = control<QLineEdit>(u"skqc");
        skqc->setFocus();
        QTest::keyClicks(skqc, u"xyz"_s);
        QCOMPARE(skqc->text(), u"甲"_s);
        QCOMPARE(list()->state(), RecordSet::State::Browse);
    }

    void saveShowsTheNotice_data()
    {
        QTest::addColumn<bool>("change");
        QTest::newRow("changed") << true;
        QTest::newRow("nothing changed") << false;
    }
    void saveShowsTheNotice()
    {
        QFETCH(bool, change);
        SlipFixture::seed({{{u"银行名称"_s, u"工行"_s}}});
        DepositSlipPage *page = showPage();
        if (change)
            typeText(control(u"jzyxmc"), u"农行"_s);
        control<QPushButton>(u"BitBtn14")->click();
        QCOMPARE(m_dialogs->shown.size(), 1);
        QCOMPARE(m_dialogs->shown[0].kind, u"information"_s);
        QCOMPARE(m_dialogs->shown[0].caption, u"信息"_s);
        QCOMPARE(m_dialogs->shown[0].text, u"资料已经保存"_s);
        QCOMPARE(SlipFixture::stored(u"银行名称"_s),
                 QVariantList{change ? u"农行"_s : u"工行"_s});
        QCOMPARE(list()->state(), RecordSet::State::Browse);
        Q_UNUSED(page);
    }

    void deleteAsksFirst_data()
    {
        QTest::addColumn<bool>("answer");
        QTest::addColumn<int>("row");
        QTest::addColumn<QVariantList>("left");
        QTest::addColumn<int>("currentAfter");
        QTest::newRow("否") << false << 1 << QVariantList{u"甲"_s, u"乙"_s, u"丙"_s} << 1;
        QTest::newRow("是, middle") << true << 1 << QVariantList{u"甲"_s, u"丙"_s} << 1;
        QTest::newRow("是, last") << true << 2 << QVariantList{u"甲"_s, u"乙"_s} << 1;
    }
    void deleteAsksFirst()
    {
        QFETCH(bool, answer);
        QFETCH(int, row);
        QFETCH(QVariantList, left);
        QFETCH(int, currentAfter);
        SlipFixture::seed({{{u"银行名称"_s, u"甲"_s}}, {{u"银行名称"_s, u"乙"_s}},
                           {{u"银行名称"_s, u"丙"_s}}});
        showPage();
        list()->moveTo(row);
        m_dialogs->answers = {answer};
        control<QPushButton>(u"BitBtn15")->click();
        QCOMPARE(m_dialogs->shown.size(), 1);
        QCOMPARE(m_dialogs->shown[0].kind, u"question"_s);
        QCOMPARE(m_dialogs->shown[0].caption, u"提示信息"_s);
        QCOMPARE(m_dialogs->shown[0].text, u"您是否确定要删除这笔进账单记录吗?"_s);
        QCOMPARE(SlipFixture::stored(u"银行名称"_s), left);
        QCOMPARE(list()->rowCount(), left.size());
        QCOMPARE(list()->currentRow(), answer ? currentAfter : row);
        QCOMPARE(list()->state(), RecordSet::State::Browse);
        QCOMPARE(control<QLineEdit>(u"jzyxmc")->text(),
                 list()->valueAt(list()->currentRow(), u"银行名称"_s).toString());
    }

    void deleteWhileEditing_data()
    {
        QTest::addColumn<bool>("answer");
        QTest::newRow("否 keeps the edit") << false;
        QTest::newRow("是 deletes the stored row") << true;
    }
    void deleteWhileEditing()
    {
        QFETCH(bool, answer);
        SlipFixture::seed({{{u"银行名称"_s, u"甲"_s}}, {{u"银行名称"_s, u"乙"_s}}});
        showPage();
        typeText(control(u"cpqc"), u"青禾"_s);
        m_dialogs->answers = {answer};
        m_fx->page()->BitBtn15Click();
        if (answer) {
            QCOMPARE(SlipFixture::stored(u"银行名称"_s), QVariantList{u"乙"_s});
            QCOMPARE(list()->state(), RecordSet::State::Browse);
            QCOMPARE(control<QLineEdit>(u"cpqc")->text(), QString());
            QCOMPARE(control<QLineEdit>(u"jzyxmc")->text(), u"乙"_s);
        } else {
            QCOMPARE(list()->state(), RecordSet::State::Edit);
            QCOMPARE(value(u"出票全称"_s).toString(), u"青禾"_s);
            QCOMPARE(SlipFixture::storedCount(), 2);
        }
    }

    void deleteOnAnEmptyListIsReported()
    {
        showPage();
        m_dialogs->answers = {true};
        control<QPushButton>(u"BitBtn15")->click();
        QCOMPARE(m_dialogs->lastKind(), u"error"_s);
        QCOMPARE(list()->rowCount(), 0);
    }

    // --- pick lists ---------------------------------------------------------------------------

    void pickCopiesTheFirstPartyOfTheName_data()
    {
        QTest::addColumn<QString>("pick");
        QTest::addColumn<QString>("prefix"); // 出票 or 收款
        QTest::addColumn<int>("entry");
        QTest::newRow("payer, first entry") << u"scpqc"_s << u"出票"_s << 1;
        QTest::newRow("payer, second entry") << u"scpqc"_s << u"出票"_s << 2;
        QTest::newRow("payee, first entry") << u"sskqc"_s << u"收款"_s << 1;
        QTest::newRow("payee, second entry") << u"sskqc"_s << u"收款"_s << 2;
    }
    void pickCopiesTheFirstPartyOfTheName()
    {
        QFETCH(QString, pick);
        QFETCH(QString, prefix);
        QFETCH(int, entry);
        const QString name = prefix + u"全称"_s, account = prefix + u"帐号"_s,
                      bank = prefix + u"银行"_s;
        SlipFixture::seed({
            {{name, u"甲公司"_s}, {account, u"111"_s}, {bank, u"工行"_s}},
            {{name, u"甲公司"_s}, {account, u"222"_s}, {bank, u"农行"_s}},
            {{name, u"乙公司"_s}, {account, u"333"_s}, {bank, u"中行"_s}},
            {{u"银行名称"_s, u"当前"_s}, {name, u"旧名"_s}, {account, u"999"_s}},
        });
        DepositSlipPage *page = showPage();
        list()->moveTo(3);
        auto *picker = qobject_cast<PickList *>(page->control(pick));
        const QStringList entries = openPick(picker);
        QCOMPARE(entries, (QStringList{u"乙公司"_s, u"旧名"_s, u"甲公司"_s, u"甲公司"_s}));
        // The party listed first under the name, whichever of its two entries is clicked.
        RecordSet *query = picker->list();
        const QString firstAccount = query->valueAt(2, account).toString();
        const QString firstBank = query->valueAt(2, bank).toString();
        QVERIFY(firstAccount == u"111" || firstAccount == u"222");
        QCOMPARE(firstBank, firstAccount == u"111" ? u"工行"_s : u"农行"_s);
        clickEntry(picker, 2 + entry - 1);
        QVERIFY(!picker->isListOpen());
        QCOMPARE(list()->state(), RecordSet::State::Edit);
        QCOMPARE(value(name).toString(), u"甲公司"_s);
        QCOMPARE(value(account).toString(), firstAccount);
        QCOMPARE(value(bank).toString(), firstBank);
        QCOMPARE(value(u"银行名称"_s).toString(), u"当前"_s);
        QCOMPARE(list()->currentRow(), 3);
        // The body shows the copy at once.
        const QString body = prefix == u"出票" ? u"cpzh"_s : u"skzh"_s;
        QCOMPARE(qobject_cast<QLineEdit *>(page->control(body))->text(), firstAccount);
    }

    void pickReplacesEmptyColumnsToo()
    {
        SlipFixture::seed({
            {{u"出票全称"_s, u"无帐号"_s}},
            {{u"出票全称"_s, u"旧"_s}, {u"出票帐号"_s, u"1"_s}, {u"出票银行"_s, u"工行"_s}},
        });
        DepositSlipPage *page = showPage();
        list()->moveTo(1);
        page->scpqcEnter();
        page->scpqcClick(u"无帐号"_s);
        QCOMPARE(value(u"出票全称"_s).toString(), u"无帐号"_s);
        QVERIFY(value(u"出票帐号"_s).isNull());
        QVERIFY(value(u"出票银行"_s).isNull());
    }

    void pickOfAnUnknownNameLeavesTheRecord()
    {
        SlipFixture::seed({{{u"出票全称"_s, u"甲"_s}}});
        DepositSlipPage *page = showPage();
        page->scpqcClick(u"没有的"_s);
        QCOMPARE(list()->state(), RecordSet::State::Browse);
        QCOMPARE(value(u"出票全称"_s).toString(), u"甲"_s);
    }

    void savedSlipIsListedOnlyAfterReentering()
    {
        SlipFixture::seed({{{u"出票全称"_s, u"甲公司"_s}}});
        DepositSlipPage *page = showPage();
        auto *picker = control<PickList>(u"scpqc");
        QCOMPARE(openPick(picker), QStringList{u"甲公司"_s});
        picker->hideList();

        // A new slip with a new payer is saved while the pick list keeps the focus.
        page->N22Click();
        list()->setValue(u"出票全称"_s, u"乙公司"_s);
        picker->setFocus(Qt::MouseFocusReason);
        page->BitBtn14Click();
        QCOMPARE(SlipFixture::storedCount(), 2);
        QCOMPARE(picker->entries(), QStringList{u"甲公司"_s});
        QCOMPARE(m_fx->queries()->sjzcpqry->rowCount(), 1);

        // Left and entered again: now it is there.
        QCOMPARE(openPick(picker), (QStringList{u"乙公司"_s, u"甲公司"_s}));
    }

    void blankPayersAreNotListed_data()
    {
        QTest::addColumn<QVariant>("blank");
        QTest::newRow("null") << QVariant();
        QTest::newRow("one space") << QVariant(u" "_s);
    }
    void blankPayersAreNotListed()
    {
        QFETCH(QVariant, blank);
        SlipFixture::seed({
            {{u"出票全称"_s, blank}, {u"出票帐号"_s, u"1"_s}, {u"收款全称"_s, blank}},
            {{u"出票全称"_s, u"甲公司"_s}, {u"收款全称"_s, u"乙公司"_s}},
        });
        showPage();
        QCOMPARE(openPick(control<PickList>(u"scpqc")), QStringList{u"甲公司"_s});
        control<PickList>(u"scpqc")->hideList();
        QCOMPARE(openPick(control<PickList>(u"sskqc")), QStringList{u"乙公司"_s});
    }

    // --- amount, capitals, currency -----------------------------------------------------------

    void leavingAnAmountWritesCapitals_data()
    {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("capitals");
        QTest::newRow("stub 0.05") << u"cjzxx"_s << u"0.05"_s << u"伍分"_s;
        QTest::newRow("body 0.05") << u"jzxx"_s << u"0.05"_s << u"伍分"_s;
        QTest::newRow("body 1234.5") << u"jzxx"_s << u"1234.5"_s << u"壹仟贰佰叁拾肆圆伍角整"_s;
        QTest::newRow("stub 100") << u"cjzxx"_s << u"100"_s << u"壹佰圆整"_s;
    }
    void leavingAnAmountWritesCapitals()
    {
        QFETCH(QString, edit);
        QFETCH(QString, typed);
        QFETCH(QString, capitals);
        SlipFixture::seed({{{u"银行名称"_s, u"工行"_s}, {u"币别"_s, u"人民币"_s}}});
        DepositSlipPage *page = showPage();
        auto *amount = qobject_cast<DigitCellEdit *>(page->control(edit));
        amount->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(amount, typed);
        leaveTo();
        QCOMPARE(value(u"人民币小写"_s).toDouble(), typed.toDouble());
        QCOMPARE(value(u"人民币大写"_s).toString(), capitals);
        QCOMPARE(control<QLineEdit>(u"dxedit")->text(), capitals);
        QCOMPARE(control<DigitCellEdit>(u"jzxx")->currencySymbol(), u"￥"_s);
        QCOMPARE(control<DigitCellEdit>(u"cjzxx")->currencySymbol(), u"￥"_s);
        QVERIFY(m_dialogs->shown.isEmpty());
        page->BitBtn14Click();
        QCOMPARE(SlipFixture::stored(u"人民币大写"_s), QVariantList{capitals});
    }

    void leavingWithoutAnAmountConvertsNothing()
    {
        SlipFixture::seed({{{u"人民币大写"_s, u"手写"_s}}});
        DepositSlipPage *page = showPage();
        control(u"jzxx")->setFocus(Qt::TabFocusReason);
        leaveTo();
        QCOMPARE(list()->state(), RecordSet::State::Edit);
        QCOMPARE(value(u"人民币大写"_s).toString(), u"手写"_s);
        QVERIFY(m_dialogs->shown.isEmpty());
        Q_UNUSED(page);
    }

    void wrongAmountIsRefusedAndNothingIsLost_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("letters") << u"12a"_s;
        QTest::newRow("two points") << u"1.2.3"_s;
        QTest::newRow("negative") << u"-5"_s;
    }
    void wrongAmountIsRefusedAndNothingIsLost()
    {
        QFETCH(QString, typed);
        SlipFixture::seed({{{u"银行名称"_s, u"工行"_s}, {u"人民币小写"_s, 8.0},
                            {u"人民币大写"_s, u"捌圆整"_s}}});
        DepositSlipPage *page = showPage();
        typeText(control(u"cpqc"), u"青禾"_s);
        typeAmount(u"jzxx", typed);
        leaveTo();
        QCOMPARE(m_dialogs->lastKind(), u"error"_s);
        QCOMPARE(QApplication::focusWidget(), control(u"jzxx"));
        QCOMPARE(value(u"人民币小写"_s).toDouble(), 8.0);
        QCOMPARE(value(u"人民币大写"_s).toString(), u"捌圆整"_s);
        QCOMPARE(value(u"出票全称"_s).toString(), u"青禾"_s);
        QCOMPARE(list()->state(), RecordSet::State::Edit);

        // Refused again on save: no "saved" notice after the refusal, the typed payer stays.
        typeAmount(u"jzxx", typed);
        m_dialogs->shown.clear();
        page->BitBtn14Click();
        QCOMPARE(m_dialogs->shown.size(), 1);
        QCOMPARE(m_dialogs->shown[0].kind, u"error"_s);
        QCOMPARE(value(u"出票全称"_s).toString(), u"青禾"_s);
        QVERIFY(SlipFixture::stored(u"出票全称"_s).value(0).isNull());

        // A good amount then goes through.
        typeAmount(u"jzxx", u"9"_s);
        leaveTo();
        page->BitBtn14Click();
        QCOMPARE(SlipFixture::stored(u"出票全称"_s), QVariantList{u"青禾"_s});
        QCOMPARE(SlipFixture::stored(u"人民币小写"_s).value(0).toDouble(), 9.0);
        QCOMPARE(SlipFixture::stored(u"人民币大写"_s), QVariantList{u"玖圆整"_s});
    }

    void currencyRefreshSetsMarks_data()
    {
        QTest::addColumn<QString>("currency");
        QTest::addColumn<QString>("mark"); // empty: no match, nothing changes
        QTest::newRow("人民币") << u"人民币"_s << u"￥"_s;
        QTest::newRow("美元") << u"美元"_s << u"USD"_s;
        QTest::newRow("港币") << u"港币"_s << u"HKD"_s;
        QTest::newRow("欧元") << u"欧元"_s << u"EUR"_s;
        QTest::newRow("日元") << u"日元"_s << QString();
        QTest::newRow("empty") << QString() << QString();
    }
    void currencyRefreshSetsMarks()
    {
        QFETCH(QString, currency);
        QFETCH(QString, mark);
        SlipFixture::seed({{{u"币别"_s, currency.isEmpty() ? QVariant() : QVariant(currency)},
                            {u"人民币小写"_s, 12.3}, {u"人民币大写"_s, u"旧"_s}}});
        DepositSlipPage *page = showPage();
        auto *jzxx = control<DigitCellEdit>(u"jzxx");
        auto *cjzxx = control<DigitCellEdit>(u"cjzxx");
        jzxx->setCurrencySymbol(u"X"_s);
        cjzxx->setCurrencySymbol(u"Y"_s);
        QCOMPARE(control<QComboBox>(u"jzbb")->currentText(), currency);
        page->jzbbChange();
        if (mark.isEmpty()) {
            QCOMPARE(jzxx->currencySymbol(), u"X"_s);
            QCOMPARE(cjzxx->currencySymbol(), u"Y"_s);
            QCOMPARE(value(u"人民币大写"_s).toString(), u"旧"_s);
            QCOMPARE(list()->state(), RecordSet::State::Browse);
        } else {
            QCOMPARE(jzxx->currencySymbol(), mark);
            QCOMPARE(cjzxx->currencySymbol(), mark);
            QCOMPARE(value(u"人民币大写"_s).toString(), u"壹拾贰圆叁角整"_s);
            QCOMPARE(control<QLineEdit>(u"dxedit")->text(), u"壹拾贰圆叁角整"_s);
        }
    }

    void choosingACurrencyInTheSelector()
    {
        SlipFixture::seed({{{u"币别"_s, u"人民币"_s}, {u"人民币小写"_s, 5.0}}});
        showPage();
        auto *combo = control<QComboBox>(u"jzbb");
        combo->setCurrentIndex(2);
        Q_EMIT combo->activated(2);
        QCOMPARE(value(u"币别"_s).toString(), u"港币"_s);
        QCOMPARE(control<DigitCellEdit>(u"jzxx")->currencySymbol(), u"HKD"_s);
        QCOMPARE(control<DigitCellEdit>(u"cjzxx")->currencySymbol(), u"HKD"_s);
        QCOMPARE(value(u"人民币大写"_s).toString(), u"伍圆整"_s);
        // Moving to another record changes the text shown but runs nothing.
    }

    void showingAnotherRecordKeepsMarksAndRecord()
    {
        SlipFixture::seed({{{u"币别"_s, u"人民币"_s}, {u"人民币小写"_s, 5.0}},
                           {{u"币别"_s, u"美元"_s}, {u"人民币小写"_s, 6.0}}});
        showPage();
        clickGridRow(1);
        QCOMPARE(list()->currentRow(), 1);
        QCOMPARE(control<QComboBox>(u"jzbb")->currentText(), u"美元"_s);
        QCOMPARE(control<DigitCellEdit>(u"jzxx")->currencySymbol(), u"￥"_s);
        QCOMPARE(list()->state(), RecordSet::State::Browse);
    }

    // --- date -------------------------------------------------------------------------------

    void pickerDateFillsTheDateColumns_data()
    {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("3 March 2024") << QDate(2024, 3, 3) << QStringList{u"2024"_s, u"03"_s, u"03"_s};
        QTest::newRow("31 December 1999") << QDate(1999, 12, 31) << QStringList{u"1999"_s, u"12"_s, u"31"_s};
        QTest::newRow("10 October 2010") << QDate(2010, 10, 10) << QStringList{u"2010"_s, u"10"_s, u"10"_s};
    }
    void pickerDateFillsTheDateColumns()
    {
        QFETCH(QDate, date);
        QFETCH(QStringList, texts);
        SlipFixture::seed({{{u"银行名称"_s, u"工行"_s}}});
        DepositSlipPage *page = showPage();
        control<DatePicker>(u"jzsdate")->chooseDate(date);
        QCOMPARE(list()->state(), RecordSet::State::Edit);
        QCOMPARE(value(u"年"_s).toString(), texts[0]);
        QCOMPARE(value(u"月"_s).toString(), texts[1]);
        QCOMPARE(value(u"日"_s).toString(), texts[2]);
        const char16_t *edits[] = {u"yedit", u"medit", u"dedit", u"cyedit", u"cmedit", u"cdedit"};
        for (int i = 0; i < 6; ++i)
            QCOMPARE(control<QLineEdit>(edits[i])->text(), texts[i % 3]);
        page->BitBtn14Click();
        QCOMPARE(SlipFixture::stored(u"年 || 月 || 日"_s), QVariantList{texts.join(QString())});
    }

    void settingThePickerWritesNothing()
    {
        SlipFixture::seed({{{u"银行名称"_s, u"工行"_s}}});
        DepositSlipPage *page = showPage();
        page->setPickerDate(QDate(2024, 3, 3));
        QCOMPARE(page->pickerDate(), QDate(2024, 3, 3));
        QCOMPARE(list()->state(), RecordSet::State::Browse);
        QVERIFY(value(u"年"_s).isNull());
    }

    void pickerOnAnEmptyListStartsARecord()
    {
        showPage();
        control<DatePicker>(u"jzsdate")->chooseDate(QDate(2024, 3, 5));
        QCOMPARE(list()->state(), RecordSet::State::Insert);
        QCOMPARE(value(u"日"_s).toString(), u"05"_s);
        QVERIFY(value(u"币别"_s).isNull());
    }

    // --- free text, grid ----------------------------------------------------------------------

    void freeTextSurvivesAMove()
    {
        SlipFixture::seed({{{u"银行名称"_s, u"甲"_s}}, {{u"银行名称"_s, u"乙"_s}}});
        showPage();
        typeText(control(u"xje"), u"附言：货款"_s);
        clickGridRow(1);
        QCOMPARE(list()->currentRow(), 1);
        QCOMPARE(control<QLineEdit>(u"jzyxmc")->text(), u"乙"_s);
        QCOMPARE(control<QLineEdit>(u"xje")->text(), u"附言：货款"_s);
        QCOMPARE(list()->state(), RecordSet::State::Browse);
    }

    void footerSumsTheList()
    {
        SlipFixture::seed({{{u"人民币小写"_s, 1.5}}, {{u"人民币小写"_s, 2.25}}, {{u"银行名称"_s, u"无"_s}}});
        DepositSlipPage *page = showPage();
        RecordGrid *grid = page->grid();
        const int sum = grid->columnOf(u"人民币小写"_s);
        QCOMPARE(grid->footerText(sum), u"3.75"_s);
        page->N22Click();
        typeAmount(u"jzxx", u"10"_s);
        leaveTo();
        QCOMPARE(grid->footerText(sum), u"13.75"_s);
        m_dialogs->answers = {true};
        list()->moveTo(0);
        page->BitBtn15Click();
        QCOMPARE(grid->footerText(sum), u"12.25"_s);
    }

    // Last: it needs the record list to drop an inserted row cleanly.
    void deletingAnUnsavedNewRecordLeavesTheDatabase()
    {
        SlipFixture::seed({{{u"银行名称"_s, u"甲"_s}}, {{u"银行名称"_s, u"乙"_s}}});
        const QVariantList before = SlipFixture::stored(u"编号 || 银行名称"_s);
        DepositSlipPage *page = showPage();
        page->N22Click();
        typeText(control(u"jzyxmc"), u"丙"_s);
        m_dialogs->answers = {true};
        page->BitBtn15Click();
        QCOMPARE(SlipFixture::stored(u"编号 || 银行名称"_s), before);
        QCOMPARE(list()->rowCount(), 2);
        QCOMPARE(list()->currentRow(), 1);
        QCOMPARE(list()->state(), RecordSet::State::Browse);
        QCOMPARE(control<QLineEdit>(u"jzyxmc")->text(), u"乙"_s);
    }
};

QTEST_MAIN(TestDepositSlipPage)
#include "tst_depositslippage.moc"

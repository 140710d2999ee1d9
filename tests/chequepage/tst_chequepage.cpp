#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSqlQuery>
#include <QTableView>
#include <QTest>

#include <memory>

#include "chequefields.h"
#include "chequepage.h"
#include "database.h"
#include "datepicker.h"
#include "digitcelledit.h"
#include "picklist.h"
#include "queries.h"
#include "recordgrid.h"
#include "recordingdialogs.h"
#include "recordset.h"
#include "testfolder.h"

using namespace Qt::StringLiterals;

namespace {

using Row = QList<std::pair<QString, QVariant>>;

// Types text as an input method does (QTest's key clicks handle Latin-1 only).
void typeText(QWidget *edit, const QString &text)
{
    edit->setFocus(Qt::TabFocusReason);
    QInputMethodEvent event;
    event.setCommitString(text);
    QCoreApplication::sendEvent(edit, &event);
}

const QString kCapitals1234 = QStringLiteral("壹仟贰佰叁拾肆圆伍角整");

} // namespace

// The cheque page: its controls over the picture, the bar, the grid and the handlers.
class TestChequePage : public QObject
{
    Q_OBJECT

private:
    TestFolder m_folder{false};
    std::unique_ptr<Queries> m_queries;
    std::unique_ptr<ChequePage> m_page;
    std::unique_ptr<RecordingDialogs> m_dialogs;

    static void insertCheque(const Row &row)
    {
        QStringList names, marks;
        for (const auto &[name, value] : row) {
            names << name;
            marks << QStringLiteral("?");
        }
        QSqlQuery q(QSqlDatabase::database(store::kConnection));
        QVERIFY(q.prepare(QStringLiteral("insert into zp (%1) values (%2)")
                              .arg(names.join(u','), marks.join(u','))));
        for (const auto &[name, value] : row)
            q.addBindValue(value);
        QVERIFY(q.exec());
    }
    // Opens the list and shows the page in an active window.
    void openPage()
    {
        m_queries->zpqry->open();
        m_page->resize(820, 520);
        m_page->show();
        QApplication::setActiveWindow(m_page.get());
        QVERIFY(QTest::qWaitForWindowActive(m_page.get()));
    }
    RecordSet *cheques() const { return m_queries->zpqry; }
    template <typename T = QLineEdit>
    T *control(const QString &name) const
    {
        return m_page->findChild<T *>(name);
    }
    QPushButton *button(const QString &name) const { return control<QPushButton>(name); }
    DigitCellEdit *zpje() const { return control<DigitCellEdit>(QStringLiteral("zpje")); }
    QVariant stored(const QString &column) const { return cheques()->value(column); }
    QVariant inDatabase(const QString &column) const
    {
        QSqlQuery q(QSqlDatabase::database(store::kConnection));
        q.exec(QStringLiteral("select \"%1\" from zp order by 编号 desc limit 1").arg(column));
        return q.next() ? q.value(0) : QVariant();
    }
    void leaveTo(const QString &name) { control<QWidget>(name)->setFocus(Qt::TabFocusReason); }
    // Replaces the text of the stub amount by typing. The cheque is put into edit state with
    // 修改 first: see firstKeyInTheStubAmountOfABrowsedCheque for typing into a browsed one.
    void typeStubAmount(const QString &text)
    {
        m_page->BitBtn2Click();
        QLineEdit *cje = control(u"cje"_s);
        cje->setFocus(Qt::TabFocusReason);
        cje->selectAll();
        QTest::keyClicks(cje, text);
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_folder.isValid());
        store::openDatabase(m_folder.path());
    }
    void cleanupTestCase() { store::closeDatabase(); }

    void init()
    {
        QSqlQuery q(QSqlDatabase::database(store::kConnection));
        QVERIFY(q.exec(QStringLiteral("delete from zp")));
        m_dialogs = std::make_unique<RecordingDialogs>();
        m_queries = std::make_unique<Queries>(store::kConnection);
        m_page = std::make_unique<ChequePage>(m_queries.get(), nullptr);
    }
    void cleanup()
    {
        m_page.reset();
        m_queries.reset();
        m_dialogs.reset();
    }

    // --- The controls as designed ---

    void fieldsAsDesigned_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("className");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<bool>("visible");
        const auto row = [](const char *name, const char *cls, QRect r, bool ro = false,
                            bool visible = true) {
            QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(cls) << r
                                << ro << visible;
        };
        // Body.
        row("yxmc", "QLineEdit", {271, 21, 183, 20});
        row("yyd", "QLineEdit", {336, 47, 51, 18});
        row("mmd", "QLineEdit", {400, 47, 49, 18});
        row("ddd", "QLineEdit", {456, 47, 48, 18});
        row("skredit", "QLineEdit", {298, 64, 182, 18}, true);
        row("fkh", "QLineEdit", {616, 47, 131, 18});   // editable: a first cheque needs them
        row("cprzh", "QLineEdit", {616, 63, 131, 18});
        row("zpje", "DigitCellEdit", {600, 99, 153, 18});
        row("ytedit", "QLineEdit", {280, 124, 76, 18}, true);
        row("mm", "QLineEdit", {505, 138, 177, 18});
        row("jedxedit", "QLineEdit", {312, 89, 281, 25}, true);
        // Stub.
        row("cgyx", "QLineEdit", {5, 13, 118, 18});
        row("fjxx1", "QLineEdit", {35, 85, 128, 18});
        row("fjxx2", "QLineEdit", {35, 101, 128, 18});
        row("fjxx3", "QLineEdit", {35, 116, 128, 18});
        row("yyx", "QLineEdit", {75, 143, 30, 18});
        row("mmx", "QLineEdit", {111, 143, 17, 18});
        row("ddx", "QLineEdit", {136, 143, 16, 18});
        row("cskr", "QLineEdit", {70, 175, 94, 17});
        row("cje", "QLineEdit", {70, 192, 94, 18});
        row("cyt", "QLineEdit", {70, 207, 94, 18});
        row("zg", "QLineEdit", {75, 242, 26, 18});
        row("hj", "QLineEdit", {136, 242, 30, 18});
        // Other controls.
        row("sbb", "QComboBox", {432, 137, 60, 20}, false, false);
        row("zpdate", "DatePicker", {516, 46, 22, 21});
        row("xxedit", "QLineEdit", {427, 184, 98, 20}, false, false);
        row("JELAB", "QLineEdit", {330, 184, 98, 20}, false, false);
        row("szpskr", "PickList", {475, 63, 23, 20});
    }
    void fieldsAsDesigned()
    {
        QFETCH(QString, name);
        QFETCH(QString, className);
        QFETCH(QRect, geometry);
        QFETCH(bool, readOnly);
        QFETCH(bool, visible);
        openPage();
        auto *w = control<QWidget>(name);
        QVERIFY(w);
        QCOMPARE(QString::fromLatin1(w->metaObject()->className()), className);
        QCOMPARE(w->parentWidget(), m_page->formPanel());
        QCOMPARE(m_page->formPanel()->objectName(), QStringLiteral("Panel4"));
        QCOMPARE(w->geometry(), geometry);
        QCOMPARE(w->isVisible(), visible);
        QCOMPARE(w->font().family(), QStringLiteral("宋体"));
        QCOMPARE(w->font().pixelSize(), 13);
        QVERIFY(w->toolTip().isEmpty()); // the cheque fields carry no hints
        if (auto *edit = qobject_cast<QLineEdit *>(w); edit && !qobject_cast<DigitCellEdit *>(w))
            QCOMPARE(edit->isReadOnly(), readOnly);
        QCOMPARE(m_page->control(name), w);
        QVERIFY(chequeField(name));
    }

    void fieldsAreBoundToTheirColumns_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("column");
        const char *pairs[][2] = {
            {"yxmc", "银行名称"},   {"yyd", "日期年大"},   {"mmd", "日期月大"},
            {"ddd", "日期日大"},    {"skredit", "收款人"}, {"fkh", "付款行名称"},
            {"cprzh", "出票人帐号"}, {"ytedit", "用途"},    {"jedxedit", "金额大写"},
            {"cgyx", "存根银行"},   {"fjxx1", "附加信息1"}, {"fjxx2", "附加信息2"},
            {"fjxx3", "附加信息3"}, {"yyx", "日期年小"},   {"mmx", "日期月小"},
            {"ddx", "日期日小"},    {"cskr", "收款人"},    {"cyt", "用途"},
            {"zg", "单位主管"},     {"hj", "会计"},
        };
        for (const auto &pair : pairs)
            QTest::newRow(pair[0]) << QString::fromLatin1(pair[0]) << QString::fromUtf8(pair[1]);
    }
    void fieldsAreBoundToTheirColumns()
    {
        QFETCH(QString, name);
        QFETCH(QString, column);
        insertCheque({{column, QStringLiteral("值一")}});
        insertCheque({{column, QStringLiteral("值二")}});
        openPage();
        QCOMPARE(control(name)->text(), QStringLiteral("值一"));
        cheques()->moveTo(1);
        QCOMPARE(control(name)->text(), QStringLiteral("值二"));
        const FieldSpec *item = chequeField(name);
        QVERIFY(item);
        QCOMPARE(item->column.toString(), column);
    }

    void amountAndCurrencyControls()
    {
        insertCheque({{QStringLiteral("金额小写"), 1234.5}, {QStringLiteral("币别"), QStringLiteral("美元")}});
        openPage();
        DigitCellEdit *amount = zpje();
        QCOMPARE(amount->cellCount(), 11);
        QCOMPARE(amount->cellWidth(), 13);
        QCOMPARE(amount->currencySymbol(), QStringLiteral("￥"));
        QVERIFY(!amount->hasFrame());
        QCOMPARE(amount->column(), QStringLiteral("金额小写"));
        QCOMPARE(amount->text(), QStringLiteral("1234.5"));
        QCOMPARE(control(QStringLiteral("cje"))->text(), QStringLiteral("1234.5"));
        auto *sbb = control<QComboBox>(QStringLiteral("sbb"));
        QCOMPARE(sbb->count(), 4);
        const QStringList items{QStringLiteral("人民币"), QStringLiteral("美元"),
                                QStringLiteral("港币"), QStringLiteral("欧元")};
        for (int i = 0; i < items.size(); ++i)
            QCOMPARE(sbb->itemText(i), items[i]);
        QVERIFY(sbb->isEditable());
        QCOMPARE(sbb->currentText(), QStringLiteral("美元"));
        QCOMPARE(control<PickList>(QStringLiteral("szpskr"))->listWidth(), 245);
        // The unbound edits hold no record value.
        for (const char *name : {"mm", "xxedit", "JELAB"})
            QVERIFY(control(QString::fromLatin1(name))->text().isEmpty());
    }

    void tabOrderAsDesigned()
    {
        openPage();
        const QStringList expected = {
            u"yxmc"_s,  u"yyd"_s,   u"mmd"_s,   u"ddd"_s,      u"skredit"_s, u"fkh"_s,
            u"cprzh"_s, u"zpje"_s,  u"ytedit"_s, u"mm"_s,      u"cgyx"_s,    u"fjxx1"_s,
            u"fjxx2"_s, u"fjxx3"_s, u"yyx"_s,   u"mmx"_s,      u"ddx"_s,     u"cskr"_s,
            u"cje"_s,   u"cyt"_s,   u"zg"_s,    u"hj"_s,       u"sbb"_s,     u"jedxedit"_s,
            u"zpdate"_s, u"xxedit"_s, u"JELAB"_s, u"szpskr"_s};
        QStringList chain;
        QWidget *first = control<QWidget>(u"yxmc"_s);
        QWidget *w = first;
        do {
            if (w->parentWidget() == m_page->formPanel() && expected.contains(w->objectName()))
                chain << w->objectName();
            w = w->nextInFocusChain();
        } while (w != first);
        QCOMPARE(chain, expected);

        // Tab walks the visible fields in that order, skipping the hidden ones.
        control<QWidget>(u"hj"_s)->setFocus(Qt::TabFocusReason);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), u"jedxedit"_s);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), u"zpdate"_s);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), u"szpskr"_s);
    }

    void fieldTableIsComplete()
    {
        const auto fields = chequeFields();
        QCOMPARE(qsizetype(fields.size()), qsizetype(28));
        QCOMPARE(ChequePage::fields().data(), fields.data());
        QList<int> orders;
        for (const FieldSpec &f : fields)
            orders << f.tabOrder;
        std::sort(orders.begin(), orders.end());
        for (int i = 0; i < orders.size(); ++i)
            QCOMPARE(orders[i], i); // tab orders 0..27, each once
        QCOMPARE(chequeField(u"zpje")->kind, FieldKind::DigitCells);
        QCOMPARE(chequeField(u"cje")->kind, FieldKind::NumberEdit);
        QCOMPARE(chequeField(u"mm")->kind, FieldKind::PlainEdit);
        QCOMPARE(chequeField(u"cgyx")->area, FieldArea::Stub);
        QCOMPARE(chequeField(u"jedxedit")->area, FieldArea::Body);
        QCOMPARE(chequeField(u"szpskr")->area, FieldArea::Other);
        QVERIFY(!chequeField(u"mm")->isBound());
        QVERIFY(!chequeField(u"nothing"));
    }

    void barAsDesigned_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<bool>("visible");
        QTest::newRow("BitBtn2") << u"BitBtn2"_s << u"修改&E"_s << QRect(335, 2, 67, 21) << true;
        QTest::newRow("BitBtn3") << u"BitBtn3"_s << u"删除&D"_s << QRect(414, 2, 67, 21) << true;
        QTest::newRow("BitBtn4") << u"BitBtn4"_s << u"保存&S"_s << QRect(494, 2, 68, 21) << true;
        QTest::newRow("BitBtn6") << u"BitBtn6"_s << u"增加&A"_s << QRect(265, 2, 61, 20) << false;
    }
    void barAsDesigned()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QRect, geometry);
        QFETCH(bool, visible);
        openPage();
        QCOMPARE(m_page->bar()->objectName(), u"Panel1"_s);
        QPushButton *b = button(name);
        QVERIFY(b);
        QCOMPARE(b->parentWidget(), m_page->bar());
        QCOMPARE(b->text(), caption);
        QCOMPARE(b->geometry(), geometry);
        QCOMPARE(b->isVisible(), visible);
        QCOMPARE(!b->icon().isNull(), name == u"BitBtn3"_s); // the delete button has a picture

        auto *label = control<QLabel>(u"Label6"_s);
        QCOMPARE(label->text(), u"智能查询："_s);
        QCOMPARE(label->pos(), QPoint(8, 5));
        QLineEdit *lzp = control(u"lzp"_s);
        QCOMPARE(lzp->parentWidget(), m_page->bar());
        QCOMPARE(lzp->geometry(), QRect(82, 2, 121, 21));
        QCOMPARE(m_page->searchEdit(), lzp);
        QCOMPARE(m_page->control(name), b);
        QCOMPARE(m_page->control(u"lzp"), static_cast<QWidget *>(lzp));
        QVERIFY(!m_page->control(u"nothing"));
        QCOMPARE(m_page->list(), cheques());
    }

    void gridAsDesigned()
    {
        insertCheque({{u"金额小写"_s, 100.0}});
        insertCheque({{u"金额小写"_s, 23.45}});
        insertCheque({{u"银行名称"_s, u"无金额"_s}});
        openPage();
        auto *grid = control<RecordGrid>(u"DBGridEh1"_s);
        QVERIFY(grid);
        QCOMPARE(m_page->grid(), grid);
        const QList<std::pair<QString, int>> columns = {
            {u"银行名称"_s, 81},  {u"日期年大"_s, 57},  {u"日期月大"_s, 33},  {u"日期日大"_s, 32},
            {u"付款行名称"_s, 81}, {u"出票人帐号"_s, 82}, {u"金额大写"_s, 81},  {u"金额小写"_s, 81},
            {u"存根银行"_s, 81},  {u"附加信息1"_s, 82}, {u"附加信息2"_s, 81}, {u"附加信息3"_s, 81},
            {u"日期年小"_s, 57},  {u"日期月小"_s, 33},  {u"日期日小"_s, 32},  {u"收款人"_s, 98},
            {u"用途"_s, 81},      {u"单位主管"_s, 81},  {u"会计"_s, 81},      {u"币别"_s, 82}};
        QTableView *view = grid->view();
        QCOMPARE(view->model()->columnCount(), columns.size());
        for (int i = 0; i < columns.size(); ++i) {
            QCOMPARE(view->model()->headerData(i, Qt::Horizontal).toString(), columns[i].first);
            QCOMPARE(view->horizontalHeader()->sectionSize(i), columns[i].second);
        }
        QCOMPARE(view->editTriggers(), QAbstractItemView::NoEditTriggers);
        const int caps = grid->columnOf(u"金额大写"_s);
        const int amount = grid->columnOf(u"金额小写"_s);
        QCOMPARE(grid->footerText(caps), u"合计："_s);
        QCOMPARE(grid->footerAlignment(caps) & Qt::AlignHorizontal_Mask, Qt::AlignRight);
        QCOMPARE(grid->footerText(amount), u"123.45"_s);
        QCOMPARE(grid->footerFont().family(), u"新宋体"_s);
        QCOMPARE(grid->footerFont().pixelSize(), 12);
        QCOMPARE(grid->footerColor(), QColor(Qt::red));
        for (int i = 0; i < columns.size(); ++i) {
            if (i != caps && i != amount)
                QVERIFY(grid->footerText(i).isEmpty());
        }

        // Clicking a row makes it the current record; the sum follows a typed amount.
        view->setFocus();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                          view->visualRect(view->model()->index(1, 0)).center());
        QCOMPARE(cheques()->currentRow(), 1);
        typeStubAmount(u"76.55"_s);
        leaveTo(u"yxmc"_s);
        QCOMPARE(grid->footerText(amount), u"176.55"_s);
    }

    // --- Commands ---

    void addStartsANewChequeInRenminbi()
    {
        insertCheque({{u"银行名称"_s, u"旧行"_s}, {u"币别"_s, u"美元"_s}});
        openPage();
        m_page->BitBtn6Click();
        QCOMPARE(cheques()->state(), RecordSet::State::Insert);
        QCOMPARE(cheques()->rowCount(), 2);
        QCOMPARE(cheques()->currentRow(), 1);
        for (const QString &column : cheques()->columns()) {
            if (column == u"币别"_s)
                QCOMPARE(stored(column).toString(), u"人民币"_s);
            else
                QVERIFY2(stored(column).isNull(), qPrintable(column));
        }
        QCOMPARE(control<QComboBox>(u"sbb"_s)->currentText(), u"人民币"_s);
        QCOMPARE(QApplication::focusWidget(), control<QWidget>(u"yxmc"_s));
        QVERIFY(control(u"yxmc"_s)->text().isEmpty());

        // The hidden button runs the same command.
        typeText(control(u"yxmc"_s), u"新行"_s);
        button(u"BitBtn6"_s)->click();
        QCOMPARE(cheques()->rowCount(), 3);
        QCOMPARE(cheques()->valueAt(1, u"银行名称"_s).toString(), u"新行"_s); // posted first
        QCOMPARE(inDatabase(u"银行名称"_s).toString(), u"新行"_s);
    }

    void editPutsTheRecordIntoEditState()
    {
        insertCheque({{u"银行名称"_s, u"甲"_s}});
        openPage();
        QCOMPARE(cheques()->state(), RecordSet::State::Browse);
        button(u"BitBtn2"_s)->click();
        QCOMPARE(cheques()->state(), RecordSet::State::Edit);
        QVERIFY(m_dialogs->shown.isEmpty());
    }

    void saveWritesAndSaysSo()
    {
        openPage();
        m_page->BitBtn6Click();
        typeText(control(u"yxmc"_s), u"中国银行"_s);
        typeText(control(u"cskr"_s), u"青禾公司"_s);
        button(u"BitBtn4"_s)->click();
        QCOMPARE(cheques()->state(), RecordSet::State::Browse);
        QCOMPARE(inDatabase(u"银行名称"_s).toString(), u"中国银行"_s);
        QCOMPARE(inDatabase(u"收款人"_s).toString(), u"青禾公司"_s);
        QCOMPARE(inDatabase(u"币别"_s).toString(), u"人民币"_s);
        QCOMPARE(m_dialogs->shown.size(), 1);
        QCOMPARE(m_dialogs->shown[0].kind, u"information"_s);
        QCOMPARE(m_dialogs->shown[0].caption, u"信息"_s);
        QCOMPARE(m_dialogs->shown[0].text, u"资料已经保存"_s);

        // Nothing changed: nothing written, the notice all the same.
        button(u"BitBtn4"_s)->click();
        QCOMPARE(m_dialogs->shown.size(), 2);
        QCOMPARE(m_dialogs->lastText(), u"资料已经保存"_s);
    }

    void saveTakesTheAmountStillBeingTyped()
    {
        // Alt+S leaves the focus in the stub amount: what is typed there is saved too.
        insertCheque({{u"金额小写"_s, 5.0}});
        openPage();
        typeStubAmount(u"99"_s);
        QCOMPARE(QApplication::focusWidget(), control<QWidget>(u"cje"_s));
        m_page->BitBtn4Click();
        QCOMPARE(inDatabase(u"金额小写"_s).toDouble(), 99.0);
        QCOMPARE(m_dialogs->lastText(), u"资料已经保存"_s);
    }

    void deleteAsks_data()
    {
        QTest::addColumn<bool>("answer");
        QTest::addColumn<int>("rowsAfter");
        QTest::newRow("是") << true << 1;
        QTest::newRow("否") << false << 2;
    }
    void deleteAsks()
    {
        QFETCH(bool, answer);
        QFETCH(int, rowsAfter);
        insertCheque({{u"银行名称"_s, u"甲"_s}});
        insertCheque({{u"银行名称"_s, u"乙"_s}});
        openPage();
        m_dialogs->answers = {answer};
        button(u"BitBtn3"_s)->click();
        QCOMPARE(m_dialogs->shown.size(), 1);
        QCOMPARE(m_dialogs->shown[0].kind, u"question"_s);
        QCOMPARE(m_dialogs->shown[0].caption, u"提示信息"_s);
        QCOMPARE(m_dialogs->shown[0].text, u"您是否确定要删除这笔支票记录吗?"_s);
        QCOMPARE(cheques()->rowCount(), rowsAfter);
        QSqlQuery q(QSqlDatabase::database(store::kConnection));
        q.exec(u"select count(*) from zp"_s);
        q.next();
        QCOMPARE(q.value(0).toInt(), rowsAfter);
        QCOMPARE(control(u"yxmc"_s)->text(), answer ? u"乙"_s : u"甲"_s);
    }

    void deleteOnAnEmptyListReportsIt()
    {
        openPage();
        m_dialogs->answers = {true};
        button(u"BitBtn3"_s)->click();
        QCOMPARE(m_dialogs->shown.size(), 2);
        QCOMPARE(m_dialogs->shown[1].kind, u"error"_s);
        QVERIFY(!m_dialogs->shown[1].text.isEmpty());
        QCOMPARE(cheques()->rowCount(), 0);
    }

    // --- Date ---

    void dateFillsTheSixColumns_data()
    {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QStringList>("expected"); // 年大 月大 日大 年小 月小 日小
        QTest::newRow("2024-03-05") << QDate(2024, 3, 5)
                                    << QStringList{u"贰零贰肆"_s, u"零叁"_s, u"零伍"_s,
                                                   u"2024"_s, u"03"_s, u"05"_s};
        QTest::newRow("2024-10-10") << QDate(2024, 10, 10)
                                    << QStringList{u"贰零贰肆"_s, u"零壹拾"_s, u"零壹拾"_s,
                                                   u"2024"_s, u"10"_s, u"10"_s};
        QTest::newRow("2010-11-11") << QDate(2010, 11, 11)
                                    << QStringList{u"贰零壹零"_s, u"壹拾壹"_s, u"壹拾壹"_s,
                                                   u"2010"_s, u"11"_s, u"11"_s};
        QTest::newRow("1999-12-31") << QDate(1999, 12, 31)
                                    << QStringList{u"壹玖玖玖"_s, u"壹拾贰"_s, u"叁拾壹"_s,
                                                   u"1999"_s, u"12"_s, u"31"_s};
        QTest::newRow("2000-01-20") << QDate(2000, 1, 20)
                                    << QStringList{u"贰零零零"_s, u"零壹"_s, u"零贰拾"_s,
                                                   u"2000"_s, u"01"_s, u"20"_s};
    }
    void dateFillsTheSixColumns()
    {
        QFETCH(QDate, date);
        QFETCH(QStringList, expected);
        insertCheque({{u"银行名称"_s, u"甲"_s}, {u"日期年大"_s, u"手写"_s}});
        openPage();
        auto *picker = control<DatePicker>(u"zpdate"_s);
        picker->chooseDate(date); // as the user does in the calendar
        QCOMPARE(cheques()->state(), RecordSet::State::Edit);
        const QStringList columns = {u"日期年大"_s, u"日期月大"_s, u"日期日大"_s,
                                     u"日期年小"_s, u"日期月小"_s, u"日期日小"_s};
        const QStringList edits = {u"yyd"_s, u"mmd"_s, u"ddd"_s, u"yyx"_s, u"mmx"_s, u"ddx"_s};
        for (int i = 0; i < columns.size(); ++i) {
            QCOMPARE(stored(columns[i]).toString(), expected[i]);
            QCOMPARE(control(edits[i])->text(), expected[i]);
        }
        QCOMPARE(stored(u"银行名称"_s).toString(), u"甲"_s);
        QCOMPARE(cheques()->rowCount(), 1);
    }

    void dateOnAnEmptyListStartsANewRecord()
    {
        openPage();
        QCOMPARE(cheques()->rowCount(), 0);
        control<DatePicker>(u"zpdate"_s)->chooseDate(QDate(2024, 3, 5));
        QCOMPARE(cheques()->rowCount(), 1);
        QCOMPARE(cheques()->state(), RecordSet::State::Insert);
        const QStringList dateColumns = {u"日期年大"_s, u"日期月大"_s, u"日期日大"_s,
                                         u"日期年小"_s, u"日期月小"_s, u"日期日小"_s};
        for (const QString &column : cheques()->columns()) {
            if (dateColumns.contains(column))
                QVERIFY2(!stored(column).isNull(), qPrintable(column));
            else
                QVERIFY2(stored(column).isNull(), qPrintable(column)); // not even the currency
        }
        QCOMPARE(control(u"yyd"_s)->text(), u"贰零贰肆"_s);
    }

    void pickerDateFromTheProgramWritesNothing()
    {
        insertCheque({{u"银行名称"_s, u"甲"_s}});
        openPage();
        m_page->setPickerDate(QDate(2024, 3, 5));
        QCOMPARE(control<DatePicker>(u"zpdate"_s)->date(), QDate(2024, 3, 5));
        QCOMPARE(m_page->pickerDate(), QDate(2024, 3, 5));
        QCOMPARE(cheques()->state(), RecordSet::State::Browse);
        QVERIFY(stored(u"日期年大"_s).isNull());
    }

    // --- Amount and currency ---

    void leavingTheAmount_data()
    {
        QTest::addColumn<QVariant>("currency");
        QTest::addColumn<QString>("markBefore");
        QTest::addColumn<QString>("markAfter");
        QTest::addColumn<QString>("stubText");
        QTest::newRow("人民币") << QVariant(u"人民币"_s) << u"EUR"_s << u"￥"_s << u"1234.5"_s;
        QTest::newRow("empty") << QVariant() << u"EUR"_s << u"EUR"_s << u"1234.50"_s;
        QTest::newRow("美元") << QVariant(u"美元"_s) << u"￥"_s << u"USD"_s << u"1234.5"_s;
        QTest::newRow("港币") << QVariant(u"港币"_s) << u"￥"_s << u"HKD"_s << u"1234.5"_s;
        QTest::newRow("欧元") << QVariant(u"欧元"_s) << u"￥"_s << u"EUR"_s << u"1234.5"_s;
        QTest::newRow("outside the list") << QVariant(u"日元"_s) << u"HKD"_s << u"HKD"_s
                                          << u"1234.5"_s;
        QTest::newRow("not exact") << QVariant(u"人民币 "_s) << u"USD"_s << u"USD"_s
                                   << u"1234.5"_s;
    }
    void leavingTheAmount()
    {
        QFETCH(QVariant, currency);
        QFETCH(QString, markBefore);
        QFETCH(QString, markAfter);
        QFETCH(QString, stubText);
        insertCheque({{u"银行名称"_s, u"甲"_s}, {u"币别"_s, currency}});
        openPage();
        DigitCellEdit *amount = zpje();
        amount->setCurrencySymbol(markBefore);
        amount->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(amount, u"1234.5"_s);
        leaveTo(u"yxmc"_s);
        QCOMPARE(stored(u"金额小写"_s).toDouble(), 1234.5);
        QCOMPARE(stored(u"金额大写"_s).toString(), kCapitals1234);
        QCOMPARE(control(u"jedxedit"_s)->text(), kCapitals1234);
        QCOMPARE(amount->currencySymbol(), markAfter);
        QCOMPARE(control(u"cje"_s)->text(), stubText);
        QCOMPARE(cheques()->state(), RecordSet::State::Edit);
        QVERIFY(m_dialogs->shown.isEmpty());

        button(u"BitBtn4"_s)->click();
        QCOMPARE(inDatabase(u"金额大写"_s).toString(), kCapitals1234);
        QCOMPARE(inDatabase(u"金额小写"_s).toDouble(), 1234.5);
    }

    void leavingAnEmptyAmountConvertsNothing()
    {
        insertCheque({{u"币别"_s, u"人民币"_s}, {u"金额大写"_s, u"旧文字"_s}});
        openPage();
        DigitCellEdit *amount = zpje();
        amount->setCurrencySymbol(u"USD"_s);
        amount->setFocus(Qt::TabFocusReason);
        leaveTo(u"yxmc"_s);
        QCOMPARE(stored(u"金额大写"_s).toString(), u"旧文字"_s);
        QCOMPARE(amount->currencySymbol(), u"￥"_s); // the mark is still set
        QVERIFY(control(u"cje"_s)->text().isEmpty());
        QVERIFY(m_dialogs->shown.isEmpty());
    }

    void currencyClickRefreshesMarkAndCapitals()
    {
        insertCheque({{u"金额小写"_s, 0.05}, {u"币别"_s, u"港币"_s}});
        openPage();
        m_page->sbbClick();
        QCOMPARE(zpje()->currencySymbol(), u"HKD"_s);
        QCOMPARE(stored(u"金额大写"_s).toString(), u"伍分"_s);
        QCOMPARE(control(u"jedxedit"_s)->text(), u"伍分"_s);

        // Choosing an item of the (hidden) selector writes the currency, then refreshes.
        auto *sbb = control<QComboBox>(u"sbb"_s);
        sbb->setCurrentIndex(1);
        Q_EMIT sbb->activated(1);
        QCOMPARE(stored(u"币别"_s).toString(), u"美元"_s);
        QCOMPARE(zpje()->currencySymbol(), u"USD"_s);
    }

    void markStaysWhenAnotherChequeIsShown()
    {
        insertCheque({{u"金额小写"_s, 1.0}, {u"币别"_s, u"美元"_s}});
        insertCheque({{u"金额小写"_s, 2.0}, {u"币别"_s, u"人民币"_s}});
        openPage();
        m_page->sbbClick();
        QCOMPARE(zpje()->currencySymbol(), u"USD"_s);
        cheques()->moveTo(1);
        QCOMPARE(zpje()->currencySymbol(), u"USD"_s);
    }

    void typingTheStubAmountLeavesTheCapitals()
    {
        insertCheque({{u"金额小写"_s, 1.0}, {u"金额大写"_s, u"壹圆整"_s}, {u"币别"_s, u"人民币"_s}});
        openPage();
        typeStubAmount(u"1234.5"_s);
        leaveTo(u"cyt"_s);
        QCOMPARE(stored(u"金额小写"_s).toDouble(), 1234.5);
        QCOMPARE(zpje()->text(), u"1234.5"_s);
        QCOMPARE(stored(u"金额大写"_s).toString(), u"壹圆整"_s);
        QCOMPARE(control(u"jedxedit"_s)->text(), u"壹圆整"_s);
    }

    void anAmountWithoutCapitalsIsReportedOnLeave()
    {
        // The stub amount takes any number; one that cannot be written in capitals is
        // reported when the amount edit is left, and the capital text stays as it was.
        insertCheque({{u"金额小写"_s, 1.0}, {u"金额大写"_s, u"壹圆整"_s}, {u"币别"_s, u"人民币"_s}});
        openPage();
        typeStubAmount(u"-5"_s);
        zpje()->setFocus(Qt::TabFocusReason);
        QCOMPARE(stored(u"金额小写"_s).toDouble(), -5.0);
        leaveTo(u"yxmc"_s);
        QCOMPARE(m_dialogs->shown.size(), 1);
        QCOMPARE(m_dialogs->shown[0].kind, u"error"_s);
        QCOMPARE(stored(u"金额大写"_s).toString(), u"壹圆整"_s);
    }

    void firstKeyInTheStubAmountOfABrowsedCheque()
    {
        insertCheque({{u"金额小写"_s, 5.0}});
        openPage();
        QCOMPARE(cheques()->state(), RecordSet::State::Browse);
        QLineEdit *cje = control(u"cje"_s);
        cje->setFocus(Qt::TabFocusReason);
        cje->selectAll();
        QTest::keyClicks(cje, u"99"_s);
        QCOMPARE(cheques()->state(), RecordSet::State::Edit);
        QCOMPARE(cje->text(), u"99"_s);
    }

    void stubAmountRefusesANonNumber_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("letters") << u"abc"_s;
        QTest::newRow("two points") << u"1.2.3"_s;
    }
    void stubAmountRefusesANonNumber()
    {
        QFETCH(QString, typed);
        insertCheque({{u"金额小写"_s, 7.0}});
        openPage();
        typeStubAmount(typed);
        QLineEdit *cje = control(u"cje"_s);
        leaveTo(u"cyt"_s);
        QCOMPARE(m_dialogs->shown.size(), 1);
        QCOMPARE(m_dialogs->shown[0].kind, u"error"_s);
        QVERIFY(m_dialogs->shown[0].text.contains(typed));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(cje));
        QCOMPARE(stored(u"金额小写"_s).toDouble(), 7.0);

        // Saving by its shortcut refuses the text as well, and saves nothing.
        m_page->BitBtn4Click();
        QCOMPARE(m_dialogs->shown.size(), 2);
        QCOMPARE(m_dialogs->shown[1].kind, u"error"_s);
        QCOMPARE(inDatabase(u"金额小写"_s).toDouble(), 7.0);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(cje));
    }

    // --- Stub, payee and free text ---

    void stubPayeeAndPurposeShowOnTheBody()
    {
        insertCheque({{u"银行名称"_s, u"甲"_s}});
        openPage();
        typeText(control(u"cskr"_s), u"青禾贸易公司"_s);
        QCOMPARE(control(u"skredit"_s)->text(), u"青禾贸易公司"_s);
        typeText(control(u"cyt"_s), u"货款"_s);
        QCOMPARE(control(u"ytedit"_s)->text(), u"货款"_s);
        QCOMPARE(stored(u"收款人"_s).toString(), u"青禾贸易公司"_s);
        QCOMPARE(stored(u"用途"_s).toString(), u"货款"_s);

        // The body's payee and purpose take no typing (and no input method).
        for (const QString &name : {u"skredit"_s, u"ytedit"_s}) {
            QLineEdit *body = control(name);
            QVERIFY(body->isReadOnly());
            QVERIFY(!body->testAttribute(Qt::WA_InputMethodEnabled));
            body->setFocus(Qt::TabFocusReason);
            QTest::keyClicks(body, u"xyz"_s);
        }
        QCOMPARE(stored(u"收款人"_s).toString(), u"青禾贸易公司"_s);
        QCOMPARE(stored(u"用途"_s).toString(), u"货款"_s);
    }

    void payingBankAndAccountCanBeTyped()
    {
        openPage();
        m_page->BitBtn6Click();
        typeText(control(u"fkh"_s), u"工商银行青禾支行"_s);
        typeText(control(u"cprzh"_s), u"6222001"_s);
        m_page->BitBtn4Click();
        QCOMPARE(inDatabase(u"付款行名称"_s).toString(), u"工商银行青禾支行"_s);
        QCOMPARE(inDatabase(u"出票人帐号"_s).toString(), u"6222001"_s);
    }

    void payeePickCopiesTheFirstTriple()
    {
        insertCheque({{u"收款人"_s, u"乙公司"_s}, {u"付款行名称"_s, u"农行"_s},
                      {u"出票人帐号"_s, u"333"_s}});
        insertCheque({{u"收款人"_s, u"甲公司"_s}, {u"付款行名称"_s, u"工行"_s},
                      {u"出票人帐号"_s, u"111"_s}});
        insertCheque({{u"收款人"_s, u"甲公司"_s}, {u"付款行名称"_s, u"建行"_s},
                      {u"出票人帐号"_s, u"222"_s}});
        insertCheque({{u"银行名称"_s, u"本张"_s}, {u"收款人"_s, u"旧收款人"_s},
                      {u"付款行名称"_s, u"旧行"_s}});
        openPage();
        cheques()->moveTo(3);
        RecordSet *payees = m_queries->szpskrqry;
        QVERIFY(!payees->isOpen()); // empty until first entered

        auto *pick = control<PickList>(u"szpskr"_s);
        QTest::mouseClick(pick->findChild<QWidget *>(u"button"_s), Qt::LeftButton);
        QVERIFY(payees->isOpen());
        QVERIFY(pick->isListOpen());
        QCOMPARE(pick->entries().size(), 4); // distinct triples, one entry each

        // The first row of the list with the chosen payee, in list order.
        int first = -1;
        for (int row = 0; row < payees->rowCount() && first < 0; ++row) {
            if (payees->valueAt(row, u"收款人"_s).toString() == u"甲公司"_s)
                first = row;
        }
        QVERIFY(first >= 0);
        const QString bank = payees->valueAt(first, u"付款行名称"_s).toString();
        const QString account = payees->valueAt(first, u"出票人帐号"_s).toString();

        auto *list = pick->findChild<QListWidget *>(u"list"_s);
        const int entry = pick->entries().indexOf(u"甲公司"_s);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(entry + 1)).center()); // the second 甲公司
        QCOMPARE(cheques()->state(), RecordSet::State::Edit);
        QCOMPARE(cheques()->currentRow(), 3);
        QCOMPARE(stored(u"收款人"_s).toString(), u"甲公司"_s);
        QCOMPARE(stored(u"付款行名称"_s).toString(), bank);
        QCOMPARE(stored(u"出票人帐号"_s).toString(), account);
        QCOMPARE(control(u"skredit"_s)->text(), u"甲公司"_s);
        QCOMPARE(control(u"cskr"_s)->text(), u"甲公司"_s);
        QCOMPARE(control(u"fkh"_s)->text(), bank);
        QCOMPARE(control(u"cprzh"_s)->text(), account);
        QCOMPARE(stored(u"银行名称"_s).toString(), u"本张"_s);
    }

    void payeePickReplacesWithNull()
    {
        // A triple without a bank clears the bank the cheque held.
        insertCheque({{u"收款人"_s, u"丙"_s}});
        insertCheque({{u"收款人"_s, u"丁"_s}, {u"付款行名称"_s, u"旧行"_s},
                      {u"出票人帐号"_s, u"9"_s}});
        openPage();
        cheques()->moveTo(1);
        m_page->szpskrEnter();
        m_page->szpskrClick(u"丙"_s);
        QCOMPARE(stored(u"收款人"_s).toString(), u"丙"_s);
        QVERIFY(stored(u"付款行名称"_s).isNull());
        QVERIFY(stored(u"出票人帐号"_s).isNull());
    }

    void payeeListIsReadAfreshOnEnter()
    {
        openPage();
        auto *pick = control<PickList>(u"szpskr"_s);
        pick->setFocus(Qt::TabFocusReason);
        QVERIFY(m_queries->szpskrqry->isOpen());
        QCOMPARE(m_queries->szpskrqry->rowCount(), 0); // no stored payee: an empty list

        m_page->BitBtn6Click();
        typeText(control(u"cskr"_s), u"新收款人"_s);
        m_page->BitBtn4Click();
        pick->setFocus(Qt::TabFocusReason);
        QCOMPARE(m_queries->szpskrqry->rowCount(), 1);
        pick->showList();
        QCOMPARE(pick->entries(), QStringList{u"新收款人"_s});
    }

    void freeTextSurvivesAMove()
    {
        insertCheque({{u"银行名称"_s, u"甲"_s}});
        insertCheque({{u"银行名称"_s, u"乙"_s}});
        openPage();
        typeText(control(u"mm"_s), u"密码1234"_s);
        QCOMPARE(cheques()->state(), RecordSet::State::Browse); // belongs to no record
        QTableView *view = m_page->grid()->view();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                          view->visualRect(view->model()->index(1, 0)).center());
        QCOMPARE(control(u"yxmc"_s)->text(), u"乙"_s);
        QCOMPARE(control(u"mm"_s)->text(), u"密码1234"_s);
    }
};

QTEST_MAIN(TestChequePage)
#include "tst_chequepage.moc"

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>

#include <memory>

#include "database.h"
#include "digitcelledit.h"
#include "recordingdialogs.h"
#include "recordset.h"
#include "sqltexts.h"

namespace {

const QString kAmount = QStringLiteral("人民币小写");

// The ink of an image: the columns holding dark pixels (faint cell lines do not count).
QList<int> inkColumns(const QImage &image, int from, int to)
{
    QList<int> columns;
    for (int x = qMax(0, from); x < qMin(image.width(), to); ++x) {
        for (int y = 0; y < image.height(); ++y) {
            if (qGray(image.pixel(x, y)) < 128) {
                columns << x;
                break;
            }
        }
    }
    return columns;
}

} // namespace

// The digit-cell amount edit: what it stores when left, what it refuses, and where it paints.
class TestDigitCellEdit : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::unique_ptr<RecordSet> m_list;
    std::unique_ptr<QWidget> m_window;
    DigitCellEdit *m_edit = nullptr;
    QLineEdit *m_other = nullptr;

    void typeInto(const QString &text)
    {
        m_edit->setFocus(Qt::TabFocusReason);
        QVERIFY(m_edit->hasFocus());
        m_edit->selectAll();
        if (text.isEmpty())
            QTest::keyClick(m_edit, Qt::Key_Backspace);
        else
            QTest::keyClicks(m_edit, text);
    }
    void leave() { m_other->setFocus(Qt::TabFocusReason); }
    QVariant stored() const { return m_list->value(kAmount); }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        store::openDatabase(m_dir.path() + u'/');
    }
    void cleanupTestCase() { store::closeDatabase(); }

    void init()
    {
        QSqlQuery q(QSqlDatabase::database(store::kConnection));
        QVERIFY(q.exec(QStringLiteral("delete from jzd")));
        QVERIFY(q.exec(QStringLiteral("insert into jzd (银行名称, 人民币小写) values ('甲', 5.5)")));
        QVERIFY(q.exec(QStringLiteral("insert into jzd (银行名称, 人民币小写) values ('乙', null)")));
        m_list = std::make_unique<RecordSet>(store::kConnection, sql::kSlipList,
                                             QStringLiteral("jzd"), QStringLiteral("编号"));
        m_list->open();

        m_window = std::make_unique<QWidget>();
        auto *layout = new QVBoxLayout(m_window.get());
        m_edit = new DigitCellEdit(m_window.get());
        m_edit->setObjectName(QStringLiteral("jzxx"));
        m_edit->setCellWidth(12);
        m_edit->setFixedSize(142, 20);
        m_other = new QLineEdit(m_window.get());
        m_other->setObjectName(QStringLiteral("other"));
        layout->addWidget(m_edit);
        layout->addWidget(m_other);
        m_edit->bind(m_list.get(), kAmount);
        m_window->show();
        QApplication::setActiveWindow(m_window.get());
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        m_other->setFocus();
    }
    void cleanup()
    {
        m_window.reset();
        m_list.reset();
    }

    void defaults()
    {
        DigitCellEdit edit;
        QCOMPARE(edit.cellCount(), 11);
        QCOMPARE(edit.currencySymbol(), QStringLiteral("￥"));
        QVERIFY(!edit.hasFrame());
        edit.setCurrencySymbol(QStringLiteral("USD"));
        QCOMPARE(edit.currencySymbol(), QStringLiteral("USD"));
        QCOMPARE(edit.property("currencySymbol").toString(), QStringLiteral("USD"));
    }

    void showsTheCurrentRecord()
    {
        QCOMPARE(m_edit->text(), QStringLiteral("5.5"));
        QVERIFY(!m_edit->isReadOnly());
        m_list->moveTo(1);
        QCOMPARE(m_edit->text(), QString());
        m_list->close();
        QCOMPARE(m_edit->text(), QString());
        QVERIFY(m_edit->isReadOnly());
    }

    void typingStartsEditing()
    {
        QCOMPARE(m_list->state(), RecordSet::State::Browse);
        typeInto(QStringLiteral("7"));
        QCOMPARE(m_list->state(), RecordSet::State::Edit);
        // Nothing is written before the edit is left.
        QCOMPARE(stored().toDouble(), 5.5);
    }

    void refusals_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("messagePart");
        QTest::newRow("letters") << QStringLiteral("abc") << QStringLiteral("不是有效的金额");
        QTest::newRow("two points") << QStringLiteral("1.2.3") << QStringLiteral("不是有效的金额");
        QTest::newRow("infinity") << QStringLiteral("inf") << QStringLiteral("不是有效的金额");
        QTest::newRow("negative") << QStringLiteral("-3") << QStringLiteral("负数");
        QTest::newRow("too large") << QStringLiteral("100000000000000000")
                                   << QStringLiteral("太大");
        QTest::newRow("too large, exponent") << QStringLiteral("1e20") << QStringLiteral("太大");
        QTest::newRow("one trillion") << QStringLiteral("1000000000000") << QStringLiteral("太大");
        QTest::newRow("part of a fen") << QStringLiteral("2.675") << QStringLiteral("两位小数");
        QTest::newRow("more than the cells") << QStringLiteral("1000000000")
                                             << QStringLiteral("超出票面的金额格");
    }
    void refusals()
    {
        QFETCH(QString, typed);
        QFETCH(QString, messagePart);
        RecordingDialogs dialogs;
        QSignalSpy exited(m_edit, &DigitCellEdit::exited);
        typeInto(typed);
        leave();
        QCOMPARE(dialogs.shown.size(), 1);
        QCOMPARE(dialogs.lastKind(), QStringLiteral("error"));
        QVERIFY2(dialogs.lastText().contains(messagePart), qPrintable(dialogs.lastText()));
        QCOMPARE(stored().toDouble(), 5.5);
        QCOMPARE(m_edit->text(), QStringLiteral("5.5"));
        QVERIFY(m_edit->hasFocus());
        QCOMPARE(exited.count(), 0);
        // Leaving again without typing is accepted and keeps the value.
        leave();
        QCOMPARE(dialogs.shown.size(), 1);
        QCOMPARE(exited.count(), 1);
        QCOMPARE(stored().toDouble(), 5.5);
    }

    void accepted_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QVariant>("expected");
        QTest::addColumn<QString>("shown");
        QTest::newRow("amount") << QStringLiteral("1234.56") << QVariant(1234.56)
                                << QStringLiteral("1234.56");
        QTest::newRow("blanks around") << QStringLiteral(" 7 ") << QVariant(7.0)
                                       << QStringLiteral("7");
        QTest::newRow("zero") << QStringLiteral("0") << QVariant(0.0) << QStringLiteral("0");
        QTest::newRow("negative zero") << QStringLiteral("-0") << QVariant(0.0)
                                       << QStringLiteral("0");
        QTest::newRow("nine nines") << QStringLiteral("999999999.99") << QVariant(999999999.99)
                                    << QStringLiteral("999999999.99");
        QTest::newRow("trailing zeros") << QStringLiteral("2.500") << QVariant(2.5)
                                        << QStringLiteral("2.5");
        QTest::newRow("empty") << QString() << QVariant() << QString();
    }
    void accepted()
    {
        QFETCH(QString, typed);
        QFETCH(QVariant, expected);
        QFETCH(QString, shown);
        RecordingDialogs dialogs;
        QSignalSpy exited(m_edit, &DigitCellEdit::exited);
        bool storedWhenExited = false;
        connect(m_edit, &DigitCellEdit::exited, this, [&] {
            storedWhenExited = stored().isNull() == expected.isNull()
                               && (expected.isNull() || stored().toDouble() == expected.toDouble());
        });
        typeInto(typed);
        leave();
        QVERIFY2(dialogs.shown.isEmpty(), qPrintable(dialogs.lastText()));
        QCOMPARE(exited.count(), 1);
        QVERIFY(storedWhenExited);
        QCOMPARE(stored().isNull(), expected.isNull());
        if (!expected.isNull()) {
            QCOMPARE(stored().toDouble(), expected.toDouble());
            QVERIFY(!std::signbit(stored().toDouble()));
        }
        QCOMPARE(m_edit->text(), shown);
        QVERIFY(m_other->hasFocus());
        QCOMPARE(m_list->state(), RecordSet::State::Edit);
    }

    void unchangedLeave()
    {
        RecordingDialogs dialogs;
        QSignalSpy exited(m_edit, &DigitCellEdit::exited);
        m_edit->setFocus(Qt::TabFocusReason);
        leave();
        QCOMPARE(exited.count(), 1);
        QVERIFY(dialogs.shown.isEmpty());
        QCOMPARE(m_list->state(), RecordSet::State::Browse);
    }

    void windowSwitchIsNotALeave()
    {
        RecordingDialogs dialogs;
        QSignalSpy exited(m_edit, &DigitCellEdit::exited);
        typeInto(QStringLiteral("abc"));
        QFocusEvent out(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
        QApplication::sendEvent(m_edit, &out);
        QVERIFY(dialogs.shown.isEmpty());
        QCOMPARE(exited.count(), 0);
        QCOMPARE(m_edit->text(), QStringLiteral("abc"));
    }

    void otherWritersDoNotOverwriteTyping()
    {
        // A handler changing another column while the amount is typed keeps the typed text.
        typeInto(QStringLiteral("12"));
        m_list->setValue(QStringLiteral("银行名称"), QStringLiteral("丙"));
        QCOMPARE(m_edit->text(), QStringLiteral("12"));
        leave();
        QCOMPARE(stored().toDouble(), 12.0);
        // Cancelling the record drops the typed amount.
        typeInto(QStringLiteral("99"));
        m_list->cancel();
        QCOMPARE(m_edit->text(), QStringLiteral("5.5"));
    }

    void cellCharacters_data()
    {
        QTest::addColumn<QVariant>("amount");
        QTest::addColumn<QString>("characters");
        QTest::newRow("null") << QVariant() << QString();
        QTest::newRow("1234.56") << QVariant(1234.56) << QStringLiteral("123456");
        QTest::newRow("1234.5") << QVariant(1234.5) << QStringLiteral("123450");
        QTest::newRow("zero") << QVariant(0.0) << QStringLiteral("000");
        QTest::newRow("five fen") << QVariant(0.05) << QStringLiteral("005");
        QTest::newRow("half away from zero") << QVariant(0.125) << QStringLiteral("013");
        QTest::newRow("below the half") << QVariant(1.005) << QStringLiteral("100");
        QTest::newRow("negative") << QVariant(-5.0) << QStringLiteral("-500");
        QTest::newRow("nine nines") << QVariant(999999999.99) << QStringLiteral("99999999999");
    }
    void cellCharacters()
    {
        QFETCH(QVariant, amount);
        QFETCH(QString, characters);
        QCOMPARE(DigitCellEdit::cellCharacters(amount), characters);
    }

    void characterCells_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QRect>("area");
        QTest::addColumn<int>("cellWidth");
        QTest::addColumn<QList<int>>("lefts");
        // 1234.56 in 12-pixel cells of a 142-pixel edit: the fen cell ends at the right edge.
        QTest::newRow("1234.56, 12 px") << 6 << QRect(0, 0, 142, 20) << 12
                                        << QList<int>{70, 82, 94, 106, 118, 130};
        QTest::newRow("0.00, 13 px") << 3 << QRect(0, 0, 153, 18) << 13
                                     << QList<int>{114, 127, 140};
        QTest::newRow("area moved") << 2 << QRect(10, 5, 50, 18) << 11 << QList<int>{38, 49};
        QTest::newRow("eleven cells") << 11 << QRect(0, 0, 132, 18) << 12
                                      << QList<int>{0, 12, 24, 36, 48, 60, 72, 84, 96, 108, 120};
        QTest::newRow("none") << 0 << QRect(0, 0, 142, 20) << 12 << QList<int>{};
    }
    void characterCells()
    {
        QFETCH(int, count);
        QFETCH(QRect, area);
        QFETCH(int, cellWidth);
        QFETCH(QList<int>, lefts);
        const QList<QRect> cells = DigitCellEdit::characterCells(count, area, cellWidth);
        QCOMPARE(cells.size(), lefts.size());
        for (int i = 0; i < cells.size(); ++i) {
            QCOMPARE(cells[i], QRect(lefts[i], area.y(), cellWidth, area.height()));
            // Cell k, counted from the right, starts (k + 1) cells left of the right edge.
            const int k = count - 1 - i;
            QCOMPARE(cells[i].x(), area.x() + area.width() - (k + 1) * cellWidth);
        }
        if (!cells.isEmpty())
            QCOMPARE(cells.last().x() + cells.last().width(), area.x() + area.width());
    }

    void markCell_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("markWidth");
        QTest::addColumn<QRect>("expected");
        // 142 wide, 12-pixel cells: the mark sits in the cell before the first character.
        QTest::newRow("yen, 6 characters") << 6 << 11 << QRect(58, 0, 12, 20);
        QTest::newRow("wide mark") << 6 << 25 << QRect(45, 0, 25, 20);
        QTest::newRow("eleven characters") << 11 << 12 << QRect(-2, 0, 12, 20);
        QTest::newRow("nothing shown") << 0 << 11 << QRect();
    }
    void markCell()
    {
        QFETCH(int, count);
        QFETCH(int, markWidth);
        QFETCH(QRect, expected);
        QCOMPARE(DigitCellEdit::markCell(count, QRect(0, 0, 142, 20), 12, markWidth), expected);
    }

    void paintsDigitsCentredInTheirCells()
    {
        m_list->setValue(kAmount, 1234.56);
        QVERIFY(!m_edit->hasFocus());
        const QImage image = m_edit->grab().toImage();
        const QRect area = m_edit->rect();
        const QList<QRect> cells = DigitCellEdit::characterCells(6, area, 12);
        for (const QRect &cell : cells) {
            const QList<int> ink = inkColumns(image, cell.left(), cell.right() + 1);
            QVERIFY2(!ink.isEmpty(), "a digit cell is empty");
            // Centred: the ink's middle lies within a pixel and a half of the cell's middle.
            const double middle = (ink.first() + ink.last()) / 2.0;
            QVERIFY2(qAbs(middle - (cell.left() + cell.right()) / 2.0) <= 1.5,
                     qPrintable(QStringLiteral("ink %1..%2 in cell %3..%4")
                                    .arg(ink.first()).arg(ink.last())
                                    .arg(cell.left()).arg(cell.right())));
        }
        // The mark fills the cell before the first digit; nothing lies further left.
        const QRect mark = DigitCellEdit::markCell(6, area, 12,
                                                   m_edit->fontMetrics().horizontalAdvance(QStringLiteral("￥")));
        QVERIFY(!inkColumns(image, mark.left(), mark.right() + 1).isEmpty());
        QVERIFY(inkColumns(image, 0, mark.left()).isEmpty());
    }

    void paintsNothingForNull()
    {
        m_list->moveTo(1);
        QVERIFY(m_list->value(kAmount).isNull());
        const QImage image = m_edit->grab().toImage();
        QVERIFY(inkColumns(image, 0, image.width()).isEmpty());
    }

    void paintsTheMarkSetAtRunTime()
    {
        m_edit->setCurrencySymbol(QStringLiteral("USD"));
        const QImage image = m_edit->grab().toImage();
        const int markWidth = m_edit->fontMetrics().horizontalAdvance(QStringLiteral("USD"));
        const QRect mark = DigitCellEdit::markCell(3, m_edit->rect(), 12, markWidth); // 5.50
        const QList<int> ink = inkColumns(image, 0, mark.right() + 1);
        QVERIFY(!ink.isEmpty());
        QVERIFY(ink.first() >= mark.left() - 1);
        QVERIFY(ink.first() < mark.right() + 1 - 12); // wider than one cell
    }

    void focusedShowsPlainText()
    {
        m_edit->setFocus(Qt::TabFocusReason);
        QCOMPARE(m_edit->text(), QStringLiteral("5.5"));
        const QImage image = m_edit->grab().toImage();
        // The plain text starts at the left, where the cells show nothing.
        QVERIFY(!inkColumns(image, 0, 40).isEmpty());
    }
};

QTEST_MAIN(TestDigitCellEdit)
#include "tst_digitcelledit.moc"

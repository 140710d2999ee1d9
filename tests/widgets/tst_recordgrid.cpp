#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QScrollBar>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include "database.h"
#include "recordgrid.h"
#include "recordingdialogs.h"
#include "recordset.h"
#include "sqltexts.h"

namespace {

const QString kBank = QStringLiteral("银行名称");
const QString kAmount = QStringLiteral("人民币小写");
const QString kCapital = QStringLiteral("人民币大写");

// Rows of jzd: bank name and amount (a null amount as an invalid variant).
void seed(const QList<std::pair<QString, QVariant>> &rows)
{
    QSqlDatabase db = QSqlDatabase::database(store::kConnection);
    QSqlQuery q(db);
    QVERIFY(q.exec(QStringLiteral("delete from jzd")));
    db.transaction();
    q.prepare(QStringLiteral("insert into jzd (银行名称, 人民币小写) values (?, ?)"));
    for (const auto &[bank, amount] : rows) {
        q.addBindValue(bank);
        q.addBindValue(amount.isValid() ? amount : QVariant(QMetaType::fromType<double>()));
        QVERIFY(q.exec());
    }
    db.commit();
}

} // namespace

// The record grid: its columns, the footer totals, and the current record in both directions.
class TestRecordGrid : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::unique_ptr<RecordSet> m_list;
    std::unique_ptr<RecordGrid> m_grid;
    QTableView *m_view = nullptr;

    QList<GridColumn> columns() const
    {
        return {{kBank, 81, Qt::AlignLeft | Qt::AlignVCenter},
                {kCapital, 120, Qt::AlignLeft | Qt::AlignVCenter},
                {kAmount, 90, Qt::AlignRight | Qt::AlignVCenter},
                {QStringLiteral("用途"), 81, Qt::AlignLeft | Qt::AlignVCenter},
                {QStringLiteral("复核"), 81, Qt::AlignLeft | Qt::AlignVCenter}};
    }
    void makeGrid(int width = 500)
    {
        m_list = std::make_unique<RecordSet>(store::kConnection, sql::kSlipList,
                                             QStringLiteral("jzd"), QStringLiteral("编号"));
        m_list->open();
        m_grid = std::make_unique<RecordGrid>();
        m_grid->setObjectName(QStringLiteral("jgrid"));
        m_grid->bind(m_list.get(), columns());
        m_grid->setFooterText(1, QStringLiteral("合计："));
        m_grid->setFooterSum(2, kAmount);
        m_grid->resize(width, 200);
        m_grid->show();
        QApplication::setActiveWindow(m_grid.get());
        QVERIFY(QTest::qWaitForWindowActive(m_grid.get()));
        m_view = m_grid->findChild<QTableView *>(QStringLiteral("view"));
        QVERIFY(m_view);
    }
    void clickRow(int row)
    {
        const QRect r = m_view->visualRect(m_view->model()->index(row, 0));
        QTest::mouseClick(m_view->viewport(), Qt::LeftButton, {}, r.center());
    }
    // A footer cell starts where its column starts on screen.
    void verifyFooterUnderColumns()
    {
        QHeaderView *header = m_view->horizontalHeader();
        QWidget *footer = m_grid->findChild<QWidget *>(QStringLiteral("footer"));
        QVERIFY(footer);
        for (int i = 0; i < header->count(); ++i) {
            const QPoint column = header->viewport()->mapToGlobal(
                QPoint(header->sectionViewportPosition(i), 0));
            const QRect cell = m_grid->footerCellRect(i);
            QCOMPARE(footer->mapToGlobal(cell.topLeft()).x(), column.x());
            QCOMPARE(cell.width(), header->sectionSize(i));
        }
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        store::openDatabase(m_dir.path() + u'/');
    }
    void cleanupTestCase() { store::closeDatabase(); }
    void cleanup()
    {
        m_grid.reset();
        m_list.reset();
    }

    void columnsAsGiven()
    {
        seed({{QStringLiteral("甲"), 1.5}});
        makeGrid();
        QAbstractItemModel *model = m_view->model();
        QCOMPARE(model->columnCount(), 5);
        for (int i = 0; i < columns().size(); ++i) {
            QCOMPARE(model->headerData(i, Qt::Horizontal).toString(), columns()[i].name);
            QCOMPARE(model->headerData(i, Qt::Horizontal, Qt::TextAlignmentRole).toInt(),
                     int(Qt::AlignCenter));
            QCOMPARE(m_view->horizontalHeader()->sectionSize(i), columns()[i].width);
            QCOMPARE(model->index(0, i).data(Qt::TextAlignmentRole).toInt(),
                     int(columns()[i].alignment));
        }
        QCOMPARE(model->index(0, 0).data().toString(), QStringLiteral("甲"));
        QCOMPARE(model->index(0, 2).data().toString(), QStringLiteral("1.5"));
        QCOMPARE(m_view->editTriggers(), QAbstractItemView::NoEditTriggers);
        QVERIFY(!(model->flags(model->index(0, 0)) & Qt::ItemIsEditable));
        // Widths survive the list being opened again (a quick search), user changes included.
        m_view->horizontalHeader()->resizeSection(3, 44);
        m_list->close();
        m_list->open();
        m_list->append();
        m_list->cancel();
        for (int i = 0; i < columns().size(); ++i)
            QCOMPARE(m_view->horizontalHeader()->sectionSize(i), i == 3 ? 44 : columns()[i].width);
        QCOMPARE(m_grid->columnOf(kAmount), 2);
        QCOMPARE(m_grid->columnOf(QStringLiteral("编号")), -1);
    }

    void footerSums_data()
    {
        QTest::addColumn<QList<double>>("amounts"); // NaN stands for a null amount
        QTest::addColumn<QString>("sum");
        const double null = qQNaN();
        QTest::newRow("three") << QList<double>{1.5, 2.25, 100} << QStringLiteral("103.75");
        QTest::newRow("nulls skipped") << QList<double>{null, 0.05, null} << QStringLiteral("0.05");
        QTest::newRow("only nulls") << QList<double>{null} << QStringLiteral("0.00");
        QTest::newRow("no rows") << QList<double>{} << QString();
    }
    void footerSums()
    {
        QFETCH(QList<double>, amounts);
        QFETCH(QString, sum);
        QList<std::pair<QString, QVariant>> rows;
        for (double a : amounts)
            rows.append({QStringLiteral("甲"), qIsNaN(a) ? QVariant() : QVariant(a)});
        seed(rows);
        makeGrid();
        QCOMPARE(m_grid->footerText(2), sum);
        QCOMPARE(m_grid->footerText(1), QStringLiteral("合计："));
        QCOMPARE(m_grid->footerText(0), QString());
        QCOMPARE(m_grid->footerAlignment(1), Qt::AlignRight | Qt::AlignVCenter);
    }

    void footerFollowsTheList()
    {
        seed({{QStringLiteral("甲"), 1.0}, {QStringLiteral("乙"), 2.0}});
        makeGrid();
        QCOMPARE(m_grid->footerText(2), QStringLiteral("3.00"));
        // Typing a text column leaves the total; changing the amount is summed at once.
        m_list->setValue(kBank, QStringLiteral("丙"));
        QCOMPARE(m_grid->footerText(2), QStringLiteral("3.00"));
        m_list->setValue(kAmount, 10.5);
        QCOMPARE(m_grid->footerText(2), QStringLiteral("12.50"));
        m_list->cancel();
        QCOMPARE(m_grid->footerText(2), QStringLiteral("3.00"));
        m_list->append();
        QCOMPARE(m_grid->footerText(2), QStringLiteral("3.00"));
        m_list->setValue(kAmount, 0.25);
        QCOMPARE(m_grid->footerText(2), QStringLiteral("3.25"));
        m_list->moveTo(0); // posts the new record
        QCOMPARE(m_grid->footerText(2), QStringLiteral("3.25"));
        m_list->remove();
        QCOMPARE(m_grid->footerText(2), QStringLiteral("2.25"));
        m_list->close();
        QCOMPARE(m_grid->footerText(2), QString());
        QCOMPARE(m_grid->footerText(1), QStringLiteral("合计："));
        m_list->open();
        QCOMPARE(m_grid->footerText(2), QStringLiteral("2.25"));
    }

    void footerLookSettable()
    {
        seed({{QStringLiteral("甲"), 8.0}});
        makeGrid();
        QFont font(QStringLiteral("新宋体"));
        font.setPixelSize(12);
        m_grid->setFooterFont(font);
        m_grid->setFooterColor(Qt::red);
        QCOMPARE(m_grid->footerFont().pixelSize(), 12);
        QCOMPARE(m_grid->footerFont().family(), QStringLiteral("新宋体"));
        QCOMPARE(m_grid->footerColor(), QColor(Qt::red));
        // The total is drawn in red inside its cell, against the right edge.
        QWidget *footer = m_grid->findChild<QWidget *>(QStringLiteral("footer"));
        const QImage image = footer->grab().toImage();
        const QRect cell = m_grid->footerCellRect(2);
        int redLeft = -1, redRight = -1;
        for (int x = cell.left(); x <= cell.right(); ++x) {
            for (int y = 0; y < image.height(); ++y) {
                const QColor c = image.pixelColor(x, y);
                if (c.red() > 150 && c.green() < 100 && c.blue() < 100) {
                    if (redLeft < 0)
                        redLeft = x;
                    redRight = x;
                    break;
                }
            }
        }
        QVERIFY(redLeft >= 0);
        QVERIFY(redLeft > cell.center().x()); // "8.00" is short and right-aligned
        QVERIFY(redRight < cell.right());
        QVERIFY(redRight > cell.right() - 8);
    }

    void footerStaysUnderItsColumns()
    {
        seed({{QStringLiteral("甲"), 8.0}});
        makeGrid(260);
        verifyFooterUnderColumns();
        m_view->horizontalScrollBar()->setValue(m_view->horizontalScrollBar()->maximum());
        QVERIFY(m_view->horizontalScrollBar()->value() > 0);
        verifyFooterUnderColumns();
        m_view->horizontalHeader()->resizeSection(0, 30);
        verifyFooterUnderColumns();
    }

    void clickMovesTheCurrentRecord()
    {
        seed({{QStringLiteral("甲"), 1.0}, {QStringLiteral("乙"), 2.0}, {QStringLiteral("丙"), 3.0}});
        makeGrid();
        QCOMPARE(m_view->currentIndex().row(), 0);
        clickRow(2);
        QCOMPARE(m_list->currentRow(), 2);
        QCOMPARE(m_list->value(kBank).toString(), QStringLiteral("丙"));
        QTest::keyClick(m_view, Qt::Key_Up);
        QCOMPARE(m_list->currentRow(), 1);
    }

    void clickPostsTheChangedRecord()
    {
        seed({{QStringLiteral("甲"), 1.0}, {QStringLiteral("乙"), 2.0}});
        makeGrid();
        m_list->setValue(kBank, QStringLiteral("丁"));
        clickRow(1);
        QCOMPARE(m_list->currentRow(), 1);
        QSqlQuery q(QSqlDatabase::database(store::kConnection));
        QVERIFY(q.exec(QStringLiteral("select 银行名称 from jzd order by 编号 limit 1")));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toString(), QStringLiteral("丁"));
    }

    void refusedMoveKeepsTheSelection()
    {
        seed({{QStringLiteral("甲"), 1.0}, {QStringLiteral("乙"), 2.0}, {QStringLiteral("丙"), 3.0}});
        makeGrid();
        m_list->setValue(kBank, QStringLiteral("丁"));
        // Another writer changes the row meanwhile: posting it fails.
        QSqlQuery q(QSqlDatabase::database(store::kConnection));
        QVERIFY(q.exec(QStringLiteral(
            "update jzd set 银行名称 = '戊' where 编号 = (select min(编号) from jzd)")));
        RecordingDialogs dialogs;
        clickRow(2);
        QCOMPARE(dialogs.shown.size(), 1);
        QCOMPARE(dialogs.lastKind(), QStringLiteral("error"));
        QCOMPARE(m_list->currentRow(), 0);
        QTRY_COMPARE(m_view->currentIndex().row(), 0);
        const QModelIndexList selected = m_view->selectionModel()->selectedRows();
        QCOMPARE(selected.size(), 1);
        QCOMPARE(selected.first().row(), 0);
    }

    void viewFollowsTheList()
    {
        seed({{QStringLiteral("甲"), 1.0}, {QStringLiteral("乙"), 2.0}, {QStringLiteral("丙"), 3.0}});
        makeGrid();
        m_list->moveTo(2);
        QCOMPARE(m_view->currentIndex().row(), 2);
        QCOMPARE(m_view->selectionModel()->selectedRows().size(), 1);
        m_list->append();
        QCOMPARE(m_view->currentIndex().row(), 3);
        m_list->cancel();
        QCOMPARE(m_view->currentIndex().row(), 2);
        m_list->close();
        QVERIFY(!m_view->currentIndex().isValid());
        QCOMPARE(m_view->model()->rowCount(), 0);
        m_list->open();
        QCOMPARE(m_view->currentIndex().row(), 0);
    }

    void shownValuesFollowTyping()
    {
        seed({{QStringLiteral("甲"), 1.0}});
        makeGrid();
        m_list->setValue(kBank, QStringLiteral("乙"));
        QCOMPARE(m_view->model()->index(0, 0).data().toString(), QStringLiteral("乙"));
    }

    void longList()
    {
        QList<std::pair<QString, QVariant>> rows;
        rows.reserve(100000);
        for (int i = 0; i < 100000; ++i)
            rows.append({QStringLiteral("银行%1").arg(i), QVariant(0.01 * (i % 100))});
        seed(rows);
        makeGrid();
        QCOMPARE(m_view->model()->rowCount(), 100000);
        QCOMPARE(m_grid->footerText(2), QStringLiteral("49500.00"));
        m_list->moveTo(99999);
        QCOMPARE(m_view->currentIndex().row(), 99999);
        QVERIFY(m_view->visualRect(m_view->currentIndex()).intersects(m_view->viewport()->rect()));
        m_list->setValue(kAmount, 1.99);
        QCOMPARE(m_grid->footerText(2), QStringLiteral("49501.00"));
    }
};

QTEST_MAIN(TestRecordGrid)
#include "tst_recordgrid.moc"

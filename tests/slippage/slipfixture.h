#pragma once

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>
#include <QWidget>

#include <memory>

#include "database.h"
#include "depositslippage.h"
#include "queries.h"
#include "recordset.h"
#include "testfolder.h"

// A program folder with a fresh database, the standing lists and the deposit-slip page over
// them, shown as its own window.
class SlipFixture
{
public:
    SlipFixture()
    {
        store::openDatabase(m_folder.path());
        m_queries = std::make_unique<Queries>(store::kConnection);
    }
    ~SlipFixture()
    {
        m_page.reset();
        m_queries.reset();
        store::closeDatabase();
    }

    // Stores slips given as column → value, in this order.
    static void seed(const QList<QVariantMap> &slips)
    {
        for (const QVariantMap &slip : slips) {
            QStringList names, marks;
            for (auto it = slip.begin(); it != slip.end(); ++it) {
                names << it.key();
                marks << QStringLiteral("?");
            }
            QSqlQuery q(QSqlDatabase::database(store::kConnection));
            q.prepare(QStringLiteral("insert into jzd (%1) values (%2)")
                          .arg(names.join(u','), marks.join(u',')));
            for (const QVariant &v : slip)
                q.addBindValue(v);
            if (!q.exec())
                qFatal("seeding failed");
        }
    }

    // Opens the lists as the main window does on activation and builds the page.
    DepositSlipPage *open()
    {
        m_queries->jzdqry->open();
        m_queries->sjzcpqry->open();
        m_queries->sjzskqry->open();
        m_page = std::make_unique<DepositSlipPage>(m_queries.get(), nullptr);
        m_page->resize(1000, 600);
        return m_page.get();
    }

    static int storedCount()
    {
        QSqlQuery q(QSqlDatabase::database(store::kConnection));
        q.exec(QStringLiteral("select count(*) from jzd"));
        q.next();
        return q.value(0).toInt();
    }
    // One column of every stored slip, by 编号.
    static QVariantList stored(const QString &column)
    {
        QSqlQuery q(QSqlDatabase::database(store::kConnection));
        q.exec(QStringLiteral("select %1 from jzd order by 编号").arg(column));
        QVariantList values;
        while (q.next())
            values << q.value(0);
        return values;
    }

    Queries *queries() const { return m_queries.get(); }
    RecordSet *list() const { return m_queries->jzdqry; }
    DepositSlipPage *page() const { return m_page.get(); }
    template <typename T = QWidget>
    T *control(const char16_t *name) const
    {
        return qobject_cast<T *>(m_page->control(QStringView(name)));
    }

private:
    TestFolder m_folder{false};
    std::unique_ptr<Queries> m_queries;
    std::unique_ptr<DepositSlipPage> m_page;
};

// Types text into an edit as an input method does (QTest's key clicks handle Latin-1 only),
// replacing what it held.
inline void typeText(QWidget *edit, const QString &text)
{
    edit->setFocus();
    if (auto *line = qobject_cast<QLineEdit *>(edit))
        line->selectAll();
    QInputMethodEvent event;
    event.setCommitString(text);
    QCoreApplication::sendEvent(edit, &event);
}

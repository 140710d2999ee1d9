#pragma once

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>
#include <QVariant>
#include <QWidget>

#include <memory>

#include "database.h"
#include "queries.h"
#include "recordset.h"
#include "testfolder.h"

// A program folder with its database and the main window's lists, for the user windows.
// The database starts with its seed user "管理员" (no password).
class UserStore
{
public:
    UserStore() { start(); }
    ~UserStore() { stop(); }

    RecordSet *userqry() const { return m_queries->userqry; }
    const QString &connection() const { return store::kConnection; }

    // Ends the lists and the connection and starts again on the same folder, as the next start
    // of the program does.
    void restart()
    {
        stop();
        start();
    }

    // Writes a row behind the lists' back; null values stay null.
    void addUser(const QVariant &id, const QVariant &password, const QVariant &post = {})
    {
        QSqlQuery query(QSqlDatabase::database(store::kConnection));
        query.prepare(QStringLiteral("insert into usertable (用户, 密码, 职务, 权限, 提示) values (?, ?, ?, null, 0)"));
        query.addBindValue(id);
        query.addBindValue(password);
        query.addBindValue(post);
        if (!query.exec())
            qFatal("%s", qPrintable(query.lastError().text()));
    }

    void removeAllUsers()
    {
        QSqlQuery query(QSqlDatabase::database(store::kConnection));
        if (!query.exec(QStringLiteral("delete from usertable")))
            qFatal("%s", qPrintable(query.lastError().text()));
    }

    // The stored rows as "用户|密码|职务", null shown as <null>, in table order.
    QStringList storedUsers() const
    {
        QStringList rows;
        QSqlQuery query(QSqlDatabase::database(store::kConnection));
        if (!query.exec(QStringLiteral("select 用户, 密码, 职务 from usertable order by rowid")))
            qFatal("%s", qPrintable(query.lastError().text()));
        while (query.next()) {
            QStringList values;
            for (int i = 0; i < 3; ++i)
                values << (query.value(i).isNull() ? QStringLiteral("<null>") : query.value(i).toString());
            rows << values.join(u'|');
        }
        return rows;
    }

private:
    void start()
    {
        store::openDatabase(m_folder.path());
        m_queries = std::make_unique<Queries>(store::kConnection);
    }
    void stop()
    {
        m_queries.reset();
        store::closeDatabase();
    }

    TestFolder m_folder{false};
    std::unique_ptr<Queries> m_queries;
};

// Types text into a focused edit as an input method does (QTest's key clicks handle Latin-1
// only).
inline void typeText(QWidget *edit, const QString &text)
{
    edit->setFocus();
    QInputMethodEvent event;
    event.setCommitString(text);
    QCoreApplication::sendEvent(edit, &event);
}

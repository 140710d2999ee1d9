#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

// A program folder of its own for a test: a temporary folder, optionally holding a copy of the
// installed defaults that the build placed beside the executable (layout files, templates).
class TestFolder
{
public:
    explicit TestFolder(bool withInstalledDefaults = true)
    {
        if (withInstalledDefaults)
            copyDefaults(QStringLiteral(QINGHE_PROGRAM_DIR), m_dir.path());
    }
    QString path() const { return m_dir.path() + u'/'; }
    bool isValid() const { return m_dir.isValid(); }

private:
    static void copyDefaults(const QString &from, const QString &to)
    {
        const QDir source(from);
        for (const QString &name : source.entryList({QStringLiteral("*.fr3")}, QDir::Files))
            QFile::copy(source.filePath(name), to + u'/' + name);
        const QDir kdini(source.filePath(QStringLiteral("Kdini")));
        if (kdini.exists()) {
            QDir(to).mkdir(QStringLiteral("Kdini"));
            for (const QString &name : kdini.entryList(QDir::Files))
                QFile::copy(kdini.filePath(name), to + QStringLiteral("/Kdini/") + name);
        }
    }
    QTemporaryDir m_dir;
};

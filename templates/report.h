#pragma once

#include <memory>
#include <vector>

#include <QByteArray>
#include <QList>
#include <QString>

#include "reportpage.h"
#include "textobject.h"

class XmlTree;

// A report template (.fr3): a TfrxReport with report pages and named text objects. The file's
// XML is kept as read; setting texts, moving or sizing objects and changing their fonts set
// single attributes, and saving writes the file back with everything else exactly as it was.
class Report
{
public:
    Report();
    ~Report();
    Report(const Report &) = delete;
    Report &operator=(const Report &) = delete;

    // Replaces the contents by the template at path. A missing file leaves an empty report and
    // returns false, without an error. A file that cannot be read or is no template throws
    // AppError with the reason.
    bool load(const QString &path);
    // Replaces the contents by a template held in memory; fileName is only remembered.
    // Throws AppError as load does.
    void loadBytes(const QByteArray &bytes, const QString &fileName);
    // Writes the report to path (atomically). An empty report is written as a template
    // without pages. Throws AppError when the file cannot be written.
    void save(const QString &path) const;
    QByteArray toBytes() const;
    void clear();

    bool isEmpty() const;
    QString fileName() const { return m_fileName; } // the path last loaded

    // The text object of that name (names compare without regard to case, as in the engine),
    // nullptr when the report has none. Valid until the next load or clear.
    TextObject *findObject(const QString &name) const;
    // Replaces the whole text of the named object; false when there is no such object.
    bool setText(const QString &name, const QString &text);

    const QList<ReportPage> &pages() const { return m_pages; }
    QList<TextObject *> objects() const;

private:
    void scan();

    std::unique_ptr<XmlTree> m_tree;
    std::vector<std::unique_ptr<TextObject>> m_objects;
    QList<ReportPage> m_pages;
    QString m_fileName;
};

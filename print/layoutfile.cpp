#include "layoutfile.h"

#include <QDir>
#include <QWidget>

#include "fonts.h"
#include "printtables.h"
#include "profilefile.h"

namespace {

const QString kFolder = QStringLiteral("Kdini");
const QString kLeft = QStringLiteral("left");
const QString kTop = QStringLiteral("top");
const QString kName = QStringLiteral("name");
const QString kSize = QStringLiteral("size");
const QString kDefaultFace = QStringLiteral("宋体");
constexpr int kDefaultSize = 12;

void ensureFolder(const QString &folder)
{
    // A failure shows up as the write error of the file.
    QDir(folder).mkdir(kFolder);
}

} // namespace

QString layoutFilePath(const QString &folder, const QString &documentName)
{
    return folder + kFolder + u'/' + documentName + QStringLiteral(".ini");
}

void loadLayout(const QString &folder, const QString &documentName, QWidget *panel)
{
    ensureFolder(folder);
    const ProfileFile file(layoutFilePath(folder, documentName));
    bool first = true;
    for (const char16_t *section : printtables::layoutSections(documentName)) {
        const QString name = QString::fromUtf16(section);
        const int defaultLeft = first ? 200 : 120;
        const int defaultTop = first ? 50 : 16;
        first = false;
        QWidget *control = panel->findChild<QWidget *>(name);
        if (!control)
            continue;
        const int left = file.readInteger(name, kLeft, defaultLeft);
        const int top = file.readInteger(name, kTop, defaultTop);
        control->move(left, top);
        QFont font = control->font();
        font.setFamily(file.readString(name, kName, kDefaultFace));
        setFontPointSize(font, file.readInteger(name, kSize, kDefaultSize));
        control->setFont(font);
    }
}

void saveLayout(const QString &folder, const QString &documentName, const QWidget *panel)
{
    ensureFolder(folder);
    ProfileFile file(layoutFilePath(folder, documentName));
    QList<ProfileEntry> entries;
    for (const char16_t *section : printtables::layoutSections(documentName)) {
        const QString name = QString::fromUtf16(section);
        const QWidget *control = panel->findChild<const QWidget *>(name);
        if (!control)
            continue;
        entries.append({name, kLeft, QString::number(control->x())});
        entries.append({name, kTop, QString::number(control->y())});
        entries.append({name, kName, control->font().family()});
        entries.append({name, kSize, QString::number(fontPointSize(control->font()))});
    }
    file.writeEntries(entries);
}

#include "templateprint.h"

#include <QAction>
#include <QDir>
#include <QMenu>

#include "apperror.h"
#include "report.h"
#include "reportdesigner.h"
#include "reportpreview.h"

void AddTemplateCommands(QMenu *menu, std::span<const TemplateCommand> commands, QObject *context,
                         const std::function<void(const TemplateCommand &)> &run)
{
    for (const TemplateCommand &command : commands) {
        QAction *action = menu->addAction(QString::fromUtf16(command.caption));
        action->setObjectName(QString::fromUtf16(command.item));
        if (command.isSeparator())
            continue;
        QObject::connect(action, &QAction::triggered, context, [run, command] { run(command); });
    }
}

QString MissingTemplateMessage(const QString &path)
{
    return QStringLiteral("找不到模板文件 %1，请把它放回程序所在的文件夹。").arg(QDir::toNativeSeparators(path));
}

void RunTemplateCommand(Report &report, const TemplateCommand &command, const QString &folder,
                        const std::function<void(Report &)> &fill, QWidget *parent)
{
    if (command.isSeparator())
        return;
    const QString path = folder + QString::fromUtf16(command.file);
    if (!report.load(path))
        throw AppError(MissingTemplateMessage(path));
    fill(report);
    if (command.designer) {
        ReportDesigner designer(report, path, parent);
        designer.exec();
    } else {
        ReportPreview(report).exec(parent);
    }
}

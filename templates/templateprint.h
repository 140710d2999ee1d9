#pragma once

#include <functional>
#include <span>

#include <QString>

#include "templatecommand.h"

class QMenu;
class QObject;
class QWidget;
class Report;

// Adds the commands to menu in table order: each item gets the command's item name as its
// objectName and its caption as text; triggering a command item calls run with it (through
// context). The separator items are plain items that do nothing.
void AddTemplateCommands(QMenu *menu, std::span<const TemplateCommand> commands, QObject *context,
                         const std::function<void(const TemplateCommand &)> &run);

// Runs one template command on report (the main window's report, which keeps the last
// template): loads command.file from folder (the program folder, ending in "/"), lets fill
// write the record's texts, then shows the preview or, for a designer command, opens the
// designer modally. A missing template file, a damaged one or a refused fill throw AppError
// before any window opens.
void RunTemplateCommand(Report &report, const TemplateCommand &command, const QString &folder,
                        const std::function<void(Report &)> &fill, QWidget *parent);

// The message for a template file that is not in the program folder.
QString MissingTemplateMessage(const QString &path);

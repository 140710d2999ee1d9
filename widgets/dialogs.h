#pragma once

#include <QFont>
#include <QString>

#include <optional>

class QWidget;

// Every modal question the program asks goes through this seam: message boxes and the font
// dialog. The default implementation shows Qt's dialogs; tests install their own to answer
// without a user.
class Dialogs
{
public:
    virtual ~Dialogs() = default;

    // A notice with only an OK button ("资料已经保存", caption "信息").
    virtual void information(QWidget *parent, const QString &caption, const QString &text) = 0;
    // A warning with the warning icon and an OK button (the login errors).
    virtual void warning(QWidget *parent, const QString &caption, const QString &text) = 0;
    // The error report of a failed command: the message and an OK button.
    virtual void error(QWidget *parent, const QString &text) = 0;
    // A question with the buttons 是 and 否 and the question icon; true on 是.
    virtual bool question(QWidget *parent, const QString &caption, const QString &text) = 0;
    // The font dialog, opened with initial; nothing when the user cancels.
    virtual std::optional<QFont> chooseFont(QWidget *parent, const QFont &initial) = 0;

    // The installed implementation (Qt's dialogs unless a test replaced them).
    static Dialogs &instance();
    // Installs d (not owned); nullptr restores Qt's dialogs.
    static void install(Dialogs *d);
};

// The caption of notices and error reports.
inline const QString kInfoCaption = QStringLiteral("信息");

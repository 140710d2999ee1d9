#pragma once

#include <QFont>
#include <QList>
#include <QString>

#include <optional>

#include "dialogs.h"

// Answers the program's dialogs without a user and remembers what was shown.
// Installed for its lifetime.
class RecordingDialogs final : public Dialogs
{
public:
    struct Shown
    {
        QString kind; // "information", "warning", "error", "question", "font"
        QString caption;
        QString text;
    };

    RecordingDialogs() { Dialogs::install(this); }
    ~RecordingDialogs() override { Dialogs::install(nullptr); }

    QList<Shown> shown;
    QList<bool> answers;                 // for questions, in order; 否 when none is left
    QList<std::optional<QFont>> fonts;   // for the font dialog, in order; cancel when none left
    QList<QFont> fontInitials;           // the font each font dialog opened with

    void information(QWidget *, const QString &caption, const QString &text) override
    {
        shown.append({QStringLiteral("information"), caption, text});
    }
    void warning(QWidget *, const QString &caption, const QString &text) override
    {
        shown.append({QStringLiteral("warning"), caption, text});
    }
    void error(QWidget *, const QString &text) override
    {
        shown.append({QStringLiteral("error"), kInfoCaption, text});
    }
    bool question(QWidget *, const QString &caption, const QString &text) override
    {
        shown.append({QStringLiteral("question"), caption, text});
        return answers.isEmpty() ? false : answers.takeFirst();
    }
    std::optional<QFont> chooseFont(QWidget *, const QFont &initial) override
    {
        shown.append({QStringLiteral("font"), {}, {}});
        fontInitials.append(initial);
        return fonts.isEmpty() ? std::nullopt : fonts.takeFirst();
    }

    QString lastText() const { return shown.isEmpty() ? QString() : shown.last().text; }
    QString lastKind() const { return shown.isEmpty() ? QString() : shown.last().kind; }
};

#pragma once

#include <QFont>
#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
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

    // One interactive move or sizing of a control.
    struct Step
    {
        QString control; // the control's objectName
        QString kind;    // "move", "left", "right", "top" or "bottom"
        QRect before;    // the control's geometry when the step began
        QPoint pointer;  // where the pointer was said to be when the step began
    };
    QList<Step> steps;
    // The geometry each step leaves, in order: a rectangle is taken as confirmed, nothing as
    // Esc (the control stays). When none is left the step changes nothing and is confirmed.
    QList<std::optional<QRect>> stepResults;
    // Runs the real pointer loops instead (a test then sends the mouse and key events).
    bool realInteraction = false;
    // Called when a step begins, before it runs; a test of the real loops schedules its
    // events here.
    std::function<void(QWidget *control, const QString &kind)> onStep;

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

    Interaction interactiveMove(QWidget *control, const QPoint &pointer) override
    {
        return step(control, QStringLiteral("move"), pointer,
                    [&] { return Dialogs::interactiveMove(control, pointer); });
    }
    Interaction interactiveSize(QWidget *control, SizeEdge edge, const QPoint &pointer) override
    {
        static const QString kinds[] = {QStringLiteral("left"), QStringLiteral("right"),
                                        QStringLiteral("top"), QStringLiteral("bottom")};
        return step(control, kinds[int(edge)], pointer,
                    [&] { return Dialogs::interactiveSize(control, edge, pointer); });
    }

    QString lastText() const { return shown.isEmpty() ? QString() : shown.last().text; }
    QString lastKind() const { return shown.isEmpty() ? QString() : shown.last().kind; }
    // The kinds of the steps run so far, in order.
    QStringList stepKinds() const
    {
        QStringList kinds;
        for (const Step &s : steps)
            kinds.append(s.kind);
        return kinds;
    }

private:
    template <typename Real>
    Interaction step(QWidget *control, const QString &kind, const QPoint &pointer, Real &&real)
    {
        steps.append({control->objectName(), kind, control->geometry(), pointer});
        if (onStep)
            onStep(control, kind);
        if (realInteraction)
            return real();
        if (stepResults.isEmpty())
            return {true, pointer};
        const std::optional<QRect> result = stepResults.takeFirst();
        if (!result)
            return {false, pointer};
        control->setGeometry(*result);
        return {true, pointer};
    }
};

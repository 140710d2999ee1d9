#pragma once

#include <QFont>
#include <QPoint>
#include <QString>

#include <optional>

class QWidget;

// The edge of a control that an interactive sizing moves.
enum class SizeEdge { Left, Right, Top, Bottom };

// How an interactive move or sizing of a control ended.
struct Interaction
{
    bool confirmed = false; // released or confirmed; false when Esc restored the control
    QPoint pointer;         // where the pointer was at the end, global coordinates
};

// Every modal question the program asks goes through this seam: message boxes, the font
// dialog and the interactive move and sizing of a field control. The default implementation
// shows Qt's dialogs and runs the pointer loops itself; tests install their own to answer
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

    // The interactive move of a child control: the control follows the pointer (starting at
    // pointer, global coordinates) until a mouse button is released or Enter is pressed; Esc
    // puts it back where it was. The pointer is kept inside the control's parent, and the
    // arrow keys move by one pixel. Modal: returns when the move ends.
    virtual Interaction interactiveMove(QWidget *control, const QPoint &pointer);
    // The interactive sizing of one edge of a child control, ending as the move does; the
    // opposite edge stays, and the control keeps a width and height of at least 4 pixels.
    virtual Interaction interactiveSize(QWidget *control, SizeEdge edge, const QPoint &pointer);

    // The installed implementation (Qt's dialogs unless a test replaced them).
    static Dialogs &instance();
    // Installs d (not owned); nullptr restores Qt's dialogs.
    static void install(Dialogs *d);
};

// The caption of notices and error reports.
inline const QString kInfoCaption = QStringLiteral("信息");

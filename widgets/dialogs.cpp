#include "dialogs.h"

#include <QApplication>
#include <QCursor>
#include <QEventLoop>
#include <QFontDialog>
#include <QStringList>

#include "fonts.h"
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QWidget>

namespace {

// What one interactive step of a control changes.
enum class Tracking { Move, Left, Right, Top, Bottom };

// A control never gets narrower or lower than this by sizing, so it stays within reach.
constexpr int kMinimumExtent = 4;

// Qt moves and sizes child widgets only by program, so the move and the sizing of a field
// control run here: a local event loop that takes every mouse and key event of the
// application while it runs (the control grabs mouse and keyboard, so the pointer is followed
// outside the window too) and changes the control's geometry live.
class PointerTracker final : public QObject
{
public:
    PointerTracker(QWidget *control, Tracking mode, const QPoint &pointer)
        : m_control(control), m_mode(mode)
    {
        m_start = control->geometry();
        m_anchor = m_pointer = clamped(pointer);
    }

    Interaction run()
    {
        QWidget *control = m_control;
        const bool grab = control->isVisible();
        QGuiApplication::setOverrideCursor(cursorShape());
        qApp->installEventFilter(this);
        if (grab) {
            control->grabMouse();
            control->grabKeyboard();
        }
        QObject::connect(control, &QObject::destroyed, &m_loop, [this] { m_loop.exit(); });
        m_loop.exec();
        if (m_control && grab) {
            m_control->releaseKeyboard();
            m_control->releaseMouse();
        }
        qApp->removeEventFilter(this);
        QGuiApplication::restoreOverrideCursor();
        return {m_confirmed && m_control, m_pointer};
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // The window objects keep their own bookkeeping (the mouse grab, the button state)
        // and hand the event on to a widget; it is taken there.
        if (!watched->isWidgetType())
            return false;
        switch (event->type()) {
        case QEvent::MouseMove:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            // A press only begins the click that ends the step.
            follow(static_cast<QMouseEvent *>(event)->globalPosition().toPoint());
            return true;
        case QEvent::MouseButtonRelease:
            follow(static_cast<QMouseEvent *>(event)->globalPosition().toPoint());
            finish(true);
            return true;
        case QEvent::KeyPress:
            key(static_cast<QKeyEvent *>(event)->key());
            return true;
        case QEvent::ShortcutOverride:
            // No shortcut fires while the step runs: the key comes here as a key press.
            event->accept();
            return true;
        case QEvent::KeyRelease:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
            return true;
        default:
            return false;
        }
    }

private:
    Qt::CursorShape cursorShape() const
    {
        switch (m_mode) {
        case Tracking::Move:
            return Qt::SizeAllCursor;
        case Tracking::Left:
        case Tracking::Right:
            return Qt::SizeHorCursor;
        case Tracking::Top:
        case Tracking::Bottom:
            return Qt::SizeVerCursor;
        }
        return Qt::ArrowCursor;
    }

    // The pointer counts only inside the control's parent, as if it were held there.
    QPoint clamped(const QPoint &global) const
    {
        const QWidget *parent = m_control ? m_control->parentWidget() : nullptr;
        if (!parent)
            return global;
        const QRect area(parent->mapToGlobal(QPoint(0, 0)), parent->size());
        return {qBound(area.left(), global.x(), area.right()),
                qBound(area.top(), global.y(), area.bottom())};
    }

    void key(int code)
    {
        if (m_done)
            return;
        switch (code) {
        case Qt::Key_Escape:
            if (m_control)
                m_control->setGeometry(m_start);
            finish(false);
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            finish(true);
            return;
        case Qt::Key_Left:
            m_nudge.rx() -= 1;
            break;
        case Qt::Key_Right:
            m_nudge.rx() += 1;
            break;
        case Qt::Key_Up:
            m_nudge.ry() -= 1;
            break;
        case Qt::Key_Down:
            m_nudge.ry() += 1;
            break;
        default:
            return;
        }
        apply();
    }

    void follow(const QPoint &global)
    {
        if (m_done)
            return;
        m_pointer = clamped(global);
        apply();
    }

    void apply()
    {
        if (!m_control)
            return;
        const QPoint d = m_pointer - m_anchor + m_nudge;
        const int minWidth = qMin(kMinimumExtent, m_start.width());
        const int minHeight = qMin(kMinimumExtent, m_start.height());
        QRect r = m_start;
        switch (m_mode) {
        case Tracking::Move:
            r.translate(d);
            break;
        case Tracking::Left:
            r.setLeft(qMin(m_start.left() + d.x(), m_start.right() + 1 - minWidth));
            break;
        case Tracking::Right:
            r.setRight(qMax(m_start.right() + d.x(), m_start.left() - 1 + minWidth));
            break;
        case Tracking::Top:
            r.setTop(qMin(m_start.top() + d.y(), m_start.bottom() + 1 - minHeight));
            break;
        case Tracking::Bottom:
            r.setBottom(qMax(m_start.bottom() + d.y(), m_start.top() - 1 + minHeight));
            break;
        }
        m_control->setGeometry(r);
    }

    void finish(bool confirmed)
    {
        if (m_done)
            return;
        m_done = true;
        m_confirmed = confirmed;
        m_loop.exit();
    }

    QPointer<QWidget> m_control;
    Tracking m_mode;
    QRect m_start;
    QPoint m_anchor;
    QPoint m_pointer;
    QPoint m_nudge;
    bool m_done = false;
    bool m_confirmed = false;
    QEventLoop m_loop;
};

Tracking trackingOf(SizeEdge edge)
{
    switch (edge) {
    case SizeEdge::Left:
        return Tracking::Left;
    case SizeEdge::Right:
        return Tracking::Right;
    case SizeEdge::Top:
        return Tracking::Top;
    case SizeEdge::Bottom:
        return Tracking::Bottom;
    }
    return Tracking::Move;
}

class QtDialogs final : public Dialogs
{
public:
    void information(QWidget *parent, const QString &caption, const QString &text) override
    {
        QMessageBox::information(parent, caption, text, QMessageBox::Ok);
    }
    void warning(QWidget *parent, const QString &caption, const QString &text) override
    {
        QMessageBox::warning(parent, caption, text, QMessageBox::Ok);
    }
    void error(QWidget *parent, const QString &text) override
    {
        QMessageBox::critical(parent, kInfoCaption, text, QMessageBox::Ok);
    }
    bool question(QWidget *parent, const QString &caption, const QString &text) override
    {
        QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::NoButton, parent);
        QPushButton *yes = box.addButton(QStringLiteral("是(&Y)"), QMessageBox::YesRole);
        QPushButton *no = box.addButton(QStringLiteral("否(&N)"), QMessageBox::NoRole);
        box.setDefaultButton(yes);
        box.setEscapeButton(no);
        box.exec();
        return box.clickedButton() == yes;
    }
    std::optional<QFont> chooseFont(QWidget *parent, const QFont &initial) override
    {
        // The dialog lists installed faces only: open on the face that stands in for the
        // Song names, in points, and give the chosen stand-in back under the name the forms
        // and layout files use.
        QFont shown = initial;
        const QString song = QString::fromUtf16(kSongSubstitute);
        const QStringList substitutes = QFont::substitutes(initial.family());
        if (substitutes.contains(song))
            shown.setFamily(song);
        if (initial.pixelSize() > 0)
            shown.setPointSize(fontPointSize(initial));
        bool ok = false;
        QFont font = QFontDialog::getFont(&ok, shown, parent, QStringLiteral("字体"));
        if (!ok)
            return std::nullopt;
        if (font.family() == song)
            font.setFamily(substitutes.contains(song) ? initial.family() : QStringLiteral("宋体"));
        return font;
    }
};

QtDialogs g_qtDialogs;
Dialogs *g_current = &g_qtDialogs;

} // namespace

Interaction Dialogs::interactiveMove(QWidget *control, const QPoint &pointer)
{
    if (!control)
        return {false, pointer};
    return PointerTracker(control, Tracking::Move, pointer).run();
}

Interaction Dialogs::interactiveSize(QWidget *control, SizeEdge edge, const QPoint &pointer)
{
    if (!control)
        return {false, pointer};
    return PointerTracker(control, trackingOf(edge), pointer).run();
}

Dialogs &Dialogs::instance()
{
    return *g_current;
}

void Dialogs::install(Dialogs *d)
{
    g_current = d ? d : &g_qtDialogs;
}

#include "layoutediting.h"

#include <QContextMenuEvent>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QWidget>

#include "dialogs.h"
#include "fonts.h"
#include "guard.h"

namespace {

constexpr Qt::KeyboardModifiers kGestureKeys = Qt::ControlModifier | Qt::ShiftModifier;

// True when nothing between widget and control is a window of its own (a popup list inside
// a control is not part of the field).
bool insideControl(const QWidget *widget, const QWidget *control)
{
    for (const QWidget *w = widget; w && w != control; w = w->parentWidget()) {
        if (w->isWindow())
            return false;
    }
    return true;
}

} // namespace

std::span<const EditEntry> slipEditEntries()
{
    return layoutediting::kSlipEntries;
}

std::span<const EditEntry> chequeEditEntries()
{
    return layoutediting::kChequeEntries;
}

const EditEntry *findEditEntry(std::span<const EditEntry> table, QStringView control)
{
    for (const EditEntry &entry : table) {
        if (QStringView(entry.control) == control)
            return &entry;
    }
    return nullptr;
}

QString handlerName(QStringView control, EditHandler handler)
{
    switch (handler) {
    case EditHandler::MouseDown:
        return control.toString() + QStringLiteral("MouseDown");
    case EditHandler::KeyDown:
        return control.toString() + QStringLiteral("KeyDown");
    case EditHandler::DblClick:
        return control.toString() + QStringLiteral("DblClick");
    }
    return {};
}

QStringList handlerNames(std::span<const EditEntry> table)
{
    QStringList names;
    for (const EditEntry &entry : table) {
        for (EditHandler handler :
             {EditHandler::MouseDown, EditHandler::KeyDown, EditHandler::DblClick}) {
            if (hasHandler(entry, handler))
                names.append(handlerName(QStringView(entry.control), handler));
        }
    }
    return names;
}

LayoutEditing::LayoutEditing(QObject *parent)
    : QObject(parent)
{
}

LayoutEditing *LayoutEditing::install(QWidget *window, QWidget *slipPanel, QWidget *chequePanel)
{
    auto *editing = new LayoutEditing(window);
    if (slipPanel)
        editing->attach(slipPanel, slipEditEntries());
    if (chequePanel)
        editing->attach(chequePanel, chequeEditEntries());
    return editing;
}

int LayoutEditing::attach(QWidget *formPanel, std::span<const EditEntry> table)
{
    int hooked = 0;
    for (const EditEntry &entry : table) {
        if (entry.gesture == Gesture::None && !entry.font)
            continue;
        QWidget *control = formPanel->findChild<QWidget *>(QString::fromUtf16(entry.control));
        if (!control || m_entries.contains(control))
            continue;
        m_entries.insert(control, &entry);
        hookTree(control, control);
        ++hooked;
    }
    return hooked;
}

const EditEntry *LayoutEditing::entryOf(const QWidget *control) const
{
    return m_entries.value(control);
}

void LayoutEditing::hook(QWidget *widget, QWidget *control)
{
    if (m_controlOf.contains(widget) || !insideControl(widget, control))
        return;
    m_controlOf.insert(widget, control);
    widget->installEventFilter(this);
    connect(widget, &QObject::destroyed, this, [this, widget] {
        m_controlOf.remove(widget);
        m_entries.remove(widget);
    });
}

void LayoutEditing::hookTree(QWidget *widget, QWidget *control)
{
    // A press or key lands on the innermost widget: the button of a date picker or pick
    // list, the edit of a combo box. Each counts as the control.
    hook(widget, control);
    for (QWidget *child : widget->findChildren<QWidget *>())
        hook(child, control);
}

bool LayoutEditing::eventFilter(QObject *watched, QEvent *event)
{
    QWidget *control = m_controlOf.value(watched);
    if (!control)
        return false;
    const EditEntry *entry = m_entries.value(control);
    if (!entry)
        return false;

    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        if (entry->gesture != Gesture::Pointer)
            return false;
        const auto *mouse = static_cast<QMouseEvent *>(event);
        const Qt::KeyboardModifiers modifiers = mouse->modifiers();
        // Without Ctrl or Shift the field behaves as usual (focus, caret, selection).
        if (!(modifiers & kGestureKeys))
            return false;
        const QPoint pointer = mouse->globalPosition().toPoint();
        guarded(control, [&] { mouseDown(control, modifiers, pointer); });
        // The press was the gesture's: the field does not also start a selection.
        return true;
    }
    case QEvent::KeyPress: {
        if (entry->gesture != Gesture::Key)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        // Holding the key down repeats it; the gesture runs once per press.
        if (key->isAutoRepeat())
            return false;
        Qt::KeyboardModifiers modifiers = key->modifiers();
        // The press of Shift or Ctrl itself counts as held, whether or not the platform
        // reports it in the modifiers of its own key event.
        if (key->key() == Qt::Key_Shift)
            modifiers |= Qt::ShiftModifier;
        if (key->key() == Qt::Key_Control)
            modifiers |= Qt::ControlModifier;
        if (!(modifiers & kGestureKeys))
            return false;
        QPointer<QObject> alive(watched);
        guarded(control, [&] { keyDown(control, modifiers); });
        // The key itself goes on to the field unchanged.
        return !alive;
    }
    case QEvent::MouseButtonDblClick: {
        if (!entry->font)
            return false;
        QPointer<QObject> alive(watched);
        guarded(control, [&] { dblClick(control); });
        // The field itself still selects the word under the pointer; a widget inside a
        // control would pass the event on to the control, which has had it already.
        return !alive || watched != control;
    }
    case QEvent::ContextMenu: {
        // The context menu that follows a gesture made with the right button.
        const auto *menu = static_cast<QContextMenuEvent *>(event);
        return entry->gesture == Gesture::Pointer && menu->reason() == QContextMenuEvent::Mouse
               && (menu->modifiers() & kGestureKeys);
    }
    case QEvent::ChildPolished: {
        // Widgets made inside a control later count as the control too.
        QObject *child = static_cast<QChildEvent *>(event)->child();
        if (child->isWidgetType())
            hookTree(static_cast<QWidget *>(child), control);
        return false;
    }
    default:
        return false;
    }
}

void LayoutEditing::mouseDown(QWidget *control, Qt::KeyboardModifiers modifiers,
                              std::optional<QPoint> pointer)
{
    gesture(control, modifiers, pointer.value_or(QCursor::pos()));
}

void LayoutEditing::keyDown(QWidget *control, Qt::KeyboardModifiers modifiers)
{
    gesture(control, modifiers, QCursor::pos());
}

void LayoutEditing::gesture(QWidget *control, Qt::KeyboardModifiers modifiers, QPoint pointer)
{
    QPointer<QWidget> alive(control);
    Dialogs &dialogs = Dialogs::instance();
    if (modifiers & Qt::ControlModifier)
        pointer = dialogs.interactiveMove(control, pointer).pointer;
    if (!(modifiers & Qt::ShiftModifier))
        return;
    // Each sizing ends on its own; Esc in one puts back only that edge.
    for (SizeEdge edge : {SizeEdge::Left, SizeEdge::Right, SizeEdge::Top, SizeEdge::Bottom}) {
        if (!alive)
            return;
        pointer = dialogs.interactiveSize(control, edge, pointer).pointer;
    }
}

void LayoutEditing::dblClick(QWidget *control)
{
    const std::optional<QFont> chosen =
        Dialogs::instance().chooseFont(control->window(), dialogFont());
    if (!chosen)
        return;
    m_lastFont = *chosen;
    // The whole font (face, size, style), then the dialog's size once more: screen fonts
    // carry pixel sizes, the dialog speaks in points.
    control->setFont(*chosen);
    QFont sized = control->font();
    setFontPointSize(sized, fontPointSize(*chosen));
    control->setFont(sized);
}

QFont LayoutEditing::dialogFont() const
{
    return m_lastFont.value_or(designedFont());
}

QFont LayoutEditing::designedFont()
{
    QFont font(QStringLiteral("宋体"));
    font.setPixelSize(15);
    return font;
}

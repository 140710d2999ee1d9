#pragma once

#include <QFont>
#include <QHash>
#include <QObject>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>
#include <span>

class QWidget;

// On-screen layout editing of the field controls: holding Ctrl while pressing on a field moves
// it, holding Shift sizes its left, right, top and bottom edges in turn, and a double-click
// chooses its font. The results live in the controls; the layout file gets position, face and
// size at the next print, and loading the layout again puts position and font back.

// Which event starts the move and sizing of a control.
enum class Gesture : unsigned char {
    None,
    Pointer, // a mouse-button press on the control (handler <control>MouseDown)
    Key,     // a key press while the control has the focus (handler <control>KeyDown)
};

// The handlers a control may have.
enum class EditHandler { MouseDown, KeyDown, DblClick };

struct EditEntry
{
    const char16_t *control; // objectName of the control under the form panel
    Gesture gesture;
    bool font; // a double-click chooses the control's font (handler <control>DblClick)
};

namespace layoutediting {

using enum Gesture;

// The controls of the deposit-slip form panel ("jzpan").
inline constexpr EditEntry kSlipEntries[] = {
    {u"jzyxmc", Pointer, true}, {u"yedit", Pointer, true},  {u"medit", Pointer, true},
    {u"dedit", Pointer, true},  {u"jzsdate", Key, false},   {u"cpqc", Pointer, true},
    {u"cpzh", Pointer, true},   {u"cpyx", Pointer, true},   {u"skqc", Pointer, true},
    {u"skzh", Pointer, true},   {u"skyx", Pointer, true},   {u"dxedit", Pointer, true},
    {u"jzxx", Pointer, true},   {u"pjzl", Pointer, true},   {u"pjzs", Pointer, true},
    {u"pjhm", Pointer, true},   {u"jzbb", None, false},     {u"jzyt", Pointer, true},
    {u"xje", Pointer, true},    {u"jzfh", Pointer, true},   {u"jzjz", Pointer, true},
    {u"cyedit", Pointer, true}, {u"cmedit", Pointer, true}, {u"cdedit", Pointer, true},
    {u"ccpqc", Pointer, true},  {u"ccpzh", Pointer, true},  {u"ccpyx", Pointer, true},
    {u"cjzxx", Pointer, true},  {u"cskqc", Pointer, true},  {u"cskzh", Pointer, true},
    {u"cskyx", Pointer, true},  {u"cpjzl", Pointer, true},  {u"cpjzs", Pointer, true},
    {u"cpjhm", Pointer, true},  {u"cfh", Pointer, true},    {u"cjz", Pointer, true},
    {u"scpqc", Pointer, false}, {u"sskqc", Pointer, false},
};

// The controls of the cheque form panel ("Panel4").
inline constexpr EditEntry kChequeEntries[] = {
    {u"yxmc", Pointer, true},  {u"yyd", Pointer, true},      {u"mmd", Pointer, true},
    {u"ddd", Pointer, true},   {u"zpdate", None, false},     {u"fkh", Pointer, true},
    {u"cprzh", Pointer, true}, {u"skredit", Pointer, true},  {u"jedxedit", Pointer, true},
    {u"zpje", Pointer, true},  {u"ytedit", Pointer, true},   {u"mm", Pointer, true},
    {u"JELAB", Key, true},     {u"xxedit", Key, true},       {u"sbb", Key, true},
    {u"cgyx", Key, true},      {u"fjxx1", Key, true},        {u"fjxx2", Key, true},
    {u"fjxx3", Key, true},     {u"yyx", Key, true},          {u"mmx", Key, true},
    {u"ddx", Key, true},       {u"cskr", Key, true},         {u"cje", Key, true},
    {u"cyt", Key, true},       {u"zg", Key, true},           {u"hj", Key, true},
};

} // namespace layoutediting

constexpr bool hasHandler(const EditEntry &entry, EditHandler handler)
{
    switch (handler) {
    case EditHandler::MouseDown:
        return entry.gesture == Gesture::Pointer;
    case EditHandler::KeyDown:
        return entry.gesture == Gesture::Key;
    case EditHandler::DblClick:
        return entry.font;
    }
    return false;
}

constexpr int handlerCount(std::span<const EditEntry> table, EditHandler handler)
{
    int count = 0;
    for (const EditEntry &entry : table)
        count += hasHandler(entry, handler) ? 1 : 0;
    return count;
}

// Both pages together: 47 pointer handlers, 16 key handlers, 60 double-click handlers.
static_assert(handlerCount(layoutediting::kSlipEntries, EditHandler::MouseDown)
                  + handlerCount(layoutediting::kChequeEntries, EditHandler::MouseDown)
              == 47);
static_assert(handlerCount(layoutediting::kSlipEntries, EditHandler::KeyDown)
                  + handlerCount(layoutediting::kChequeEntries, EditHandler::KeyDown)
              == 16);
static_assert(handlerCount(layoutediting::kSlipEntries, EditHandler::DblClick)
                  + handlerCount(layoutediting::kChequeEntries, EditHandler::DblClick)
              == 60);

std::span<const EditEntry> slipEditEntries();
std::span<const EditEntry> chequeEditEntries();
// The entry of a control in table; nullptr when the table does not name it.
const EditEntry *findEditEntry(std::span<const EditEntry> table, QStringView control);

// The handler's name: "<control>MouseDown", "<control>KeyDown" or "<control>DblClick".
QString handlerName(QStringView control, EditHandler handler);
// Every handler the table gives its controls, in table order (per control: MouseDown,
// KeyDown, DblClick).
QStringList handlerNames(std::span<const EditEntry> table);

// Runs the editing handlers of the controls it is attached to: an event filter on each named
// control (and on the widgets inside it) starts the gestures, and one font dialog serves all
// controls of the window, remembering the font it last returned.
class LayoutEditing : public QObject
{
    Q_OBJECT

public:
    explicit LayoutEditing(QObject *parent = nullptr);

    // The editing of the main window: one object owned by window, attached to the form panel
    // of each page (either may be nullptr).
    static LayoutEditing *install(QWidget *window, QWidget *slipPanel, QWidget *chequePanel);

    // Hooks every control of table found by objectName under formPanel; controls that are
    // missing are skipped. Returns how many controls were hooked.
    int attach(QWidget *formPanel, std::span<const EditEntry> table);
    // The entry a hooked control was attached with; nullptr for any other widget.
    const EditEntry *entryOf(const QWidget *control) const;

    // The handlers. mouseDown and keyDown: with Ctrl the interactive move, then with Shift
    // the interactive sizing of the left, right, top and bottom edges; pointer is where the
    // pointer is (global), the cursor position when not given.
    void mouseDown(QWidget *control, Qt::KeyboardModifiers modifiers,
                   std::optional<QPoint> pointer = std::nullopt);
    void keyDown(QWidget *control, Qt::KeyboardModifiers modifiers);
    // The font dialog, opened with dialogFont(); a confirmed font goes to the control.
    void dblClick(QWidget *control);

    // The font the dialog opens with next: the one it last returned, or designedFont().
    QFont dialogFont() const;
    // The dialog's font before its first use: "宋体" 15 pixels high.
    static QFont designedFont();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void hook(QWidget *widget, QWidget *control);
    void hookTree(QWidget *widget, QWidget *control);
    void gesture(QWidget *control, Qt::KeyboardModifiers modifiers, QPoint pointer);

    // Every hooked widget (a control or a widget inside one) to its control.
    QHash<const QObject *, QWidget *> m_controlOf;
    QHash<const QWidget *, const EditEntry *> m_entries;
    std::optional<QFont> m_lastFont;
};

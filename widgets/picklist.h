#pragma once

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include "recordset.h"

class QFrame;
class QListWidget;
class QToolButton;

// A drop-down pick list of which only the button shows (child "button"). Its list (child
// "popup", a popup window holding the QListWidget "list") holds the first column of every
// row of a record list, duplicates kept, and opens below the button, extending leftwards: the
// list's right edge is the button's right edge.
//
// entered() is emitted when the control receives the focus, and when its button is clicked
// while it already had it, always before the list opens: the page refreshes the record list
// then. chosen() reports the entry picked with the mouse or Enter. Alt+Down and F4 open the
// list, Escape closes it.
class PickList : public QWidget
{
    Q_OBJECT

public:
    explicit PickList(QWidget *parent = nullptr);

    void bind(RecordSet *list);
    RecordSet *list() const { return m_list; }

    int listWidth() const { return m_listWidth; }
    void setListWidth(int width);
    // How many entries the open list shows without scrolling.
    int visibleEntries() const { return m_visibleEntries; }
    void setVisibleEntries(int count);

    // Opens the list as the button does (entered() first, unless the focus just arrived).
    void showList();
    void hideList();
    bool isListOpen() const;
    // The entries of the list as last opened.
    QStringList entries() const;

    QSize sizeHint() const override;

Q_SIGNALS:
    void entered();
    void chosen(const QString &name);

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void choose(int row);

    QPointer<RecordSet> m_list;
    QToolButton *m_button;
    QFrame *m_popup;
    QListWidget *m_entries;
    int m_listWidth = 150;
    int m_visibleEntries = 8;
    bool m_justEntered = false;
};

#include "picklist.h"

#include <QFocusEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QListWidget>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

#include "recordset.h"

PickList::PickList(QWidget *parent)
    : QWidget(parent), m_button(new QToolButton(this)), m_popup(new QFrame(this, Qt::Popup)),
      m_entries(new QListWidget(m_popup))
{
    setFocusPolicy(Qt::StrongFocus);
    m_button->setObjectName(QStringLiteral("button"));
    m_button->setArrowType(Qt::DownArrow);
    // The control itself takes the focus; a click on the button gives it to the control.
    m_button->setFocusPolicy(Qt::NoFocus);
    m_button->setGeometry(rect());
    connect(m_button, &QToolButton::clicked, this, &PickList::showList);

    m_popup->setObjectName(QStringLiteral("popup"));
    m_popup->setFrameShape(QFrame::Box);
    auto *layout = new QVBoxLayout(m_popup);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->addWidget(m_entries);
    m_entries->setObjectName(QStringLiteral("list"));
    m_entries->setFrameShape(QFrame::NoFrame);
    m_entries->setUniformItemSizes(true);
    m_entries->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_entries->installEventFilter(this);
    connect(m_entries, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { choose(m_entries->row(item)); });
}

void PickList::bind(RecordSet *list)
{
    m_list = list;
}

void PickList::setListWidth(int width)
{
    m_listWidth = qMax(1, width);
}

void PickList::setVisibleEntries(int count)
{
    m_visibleEntries = qMax(1, count);
}

QSize PickList::sizeHint() const
{
    return {23, 21};
}

void PickList::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_button->setGeometry(rect());
}

bool PickList::isListOpen() const
{
    return m_popup->isVisible();
}

QStringList PickList::entries() const
{
    QStringList names;
    for (int i = 0; i < m_entries->count(); ++i)
        names << m_entries->item(i)->text();
    return names;
}

void PickList::showList()
{
    if (!m_justEntered)
        Q_EMIT entered();
    m_justEntered = false;

    m_entries->clear();
    if (m_list && m_list->isOpen()) {
        QStringList names;
        names.reserve(m_list->rowCount());
        for (int row = 0; row < m_list->rowCount(); ++row)
            names << m_list->valueAt(row, 0).toString();
        m_entries->addItems(names);
    }
    if (m_entries->count() > 0)
        m_entries->setCurrentRow(0);

    const int rowHeight = qMax(m_entries->sizeHintForRow(0), m_entries->fontMetrics().height() + 2);
    const int rows = qBound(1, int(m_entries->count()), m_visibleEntries);
    const int listHeight = rows * rowHeight + 2 * m_popup->frameWidth() + 2;
    const QPoint belowRight = mapToGlobal(QPoint(width(), height()));
    QRect geometry(belowRight.x() - m_listWidth, belowRight.y(), m_listWidth, listHeight);
    // Open upwards when there is no room below the control.
    if (const QScreen *s = screen()) {
        const QRect available = s->availableGeometry();
        if (geometry.bottom() > available.bottom())
            geometry.moveBottom(mapToGlobal(QPoint(0, 0)).y() - 1);
    }
    m_popup->setGeometry(geometry);
    m_popup->show();
    m_entries->setFocus(Qt::PopupFocusReason);
}

void PickList::hideList()
{
    m_popup->hide();
}

void PickList::choose(int row)
{
    if (row < 0 || row >= m_entries->count())
        return;
    const QString name = m_entries->item(row)->text();
    hideList();
    Q_EMIT chosen(name);
}

void PickList::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    // Coming back from the open list or from another window is not entering the control.
    if (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason)
        return;
    m_justEntered = true;
    Q_EMIT entered();
}

void PickList::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    if (event->reason() != Qt::PopupFocusReason)
        m_justEntered = false;
}

void PickList::keyPressEvent(QKeyEvent *event)
{
    const bool altDown = event->key() == Qt::Key_Down && (event->modifiers() & Qt::AltModifier);
    if (altDown || (event->key() == Qt::Key_F4 && event->modifiers() == Qt::NoModifier)) {
        showList();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool PickList::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_entries && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            choose(m_entries->currentRow());
            return true;
        case Qt::Key_Escape:
        case Qt::Key_F4:
            hideList();
            return true;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

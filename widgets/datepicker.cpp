#include "datepicker.h"

#include <QCalendarWidget>
#include <QKeyEvent>
#include <QScreen>
#include <QToolButton>

DatePicker::DatePicker(QWidget *parent)
    : QWidget(parent), m_date(QDate::currentDate()), m_button(new QToolButton(this)),
      m_calendar(new QCalendarWidget(this))
{
    setFocusPolicy(Qt::StrongFocus);
    m_button->setObjectName(QStringLiteral("button"));
    m_button->setArrowType(Qt::DownArrow);
    m_button->setFocusPolicy(Qt::NoFocus);
    m_button->setGeometry(rect());
    connect(m_button, &QToolButton::clicked, this, &DatePicker::showCalendar);

    m_calendar->setObjectName(QStringLiteral("calendar"));
    m_calendar->setWindowFlags(Qt::Popup);
    m_calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    m_calendar->setGridVisible(true);
    m_calendar->hide();
    connect(m_calendar, &QCalendarWidget::clicked, this, &DatePicker::picked);
    connect(m_calendar, &QCalendarWidget::activated, this, &DatePicker::picked);
}

QSize DatePicker::sizeHint() const
{
    return {19, 21};
}

void DatePicker::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_button->setGeometry(rect());
}

void DatePicker::setDate(const QDate &date)
{
    if (date.isValid())
        m_date = date;
}

void DatePicker::chooseDate(const QDate &date)
{
    if (!date.isValid())
        return;
    m_date = date;
    Q_EMIT userChanged(m_date);
}

void DatePicker::picked(const QDate &date)
{
    // A double-click reports the date twice; the first report has closed the calendar.
    if (!m_calendar->isVisible())
        return;
    hideCalendar();
    chooseDate(date);
}

void DatePicker::showCalendar()
{
    m_calendar->setSelectedDate(m_date);
    m_calendar->setCurrentPage(m_date.year(), m_date.month());
    const QSize size = m_calendar->sizeHint();
    QRect geometry(mapToGlobal(QPoint(0, height())), size);
    if (const QScreen *s = screen()) {
        const QRect available = s->availableGeometry();
        if (geometry.right() > available.right())
            geometry.moveRight(available.right());
        if (geometry.left() < available.left())
            geometry.moveLeft(available.left());
        if (geometry.bottom() > available.bottom())
            geometry.moveBottom(mapToGlobal(QPoint(0, 0)).y() - 1);
    }
    m_calendar->setGeometry(geometry);
    m_calendar->show();
    m_calendar->setFocus(Qt::PopupFocusReason);
}

void DatePicker::hideCalendar()
{
    m_calendar->hide();
}

bool DatePicker::isCalendarOpen() const
{
    return m_calendar->isVisible();
}

void DatePicker::keyPressEvent(QKeyEvent *event)
{
    const bool altDown = event->key() == Qt::Key_Down && (event->modifiers() & Qt::AltModifier);
    if (altDown || (event->key() == Qt::Key_F4 && event->modifiers() == Qt::NoModifier)) {
        showCalendar();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

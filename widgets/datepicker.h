#pragma once

#include <QDate>
#include <QWidget>

class QCalendarWidget;
class QToolButton;

// A date picker of which only the drop-down button shows (child "button"). The button, or
// Alt+Down / F4, opens a calendar popup (child "calendar"); a date clicked there, or taken
// with Enter, becomes the picker's date.
//
// userChanged() reports only the user's choices, one signal per choice, also when the same
// date is chosen again. setDate() from the program emits nothing.
class DatePicker : public QWidget
{
    Q_OBJECT

public:
    explicit DatePicker(QWidget *parent = nullptr);

    QDate date() const { return m_date; }
    // Sets the date silently.
    void setDate(const QDate &date);
    // Takes a date as the user does in the calendar: sets it and emits userChanged().
    void chooseDate(const QDate &date);

    void showCalendar();
    void hideCalendar();
    bool isCalendarOpen() const;
    QCalendarWidget *calendar() const { return m_calendar; }

    QSize sizeHint() const override;

Q_SIGNALS:
    void userChanged(const QDate &date);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void picked(const QDate &date);

    QDate m_date;
    QToolButton *m_button;
    QCalendarWidget *m_calendar;
};

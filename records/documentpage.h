#pragma once

#include <QWidget>

class QLabel;
class Queries;

// What both document pages share: the content panel with the form panel (the picture of the
// paper form at natural size, the fields over it), the bar below it and the grid filling the
// rest. The page classes add their fields and handlers.
class DocumentPage : public QWidget
{
    Q_OBJECT

public:
    struct Names
    {
        const char16_t *content; // content panel, e.g. "JZ1"
        const char16_t *form;    // form panel, e.g. "jzpan"
        const char16_t *picture; // picture label, e.g. "jzjpg"
        const char16_t *bar;     // bar panel, e.g. "jepan"
        const char16_t *picturePath;
        int formHeight;
    };

    DocumentPage(const Names &names, Queries *queries, QWidget *parent);

    QWidget *formPanel() const { return m_form; }
    QWidget *bar() const { return m_bar; }
    // The grid's place: the page puts its grid here.
    QWidget *gridArea() const { return m_gridArea; }
    Queries *queries() const { return m_queries; }

    // The font of the field controls: "宋体" at 13 pixels.
    static QFont fieldFont();

protected:
    Queries *m_queries;
    QWidget *m_form;
    QLabel *m_picture;
    QWidget *m_bar;
    QWidget *m_gridArea;
};

#pragma once

#include <QHash>
#include <QWidget>

#include <functional>
#include <span>

#include "fieldspec.h"

class QLabel;
class QLineEdit;
class Queries;
class RecordSet;

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
    // A field edit shows the form through it: no frame and no background of its own, so the
    // typed text sits in the box of the paper form like the printed text will.
    static void seeThrough(QLineEdit *edit);

    // A field control, or a control of the bar, by name; nullptr when there is none.
    QWidget *control(QStringView name) const;
    // A field control by name (nullptr when the table has none of that name).
    QWidget *field(QStringView name) const { return m_fields.value(name.toString()); }

protected:
    // Builds the controls of the field table on the form panel: kind, name, font, place, hint,
    // read-only flag, visibility, binding to list (pick lists to pickList), then the tab order.
    // The page connects its handlers afterwards.
    void buildFields(std::span<const FieldSpec> fields, RecordSet *list, const std::function<RecordSet *(QStringView)> &pickList);

    Queries *m_queries;
    QWidget *m_form;
    QLabel *m_picture;
    QWidget *m_bar;
    QWidget *m_gridArea;
    QHash<QString, QWidget *> m_fields;
};

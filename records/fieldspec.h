#pragma once

#include <QStringView>

// One control of a document page's form panel, as designed: what it is, which column of the
// page's record it shows, and where it sits over the picture of the paper form. Each page keeps
// its controls as one constexpr table of these; the page builds its controls from it, and the
// layout file, the print job and the layout editing read the same table.

// What kind of control a field is.
enum class FieldKind {
    Edit,           // line edit bound to a text column
    SunkenEdit,     // as Edit, with a sunken border
    NumberEdit,     // line edit bound to a number column (the number as plain text)
    PlainEdit,      // line edit bound to no column (free text, kept across records)
    DigitCells,     // digit-cell amount edit bound to a number column (cells, currency mark)
    DatePicker,     // date picker, only its drop-down button visible
    PickList,       // drop-down pick list, only its button visible
    CurrencyCombo,  // currency selector bound to the currency column
};

// Which part of the form a field belongs to. Body and stub fields are the printed ones; the
// other controls (pickers, pick lists, selectors) are only for entry, unless a page says so.
enum class FieldArea {
    Body,
    Stub,
    Other,
};

struct FieldSpec
{
    QStringView name{}; // objectName of the control and section name in the layout file
    FieldKind kind = FieldKind::Edit;
    QStringView column{}; // bound column; empty for an unbound control
    QStringView hint{};   // tooltip; empty for none
    bool readOnly = false;
    int tabOrder = 0;
    int left = 0;       // position in pixels within the form panel
    int top = 0;
    int width = 0;
    int height = 0;
    FieldArea area = FieldArea::Body;
    bool hidden = false;
    int cells = 0;      // DigitCells: number of digit cells
    int cellWidth = 0;  // DigitCells: width of one cell in pixels
    int listWidth = 0;  // PickList: width of the drop-down list in pixels

    constexpr bool isBound() const { return !column.isEmpty(); }
};

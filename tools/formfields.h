#pragma once

#include <QRect>
#include <QString>

#include <span>

// Where the program lays its fields over the two form pictures (pixels of the picture: left, top,
// width, height). The pictures are drawn around these rectangles: every field gets a box or
// blank of its own, with its caption outside the rectangle.

enum class FieldKind
{
    Text,   // an edit: text is typed and printed at its top-left corner
    Amount, // digit cells: one digit per cell, right-aligned on the field's right edge
    Button, // a drop-down button that lies over the picture; it prints nothing
};

struct FormField
{
    const char *name;
    int left, top, width, height;
    FieldKind kind = FieldKind::Text;
    int cellWidth = 0; // amount fields: the width of one digit cell

    QRect rect() const { return QRect(left, top, width, height); }
    int rightEdge() const { return left + width; }
    int bottomEdge() const { return top + height; }
};

struct FormSpec
{
    const char *file;
    int width, height;
    std::span<const FormField> fields;
};

// Deposit slip 进账单, 788 × 323.
inline constexpr FormField kDepositSlipFields[] = {
    // body
    {"jzyxmc", 343, 22, 78, 21},
    {"yedit", 435, 45, 36, 19},
    {"medit", 497, 45, 21, 19},
    {"dedit", 534, 45, 20, 19},
    {"cpqc", 339, 65, 174, 19},
    {"cpzh", 339, 84, 175, 19},
    {"cpyx", 339, 103, 175, 19},
    {"skqc", 596, 66, 172, 19},
    {"skzh", 596, 86, 172, 19},
    {"skyx", 596, 103, 172, 19},
    {"jzxx", 629, 145, 142, 15, FieldKind::Amount, 12},
    {"pjzl", 321, 162, 79, 19},
    {"pjzs", 455, 162, 58, 19},
    {"pjhm", 321, 182, 192, 19},
    {"jzyt", 321, 209, 192, 19},
    {"jzfh", 580, 249, 50, 19},
    {"jzjz", 666, 249, 48, 19},
    {"dxedit", 339, 132, 282, 19},
    {"xje", 327, 237, 98, 21},
    {"jzbb", 616, 174, 65, 21},
    {"jzsdate", 607, 42, 19, 21, FieldKind::Button},
    {"scpqc", 510, 62, 23, 21, FieldKind::Button},
    {"sskqc", 764, 65, 24, 21, FieldKind::Button},
    // stub
    {"cyedit", 53, 38, 30, 19},
    {"cmedit", 96, 39, 26, 19},
    {"cdedit", 136, 39, 18, 19},
    {"ccpqc", 85, 58, 125, 19},
    {"ccpzh", 85, 77, 125, 19},
    {"ccpyx", 85, 94, 125, 19},
    {"cjzxx", 79, 133, 131, 16, FieldKind::Amount, 11},
    {"cskqc", 86, 154, 122, 19},
    {"cskzh", 86, 173, 122, 19},
    {"cskyx", 86, 192, 122, 19},
    {"cpjzl", 64, 215, 43, 19},
    {"cpjzs", 171, 215, 34, 19},
    {"cpjhm", 67, 236, 119, 19},
    {"cfh", 44, 295, 37, 19},
    {"cjz", 125, 295, 37, 19},
};

// Cheque 支票, 800 × 269. The hidden selector `sbb` prints nothing and has no box of its own.
inline constexpr FormField kChequeFields[] = {
    // body
    {"yxmc", 271, 21, 183, 20},
    {"yyd", 336, 47, 51, 18},
    {"mmd", 400, 47, 49, 18},
    {"ddd", 456, 47, 48, 18},
    {"skredit", 298, 64, 182, 18},
    {"fkh", 616, 47, 131, 18},
    {"cprzh", 616, 63, 131, 18},
    {"zpje", 600, 99, 153, 18, FieldKind::Amount, 13},
    {"ytedit", 280, 124, 76, 18},
    {"mm", 505, 138, 177, 18},
    {"jedxedit", 312, 89, 281, 25},
    {"xxedit", 427, 184, 98, 20},
    {"JELAB", 330, 184, 98, 20},
    {"zpdate", 516, 46, 22, 21, FieldKind::Button},
    {"szpskr", 475, 63, 23, 20, FieldKind::Button},
    // stub
    {"cgyx", 5, 13, 118, 18},
    {"fjxx1", 35, 85, 128, 18},
    {"fjxx2", 35, 101, 128, 18},
    {"fjxx3", 35, 116, 128, 18},
    {"yyx", 75, 143, 30, 18},
    {"mmx", 111, 143, 17, 18},
    {"ddx", 136, 143, 16, 18},
    {"cskr", 70, 175, 94, 17},
    {"cje", 70, 192, 94, 18},
    {"cyt", 70, 207, 94, 18},
    {"zg", 75, 242, 26, 18},
    {"hj", 136, 242, 30, 18},
};

inline constexpr FormSpec kDepositSlip{"jzd.jpg", 788, 323, kDepositSlipFields};
inline constexpr FormSpec kCheque{"zp.jpg", 800, 269, kChequeFields};

// The field of that name; the tables above are fixed, so an unknown name is a programming error.
inline const FormField &formField(const FormSpec &form, const char *name)
{
    for (const FormField &f : form.fields)
        if (QLatin1StringView(f.name) == QLatin1StringView(name))
            return f;
    qFatal("drawforms: no field %s in %s", name, form.file);
}

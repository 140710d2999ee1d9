#pragma once

#include <QStringView>

#include <span>

#include "fieldspec.h"

// The controls of the cheque page's form panel `Panel4`, over the picture of the cheque: the
// body (right part), the stub (left part, 存根) and the entry-only controls. Positions are the
// designed ones in pixels within the panel; the layout file moves them later.
//
// The paying bank (`fkh`) and the drawer's account (`cprzh`) are editable, so the first cheque
// of a company can carry them; the payee pick list fills them from earlier cheques afterwards.
// The payee, the purpose and the capital amount are read-only on the body: the payee and the
// purpose are typed on the stub, the capital amount comes from the amount.
inline constexpr FieldSpec kChequeFields[] = {
    // Body of the cheque.
    {.name = u"yxmc", .column = u"银行名称", .tabOrder = 0,
     .left = 271, .top = 21, .width = 183, .height = 20},
    {.name = u"yyd", .column = u"日期年大", .tabOrder = 1,
     .left = 336, .top = 47, .width = 51, .height = 18},
    {.name = u"mmd", .column = u"日期月大", .tabOrder = 2,
     .left = 400, .top = 47, .width = 49, .height = 18},
    {.name = u"ddd", .column = u"日期日大", .tabOrder = 3,
     .left = 456, .top = 47, .width = 48, .height = 18},
    {.name = u"skredit", .column = u"收款人", .readOnly = true, .tabOrder = 4,
     .left = 298, .top = 64, .width = 182, .height = 18},
    {.name = u"fkh", .column = u"付款行名称", .tabOrder = 5,
     .left = 616, .top = 47, .width = 131, .height = 18},
    {.name = u"cprzh", .column = u"出票人帐号", .tabOrder = 6,
     .left = 616, .top = 63, .width = 131, .height = 18},
    {.name = u"zpje", .kind = FieldKind::DigitCells, .column = u"金额小写", .tabOrder = 7,
     .left = 600, .top = 99, .width = 153, .height = 18, .cells = 11, .cellWidth = 13},
    {.name = u"ytedit", .column = u"用途", .readOnly = true, .tabOrder = 8,
     .left = 280, .top = 124, .width = 76, .height = 18},
    {.name = u"mm", .kind = FieldKind::PlainEdit, .tabOrder = 9,
     .left = 505, .top = 138, .width = 177, .height = 18},
    {.name = u"jedxedit", .column = u"金额大写", .readOnly = true, .tabOrder = 23,
     .left = 312, .top = 89, .width = 281, .height = 25},

    // Stub of the cheque.
    {.name = u"cgyx", .column = u"存根银行", .tabOrder = 10,
     .left = 5, .top = 13, .width = 118, .height = 18, .area = FieldArea::Stub},
    {.name = u"fjxx1", .column = u"附加信息1", .tabOrder = 11,
     .left = 35, .top = 85, .width = 128, .height = 18, .area = FieldArea::Stub},
    {.name = u"fjxx2", .column = u"附加信息2", .tabOrder = 12,
     .left = 35, .top = 101, .width = 128, .height = 18, .area = FieldArea::Stub},
    {.name = u"fjxx3", .column = u"附加信息3", .tabOrder = 13,
     .left = 35, .top = 116, .width = 128, .height = 18, .area = FieldArea::Stub},
    {.name = u"yyx", .column = u"日期年小", .tabOrder = 14,
     .left = 75, .top = 143, .width = 30, .height = 18, .area = FieldArea::Stub},
    {.name = u"mmx", .column = u"日期月小", .tabOrder = 15,
     .left = 111, .top = 143, .width = 17, .height = 18, .area = FieldArea::Stub},
    {.name = u"ddx", .column = u"日期日小", .tabOrder = 16,
     .left = 136, .top = 143, .width = 16, .height = 18, .area = FieldArea::Stub},
    {.name = u"cskr", .column = u"收款人", .tabOrder = 17,
     .left = 70, .top = 175, .width = 94, .height = 17, .area = FieldArea::Stub},
    {.name = u"cje", .kind = FieldKind::NumberEdit, .column = u"金额小写", .tabOrder = 18,
     .left = 70, .top = 192, .width = 94, .height = 18, .area = FieldArea::Stub},
    {.name = u"cyt", .column = u"用途", .tabOrder = 19,
     .left = 70, .top = 207, .width = 94, .height = 18, .area = FieldArea::Stub},
    {.name = u"zg", .column = u"单位主管", .tabOrder = 20,
     .left = 75, .top = 242, .width = 26, .height = 18, .area = FieldArea::Stub},
    {.name = u"hj", .column = u"会计", .tabOrder = 21,
     .left = 136, .top = 242, .width = 30, .height = 18, .area = FieldArea::Stub},

    // Entry controls. xxedit and JELAB are filled by no command but are laid out and printed
    // with whatever they hold.
    {.name = u"sbb", .kind = FieldKind::CurrencyCombo, .column = u"币别", .tabOrder = 22,
     .left = 432, .top = 137, .width = 60, .height = 20, .area = FieldArea::Other, .hidden = true},
    {.name = u"zpdate", .kind = FieldKind::DatePicker, .tabOrder = 24,
     .left = 516, .top = 46, .width = 22, .height = 21, .area = FieldArea::Other},
    {.name = u"xxedit", .kind = FieldKind::PlainEdit, .tabOrder = 25,
     .left = 427, .top = 184, .width = 98, .height = 20, .area = FieldArea::Other, .hidden = true},
    {.name = u"JELAB", .kind = FieldKind::PlainEdit, .tabOrder = 26,
     .left = 330, .top = 184, .width = 98, .height = 20, .area = FieldArea::Other, .hidden = true},
    {.name = u"szpskr", .kind = FieldKind::PickList, .tabOrder = 27,
     .left = 475, .top = 63, .width = 23, .height = 20, .area = FieldArea::Other,
     .listWidth = 245},
};

// The cheque page's field table, in the order above.
std::span<const FieldSpec> chequeFields();

// The entry of the control with that name; nullptr when the cheque has none.
const FieldSpec *chequeField(QStringView name);

// One column of the cheque grid `DBGridEh1`: the record column shown (also its title) and its
// width in pixels.
struct ChequeGridColumn
{
    QStringView name;
    int width = 81;
};

inline constexpr ChequeGridColumn kChequeGridColumns[] = {
    {u"银行名称", 81},   {u"日期年大", 57},   {u"日期月大", 33},   {u"日期日大", 32},
    {u"付款行名称", 81}, {u"出票人帐号", 82}, {u"金额大写", 81},   {u"金额小写", 81},
    {u"存根银行", 81},   {u"附加信息1", 82},  {u"附加信息2", 81},  {u"附加信息3", 81},
    {u"日期年小", 57},   {u"日期月小", 33},   {u"日期日小", 32},   {u"收款人", 98},
    {u"用途", 81},       {u"单位主管", 81},   {u"会计", 81},       {u"币别", 82},
};

std::span<const ChequeGridColumn> chequeGridColumns();

// The footer of the grid: "合计：" under the capital amount, the sum of the amount under it.
inline constexpr QStringView kChequeFooterLabelColumn = u"金额大写";
inline constexpr QStringView kChequeFooterSumColumn = u"金额小写";

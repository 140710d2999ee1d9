#pragma once

#include <QStringView>

#include <array>
#include <span>

#include "fieldspec.h"

// The controls of the deposit-slip form panel `jzpan`, as designed: the body of the form, its
// stub (the copies marked 存根) and the other controls (date picker, pick lists, currency
// selector). Positions are pixels over the form picture. The page builds its controls from this
// table; the layout file, the print job and the layout editing read it too.
inline constexpr std::array kSlipFields = {
    // Body of the form.
    FieldSpec{.name = u"jzyxmc", .kind = FieldKind::SunkenEdit, .column = u"银行名称", .hint = u"银行名称",
              .tabOrder = 0, .left = 343, .top = 22, .width = 78, .height = 21},
    FieldSpec{.name = u"yedit", .column = u"年", .hint = u"年",
              .tabOrder = 1, .left = 435, .top = 45, .width = 36, .height = 19},
    FieldSpec{.name = u"medit", .column = u"月", .hint = u"月",
              .tabOrder = 2, .left = 497, .top = 45, .width = 21, .height = 19},
    FieldSpec{.name = u"dedit", .column = u"日", .hint = u"日",
              .tabOrder = 3, .left = 534, .top = 45, .width = 20, .height = 19},
    FieldSpec{.name = u"cpqc", .column = u"出票全称", .hint = u"出票全称",
              .tabOrder = 4, .left = 339, .top = 65, .width = 174, .height = 19},
    FieldSpec{.name = u"cpzh", .column = u"出票帐号", .hint = u"出票帐号", .readOnly = true,
              .tabOrder = 5, .left = 339, .top = 84, .width = 175, .height = 19},
    FieldSpec{.name = u"cpyx", .column = u"出票银行", .hint = u"出票开户行", .readOnly = true,
              .tabOrder = 6, .left = 339, .top = 103, .width = 175, .height = 19},
    FieldSpec{.name = u"skqc", .column = u"收款全称", .hint = u"收款全称", .readOnly = true,
              .tabOrder = 7, .left = 596, .top = 66, .width = 172, .height = 19},
    FieldSpec{.name = u"skzh", .column = u"收款帐号", .hint = u"收款帐号", .readOnly = true,
              .tabOrder = 8, .left = 596, .top = 86, .width = 172, .height = 19},
    FieldSpec{.name = u"skyx", .column = u"收款银行", .hint = u"收款开户行", .readOnly = true,
              .tabOrder = 9, .left = 596, .top = 103, .width = 172, .height = 19},
    FieldSpec{.name = u"jzxx", .kind = FieldKind::DigitCells, .column = u"人民币小写", .hint = u"小写金额",
              .tabOrder = 10, .left = 629, .top = 145, .width = 142, .height = 15,
              .cells = 11, .cellWidth = 12},
    FieldSpec{.name = u"pjzl", .column = u"票据种类", .hint = u"票据种类",
              .tabOrder = 11, .left = 321, .top = 162, .width = 79, .height = 19},
    FieldSpec{.name = u"pjzs", .column = u"票据张数", .hint = u"票据张数",
              .tabOrder = 12, .left = 455, .top = 162, .width = 58, .height = 19},
    FieldSpec{.name = u"pjhm", .column = u"票据号码", .hint = u"票据号码",
              .tabOrder = 13, .left = 321, .top = 182, .width = 192, .height = 19},
    FieldSpec{.name = u"jzyt", .column = u"用途", .hint = u"备注",
              .tabOrder = 14, .left = 321, .top = 209, .width = 192, .height = 19},
    FieldSpec{.name = u"jzfh", .column = u"复核", .hint = u"复核",
              .tabOrder = 15, .left = 580, .top = 249, .width = 50, .height = 19},
    FieldSpec{.name = u"jzjz", .column = u"记账", .hint = u"记账",
              .tabOrder = 16, .left = 666, .top = 249, .width = 48, .height = 19},
    FieldSpec{.name = u"dxedit", .column = u"人民币大写", .hint = u"大写金额",
              .tabOrder = 17, .left = 339, .top = 132, .width = 282, .height = 19},
    // Free text of the remarks area: belongs to no record, printed with the current one.
    FieldSpec{.name = u"xje", .kind = FieldKind::PlainEdit,
              .tabOrder = 37, .left = 327, .top = 237, .width = 98, .height = 21},

    // Stub of the form: the same columns as the body, none read-only.
    FieldSpec{.name = u"cyedit", .column = u"年", .hint = u"存根 年",
              .tabOrder = 18, .left = 53, .top = 38, .width = 30, .height = 19, .area = FieldArea::Stub},
    FieldSpec{.name = u"cmedit", .column = u"月", .hint = u"存根 月",
              .tabOrder = 19, .left = 96, .top = 39, .width = 26, .height = 19, .area = FieldArea::Stub},
    FieldSpec{.name = u"cdedit", .column = u"日", .hint = u"存根 日",
              .tabOrder = 20, .left = 136, .top = 39, .width = 18, .height = 19, .area = FieldArea::Stub},
    FieldSpec{.name = u"ccpqc", .column = u"出票全称", .hint = u"存根 出票全称",
              .tabOrder = 21, .left = 85, .top = 58, .width = 125, .height = 19, .area = FieldArea::Stub},
    FieldSpec{.name = u"ccpzh", .column = u"出票帐号", .hint = u"存根 出票帐号",
              .tabOrder = 22, .left = 85, .top = 77, .width = 125, .height = 19, .area = FieldArea::Stub},
    FieldSpec{.name = u"ccpyx", .column = u"出票银行", .hint = u"存根 出票银行",
              .tabOrder = 23, .left = 85, .top = 94, .width = 125, .height = 19, .area = FieldArea::Stub},
    FieldSpec{.name = u"cjzxx", .kind = FieldKind::DigitCells, .column = u"人民币小写", .hint = u"存根 金额",
              .tabOrder = 24, .left = 79, .top = 133, .width = 131, .height = 16, .area = FieldArea::Stub,
              .cells = 11, .cellWidth = 11},
    FieldSpec{.name = u"cskqc", .column = u"收款全称", .hint = u"存根 收款全称",
              .tabOrder = 25, .left = 86, .top = 154, .width = 122, .height = 19, .area = FieldArea::Stub},
    FieldSpec{.name = u"cskzh", .column = u"收款帐号", .hint = u"存根 收款帐号",
              .tabOrder = 26, .left = 86, .top = 173, .width = 122, .height = 19, .area = FieldArea::Stub},
    FieldSpec{.name = u"cskyx", .column = u"收款银行", .hint = u"存根 开户银行",
              .tabOrder = 27, .left = 86, .top = 192, .width = 122, .height = 19, .area = FieldArea::Stub},
    FieldSpec{.name = u"cpjzl", .column = u"票据种类", .hint = u"存根 票据种类",
              .tabOrder = 28, .left = 64, .top = 215, .width = 43, .height = 19, .area = FieldArea::Stub},
    FieldSpec{.name = u"cpjzs", .column = u"票据张数", .hint = u"存根 票据张数",
              .tabOrder = 29, .left = 171, .top = 215, .width = 34, .height = 19, .area = FieldArea::Stub},
    FieldSpec{.name = u"cpjhm", .column = u"票据号码", .hint = u"存根票据号码",
              .tabOrder = 30, .left = 67, .top = 236, .width = 119, .height = 19, .area = FieldArea::Stub},
    FieldSpec{.name = u"cfh", .column = u"复核", .hint = u"存根复核",
              .tabOrder = 35, .left = 44, .top = 295, .width = 37, .height = 19, .area = FieldArea::Stub},
    FieldSpec{.name = u"cjz", .column = u"记账", .hint = u"存根 记账",
              .tabOrder = 36, .left = 125, .top = 295, .width = 37, .height = 19, .area = FieldArea::Stub},

    // Other controls of the form panel: entry helpers, never printed.
    FieldSpec{.name = u"jzsdate", .kind = FieldKind::DatePicker,
              .tabOrder = 31, .left = 607, .top = 42, .width = 19, .height = 21, .area = FieldArea::Other},
    FieldSpec{.name = u"scpqc", .kind = FieldKind::PickList,
              .tabOrder = 32, .left = 510, .top = 62, .width = 23, .height = 21, .area = FieldArea::Other,
              .listWidth = 198},
    FieldSpec{.name = u"sskqc", .kind = FieldKind::PickList,
              .tabOrder = 33, .left = 764, .top = 65, .width = 24, .height = 21, .area = FieldArea::Other,
              .listWidth = 195},
    FieldSpec{.name = u"jzbb", .kind = FieldKind::CurrencyCombo, .column = u"币别",
              .tabOrder = 34, .left = 616, .top = 174, .width = 65, .height = 21, .area = FieldArea::Other,
              .hidden = true},
};

// The whole table, in the order above (body, stub, other).
std::span<const FieldSpec> slipFields();
// The entry of the control with that name; nullptr when the slip has none.
const FieldSpec *slipField(QStringView name);

// One column of the slip grid `jgrid`: the record column shown (also its title), its width in
// pixels and whether its values are centred.
struct SlipGridColumn
{
    QStringView name;
    int width = 81;
    bool centred = false;
};

inline constexpr std::array kSlipGridColumns = {
    SlipGridColumn{u"银行名称", 81},  SlipGridColumn{u"年", 33},
    SlipGridColumn{u"月", 32},        SlipGridColumn{u"日", 33},
    SlipGridColumn{u"出票全称", 81},  SlipGridColumn{u"出票帐号", 81},
    SlipGridColumn{u"出票银行", 82},  SlipGridColumn{u"收款全称", 81},
    SlipGridColumn{u"收款帐号", 81},  SlipGridColumn{u"收款银行", 81},
    SlipGridColumn{u"人民币大写", 82}, SlipGridColumn{u"人民币小写", 81, true},
    SlipGridColumn{u"票据种类", 81},  SlipGridColumn{u"票据张数", 81},
    SlipGridColumn{u"票据号码", 82},  SlipGridColumn{u"用途", 81},
    SlipGridColumn{u"复核", 81},      SlipGridColumn{u"记账", 81},
};

std::span<const SlipGridColumn> slipGridColumns();

// The footer of the grid: "合计：" under the capital amount, the sum of the amount under it.
inline constexpr QStringView kSlipFooterLabelColumn = u"人民币大写";
inline constexpr QStringView kSlipFooterSumColumn = u"人民币小写";

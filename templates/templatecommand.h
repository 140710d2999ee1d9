#pragma once

#include <array>

// One command of the template menus: the menu item's name and caption, the cheque print kind
// it records (cheque commands only), the template file in the program folder, whether the
// fill writes the stub objects, and whether it opens the designer instead of the preview.
// The separator items carry only a name and a caption, no file.
struct TemplateCommand
{
    const char16_t *item;
    const char16_t *caption;
    const char16_t *printKind; // nullptr for the deposit-slip commands and the separators
    const char16_t *file;      // nullptr for the separators
    bool withStub;
    bool designer;

    constexpr bool isSeparator() const { return file == nullptr; }
};

// The caption of the separator items: a line of 34 "-".
inline constexpr char16_t kTemplateMenuSeparator[] = u"----------------------------------";
static_assert(std::size(kTemplateMenuSeparator) == 35);

// PopupMenu7, the cheque template menu, in menu order.
inline constexpr std::array<TemplateCommand, 9> kChequeTemplateCommands{{
    {u"MenuItem4", u"支票打印(横打)", u"横打", u"gsxjhd.fr3", true, false},
    {u"MenuItem5", u"支票打印(纵打)", u"纵打", u"gsxjzd.fr3", true, false},
    {u"MenuItem6", u"无存根支票打印(横打)", u"无存根横打", u"wcgzphd.fr3", false, false},
    {u"MenuItem7", u"无存根支票打印(纵打)", u"无存根纵打", u"wcgzpzd.fr3", false, false},
    {u"MenuItem8", kTemplateMenuSeparator, nullptr, nullptr, false, false},
    {u"MenuItem9", u"支票打印(横打) 设置", u"横打", u"gsxjhd.fr3", true, true},
    {u"MenuItem10", u"支票打印(纵打) 设置", u"纵打", u"gsxjzd.fr3", true, true},
    {u"MenuItem11", u"无存根支票打印(横打) 设置", u"无存根横打", u"wcgzphd.fr3", false, true},
    {u"MenuItem12", u"无存根支票打印(纵打) 设置", u"无存根纵打", u"wcgzpzd.fr3", false, true},
}};

// PopupMenu8, the deposit-slip template menu, in menu order.
inline constexpr std::array<TemplateCommand, 17> kSlipTemplateCommands{{
    {u"MenuItem13", u"进账单 1 打印(横打)", nullptr, u"jzd1hd.fr3", true, false},
    {u"MenuItem14", u"进账单 1 打印(纵打)", nullptr, u"jzd1zd.fr3", true, false},
    {u"N110", u"进账单 1 打印 不打印票根(横打)", nullptr, u"jzd1wpghd.fr3", false, false},
    {u"N111", u"进账单 1 打印 不打印票根(纵打)", nullptr, u"jzd1wpgzd.fr3", false, false},
    {u"MenuItem15", u"进账单 2 打印(横打)", nullptr, u"jzd2hd.fr3", false, false},
    {u"MenuItem16", u"进账单 2 打印(纵打)", nullptr, u"jzd2zd.fr3", false, false},
    {u"N32", u"进账单 3 打印(横打)", nullptr, u"jzd3hd.fr3", true, false},
    {u"N33", u"进账单 3 打印(纵打)", nullptr, u"jzd3zd.fr3", true, false},
    {u"MenuItem17", kTemplateMenuSeparator, nullptr, nullptr, false, false},
    {u"MenuItem18", u"进账单 1 打印(横打) 设置", nullptr, u"jzd1hd.fr3", true, true},
    {u"MenuItem19", u"进账单 1 打印(纵打) 设置", nullptr, u"jzd1zd.fr3", true, true},
    {u"N112", u"进账单 1 打印 不打印票根(横打) 设置", nullptr, u"jzd1wpghd.fr3", false, true},
    {u"N113", u"进账单 1 打印 不打印票根(纵打) 设置", nullptr, u"jzd1wpgzd.fr3", false, true},
    {u"MenuItem20", u"进账单 2 打印(横打) 设置", nullptr, u"jzd2hd.fr3", false, true},
    {u"MenuItem21", u"进账单 2 打印(纵打) 设置", nullptr, u"jzd2zd.fr3", false, true},
    {u"N34", u"进账单 3 打印(横打) 设置", nullptr, u"jzd3hd.fr3", true, true},
    {u"N35", u"进账单 3 打印(纵打) 设置", nullptr, u"jzd3zd.fr3", true, true},
}};

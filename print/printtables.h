#pragma once

#include <QString>

#include <span>

// The tables of the two documents that the layout files and the print job loop over.
namespace printtables {

inline const QString kSlipDocument = QStringLiteral("进账单");

// Every name other than exactly "进账单" is the cheque.
inline bool isSlip(const QString &documentName)
{
    return documentName == kSlipDocument;
}

// Sections of the layout files, in the order of loading and writing.
inline constexpr const char16_t *kSlipSections[] = {
    u"jzyxmc", u"yedit",  u"medit",  u"dedit",  u"jzsdate", u"cpqc",   u"cpzh",  u"cpyx",  u"skqc",
    u"skzh",   u"skyx",   u"dxedit", u"jzxx",   u"pjzl",    u"pjzs",   u"pjhm",  u"jzbb",  u"jzyt",
    u"xje",    u"jzfh",   u"jzjz",   u"cyedit", u"cmedit",  u"cdedit", u"ccpqc", u"ccpzh", u"ccpyx",
    u"cjzxx",  u"cskqc",  u"cskzh",  u"cskyx",  u"cpjzl",   u"cpjzs",  u"cpjhm", u"cfh",   u"cjz",
};
inline constexpr const char16_t *kChequeSections[] = {
    u"yxmc",  u"yyd",   u"mmd",   u"ddd",  u"zpdate", u"fkh", u"cprzh", u"skredit", u"jedxedit",
    u"zpje",  u"ytedit", u"mm",   u"JELAB", u"xxedit", u"cgyx", u"fjxx1", u"fjxx2",  u"fjxx3",
    u"yyx",   u"mmx",   u"ddx",   u"cskr", u"cje",    u"cyt", u"zg",    u"hj",
};
static_assert(std::size(kSlipSections) == 36);
static_assert(std::size(kChequeSections) == 26);

inline std::span<const char16_t *const> layoutSections(const QString &documentName)
{
    if (isSlip(documentName))
        return kSlipSections;
    return kChequeSections;
}

enum class ItemKind { Text, Amount };
enum class Area { Body, Stub };

struct PrintItem
{
    const char16_t *control;
    ItemKind kind;
    Area area;
};

using enum ItemKind;
using enum Area;

// Printed items in printing order: the body, then the stub unless it is switched off.
inline constexpr PrintItem kSlipItems[] = {
    {u"jzyxmc", Text, Body}, {u"yedit", Text, Body},  {u"medit", Text, Body},
    {u"dedit", Text, Body},  {u"cpqc", Text, Body},   {u"cpzh", Text, Body},
    {u"cpyx", Text, Body},   {u"skqc", Text, Body},   {u"skzh", Text, Body},
    {u"skyx", Text, Body},   {u"dxedit", Text, Body}, {u"jzxx", Amount, Body},
    {u"pjzl", Text, Body},   {u"pjzs", Text, Body},   {u"pjhm", Text, Body},
    {u"jzbb", Text, Body},   {u"jzyt", Text, Body},   {u"xje", Text, Body},
    {u"jzfh", Text, Body},   {u"jzjz", Text, Body},   {u"cyedit", Text, Stub},
    {u"cmedit", Text, Stub}, {u"cdedit", Text, Stub}, {u"ccpqc", Text, Stub},
    {u"ccpzh", Text, Stub},  {u"ccpyx", Text, Stub},  {u"cjzxx", Amount, Stub},
    {u"cskqc", Text, Stub},  {u"cskzh", Text, Stub},  {u"cskyx", Text, Stub},
    {u"cpjzl", Text, Stub},  {u"cpjzs", Text, Stub},  {u"cpjhm", Text, Stub},
    {u"cfh", Text, Stub},    {u"cjz", Text, Stub},
};
// The cheque body prints its payee field too, right after the drawer's account.
inline constexpr PrintItem kChequeItems[] = {
    {u"yxmc", Text, Body},    {u"yyd", Text, Body},      {u"mmd", Text, Body},
    {u"ddd", Text, Body},     {u"fkh", Text, Body},      {u"cprzh", Text, Body},
    {u"skredit", Text, Body}, {u"jedxedit", Text, Body}, {u"ytedit", Text, Body},
    {u"mm", Text, Body},      {u"JELAB", Text, Body},    {u"zpje", Amount, Body},
    {u"xxedit", Text, Body},  {u"cgyx", Text, Stub},     {u"fjxx1", Text, Stub},
    {u"fjxx2", Text, Stub},   {u"fjxx3", Text, Stub},    {u"yyx", Text, Stub},
    {u"mmx", Text, Stub},     {u"ddx", Text, Stub},      {u"cskr", Text, Stub},
    {u"cje", Text, Stub},     {u"cyt", Text, Stub},      {u"zg", Text, Stub},
    {u"hj", Text, Stub},
};
static_assert(std::size(kSlipItems) == 35);
static_assert(std::size(kChequeItems) == 25);

inline std::span<const PrintItem> printItems(const QString &documentName)
{
    if (isSlip(documentName))
        return kSlipItems;
    return kChequeItems;
}

} // namespace printtables

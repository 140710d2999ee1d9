#pragma once

#include <QString>

// The statements of the standing queries, sent to the database as they stand.
namespace sql {

inline const QString kSlipList = QStringLiteral("select * from jzd order by 编号");
inline const QString kChequeList = QStringLiteral("select * from zp order by 编号");
inline const QString kSlipPayers =
    QStringLiteral("select distinct 出票全称,出票帐号,出票银行 from jzd where 出票全称<>' 'order by 出票全称");
inline const QString kSlipPayees =
    QStringLiteral("select distinct 收款全称,收款帐号,收款银行 from jzd where 收款全称<>' ' order by 收款全称");
inline const QString kChequePayees =
    QStringLiteral("select distinct 收款人,付款行名称,出票人帐号 from zp where 收款人<>' ' order by 收款人");
inline const QString kUsers = QStringLiteral("select * from usertable");
inline const QString kDocumentSettings = QStringLiteral("select * from djmc where 单据名称=:djmc");

} // namespace sql

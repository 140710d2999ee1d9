#include "queries.h"

#include "sqltexts.h"

Queries::Queries(const QString &connection, QObject *parent)
    : QObject(parent),
      jzdqry(new RecordSet(connection, sql::kSlipList, QStringLiteral("jzd"), QStringLiteral("编号"), this)),
      zpqry(new RecordSet(connection, sql::kChequeList, QStringLiteral("zp"), QStringLiteral("编号"), this)),
      sjzcpqry(new RecordSet(connection, sql::kSlipPayers, {}, {}, this)),
      sjzskqry(new RecordSet(connection, sql::kSlipPayees, {}, {}, this)),
      szpskrqry(new RecordSet(connection, sql::kChequePayees, {}, {}, this)),
      userqry(new RecordSet(connection, sql::kUsers, QStringLiteral("usertable"), {}, this)),
      q7(new RecordSet(connection, sql::kDocumentSettings, QStringLiteral("djmc"),
                       QStringLiteral("单据名称"), this))
{
    jzdqry->setObjectName(QStringLiteral("jzdqry"));
    zpqry->setObjectName(QStringLiteral("zpqry"));
    sjzcpqry->setObjectName(QStringLiteral("sjzcpqry"));
    sjzskqry->setObjectName(QStringLiteral("sjzskqry"));
    szpskrqry->setObjectName(QStringLiteral("szpskrqry"));
    userqry->setObjectName(QStringLiteral("userqry"));
    q7->setObjectName(QStringLiteral("q7"));
}

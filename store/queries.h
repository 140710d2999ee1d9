#pragma once

#include <QObject>
#include <QString>

#include "recordset.h"

// The standing record lists of the main window, all on one connection.
class Queries : public QObject
{
    Q_OBJECT

public:
    explicit Queries(const QString &connection, QObject *parent = nullptr);

    RecordSet *jzdqry;    // deposit slips
    RecordSet *zpqry;     // cheques
    RecordSet *sjzcpqry;  // payers of the deposit slips (pick list)
    RecordSet *sjzskqry;  // payees of the deposit slips (pick list)
    RecordSet *szpskrqry; // payees of the cheques (pick list)
    RecordSet *userqry;   // users
    RecordSet *q7;        // the settings row of a document
};

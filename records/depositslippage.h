#pragma once

#include <QDate>

#include "documentpage.h"

class DepositSlipPage : public DocumentPage
{
    Q_OBJECT

public:
    DepositSlipPage(Queries *queries, QWidget *parent);

    // Add: a new record, currency "人民币", the cursor in the bank name.
    void N22Click();
    // Sets the date picker from the program: writes nothing into the record.
    void setPickerDate(const QDate &date);
};

#include "depositslippage.h"

DepositSlipPage::DepositSlipPage(Queries *queries, QWidget *parent)
    : DocumentPage({u"JZ1", u"jzpan", u"jzjpg", u"jepan", u":/forms/jzd.jpg", 327}, queries, parent)
{
}

void DepositSlipPage::N22Click()
{
}

void DepositSlipPage::setPickerDate(const QDate &date)
{
    Q_UNUSED(date);
}

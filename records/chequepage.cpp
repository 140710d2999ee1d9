#include "chequepage.h"

ChequePage::ChequePage(Queries *queries, QWidget *parent)
    : DocumentPage({u"ZP1", u"Panel4", u"Image1", u"Panel1", u":/forms/zp.jpg", 280}, queries, parent)
{
}

void ChequePage::BitBtn6Click()
{
}

void ChequePage::setPickerDate(const QDate &date)
{
    Q_UNUSED(date);
}

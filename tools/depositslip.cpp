#include "formdrawings.h"

#include "formfields.h"
#include "formpainter.h"

#include <QImage>

using namespace Qt::StringLiterals;

namespace {

void drawDepositSlipStub(FormPainter &p, const FormSpec &form)
{
    const auto F = [&form](const char *name) -> const FormField & { return formField(form, name); };
    const int left = 10, right = 210, top = 57, bottom = 291;

    p.text(QRectF(left, 8, right - left, 24), u"进 账 单（存 根）"_s, 15, Qt::AlignCenter, 1.0,
           true);
    p.text(gap(F("cyedit").rightEdge(), F("cmedit").left, F("cyedit")), u"年"_s, 11,
           Qt::AlignCenter);
    p.text(gap(F("cmedit").rightEdge(), F("cdedit").left, F("cmedit")), u"月"_s, 11,
           Qt::AlignCenter);
    p.text(gap(F("cdedit").rightEdge(), F("cdedit").rightEdge() + 14, F("cdedit")), u"日"_s, 11,
           Qt::AlignCenter);

    p.frame(left, top, right, bottom, 2);

    // Payer: 出票人 down the left, then the captions column, then the three values.
    const int partyColumn = 28;
    const int payerCaptions = F("ccpqc").left - 2;
    p.vline(partyColumn, top, 113);
    p.vline(payerCaptions, top, 113);
    p.vertical(QRectF(left + 1, top + 8, partyColumn - left - 1, 40), u"出票人"_s, 12);
    p.hline(partyColumn, right, F("ccpzh").top);
    p.hline(partyColumn, right, F("ccpzh").bottomEdge() - 1);
    const int payerLine2 = F("ccpzh").bottomEdge() - 1;
    const qreal captionLeft = partyColumn + 4, captionWidth = payerCaptions - partyColumn - 8;
    p.spread(QRectF(captionLeft, top, captionWidth, F("ccpzh").top - top), u"全称"_s, 12);
    p.spread(QRectF(captionLeft, F("ccpzh").top, captionWidth, payerLine2 - F("ccpzh").top),
             u"账号"_s, 12);
    p.spread(QRectF(captionLeft, payerLine2, captionWidth, 113 - payerLine2), u"开户银行"_s, 11);
    p.hline(left, right, 113);

    // Amount: caption, then the digit grid right-aligned on the frame.
    const FormField &amount = F("cjzxx");
    p.text(QRectF(left, 113, amount.left - 1 - left, 151 - 113), u"金  额"_s, 12, Qt::AlignCenter);
    p.amountGrid(amount.rightEdge(), amount.cellWidth, 113, amount.top - 1, 151, 9);
    p.hline(left, right, 151);

    // Payee block.
    const int payeeCaptions = F("cskqc").left - 2;
    p.vline(partyColumn, 151, 213);
    p.vline(payeeCaptions, 151, 213);
    p.vertical(QRectF(left + 1, 158, partyColumn - left - 1, 48), u"收款人"_s, 12);
    p.hline(partyColumn, right, F("cskzh").top);
    p.hline(partyColumn, right, F("cskyx").top);
    const qreal payeeLeft = partyColumn + 4, payeeWidth = payeeCaptions - partyColumn - 8;
    p.spread(QRectF(payeeLeft, 151, payeeWidth, F("cskzh").top - 151), u"全称"_s, 12);
    p.spread(QRectF(payeeLeft, F("cskzh").top, payeeWidth, F("cskyx").top - F("cskzh").top),
             u"账号"_s, 12);
    p.spread(QRectF(payeeLeft, F("cskyx").top, payeeWidth, 213 - F("cskyx").top), u"开户银行"_s,
             11);
    p.hline(left, right, 213);

    // Instrument kind and count, then its number.
    const FormField &kind = F("cpjzl");
    const FormField &count = F("cpjzs");
    p.vline(kind.left - 2, 213, 235);
    p.text(QRectF(left, 213, kind.left - 2 - left, 22), u"票据种类"_s, 11, Qt::AlignCenter);
    p.vline(kind.rightEdge() + 1, 213, 235);
    p.vline(count.left - 2, 213, 235);
    p.text(QRectF(kind.rightEdge() + 2, 213, count.left - 4 - kind.rightEdge(), 22), u"票据张数"_s,
           11, Qt::AlignCenter);
    p.hline(left, right, 235);
    const FormField &number = F("cpjhm");
    p.vline(number.left - 2, 235, 256);
    p.text(QRectF(left, 235, number.left - 2 - left, 21), u"票据号码"_s, 11, Qt::AlignCenter);
    p.hline(left, right, 256);
    p.text(QRectF(left + 6, 262, 60, 14), u"备注："_s, 11, Qt::AlignLeft | Qt::AlignVCenter);

    // Checked and booked by, below the frame.
    p.text(QRectF(14, F("cfh").top, F("cfh").left - 16, F("cfh").height), u"复核"_s, 12,
           Qt::AlignRight | Qt::AlignVCenter);
    p.text(QRectF(F("cfh").rightEdge() + 8, F("cjz").top, F("cjz").left - F("cfh").rightEdge() - 10,
                  F("cjz").height),
           u"记账"_s, 12, Qt::AlignRight | Qt::AlignVCenter);
}

void drawDepositSlipBody(FormPainter &p, const FormSpec &form)
{
    const auto F = [&form](const char *name) -> const FormField & { return formField(form, name); };
    const int left = 262, right = 771, top = 64, bottom = 272, middle = 516;

    // Title: the bank's name goes into the blank, the name of the form follows it.
    const FormField &bank = F("jzyxmc");
    p.hline(bank.left, bank.rightEdge(), bank.bottomEdge());
    p.text(QRectF(bank.rightEdge() + 6, bank.top, 170, bank.height), u"进账单（回 单）"_s, 19,
           Qt::AlignLeft | Qt::AlignBottom, 1.0, true);
    p.hline(bank.rightEdge() + 6, bank.rightEdge() + 150, bank.bottomEdge() + 1);
    p.text(QRectF(700, 24, 20, 18), u"1"_s, 13, Qt::AlignCenter);
    p.text(gap(F("yedit").rightEdge(), F("medit").left, F("yedit")), u"年"_s, 12, Qt::AlignCenter);
    p.text(gap(F("medit").rightEdge(), F("dedit").left, F("medit")), u"月"_s, 12, Qt::AlignCenter);
    p.text(gap(F("dedit").rightEdge(), F("dedit").rightEdge() + 16, F("dedit")), u"日"_s, 12,
           Qt::AlignCenter);

    p.frame(left, top, right, bottom, 2);

    // Payer and payee blocks, side by side.
    const int partyColumn = left + 18;
    const int payerCaptions = F("cpqc").left - 2;
    const int payeeColumn = middle + 18;
    const int payeeCaptions = F("skqc").left - 1;
    const int partyBottom = 122;
    p.vline(partyColumn, top, partyBottom);
    p.vline(payerCaptions, top, partyBottom);
    p.vline(middle, top, partyBottom);
    p.vline(payeeColumn, top, partyBottom);
    p.vline(payeeCaptions, top, partyBottom);
    p.vertical(QRectF(left + 1, top + 10, 17, 40), u"出票人"_s, 13);
    // The payee's pick-list button covers the top of its column: the caption sits lower.
    p.vertical(QRectF(middle + 1, 86, 17, 36), u"收款人"_s, 12);
    p.hline(partyColumn, middle, F("cpzh").top);
    p.hline(partyColumn, middle, F("cpyx").top);
    p.hline(payeeColumn, right, F("skqc").bottomEdge());
    p.hline(payeeColumn, right, F("skzh").bottomEdge() - 1);
    const auto partyCaptions = [&p](int x1, int x2, const FormField &a, const FormField &b,
                                    const FormField &c) {
        const qreal l = x1 + 6, w = x2 - x1 - 12;
        p.spread(QRectF(l, a.top, w, a.height), u"全称"_s, 12);
        p.spread(QRectF(l, b.top, w, b.height), u"账号"_s, 12);
        p.spread(QRectF(l, c.top, w, c.height), u"开户银行"_s, 12);
    };
    partyCaptions(partyColumn, payerCaptions, F("cpqc"), F("cpzh"), F("cpyx"));
    partyCaptions(payeeColumn, payeeCaptions, F("skqc"), F("skzh"), F("skyx"));
    p.hline(left, right, partyBottom);

    // Amount row: 人民币（大写）, the blank for the capitals, the digit grid.
    const FormField &amount = F("jzxx");
    const int amountBottom = 161;
    p.vline(partyColumn, partyBottom, amountBottom);
    p.vline(payerCaptions, partyBottom, amountBottom);
    p.vertical(QRectF(left + 1, partyBottom + 6, 17, 28), u"金额"_s, 13);
    p.text(QRectF(partyColumn + 2, partyBottom + 4, payerCaptions - partyColumn - 4, 16),
           u"人民币"_s, 12, Qt::AlignCenter);
    p.text(QRectF(partyColumn + 2, partyBottom + 20, payerCaptions - partyColumn - 4, 16),
           u"（大写）"_s, 12, Qt::AlignCenter);
    p.amountGrid(amount.rightEdge(), amount.cellWidth, partyBottom, amount.top - 1, amountBottom,
                 10);
    p.hline(left, right, amountBottom);
    p.vline(middle, amountBottom, bottom);

    // Instruments: kind and count, then the numbers.
    const FormField &kind = F("pjzl");
    const FormField &count = F("pjzs");
    const FormField &number = F("pjhm");
    const int captionColumn = kind.left - 2;
    p.vline(captionColumn, amountBottom, number.bottomEdge());
    p.text(QRectF(left, kind.top, captionColumn - left, kind.height), u"票据种类"_s, 12,
           Qt::AlignCenter);
    p.vline(kind.rightEdge(), amountBottom, kind.bottomEdge());
    p.vline(count.left - 1, amountBottom, kind.bottomEdge());
    p.text(QRectF(kind.rightEdge() + 1, kind.top, count.left - 2 - kind.rightEdge(), kind.height),
           u"票据张数"_s, 12, Qt::AlignCenter);
    p.hline(left, middle, kind.bottomEdge());
    p.text(QRectF(left, number.top, captionColumn - left, number.height), u"票据号码"_s, 12,
           Qt::AlignCenter);
    p.hline(left, middle, number.bottomEdge());

    // Remarks, with ruled lines for the purpose and a free line.
    const FormField &purpose = F("jzyt");
    const FormField &free = F("xje");
    p.text(QRectF(left, purpose.top, captionColumn - left, purpose.height), u"备注："_s, 12,
           Qt::AlignCenter);
    p.hline(purpose.left, purpose.rightEdge(), purpose.bottomEdge());
    p.hline(purpose.left, purpose.rightEdge(), free.bottomEdge());

    // Right-hand lower part: the currency, the bank's seal, checked and booked by.
    const FormField &currency = F("jzbb");
    p.text(QRectF(currency.left - 36, currency.top, 32, currency.height), u"币种"_s, 12,
           Qt::AlignRight | Qt::AlignVCenter);
    p.hline(currency.left, currency.rightEdge() + 20, currency.bottomEdge());
    p.text(QRectF(middle, 208, right - middle, 20), u"收款人开户银行签章"_s, 12, Qt::AlignCenter);
    const FormField &checked = F("jzfh");
    const FormField &booked = F("jzjz");
    p.text(QRectF(checked.left - 30, checked.top, 28, checked.height), u"复核"_s, 12,
           Qt::AlignRight | Qt::AlignVCenter);
    p.hline(checked.left, checked.rightEdge(), checked.bottomEdge());
    p.text(QRectF(booked.left - 30, booked.top, 28, booked.height), u"记账"_s, 12,
           Qt::AlignRight | Qt::AlignVCenter);
    p.hline(booked.left, booked.rightEdge(), booked.bottomEdge());

    // Down the right margin: what this copy is for.
    p.vertical(QRectF(right + 4, 112, 12, 160), u"此联是开户银行交给持票人的回单"_s, 10);
}

} // namespace

void drawDepositSlip(QImage *image, const FormSpec &form, QList<QRectF> *captions)
{
    image->fill(FormPainter::paper());
    FormPainter p(image);
    drawDepositSlipStub(p, form);
    p.dashedVLine(236, 0, form.height - 1, 4, 3);
    drawDepositSlipBody(p, form);
    *captions = p.captionRects();
}

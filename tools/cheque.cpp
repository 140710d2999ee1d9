#include "formdrawings.h"

#include "formfields.h"
#include "formpainter.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

void drawChequeStub(FormPainter &p, const FormSpec &form)
{
    const auto F = [&form](const char *name) -> const FormField & { return formField(form, name); };
    const int left = 8, right = 172, top = 64, bottom = 230;

    const FormField &bank = F("cgyx");
    p.hline(bank.left, bank.rightEdge(), bank.bottomEdge());
    p.text(QRectF(bank.rightEdge() + 4, bank.top, 56, bank.height), u"支票存根"_s, 13,
           Qt::AlignLeft | Qt::AlignBottom, 1.0, true);
    p.text(QRectF(left, 40, right - left, 14), u"支票号码"_s, 11, Qt::AlignLeft | Qt::AlignVCenter);
    p.hline(left + 50, right - 10, 54);

    p.frame(left, top, right, bottom, 2);
    p.text(QRectF(left + 4, top + 3, 60, 14), u"附加信息"_s, 12, Qt::AlignLeft | Qt::AlignVCenter);
    const FormField &extra1 = F("fjxx1");
    const FormField &extra2 = F("fjxx2");
    const FormField &extra3 = F("fjxx3");
    p.hline(extra1.left, right, extra2.top);
    p.hline(extra1.left, right, extra3.top + 1);
    p.hline(extra1.left, right, extra3.bottomEdge());
    const int dateTop = 138, dateBottom = 168;
    p.hline(left, right, dateTop);

    const FormField &year = F("yyx");
    const FormField &month = F("mmx");
    const FormField &day = F("ddx");
    p.text(QRectF(left + 4, year.top, year.left - left - 8, year.height), u"出票日期"_s, 12,
           Qt::AlignLeft | Qt::AlignVCenter);
    // The year and month blanks leave only a few pixels: the characters are narrowed.
    p.text(gap(year.rightEdge(), month.left, year), u"年"_s, 11, Qt::AlignCenter, 0.5);
    p.text(gap(month.rightEdge(), day.left, month), u"月"_s, 11, Qt::AlignCenter, 0.7);
    p.text(gap(day.rightEdge(), day.rightEdge() + 13, day), u"日"_s, 11, Qt::AlignCenter);
    p.hline(left, right, dateBottom);

    const FormField &payee = F("cskr");
    const FormField &amount = F("cje");
    const FormField &purpose = F("cyt");
    const qreal captionLeft = left + 4, captionWidth = payee.left - left - 6;
    p.text(QRectF(captionLeft, payee.top, captionWidth, payee.height), u"收款人："_s, 12,
           Qt::AlignLeft | Qt::AlignVCenter);
    p.text(QRectF(captionLeft, amount.top, captionWidth, amount.height - 2), u"金　额："_s, 12,
           Qt::AlignLeft | Qt::AlignVCenter);
    p.text(QRectF(captionLeft, purpose.top + 1, captionWidth, purpose.height), u"用　途："_s, 12,
           Qt::AlignLeft | Qt::AlignVCenter);
    p.hline(payee.left, right - 4, payee.bottomEdge());
    p.hline(payee.left, right - 4, amount.bottomEdge() - 2);
    p.hline(payee.left, right - 4, purpose.bottomEdge());

    const FormField &head = F("zg");
    const FormField &accountant = F("hj");
    p.text(QRectF(left + 4, head.top, head.left - left - 6, head.height), u"单位主管"_s, 12,
           Qt::AlignRight | Qt::AlignVCenter);
    p.text(QRectF(head.rightEdge() + 2, accountant.top, accountant.left - head.rightEdge() - 4,
                  accountant.height),
           u"会计"_s, 12, Qt::AlignRight | Qt::AlignVCenter);
}

void drawChequeBody(FormPainter &p, const FormSpec &form)
{
    const auto F = [&form](const char *name) -> const FormField & { return formField(form, name); };
    const int left = 212, right = 753, top = 44, bottom = 262;

    // Title.
    const FormField &bank = F("yxmc");
    p.hline(bank.left, bank.rightEdge(), bank.bottomEdge());
    p.text(QRectF(bank.rightEdge() + 8, bank.top, 120, bank.height + 2), u"支　票"_s, 20,
           Qt::AlignLeft | Qt::AlignBottom, 1.0, true);
    p.hline(bank.rightEdge() + 8, bank.rightEdge() + 82, bank.bottomEdge() + 2);

    p.frame(left, top, right, bottom, 2);
    const int strip = left + 16;
    p.vline(strip, top, bottom);
    p.vertical(QRectF(left + 1, top + 40, 15, 140), u"本支票付款期限十天"_s, 11);

    // Date and payee on the left, paying bank and account on the right.
    const FormField &year = F("yyd");
    const FormField &month = F("mmd");
    const FormField &day = F("ddd");
    const FormField &payingBank = F("fkh");
    const FormField &account = F("cprzh");
    const FormField &payee = F("skredit");
    const int rowLine = payee.top;
    const int amountTop = 84;
    const int split = 541;
    p.hline(strip, right, rowLine);
    p.vline(split, top, amountTop);
    p.text(QRectF(strip + 4, year.top, year.left - strip - 6, year.height), u"出票日期（大写）"_s,
           12, Qt::AlignLeft | Qt::AlignVCenter);
    p.text(gap(year.rightEdge(), month.left, year), u"年"_s, 12, Qt::AlignCenter, 0.9);
    // The month and day blanks almost touch: the character is narrowed to the gap.
    p.text(gap(month.rightEdge(), day.left, month), u"月"_s, 12, Qt::AlignCenter, 0.5);
    p.text(gap(day.rightEdge(), F("zpdate").left, day), u"日"_s, 11, Qt::AlignCenter);
    p.text(QRectF(split + 2, payingBank.top, payingBank.left - split - 4, payingBank.height),
           u"付款行名称："_s, 11, Qt::AlignRight | Qt::AlignVCenter);
    p.text(QRectF(split + 2, account.top + 1, account.left - split - 4, account.height),
           u"出票人账号："_s, 11, Qt::AlignRight | Qt::AlignVCenter);
    p.text(QRectF(strip + 4, payee.top, payee.left - strip - 6, payee.height), u"收款人："_s, 12,
           Qt::AlignRight | Qt::AlignVCenter);
    p.hline(strip, right, amountTop);

    // Amount row.
    const FormField &capitals = F("jedxedit");
    const FormField &amount = F("zpje");
    const int amountBottom = amount.bottomEdge() + 1;
    p.vline(capitals.left - 2, amountTop, amountBottom);
    p.text(QRectF(strip + 2, amountTop + 3, capitals.left - strip - 6, 15), u"人民币"_s, 12,
           Qt::AlignCenter);
    p.text(QRectF(strip + 2, amountTop + 18, capitals.left - strip - 6, 15), u"（大写）"_s, 12,
           Qt::AlignCenter);
    p.amountGrid(amount.rightEdge(), amount.cellWidth, amountTop, amount.top - 1, amountBottom, 10);
    p.hline(strip, right, amountBottom);

    // Purpose and the drawer's order on the left, password and bank number on the right.
    const FormField &purpose = F("ytedit");
    p.text(QRectF(strip + 4, purpose.top, purpose.left - strip - 6, purpose.height), u"用途"_s, 12,
           Qt::AlignRight | Qt::AlignVCenter);
    p.hline(purpose.left, F("JELAB").left + 90, purpose.bottomEdge());
    p.text(QRectF(strip + 6, 150, 110, 14), u"上列款项请从"_s, 12,
           Qt::AlignLeft | Qt::AlignVCenter);
    p.text(QRectF(strip + 6, 166, 110, 14), u"我账户内支付"_s, 12,
           Qt::AlignLeft | Qt::AlignVCenter);
    p.text(QRectF(strip + 6, 224, 110, 14), u"出票人签章"_s, 12, Qt::AlignLeft | Qt::AlignVCenter);

    const FormField &password = F("mm");
    p.text(QRectF(password.left - 30, password.top, 28, password.height), u"密码"_s, 12,
           Qt::AlignRight | Qt::AlignVCenter);
    p.hline(password.left, password.rightEdge(), password.bottomEdge());
    p.text(QRectF(password.left - 30, password.bottomEdge() + 3, 28, 18), u"行号"_s, 12,
           Qt::AlignRight | Qt::AlignVCenter);
    p.hline(password.left, password.rightEdge(), password.bottomEdge() + 21);

    p.text(QRectF(560, 232, 40, 16), u"复核"_s, 12, Qt::AlignLeft | Qt::AlignVCenter);
    p.text(QRectF(660, 232, 40, 16), u"记账"_s, 12, Qt::AlignLeft | Qt::AlignVCenter);
}

// A faint wave pattern, as on the security paper of a cheque; too pale to be taken for print.
void drawSecurityPattern(QImage *image, const QRect &area)
{
    QPainter wave(image);
    wave.setRenderHint(QPainter::Antialiasing, true);
    wave.setPen(QPen(QColor(244, 228, 224), 1.0));
    wave.setClipRect(area);
    for (int row = area.top() - 20; row < area.bottom() + 20; row += 7) {
        QPainterPath path;
        for (int x = area.left(); x <= area.right() + 2; x += 2) {
            const qreal y = row + 3.0 * std::sin(x / 11.0) + 2.0 * std::sin(x / 37.0 + row);
            if (x == area.left())
                path.moveTo(x, y);
            else
                path.lineTo(x, y);
        }
        wave.drawPath(path);
    }
}

} // namespace

void drawCheque(QImage *image, const FormSpec &form, QList<QRectF> *captions)
{
    image->fill(FormPainter::paper());
    drawSecurityPattern(image, QRect(QPoint(192, 0), QPoint(form.width - 1, form.height - 1)));
    FormPainter p(image);
    drawChequeStub(p, form);
    p.dashedVLine(190, 0, form.height - 1, 4, 3);
    drawChequeBody(p, form);
    *captions = p.captionRects();
}

#pragma once

#include <functional>
#include <optional>

#include <QString>
#include <QStringList>

class Report;

// The text a control of the page shows, by the control's name ("yxmc", "skredit", ...).
using ControlText = std::function<QString(const QString &controlName)>;

// The cheque fill. Writes the record's texts into the named objects of the loaded report, in
// the order of the object table: the body objects, then (unless printKind is "无存根横打" or
// "无存根纵打") the stub objects.
//   amount:   the cheque's 金额小写, nothing when the column is empty;
//   currency: the text the currency selector sbb shows (the record's 币别);
//   xxedit, jelab: the texts of the hidden edits xxedit and JELAB, in and out. With a currency
//     of the list, xxedit receives the figure text (written to "jexx"), and, when the amount is
//     there, JELAB receives the stub amount text; "cje" gets JELAB's text either way. With
//     any other currency "jexx" keeps the template's text and both edits stay as they were.
// An empty amount with a currency of the list throws AppError before anything is written.
// Objects the template lacks are skipped.
void FillChequeReport(Report &report, const QString &printKind, const ControlText &text,
                      std::optional<double> amount, const QString &currency, QString &xxedit, QString &jelab);

// The deposit-slip fill, with stub (slips 1 and 3) or without (slip 2, slip 1 without stub).
// amount is 人民币小写 (nothing when empty), currency the text of jzbb; xxedit as above.
// "cxxje" (stub only) gets the same figure text right after "xxje".
void FillSlipReport(Report &report, bool withStub, const ControlText &text, std::optional<double> amount,
                    const QString &currency, QString &xxedit);

// The cheque print kinds whose fill leaves the stub objects alone.
bool ChequeKindWithoutStub(const QString &printKind);

// The names of the objects each fill writes, in its order (with a currency of the list).
QStringList ChequeObjectNames(bool withStub);
QStringList SlipObjectNames(bool withStub);

// The message of a fill refused for want of an amount.
QString EmptyAmountMessage();

#include "documentsettings.h"

#include "apperror.h"
#include "profilefile.h"
#include "recordset.h"
#include "sqltexts.h"

namespace {

const QString kName = QStringLiteral("单据名称");
const QString kHorizontal = QStringLiteral("横向");
const QString kVertical = QStringLiteral("纵向");
const QString kSpacing = QStringLiteral("字间距");

void openRow(RecordSet &q7, const QString &documentName)
{
    q7.close();
    q7.setStatement(sql::kDocumentSettings);
    q7.setParameter(QStringLiteral("djmc"), documentName);
    q7.open();
}

int columnValue(const RecordSet &q7, const QString &column)
{
    const QVariant v = q7.value(column);
    return v.isNull() ? 0 : v.toInt();
}

} // namespace

int integerValue(const QString &text)
{
    const std::optional<int> value = parseInteger(text);
    if (!value)
        throw AppError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return *value;
}

int integerValueOrZero(const QString &text)
{
    return text.isEmpty() ? 0 : integerValue(text);
}

DocumentSettings loadDocumentSettings(RecordSet &q7, const QString &documentName)
{
    openRow(q7, documentName);
    DocumentSettings settings;
    if (q7.isEmpty())
        return settings;
    settings.horizontal = columnValue(q7, kHorizontal);
    settings.vertical = columnValue(q7, kVertical);
    settings.spacing = columnValue(q7, kSpacing);
    return settings;
}

void saveDocumentSettings(RecordSet &q7, const QString &documentName, const QString &horizontal,
                          const QString &vertical, const QString &spacing)
{
    // Every text is converted before the row is touched, so a bad one writes nothing.
    const int h = integerValueOrZero(horizontal);
    const int v = integerValueOrZero(vertical);
    const int s = integerValueOrZero(spacing);
    openRow(q7, documentName);
    q7.edit(); // on an empty result this starts the row
    if (q7.state() == RecordSet::State::Insert)
        q7.setValue(kName, documentName);
    q7.setValue(kHorizontal, h);
    q7.setValue(kVertical, v);
    q7.setValue(kSpacing, s);
    q7.save();
}

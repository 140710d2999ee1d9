#include "chequefields.h"

std::span<const FieldSpec> chequeFields()
{
    return kChequeFields;
}

const FieldSpec *chequeField(QStringView name)
{
    for (const FieldSpec &field : kChequeFields) {
        if (field.name == name)
            return &field;
    }
    return nullptr;
}

std::span<const ChequeGridColumn> chequeGridColumns()
{
    return kChequeGridColumns;
}

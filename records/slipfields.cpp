#include "slipfields.h"

std::span<const FieldSpec> slipFields()
{
    return kSlipFields;
}

const FieldSpec *slipField(QStringView name)
{
    for (const FieldSpec &field : kSlipFields) {
        if (field.name == name)
            return &field;
    }
    return nullptr;
}

std::span<const SlipGridColumn> slipGridColumns()
{
    return kSlipGridColumns;
}

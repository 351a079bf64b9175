#include "framework/form_description.h"

#include <cstring>

namespace {

// Constant-initialised, so the list is ready before the first registration runs.
const StoredForm* firstStored = nullptr;

}  // namespace

StoredForm::StoredForm(const FormDescription& description) : description_(description), next_(firstStored)
{
    firstStored = this;
}

std::vector<const FormDescription*> StoredForm::All()
{
    std::vector<const FormDescription*> all;
    for (const StoredForm* stored = firstStored; stored; stored = stored->next_)
        all.push_back(&stored->description_);
    return all;
}

const ControlRow* FindRow(const FormDescription& d, std::string_view name)
{
    for (const ControlRow& row : d.controls)
        if (row.name && row.name == name)
            return &row;
    return nullptr;
}

FontSpec RowFont(const FormDescription& d, const ControlRow& row)
{
    if (row.font)
        return *row.font;
    if (row.parent)
        if (const ControlRow* parent = FindRow(d, row.parent); parent && parent != &row)
            return RowFont(d, *parent);
    return d.font;
}

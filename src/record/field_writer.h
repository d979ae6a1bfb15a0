#pragma once
// The texts of the record fields written straight into a buffer: the stream
// mode writes millions of them.

#include "morvek/record.h"
#include "text/text_builder.h"

namespace morvek::detail {

// write_field_text: the text of a field, any field but input and message, as
// field_text gives it; nothing where the record shows no such value (an Era
// Date or RD line the report does not show, a format without a value). A
// record that was not converted has only its line and status.
void write_field_text(TextBuilder& out, Field field, const Record& record) noexcept;

}  // namespace morvek::detail

#pragma once

#include <string_view>

#include "model/text_folder.h"
#include "parse/field_reader.h"
#include "parse/read_observer.h"

namespace scenario {

// The parse's steps on its text files. Each throws ReadFault for a fault of the file itself,
// with the folder's reason, which the parse's failure exit turns into error 25.

// Whether the text file `name` exists. A lookup the folder refuses says nothing about the file:
// it is a fault ("cannot look up"), never "does not exist".
bool text_file_found(TextFolder& folder, std::string_view name);

// A reader of every byte of the text file `name` ("cannot open" when it cannot be opened, a
// missing file included; "cannot read" when it opened and could not be read).
FieldReader open_text_file(TextFolder& folder, std::string_view name, ReadObserver* observer);

// Deletes the text file `name`; one that is already gone is passed over ("cannot delete").
void remove_text_file_or_fault(TextFolder& folder, std::string_view name);

}  // namespace scenario

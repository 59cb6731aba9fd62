// The record layout of a lookup database as the Lookup page stores it.
#pragma once

#include "project/project.h"

namespace appgen::editor {

// A lookup whose fields are delimited by a separator: the record holds the
// fields one after another with a separator between two, so the record length
// and the field offsets follow from the field lengths. The record length is a
// byte: with no fields it wraps to 255, as the terminal has always been given.
// A field count above eight (only a damaged file has one) counts eight fields.
// Fixed-length lookups (separator 0) are left as they are.
void completeSeparatedLookup(LookupDef& l);

}  // namespace appgen::editor

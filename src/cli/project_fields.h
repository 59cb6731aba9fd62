// Every byte of a project that the program reads, as named fields in the
// operator's words: the one table that both the dump and the diff walk, so
// the two always agree on what a field is called and how it reads.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "project/project.h"

namespace appgen::cli {

struct ProjectField {
    enum class Shape {
        Value,  // one byte, or some of its bits (mask), shown by `show`
        Text,   // a text slot; bytes kept after its end are listed when they changed
        Raw,    // unused bytes, listed by offset and hex where they changed
    };
    std::string name;
    std::size_t offset = 0;  // in the Project record
    std::size_t size = 1;
    u8 mask = 0xFF;
    Shape shape = Shape::Value;
    bool headline = false;  // the dump shows it at its reset value too
    std::function<std::string(unsigned)> show{};
};

struct FieldGroup {
    std::string record;  // "Форма 1"
    std::string part;    // "строка 2"; empty for the record's own fields
    // When it says so (or is not given) the dump lists the part with its
    // headline fields; otherwise only when some field of it has changed.
    std::function<bool(const Project&)> inUse{};
    std::vector<ProjectField> fields;
};

// All fields in the order the dump lists them; every bit of the first 18842 bytes belongs to
// exactly one field.
const std::vector<FieldGroup>& projectFields();

// A fresh project (both resets), the values fields are compared with.
const Project& resetProjectReference();

std::string fieldValue(const ProjectField& f, const Project& p);
bool fieldDiffers(const ProjectField& f, const Project& a, const Project& b);

}  // namespace appgen::cli

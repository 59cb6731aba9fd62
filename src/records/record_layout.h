// How a form's fields lie in the record the terminal keeps: the stamp, then
// each data line as [separators] [prefix] text [suffix], then the stamp when it
// comes last. The layout is what a record splitter walks; it mirrors the
// terminal's (and the simulator's) assembly of a record byte for byte.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "project/project.h"

namespace appgen::records {

inline constexpr char kStampColumn[] = "Дата и время";

// What the text of a field may be.
enum class FieldText {
    Any,         // any bytes
    Exact,       // exactly `text`
    StartsWith,  // `text`, then any bytes (a fixed line with continuation lines)
    Stamp,       // the date and time: `text` with a digit wherever `digits` holds 'd'
};

struct FieldLayout {
    int line = -1;       // 0..7; -1 for the stamp
    u8 type = 0;         // the line's type; 0 for the stamp
    std::string name;    // column name, UTF-8
    std::string prefix;  // bytes around the text; empty when off
    std::string suffix;
    bool fixed = false;  // the text is exactly `length` bytes
    std::size_t length = 0;
    u8 align = 0;
    FieldText kind = FieldText::Any;
    std::string text;
    // The stamp: its pattern when the record is empty before it, and when not
    // (the date/time split separators go in only after something).
    std::string digits;
    std::string textAfter;
    std::string digitsAfter;
    // A fixed-length StartsWith field whose padding goes on the left: the
    // padding character before `text`.
    char leftPad = 0;
};

struct FormLayout {
    int form = 0;            // 1..10
    std::string separators;  // separator1 then separator2, the nonzero ones
    std::vector<FieldLayout> fields;
};

// The layout of form 1..10.
FormLayout formLayout(const Project& p, int form);

// True for a line that goes into the record.
bool isRecordLine(const FormDef& f, int line);

// The forms a record may be of: `form` alone when given, else every form with
// a record line whose recordAction keeps its records in the terminal's file.
std::vector<int> candidateForms(const Project& p, std::optional<int> form = std::nullopt);

// True when some record of the form splits more than one way: a field of no
// fixed length is followed by another and nothing but the separators (which
// may be missing before an empty first field, or stand inside a later text)
// tells them apart.
bool layoutCanBeAmbiguous(const FormLayout& layout);

// The text of a field as a table shows it: the padding spaces of a fixed
// length line taken off (zero padding kept).
std::string_view cellText(const FieldLayout& field, std::string_view text);

}  // namespace appgen::records

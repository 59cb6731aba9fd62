// A small JSON writer for the commands that print machine-readable output.
// Strings go in as UTF-8 and pass through; '"', '\' and control characters
// are escaped (\u00XX for the controls).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace appgen::shell {

// The text as a quoted JSON string.
std::string jsonString(std::string_view utf8);

class JsonWriter {
public:
    JsonWriter& beginObject();
    JsonWriter& endObject();
    JsonWriter& beginArray();
    JsonWriter& endArray();
    // The name of the next member of the enclosing object.
    JsonWriter& key(std::string_view name);
    JsonWriter& value(std::string_view utf8);
    JsonWriter& value(const char* utf8) { return value(std::string_view(utf8)); }
    JsonWriter& value(long long n);
    JsonWriter& value(int n) { return value(static_cast<long long>(n)); }
    JsonWriter& value(bool b);
    // Inserts an already composed JSON value as is.
    JsonWriter& raw(std::string_view json);

    const std::string& text() const { return out_; }

private:
    void beforeValue();

    std::string out_;
    std::vector<bool> first_;  // per open container: nothing written in it yet
    bool afterKey_ = false;
};

}  // namespace appgen::shell

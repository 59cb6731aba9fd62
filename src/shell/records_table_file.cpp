#include "shell/records_table_file.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <random>

#include "platform/utf8_file.h"
#include "project/utf8_path.h"
#include "shell/streamed_file.h"

namespace appgen::shell {
namespace {

bool endsWithNoCase(const std::string& s, std::string_view tail) {
    return s.size() >= tail.size() &&
           std::equal(
               tail.begin(), tail.end(), s.end() - static_cast<std::ptrdiff_t>(tail.size()),
               [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
}

}  // namespace

bool isXlsxPath(const std::string& path) {
    return endsWithNoCase(path, ".xlsx");
}
bool isCsvTablePath(const std::string& path) {
    return endsWithNoCase(path, ".csv");
}

platform::FileWriteResult writeCsvFile(const std::string& path,
                                       const std::function<void(const records::CsvSink&)>& write) {
    StreamedFile file(path);
    if (!file.failed()) write([&file](std::string_view bytes) { file.write(bytes); });
    return file.commit();
}

platform::FileWriteResult writeWorkbookFile(const std::string& path,
                                            const records::RecordTable& table,
                                            const records::TotalsRequest& totals) {
    StreamedFile file(path);
    if (file.failed()) return file.commit();
    if (const std::string temp = file.temporaryPath(); !temp.empty()) {
        const records::XlsxResult made = records::writeRecordsXlsx(temp, table, totals);
        if (!made.ok) return {false, made.reason};
        return file.commit();
    }
    // A target written in place (a device): the workbook is made in the
    // temporary folder and copied over.
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path temp = fs::temp_directory_path(ec) /
                          ("appgen-records-" + std::to_string(std::random_device{}()) + ".xlsx");
    const records::XlsxResult made = records::writeRecordsXlsx(utf8String(temp), table, totals);
    bool read = false;
    if (made.ok) {
        if (std::FILE* f = platform::openUtf8File(utf8String(temp), "rb")) {
            char chunk[1 << 16];
            std::size_t n = 0;
            while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) file.write({chunk, n});
            read = std::ferror(f) == 0;
            std::fclose(f);
        }
    }
    fs::remove(temp, ec);
    if (!made.ok) return {false, made.reason};
    if (!read) return {false, "the workbook could not be read back from the temporary folder"};
    return file.commit();
}

}  // namespace appgen::shell

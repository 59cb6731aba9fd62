#include "platform/win32_record_file.h"

#include "platform/record_file.h"
#include "platform/side_file_names.h"
#include "platform/win32_text.h"

namespace appgen::platform {
namespace {

link::OutputStatus failed(DWORD error) { return {false, win32::reasonOf(error)}; }

// Whether a new file can be made in the folder: one that is gone again when
// its handle closes, even if the program is killed right here.
DWORD probeFolder(const std::wstring& file) {
    HANDLE f = CreateFileW(file.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (f == INVALID_HANDLE_VALUE) return GetLastError();
    CloseHandle(f);
    return 0;
}

}  // namespace

std::unique_ptr<link::RecordOutput> makeRecordFile() { return std::make_unique<Win32RecordFile>(); }

Win32RecordFile::~Win32RecordFile() { closeFile(); }

void Win32RecordFile::closeFile() {
    if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
    file_ = INVALID_HANDLE_VALUE;
}

std::string Win32RecordFile::shown(const std::wstring& sidePath) const {
    // Beside the output under the name the operator gave it.
    return target_.shown + narrow(sidePath.substr(target_.path.size()));
}

link::OutputStatus Win32RecordFile::begin(const std::string& path) {
    closeFile();
    kept_ = 0;
    partial_.clear();
    leftover_.clear();
    location_ = path;
    if (path.empty()) return failed(ERROR_INVALID_NAME);
    target_ = win32::resolveTarget(path);
    if (const std::string why = win32::refusalOf(target_); !why.empty()) return {false, why};
    if (target_.device) return {};  // NUL or a printer takes the records itself

    const std::wstring folder = win32::folderOf(target_.path);
    const std::wstring name = win32::nameOf(target_.path);
    if (name.size() > win32::kMaxNameUnits) return failed(ERROR_FILENAME_EXCED_RANGE);
    const DWORD folderAttributes = GetFileAttributesW(folder.c_str());
    if (folderAttributes == INVALID_FILE_ATTRIBUTES) return failed(GetLastError());
    if (!(folderAttributes & FILE_ATTRIBUTE_DIRECTORY)) return failed(ERROR_DIRECTORY);

    const PartialChoice c = choosePartial(
        narrow(name), win32::kMaxNameUnits,
        [&](const std::string& p) { return win32::exists(folder + L"\\" + widen(p)); },
        [](const std::string& p) { return widen(p).size(); });
    if (!c.leftover.empty()) leftover_ = shown(folder + L"\\" + widen(c.leftover));
    // Every partial name taken or too long: in place it is.
    if (c.free.empty()) return {};
    const std::wstring partial = folder + L"\\" + widen(c.free);
    // A folder that takes no new file still lets an existing output be
    // written in place.
    if (const DWORD error = probeFolder(partial)) {
        if (target_.exists && error == ERROR_ACCESS_DENIED) return {};
        return failed(error);
    }
    partial_ = partial;
    return {};
}

link::OutputStatus Win32RecordFile::append(std::span<const std::uint8_t> line) {
    if (file_ == INVALID_HANDLE_VALUE) {
        const bool inPlace = partial_.empty();
        if (inPlace) {
            // Opened, not created anew: the output keeps its attributes.
            file_ = CreateFileW(target_.path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                target_.device ? OPEN_EXISTING : OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
            if (file_ != INVALID_HANDLE_VALUE && !target_.device && !SetEndOfFile(file_)) {
                const DWORD error = GetLastError();
                closeFile();
                return failed(error);
            }
        } else {
            // The output's attributes from the start: the move at the end keeps them.
            file_ = CreateFileW(partial_.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                target_.exists ? win32::keptAttributes(target_.attributes) | FILE_ATTRIBUTE_NORMAL
                                               : FILE_ATTRIBUTE_NORMAL,
                                nullptr);
        }
        if (file_ == INVALID_HANDLE_VALUE) return failed(GetLastError());
        location_ = inPlace ? target_.shown : shown(partial_);
    }
    if (!win32::writeAll(write_, file_, reinterpret_cast<const char*>(line.data()), line.size())) {
        const DWORD error = GetLastError();
        // No half line stays behind a record that was not acknowledged.
        LARGE_INTEGER at;
        at.QuadPart = kept_;
        if (!target_.device && SetFilePointerEx(file_, at, nullptr, FILE_BEGIN)) SetEndOfFile(file_);
        return failed(error);
    }
    kept_ += static_cast<LONGLONG>(line.size());
    return {};
}

link::OutputStatus Win32RecordFile::finish() {
    if (file_ == INVALID_HANDLE_VALUE) return {};
    DWORD error = 0;
    if (!FlushFileBuffers(file_) && !target_.device) error = GetLastError();
    closeFile();
    if (error) return failed(error);
    if (partial_.empty()) return {};
    if (!MoveFileExW(partial_.c_str(), target_.path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return failed(GetLastError());
    // The attributes came with the partial file; where the file system lost
    // them on the way, they are set again.
    if (target_.exists && GetFileAttributesW(target_.path.c_str()) != target_.attributes)
        SetFileAttributesW(target_.path.c_str(), target_.attributes);
    location_ = target_.shown;
    partial_.clear();
    return {};
}

}  // namespace appgen::platform

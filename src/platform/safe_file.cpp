// The safe save: a temporary file beside the target, written, forced to the
// disk and put in the target's place in one step; the folder forced after it.
#include "platform/safe_file.h"

#include <random>

#include "platform/file_steps.h"
#include "platform/side_file_names.h"

namespace appgen::platform {
namespace {

constexpr int kNameTries = 16;  // temporary names taken by others before we give up

FileWriteResult failed(const FileOps& ops, int error) { return {false, ops.reason(error)}; }

// Closes f; the first error of the steps before it (err) or of the close.
int closeAfter(const FileOps& ops, FileHandle f, int err) {
    const int closing = ops.close(f);
    return err ? err : closing;
}

// Where no new file can be made beside it (a folder that takes no new file,
// a device), the file itself is overwritten: not atomic, but the only save
// there is. A project keeps its size, so the overwrite needs no new room on
// a full disk: the file is cut to its new length only after the bytes.
FileWriteResult writeInPlace(const FileOps& ops, const FileTarget& t, std::string_view bytes) {
    FileHandle f = kNoFile;
    if (const int error = ops.openTarget(t, false, f)) return failed(ops, error);
    int err = writeAll(ops, f, bytes.data(), bytes.size());
    if (!err && !t.device) err = ops.truncate(f, bytes.size());
    if (!err) err = ops.sync(f);
    err = closeAfter(ops, f, err);
    return err ? failed(ops, err) : FileWriteResult{true, {}};
}

}  // namespace

FileWriteResult replaceFileWith(const FileOps& ops, const std::string& path, std::string_view bytes) {
    if (path.empty()) return failed(ops, ops.noName);
    const FileTarget t = ops.resolve(path);
    if (const std::string why = ops.refusal(t); !why.empty()) return {false, why};
    if (t.device) return writeInPlace(ops, t, bytes);

    const std::string folder = folderOf(ops, t.path);
    const std::string name = nameOf(ops, t.path);
    const std::size_t maxName = ops.nameMax(folder);
    if (ops.nameLength(name) > maxName) return failed(ops, ops.nameTooLong);

    // A name cut to maxName bytes is never longer in the system's units.
    std::random_device random;
    std::string temp;
    FileHandle f = kNoFile;
    int err = 0;
    for (int i = 0; i < kNameTries; ++i) {
        temp = joinPath(ops, folder, temporaryName(name, maxName, random()));
        err = ops.createNew(temp, t, f);
        if (!err || ops.fault(err) != FileFault::NameTaken) break;
    }
    if (err) {
        if (t.exists && ops.fault(err) == FileFault::Denied) return writeInPlace(ops, t, bytes);
        return failed(ops, err);
    }

    err = writeAll(ops, f, bytes.data(), bytes.size());
    if (!err) err = ops.sync(f);
    err = closeAfter(ops, f, err);
    if (!err) err = ops.replace(temp, t);
    if (err) {
        ops.remove(temp);
        return failed(ops, err);
    }
    if (const int e = ops.syncFolder(folder)) {
        return {false, "the file was written but its folder could not be forced to the disk: " + ops.reason(e)};
    }
    return {true, {}};
}

FileWriteResult replaceFile(const std::string& path, std::string_view bytes) {
    return replaceFileWith(systemFileOps(), path, bytes);
}

}  // namespace appgen::platform

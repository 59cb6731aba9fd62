#include "editor/startup_texts.h"

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <vector>

#include "project/project_file.h"
#include "project/text.h"
#include "project/utf8_path.h"

namespace appgen::editor {
namespace {

constexpr int kCurrentFormat = 2;

std::size_t slotSize(int group) { return static_cast<std::size_t>(messageGroup(group).slot); }

}  // namespace

std::string_view StartupTexts::text(int group, int r) const { return slotText(row[group][r]); }

void StartupTexts::set(int group, int r, std::string_view text) {
    setSlotText(row[group][r], text.substr(0, kTextRowChars));
}

void loadTexts(const Project& p, StartupTexts& t) {
    for (int g = 0; g < kMessageGroupCount; ++g)
        for (int r = 0; r < messageGroup(g).slots; ++r)
            t.set(g, r, slotText(messageSlot(p, g, r), slotSize(g)));
}

void storeTexts(const StartupTexts& t, Project& p) {
    for (int g = 0; g < kMessageGroupCount; ++g)
        for (int r = 0; r < messageGroup(g).slots; ++r)
            setSlotText(messageSlot(p, g, r), slotSize(g), t.text(g, r));
}

void installWideDefaults(StartupTexts& t, bool bigFont) {
    for (int g = 0; g < kMessageGroupCount; ++g) {
        if (!isWideGroup(g)) continue;
        if (bigFont) {
            for (int r = 0; r < bigFontDefaultRows(g); ++r) t.set(g, r, bigFontDefault(g, r));
        } else {
            for (int r = 0; r < messageGroup(g).slots; ++r) t.set(g, r, russianDefault(g, r));
        }
    }
}

void restoreDefaultTexts(StartupTexts& t, bool bigFont) {
    for (int g = 0; g < kMessageGroupCount; ++g)
        if (!isWideGroup(g))
            for (int r = 0; r < messageGroup(g).slots; ++r) t.set(g, r, russianDefault(g, r));
    installWideDefaults(t, bigFont);
}

ImportStatus importTextBytes(const unsigned char* data, std::size_t size, StartupTexts& t,
                             u8& bigFont) {
    // Only the current format: an older file's texts are laid out differently.
    if (projectFormat(data, size) != kCurrentFormat) return ImportStatus::FormatMismatch;
    const std::size_t groups = offsetof(Project, messages);
    for (int g = 0; g < kMessageGroupCount; ++g) {
        const MessageGroupInfo& info = messageGroup(g);
        for (int r = 0; r < info.slots; ++r) {
            const std::size_t at = groups + info.offset + static_cast<std::size_t>(r) * slotSize(g);
            if (at + slotSize(g) > size) return ImportStatus::Ok;
            t.set(g, r, slotText(reinterpret_cast<const char*>(data + at), slotSize(g)));
        }
    }
    const std::size_t flag = offsetof(Project, terminal) + offsetof(TerminalSettings, bigFont);
    if (flag < size) bigFont = data[flag];
    return ImportStatus::Ok;
}

ImportStatus importTexts(const std::string& path, StartupTexts& t, u8& bigFont) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(utf8Path(path), ec)) return ImportStatus::CannotOpen;
    std::ifstream in(utf8Path(path), std::ios::binary);
    if (!in) return ImportStatus::CannotOpen;
    std::vector<unsigned char> bytes(kProjectFileSize);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (in.bad()) return ImportStatus::CannotOpen;
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return importTextBytes(bytes.data(), bytes.size(), t, bigFont);
}

}  // namespace appgen::editor

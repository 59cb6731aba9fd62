#include "link/program_image.h"

#include <cstring>

#include "link/frames.h"
#include "link/image_normalize.h"
#include "link/image_settings.h"
#include "project/system_messages.h"

namespace appgen::link {

static_assert(kProgramImageSize == kImageBytes, "the image goes out as 200 blocks of 100 bytes");

namespace {

constexpr int kStartupWidth = 15;

// Every start-up line and message row becomes a slot of its width plus NUL,
// which is also its project slot, so the image offsets equal the file's.
void makeTextSlots(ProgramImageLayout& img) {
    for (auto& line : img.startupScreen.line) {
        static_assert(sizeof(line) == kStartupWidth + 1);
        padText(line, kStartupWidth);
    }
    auto* base = reinterpret_cast<char*>(&img.messages);
    for (int g = 0; g < kMessageGroupCount; ++g) {
        const MessageGroupInfo& info = messageGroup(g);
        for (int r = 0; r < info.slots; ++r)
            padText(base + info.offset + static_cast<std::size_t>(r * info.slot), info.slot - 1);
    }
}

}  // namespace

ProgramImage compile(Project& p) {
    normalizeForCompile(p);

    ProgramImageLayout img{};
    std::memcpy(&img.barcode, &p.barcode, sizeof img.barcode);
    std::memcpy(img.menus, p.menus, sizeof img.menus);
    std::memcpy(img.forms, p.forms, sizeof img.forms);
    std::memcpy(img.lookups, p.lookups, sizeof img.lookups);
    std::memcpy(&img.startupScreen, &p.startupScreen, sizeof img.startupScreen);
    std::memcpy(&img.messages, &p.messages, sizeof img.messages);
    makeTextSlots(img);
    img.wedge = wedgeForTerminal(p.wedge);
    img.terminal = terminalForTerminal(p.terminal);

    ProgramImage out;
    std::memcpy(out.data(), &img, sizeof img);
    return out;
}

}  // namespace appgen::link

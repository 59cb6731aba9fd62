// Arbitrary bytes as a project file: read (either format, conversion included),
// save, and read the saved image back. The second read must give the same image.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "project/project.h"
#include "project/project_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    appgen::Project p{};
    appgen::resetBarcodeSettings(p);
    appgen::resetProject(p);
    const appgen::ReadResult r = appgen::readProjectBytes(data, size, p);
    if (!appgen::loaded(r)) return 0;
    appgen::normalizeForms(p);
    appgen::fixContinuationLines(p);
    const std::string saved = appgen::projectFileImage(p);
    if (saved.size() != appgen::kProjectFileSize) std::abort();

    appgen::Project again{};
    appgen::resetBarcodeSettings(again);
    appgen::resetProject(again);
    const auto* bytes = reinterpret_cast<const unsigned char*>(saved.data());
    if (appgen::readProjectBytes(bytes, saved.size(), again).status != appgen::ReadStatus::Ok)
        std::abort();
    if (appgen::projectFileImage(again) != saved) std::abort();
    return 0;
}

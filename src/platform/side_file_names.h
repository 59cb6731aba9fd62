// Names of the files written beside another one: the temporary file of a
// safe save and the partial file of an upload. The same on every system.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

namespace appgen::platform {

// ".<name>.<6 hex digits of salt>~", with name cut (at a character boundary)
// so that the whole stays within maxName bytes.
std::string temporaryName(const std::string& name, std::size_t maxName, unsigned salt);

// "<name>.partial", then "<name>.partial2", ... for n = 1, 2, ...; nothing
// when it would not fit in maxName bytes.
std::optional<std::string> partialName(const std::string& name, std::size_t maxName, int n);

// The partial file for a new upload to `name`: the first partial name not
// `taken` (empty when all are, or when they grow past maxName as `length`
// counts them: the records then go straight into the output), and the first
// taken one, which holds the records of an upload that never ended.
struct PartialChoice {
    std::string free;
    std::string leftover;
};
PartialChoice choosePartial(const std::string& name, std::size_t maxName,
                            const std::function<bool(const std::string& partial)>& taken,
                            const std::function<std::size_t(const std::string&)>& length = {});

}  // namespace appgen::platform

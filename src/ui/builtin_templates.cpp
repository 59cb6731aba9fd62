#include "ui/builtin_templates.h"

#include <cstddef>
#include <cstdio>
#include <cstdlib>

#include "ui/template_parser.h"

namespace appgen::ui {

extern const unsigned char kDialogResources[];
extern const std::size_t kDialogResourcesSize;

std::string_view builtinTemplateSource() {
    return {reinterpret_cast<const char*>(kDialogResources), kDialogResourcesSize};
}

const TemplateLibrary& builtinTemplates() {
    static const TemplateLibrary library = [] {
        TemplateParse parse = parseTemplates(builtinTemplateSource());
        if (!parse.ok()) {
            std::fprintf(stderr, "appgen: dialogs.rc: %s\n", parse.error.c_str());
            std::abort();
        }
        return TemplateLibrary(std::move(parse.templates));
    }();
    return library;
}

const DialogTemplate& dialogTemplate(std::string_view name) {
    const DialogTemplate* t = builtinTemplates().find(name);
    if (!t) {
        std::fprintf(stderr, "appgen: no dialog template %.*s\n", static_cast<int>(name.size()),
                     name.data());
        std::abort();
    }
    return *t;
}

}  // namespace appgen::ui

#include "cli/project_dump.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>

#include "cli/cli_project.h"
#include "cli/project_fields.h"
#include "project/project_file.h"
#include "project/utf8_path.h"

namespace appgen::cli {
namespace {

std::string firstWord(const std::string& s) { return s.substr(0, s.find(' ')); }

// "name value, name value" of the fields the dump shows in a group.
std::string shownFields(const FieldGroup& g, const Project& p, bool& anyChanged) {
    const Project& reset = resetProjectReference();
    std::string out;
    anyChanged = false;
    for (const auto& f : g.fields) {
        const bool changed = fieldDiffers(f, p, reset);
        anyChanged = anyChanged || changed;
        if (!changed && !f.headline) continue;
        if (!out.empty()) out += ", ";
        out += f.name + " " + fieldValue(f, p);
    }
    return out;
}

}  // namespace

std::string dumpProject(const Project& p) {
    std::ostringstream o;
    const auto& table = projectFields();
    for (std::size_t i = 0; i < table.size();) {
        // One record: its own fields on the heading line, then its parts.
        const std::string& record = table[i].record;
        std::string heading = record + ":";
        std::vector<std::string> parts;
        for (; i < table.size() && table[i].record == record; ++i) {
            const FieldGroup& g = table[i];
            bool changed = false;
            const std::string fields = shownFields(g, p, changed);
            if (g.part.empty()) {
                if (!fields.empty()) heading += " " + fields;
                continue;
            }
            const bool inUse = !g.inUse || g.inUse(p);
            if (fields.empty() || (!changed && !inUse)) continue;
            parts.push_back("  " + g.part + ": " + fields);
        }
        if (heading.size() == record.size() + 1 && parts.empty()) continue;
        o << heading << "\n";
        for (const auto& line : parts) o << line << "\n";
        // A blank line between kinds of records (forms, menus, lookups, ...).
        if (i < table.size() && firstWord(table[i].record) != firstWord(record)) o << "\n";
    }
    return o.str();
}

std::vector<std::string> diffProjects(const Project& before, const Project& after) {
    std::vector<std::string> out;
    for (const auto& g : projectFields()) {
        const std::string where = g.part.empty() ? g.record : g.record + ", " + g.part;
        for (const auto& f : g.fields) {
            if (!fieldDiffers(f, before, after)) continue;
            out.push_back(where + ": " + f.name + " " + fieldValue(f, before) + " → " +
                          fieldValue(f, after));
        }
    }
    return out;
}

bool loadProjectForListing(const std::string& path, Project& p) {
    Workspace ws;
    resetWorkspace(ws);
    if (!openProjectFile(path, ws)) return false;
    p = ws.project;
    unsigned char tag[sizeof(FormatTag)] = {};
    std::ifstream in(utf8Path(path), std::ios::binary);
    in.read(reinterpret_cast<char*>(tag), sizeof tag);
    if (in.gcount() == sizeof tag && projectFormat(tag, sizeof tag) == 2)
        std::copy(std::begin(tag), std::end(tag), reinterpret_cast<unsigned char*>(p.formatTag.text));
    return true;
}

}  // namespace appgen::cli

// Checks that the folders of the product are floors: a file includes only from its own floor or
// below, no two files need each other (through includes, or through calls between their
// objects), and the independent folders include nothing of the rest.
//
//   floors_check SOURCE_DIR [--floors PREFIX=FLOOR,...] [--objects LIST_FILE]...
//
// A file and its header count as one (placing.h and placing.cpp), and so does a source that
// adds to a header of its own folder (propagation_rules.cpp to propagation.h). LIST_FILE names
// compiled objects, one a line; the calls between them are read with nm: an object that leaves
// a symbol undefined calls the object that defines it. Prints each fault and exits 1 when there
// is one, 2 on a usage error.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <memory>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// The floors, bottom up. The longest matching prefix decides.
std::vector<std::pair<std::string, int>> Floors = {
    {"core/ground/", 0}, {"hint/", 0}, {"core/operations/", 1}, {"core/control/", 2},
    {"core/form/", 3},   {"view/", 4}, {"tools/", 5},
};
// Folders that include nothing of the product outside themselves: the solution counter checks
// the logic and must share none of it; the hint engine stands on its own.
const std::vector<std::string> Independent = {"core/operations/verify/", "hint/"};

int FloorOf(const std::string &path)
{
    int floor = -1;
    std::size_t longest = 0;
    for (const auto &[prefix, level] : Floors)
        if (path.starts_with(prefix) && prefix.size() > longest) {
            floor = level;
            longest = prefix.size();
        }
    return floor;
}

fs::path Root;

// A file and its header are one module: the path without its extension. So is a source with
// no header of its own named after a header of its folder with a part added: it defines more
// members of that header's class (propagation_rules.cpp and propagation.h), and the parts of
// one class may call each other.
std::string ModuleOf(const std::string &path)
{
    const std::string module = path.substr(0, path.rfind('.'));
    if (!path.ends_with(".cpp") || fs::exists(Root / (module + ".h")))
        return module;
    const auto slash = module.rfind('/');
    const auto start = slash == std::string::npos ? 0 : slash + 1;
    for (auto cut = module.rfind('_'); cut != std::string::npos && cut > start;
         cut = module.rfind('_', cut - 1))
        if (fs::exists(Root / (module.substr(0, cut) + ".h")))
            return module.substr(0, cut);
    return module;
}

int Faults = 0;
void Fault(const std::string &what)
{
    std::cout << "FAULT: " << what << '\n';
    ++Faults;
}

// Every cycle of the graph, as its strongly connected parts of more than one node.
std::vector<std::vector<std::string>>
Loops(const std::map<std::string, std::set<std::string>> &edges)
{
    std::map<std::string, int> index, low;
    std::vector<std::string> stack;
    std::set<std::string> onStack;
    std::vector<std::vector<std::string>> loops;
    int counter = 0;
    std::function<void(const std::string &)> visit = [&](const std::string &v) {
        index[v] = low[v] = counter++;
        stack.push_back(v);
        onStack.insert(v);
        if (const auto out = edges.find(v); out != edges.end())
            for (const std::string &w : out->second) {
                if (!index.count(w)) {
                    visit(w);
                    low[v] = std::min(low[v], low[w]);
                } else if (onStack.count(w)) {
                    low[v] = std::min(low[v], index[w]);
                }
            }
        if (low[v] != index[v])
            return;
        std::vector<std::string> part;
        std::string w;
        do {
            w = stack.back();
            stack.pop_back();
            onStack.erase(w);
            part.push_back(w);
        } while (w != v);
        if (part.size() > 1) {
            std::sort(part.begin(), part.end());
            loops.push_back(part);
        }
    };
    for (const auto &[v, out] : edges)
        if (!index.count(v))
            visit(v);
    return loops;
}

std::string Joined(const std::vector<std::string> &names)
{
    std::string text;
    for (const std::string &name : names)
        text += (text.empty() ? "" : ", ") + name;
    return text;
}

// The product's files, by path from the source folder.
std::vector<std::string> ProductFiles(const fs::path &root)
{
    std::vector<std::string> files;
    for (const auto &[prefix, floor] : Floors) {
        const fs::path folder = root / prefix;
        if (!fs::is_directory(folder))
            continue;
        for (const auto &entry : fs::recursive_directory_iterator(folder)) {
            const std::string ext = entry.path().extension().string();
            if (entry.is_regular_file() && (ext == ".cpp" || ext == ".h"))
                files.push_back(fs::relative(entry.path(), root).generic_string());
        }
    }
    std::sort(files.begin(), files.end());
    files.erase(std::unique(files.begin(), files.end()), files.end());
    return files;
}

// The includes: each on its floor or below, the independent folders on their own; then no
// loop between modules. Returns the number of includes of the product's own files.
int CheckIncludes(const fs::path &root)
{
    const std::regex include(R"re(^\s*#\s*include\s*"([^"]+)")re");
    std::map<std::string, std::set<std::string>> edges;
    int count = 0;
    for (const std::string &file : ProductFiles(root)) {
        std::ifstream in(root / file);
        for (std::string line; std::getline(in, line);) {
            std::smatch match;
            if (!std::regex_search(line, match, include))
                continue;
            const std::string target = match[1];
            if (!fs::exists(root / target)) {
                Fault(file + " includes \"" + target + "\", which is no file of the repository");
                continue;
            }
            ++count;
            const int from = FloorOf(file), to = FloorOf(target);
            if (to < 0)
                Fault(file + " includes " + target + ", which is on no floor of the product");
            else if (to > from)
                Fault(file + " (floor " + std::to_string(from) + ") includes " + target + " (floor "
                      + std::to_string(to) + ")");
            for (const std::string &alone : Independent)
                if (file.starts_with(alone) && !target.starts_with(alone))
                    Fault(file + " includes " + target + " from outside its independent folder");
            if (ModuleOf(file) != ModuleOf(target))
                edges[ModuleOf(file)].insert(ModuleOf(target));
        }
    }
    for (const auto &loop : Loops(edges))
        Fault("these files include each other in a loop: " + Joined(loop));
    return count;
}

// The source file an object was compiled from, by CMake's naming: <build folder>/<folder of
// the target>/CMakeFiles/<target>.dir/<source from that folder>.o; empty for a generated
// source.
std::string SourceOfObject(const fs::path &root, const std::string &object)
{
    const auto files = object.find("/CMakeFiles/");
    const auto dir = object.find(".dir/", files);
    if (files == std::string::npos || dir == std::string::npos || !object.ends_with(".o"))
        return {};
    const std::string source = object.substr(dir + 5, object.size() - dir - 7);
    // The folder of the target is the end of the path before CMakeFiles, as deep as it goes.
    std::vector<std::string> folders;
    for (const auto &part : fs::path(object.substr(0, files)))
        folders.push_back(part.string());
    for (std::size_t depth = 0; depth <= folders.size(); ++depth) {
        fs::path candidate;
        for (std::size_t i = folders.size() - depth; i < folders.size(); ++i)
            candidate /= folders[i];
        candidate /= source;
        if (fs::exists(root / candidate))
            return FloorOf(candidate.generic_string()) >= 0 ? candidate.generic_string() : "";
    }
    return {};
}

// The calls between the listed objects: each on the caller's floor or below, and no loop.
// Returns the number of calling pairs.
int CheckCalls(const fs::path &root, const std::vector<std::string> &objects)
{
    std::map<std::string, std::string> definedBy;          // symbol -> source
    std::map<std::string, std::vector<std::string>> needs; // source -> undefined symbols
    std::string command = "nm -P -A";
    for (const std::string &object : objects)
        command += " '" + object + "'";
    std::unique_ptr<FILE, int (*)(FILE *)> pipe(popen(command.c_str(), "r"), pclose);
    if (!pipe) {
        Fault("cannot run nm");
        return 0;
    }
    char buffer[4096];
    while (fgets(buffer, sizeof buffer, pipe.get()) != nullptr) {
        const std::string line(buffer);
        const auto colon = line.find(": ");
        if (colon == std::string::npos)
            continue;
        const std::string source = SourceOfObject(root, line.substr(0, colon));
        std::istringstream fields(line.substr(colon + 2));
        std::string symbol, type;
        fields >> symbol >> type;
        if (source.empty() || type.size() != 1)
            continue;
        // Strong definitions only: inline functions and templates are defined (weakly) in
        // every object that uses them.
        if (type == "U")
            needs[source].push_back(symbol);
        else if (std::string("TDBR").find(type[0]) != std::string::npos)
            definedBy[symbol] = source;
    }
    std::map<std::string, std::set<std::string>> edges;
    int count = 0;
    for (const auto &[source, symbols] : needs)
        for (const std::string &symbol : symbols) {
            const auto definer = definedBy.find(symbol);
            if (definer == definedBy.end() || ModuleOf(definer->second) == ModuleOf(source)
                || !edges[ModuleOf(source)].insert(ModuleOf(definer->second)).second)
                continue;
            ++count;
            if (FloorOf(definer->second) > FloorOf(source))
                Fault(source + " calls up into " + definer->second);
        }
    for (const auto &loop : Loops(edges))
        Fault("these files call each other in a loop: " + Joined(loop));
    return count;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::cerr << "usage: floors_check SOURCE_DIR [--floors PREFIX=FLOOR,...] "
                     "[--objects LIST_FILE]...\n";
        return 2;
    }
    const fs::path root = argv[1];
    Root = root;
    std::vector<std::string> objects;
    for (int i = 2; i + 1 < argc; i += 2) {
        const std::string option = argv[i], value = argv[i + 1];
        if (option == "--floors") {
            Floors.clear();
            std::istringstream list(value);
            for (std::string entry; std::getline(list, entry, ',');) {
                const auto equals = entry.find('=');
                Floors.emplace_back(entry.substr(0, equals), std::stoi(entry.substr(equals + 1)));
            }
        } else if (option == "--objects") {
            std::ifstream in(value);
            for (std::string line; std::getline(in, line);)
                if (!line.empty())
                    objects.push_back(line);
        } else {
            std::cerr << "floors_check: unknown option " << option << '\n';
            return 2;
        }
    }
    const int includes = CheckIncludes(root);
    const int calls = objects.empty() ? 0 : CheckCalls(root, objects);
    std::cout << includes << " includes of the product's own files, " << objects.size()
              << " objects with " << calls << " calling pairs: " << Faults << " faults\n";
    return Faults == 0 ? 0 : 1;
}

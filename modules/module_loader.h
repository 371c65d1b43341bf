// The writers that need large libraries (the spreadsheet library, Qt's printing) live in
// modules of their own, loaded the first time a user prints or exports: a quick estimate
// from the command line or the main window's start would otherwise load them for nothing.
// This finds such a module of the program's own and its one exported function.
#pragma once

#include <string>
#include <string_view>

namespace rq {

// Where the program's modules are: beside the build's programs while they run from the
// build tree, else in the installed library folder next to the program's own folder.
// Never both, so that an installed program cannot pick up a build's module.
std::string ModuleFolder();

// Loads `fileName` ("librenoquote_xlsx.so") from ModuleFolder() for the rest of the run and
// returns the address of its exported function `entryName`. nullptr when the module is
// missing or cannot load; `problem` then says so in Chinese, naming the module by `role`
// ("输出电子表格的模块") and its path.
void* LoadModuleEntry(std::string_view fileName, const char* entryName, std::string_view role, std::string& problem);

// What a module hands out through its entry (a function `Function (*)()`), or the problem.
template <typename Function>
struct ModuleFunction {
    Function function = nullptr;
    std::string problem;
};

template <typename Function>
ModuleFunction<Function> LoadModuleFunction(std::string_view fileName, const char* entryName, std::string_view role)
{
    ModuleFunction<Function> loaded;
    if (void* entry = LoadModuleEntry(fileName, entryName, role, loaded.problem))
        loaded.function = reinterpret_cast<Function (*)()>(entry)();
    return loaded;
}

}  // namespace rq

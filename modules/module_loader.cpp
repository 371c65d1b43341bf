#include "modules/module_loader.h"

#include <dlfcn.h>

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace rq {

namespace fs = std::filesystem;

std::string ModuleFolder()
{
    std::error_code error;
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    if (error)
        return RENOQUOTE_MODULE_BUILD_DIR;
    const fs::path build = fs::weakly_canonical(RENOQUOTE_BUILD_DIR, error);
    const bool inBuild = std::mismatch(build.begin(), build.end(), program.begin(), program.end()).first == build.end();
    if (!error && inBuild)
        return RENOQUOTE_MODULE_BUILD_DIR;
    return (program.parent_path().parent_path() / RENOQUOTE_MODULE_INSTALL_DIR).string();
}

void* LoadModuleEntry(std::string_view fileName, const char* entryName, std::string_view role, std::string& problem)
{
    const std::string path = (fs::path(ModuleFolder()) / fileName).string();
    std::error_code error;
    if (!fs::exists(path, error)) {
        problem = "找不到" + std::string(role) + " " + path;
        return nullptr;
    }
    // Stays loaded for the rest of the run: what it hands out is used again and again.
    void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    void* entry = module ? dlsym(module, entryName) : nullptr;
    if (entry == nullptr) {
        const char* reason = dlerror();
        problem = std::string(role) + " " + path + " 无法载入：" + (reason ? reason : entryName);
    }
    return entry;
}

}  // namespace rq

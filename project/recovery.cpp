#include "project/recovery.h"

#include <charconv>

namespace rq {
namespace {

constexpr std::string_view kPrefix = "recovery-";
constexpr std::string_view kSuffix = ".renoquote";

}  // namespace

std::optional<std::string> RecoveryFolder(const char* stateHome, const char* home)
{
    if (stateHome && stateHome[0] == '/')
        return std::string(stateHome) + "/renoquote";
    if (home && home[0] == '/')
        return std::string(home) + "/.local/state/renoquote";
    return std::nullopt;
}

std::string RecoveryFileName(long pid)
{
    return std::string(kPrefix) + std::to_string(pid) + std::string(kSuffix);
}

std::optional<long> RecoveryFileProcess(std::string_view fileName)
{
    if (!fileName.starts_with(kPrefix) || !fileName.ends_with(kSuffix))
        return std::nullopt;
    const std::string_view digits = fileName.substr(kPrefix.size(), fileName.size() - kPrefix.size() - kSuffix.size());
    long pid = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), pid);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size() || pid <= 0)
        return std::nullopt;
    return pid;
}

}  // namespace rq

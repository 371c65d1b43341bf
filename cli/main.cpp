// renoquote-cli: the quote engine and the quick estimate without a window, for scripts
// and for tests that need no display.
#include <cerrno>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "files/file_errors.h"

namespace {

constexpr const char* kUsage = "用法: renoquote-cli quote [选项] [房间文件]    按房间逐项计算详细报价单\n"
                               "      renoquote-cli estimate [选项]            按房间数量和面积快速估算\n"
                               "      renoquote-cli compare [选项] 房间文件    各装修类型的半包和全包总价对比\n"
                               "      renoquote-cli prices export|check ...    写出默认价格表，检查价格表文件\n"
                               "每个子命令的说明: renoquote-cli 子命令 --help\n";

int RunCommand(const std::vector<std::string>& args)
{
    const std::string& command = args.front();
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (command == "quote")
        return rq::cli::RunQuoteCommand(rest, std::cout, std::cerr);
    if (command == "estimate")
        return rq::cli::RunEstimateCommand(rest, std::cout, std::cerr);
    if (command == "compare")
        return rq::cli::RunCompareCommand(rest, std::cout, std::cerr);
    if (command == "--version") {
        std::cout << "renoquote-cli " RENOQUOTE_VERSION "\n";
        return 0;
    }
    if (command == "prices")
        return rq::cli::RunPricesCommand(rest, std::cout, std::cerr);
    if (command == "--help" || command == "-h" || command == "help") {
        std::cout << kUsage;
        return 0;
    }
    std::cerr << "renoquote-cli: 未知的子命令 " << command << "\n";
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    if (argc < 2) {
        std::cerr << kUsage;
        return 2;
    }
    // A script must be able to trust the status: output that did not reach its file (a
    // full disk, a closed pipe) is a failure, and nothing leaves as an abort.
    try {
        errno = 0;
        int status = RunCommand(std::vector<std::string>(argv + 1, argv + argc));
        // A write that failed while the command ran left the stream bad and its reason in
        // errno; the flush below then writes nothing and would lose it.
        const int earlier = std::cout.good() ? 0 : errno;
        errno = 0;
        if (!std::cout.flush()) {
            const int error = errno != 0 ? errno : earlier;
            std::cerr << "renoquote-cli: 无法写出结果"
                      << (error != 0 ? "：" + rq::FileErrorText(error, rq::FileAccess::Write) : std::string()) << "\n";
            status = 1;
        }
        return status;
    } catch (const std::exception& problem) {
        std::cerr << "renoquote-cli: " << problem.what() << "\n";
        return 1;
    }
}

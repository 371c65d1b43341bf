// renoquote-cli: the quote engine and the quick estimate without a window, for scripts
// and for tests that need no display.
#include <iostream>
#include <string>
#include <vector>

#include "cli/commands.h"

namespace {

constexpr const char* kUsage =
    "用法: renoquote-cli quote [选项] [房间文件]    按房间逐项计算详细报价单\n"
    "      renoquote-cli estimate [选项]            按房间数量和面积快速估算\n"
    "每个子命令的说明: renoquote-cli 子命令 --help\n";

}  // namespace

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    if (argc < 2) {
        std::cerr << kUsage;
        return 2;
    }
    const std::string command = argv[1];
    const std::vector<std::string> args(argv + 2, argv + argc);
    if (command == "quote")
        return rq::cli::RunQuoteCommand(args, std::cin, std::cout, std::cerr);
    if (command == "estimate")
        return rq::cli::RunEstimateCommand(args, std::cout, std::cerr);
    if (command == "--help" || command == "-h" || command == "help") {
        std::cout << kUsage;
        return 0;
    }
    std::cerr << "renoquote-cli: 未知的子命令 " << command << "\n";
    return 2;
}

#include <ostream>

#include "cli/commands.h"

namespace rq::cli {

int RunQuoteCommand(const std::vector<std::string>&, std::istream&, std::ostream&, std::ostream& err)
{
    err << "renoquote-cli quote: 尚未完成\n";
    return 2;
}

}  // namespace rq::cli

#include <ostream>

#include "cli/commands.h"

namespace rq::cli {

int RunEstimateCommand(const std::vector<std::string>&, std::ostream&, std::ostream& err)
{
    err << "renoquote-cli estimate: 尚未完成\n";
    return 2;
}

}  // namespace rq::cli

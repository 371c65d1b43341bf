// The subcommands of renoquote-cli; each takes the arguments after its own name and
// returns the exit status (0 done, 1 a file could not be read or written, 2 refused input
// or bad usage).
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace rq::cli {

int RunQuoteCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunEstimateCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
// compare: every grade in both packages for one list of rooms, with the quick estimate.
int RunCompareCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// export writes the built-in price book; check lists every problem of a price-book file.
int RunPricesCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace rq::cli

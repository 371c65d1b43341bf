#include "app/package_text.h"

namespace rq {

namespace {

Text& packageText()
{
    static Text text;
    return text;
}

}  // namespace

const Text& PackageText() { return packageText(); }

void SetPackageText(std::string_view package) { packageText() = Text(package); }

void ReleasePackageText() { Text().swap(packageText()); }

}  // namespace rq

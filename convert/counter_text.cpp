#include "convert/counter_text.h"

#include "convert/encoding.h"

namespace rq {
namespace {

constexpr std::string_view kTitleBefore = "汀湖装饰公司装修报价评估工具-------已帮助";
constexpr std::string_view kBrandBefore = "已帮助";
constexpr std::string_view kAfterCount = "位业主预算过报价";

}  // namespace

std::optional<CounterTexts> CounterTextsFromFile(std::string_view fileBytes)
{
    // Cut at the zero byte first: it can never sit inside a GBK character.
    const Text count = GbkToUtf8(BytesToText(fileBytes));
    if (count.empty())
        return std::nullopt;
    CounterTexts texts;
    texts.title.append(kTitleBefore).append(count).append(kAfterCount);
    texts.brandLine.append(kBrandBefore).append(count).append(kAfterCount);
    return texts;
}

}  // namespace rq

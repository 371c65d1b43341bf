#include "sheet/item_notes.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace rq {
namespace {

struct RemarkCase {
    std::string_view itemName;
    std::optional<std::string_view> remark;
};

TEST(ItemNotes, RemarkOfAClickedItem)
{
    constexpr std::string_view putty =
        "1、环保腻子粉三遍。2、门窗洞口减半计算，固定家具被拦部位按实际面积减除计算。3、原墙顶面的铲除及糙油加8元/平米。";
    const RemarkCase cases[] = {
        {"顶面批腻子", putty},
        {"墙面批腻子", putty},
        {"艺术吊顶", "1、木龙骨结构、石膏板饰面  或 壁纸等"},
        {"材料搬运费", "1、装修材料从楼下搬至楼上人工费。2、三楼以下按2%收取，顶楼复式按4%收取，其它楼层按3%收取。"},
        {"包水管", "1、红砖封闭，水泥找平。"},
        // Every door is a finished door, typed names too.
        {"实木门", "成品门"},
        {"推拉门", "成品门"},
        {"门", "成品门"},
        {"我家的门", "成品门"},
        {"封门头", std::nullopt},
        {"门套", std::nullopt},
        {"工程管理费", std::nullopt},
        {"地砖铺贴 ", std::nullopt},
        {"", std::nullopt},
    };
    for (const RemarkCase& c : cases)
        EXPECT_EQ(ItemRemark(c.itemName), c.remark) << c.itemName;
    EXPECT_EQ(ItemRemark("地砖铺贴"), ItemRemark("墙砖铺贴"));
    EXPECT_TRUE(ItemRemark("地砖铺贴")->ends_with("5、地砖大于800mm*800mm另加5元/平米。"));
}

TEST(ItemNotes, EveryListedExtraWorkHasAPriceExceptCasingsAndTiling)
{
    constexpr std::string_view priceless[] = {"双包门套", "墙地砖铺贴", "单包门套"};
    ASSERT_EQ(AddItemNames().size(), 18U);
    for (const std::string_view name : AddItemNames()) {
        const bool hasNone = std::ranges::find(priceless, name) != std::ranges::end(priceless);
        EXPECT_EQ(DefaultUnitPrice(name).has_value(), !hasNone) << name;
    }
    EXPECT_EQ(AddItemNames().front(), "铲墙面");
    EXPECT_EQ(AddItemNames().back(), "单包门套");
    EXPECT_NE(std::ranges::find(AddItemNames(), kAddItemInitialName), AddItemNames().end());
}

TEST(ItemNotes, PickingItemsOneAfterAnother)
{
    struct PickCase {
        std::initializer_list<std::string_view> picks;
        std::string_view price;
    };
    const PickCase cases[] = {
        {{}, "98"},
        {{"清水漆"}, "44.5"},
        {{"工艺鞋柜", "双包门套"}, "550"},
        {{"铲墙面", "墙地砖铺贴", "单包门套"}, "8"},
        {{"双包门套"}, "98"},
        {{"包水管"}, "75"},
        {{"石膏板吊顶", "铝扣板吊顶", "电视背景墙"}, "850"},
    };
    for (const PickCase& c : cases) {
        std::string_view price = kAddItemInitialUnitPrice;
        for (const std::string_view pick : c.picks) {
            if (const auto found = DefaultUnitPrice(pick))
                price = *found;
        }
        EXPECT_EQ(price, c.price) << (c.picks.size() ? *c.picks.begin() : "none");
    }
    EXPECT_EQ(DefaultUnitPrice("清水漆 "), std::nullopt);
    // The dialog offers the quote's own book's prices, not the company's.
    PriceBook dearer = BuiltInPriceBook();
    dearer.SetHundredths(*dearer.IndexOf(kExtraWorksSection, "清水漆", 0), 5000);
    EXPECT_EQ(DefaultUnitPrice("清水漆", dearer), "50");
}

TEST(ItemNotes, DialogListsInTheirOrder)
{
    const std::string_view quantities[] = {"1", "2", "5", "10", "20", "50", "100"};
    const std::string_view prices[] = {"10", "20", "50", "100", "200", "500", "1000", "2000"};
    EXPECT_TRUE(std::ranges::equal(AddItemQuantities(), quantities));
    EXPECT_TRUE(std::ranges::equal(AddItemUnitPrices(), prices));
}

}  // namespace
}  // namespace rq

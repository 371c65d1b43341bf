#include "sheet/item_notes.h"

namespace rq {

namespace {

struct Remark {
    std::string_view itemName;
    std::string_view text;
};

constexpr std::string_view kPuttyRemark =
    "1、环保腻子粉三遍。2、门窗洞口减半计算，固定家具被拦部位按实际面积减除计算。3、原墙顶面的铲除及糙油加8元/平米。";
constexpr std::string_view kTilingRemark =
    "1、甲供主材，若乙供主材，另签代购协议。2、含人工费32.5号大厂水泥、黄沙、等辅材。3，被遮部分减半计算。4、条形砖或异形砖"
    "（菱形、拼花等）另增加15/平米。5、地砖大于800mm*800mm另加5元/平米。";

constexpr Remark kRemarks[] = {
    {"顶面批腻子", kPuttyRemark},
    {"墙面批腻子", kPuttyRemark},
    {"墙顶面乳胶漆",
     "1、多乐士家丽胺静味两遍（彩色另计）。2、每增加一色，加入人工调色2元/平米，电脑调色8元/平米。3、门窗洞口减半计算，固定家具被拦"
     "部位按实际面积减除计算。"},
    {"地砖铺贴", kTilingRemark},
    {"墙砖铺贴", kTilingRemark},
    {"鞋柜制作", "1、木工板结构、面板饰面、实木线收边"},
    {"衣柜制作",
     "1、精裕森E1级高级细杉集成板骨架，饰面板饰面，九厘板做背板。2、柜体深度不大于600mm，竖向立板间距不小于450mm，隔板竖向少于4"
     "层，每米含一个抽屉，3、柜体深度超过600mm，每平米加60元。4、不含五金件。"},
    {"玄关制作", "1、木工板结构、石膏板饰面、含玻璃等"},
    {"酒架", "1、裕森木工板骨架，饰面板饰面。2、特殊造型另计。3、不含五金件、珠帘、马赛克、及玻璃。4、柜体深度超过600mm，每平米加60元。"},
    {"包水管", "1、红砖封闭，水泥找平。"},
    {"局部吊顶", "1、轻钢龙骨结构、石膏板饰面"},
    {"艺术吊顶", "1、木龙骨结构、石膏板饰面  或 壁纸等"},
    {"防水工程", "1、华亚弹性防水"},
    {"材料搬运费", "1、装修材料从楼下搬至楼上人工费。2、三楼以下按2%收取，顶楼复式按4%收取，其它楼层按3%收取。"},
    {"垃圾清理费用", "1、装修垃圾从楼上搬至物业指垃圾堆放点人工费，不包括外运费。"},
};

// Doors are bought finished, whatever their kind; the door rows carry the door type as name.
constexpr std::string_view kDoorSuffix = "门";
constexpr std::string_view kDoorRemark = "成品门";

constexpr std::string_view kAddItemNames[] = {
    "铲墙面", "双包门套", "工艺鞋柜", "石膏板吊顶", "鞋柜隔断制作", "墙体拆除", "粉缺口",     "墙地砖铺贴", "包水管",
    "封门头", "清水漆",   "防水工程", "无门衣柜",   "有门吊柜",     "地面找平", "电视背景墙", "铝扣板吊顶", "单包门套",
};
constexpr std::string_view kAddItemQuantities[] = {"1", "2", "5", "10", "20", "50", "100"};
constexpr std::string_view kAddItemUnitPrices[] = {"10", "20", "50", "100", "200", "500", "1000", "2000"};

}  // namespace

std::optional<std::string_view> ItemRemark(std::string_view itemName)
{
    for (const Remark& remark : kRemarks) {
        if (remark.itemName == itemName)
            return remark.text;
    }
    if (itemName.ends_with(kDoorSuffix))
        return kDoorRemark;
    return std::nullopt;
}

std::optional<std::string_view> DefaultUnitPrice(std::string_view itemName, const PriceBook& book)
{
    if (const std::optional<std::size_t> index = book.IndexOf(kExtraWorksSection, itemName, 0))
        return book.at(*index).price;
    return std::nullopt;
}

std::span<const std::string_view> AddItemNames() { return kAddItemNames; }
std::span<const std::string_view> AddItemQuantities() { return kAddItemQuantities; }
std::span<const std::string_view> AddItemUnitPrices() { return kAddItemUnitPrices; }

}  // namespace rq

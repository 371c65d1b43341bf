#include "ui/document_language.h"

#include <QCoreApplication>

#include "ui/interface_language.h"

namespace rq {

namespace {

// The fixed words the document builders write, listed for the catalogue: the builders are
// in the core and speak Chinese, the command line's documents included.
[[maybe_unused]] constexpr const char* kDocumentWords[] = {
    QT_TRANSLATE_NOOP("QuoteDocument", "半包装修详细报价"),
    QT_TRANSLATE_NOOP("QuoteDocument", "全包装修详细报价"),
    QT_TRANSLATE_NOOP("QuoteDocument", "快速预算报价"),
    QT_TRANSLATE_NOOP("QuoteDocument", "方案对比"),
    QT_TRANSLATE_NOOP("QuoteDocument", "序号"),
    QT_TRANSLATE_NOOP("QuoteDocument", "项目名称"),
    QT_TRANSLATE_NOOP("QuoteDocument", "单位"),
    QT_TRANSLATE_NOOP("QuoteDocument", "数量"),
    QT_TRANSLATE_NOOP("QuoteDocument", "单价"),
    QT_TRANSLATE_NOOP("QuoteDocument", "总计"),
    QT_TRANSLATE_NOOP("QuoteDocument", "说明"),
    QT_TRANSLATE_NOOP("QuoteDocument", "房屋类型"),
    QT_TRANSLATE_NOOP("QuoteDocument", "长*宽*高"),
    QT_TRANSLATE_NOOP("QuoteDocument", "窗户"),
    QT_TRANSLATE_NOOP("QuoteDocument", "门"),
    QT_TRANSLATE_NOOP("QuoteDocument", "扇数"),
    QT_TRANSLATE_NOOP("QuoteDocument", "墙面数"),
    QT_TRANSLATE_NOOP("QuoteDocument", "项目"),
    QT_TRANSLATE_NOOP("QuoteDocument", "金额（元）"),
    QT_TRANSLATE_NOOP("QuoteDocument", "客户："),
    QT_TRANSLATE_NOOP("QuoteDocument", "地址："),
    QT_TRANSLATE_NOOP("QuoteDocument", "电话："),
    QT_TRANSLATE_NOOP("QuoteDocument", "报价单号："),
    QT_TRANSLATE_NOOP("QuoteDocument", "有效期："),
    QT_TRANSLATE_NOOP("QuoteDocument", "备注："),
    QT_TRANSLATE_NOOP("QuoteDocument", "价格表："),
    QT_TRANSLATE_NOOP("QuoteDocument", "日期："),
    QT_TRANSLATE_NOOP("QuoteDocument", "第 %1 页 共 %2 页"),
    QT_TRANSLATE_NOOP("QuoteDocument", "装修类型："),
    QT_TRANSLATE_NOOP("QuoteDocument", "承包方式："),
    QT_TRANSLATE_NOOP("QuoteDocument", "客餐厅地面："),
    QT_TRANSLATE_NOOP("QuoteDocument", "户型："),
    QT_TRANSLATE_NOOP("QuoteDocument", "实际面积："),
    QT_TRANSLATE_NOOP("QuoteDocument", "所选方案："),
    QT_TRANSLATE_NOOP("QuoteDocument", "客餐厅铺："),
    QT_TRANSLATE_NOOP("QuoteDocument", "房屋："),
    QT_TRANSLATE_NOOP("QuoteDocument", "各方案总价"),
    QT_TRANSLATE_NOOP("QuoteDocument", "元"),
    QT_TRANSLATE_NOOP("QuoteDocument", "业主签字：____________________    日期：______________"),
    QT_TRANSLATE_NOOP("QuoteDocument", "公司盖章：____________________    日期：______________"),
};

// A word the catalogue knows, in the interface language; any other text as it stands.
void follow(Text& text)
{
    if (!text.empty())
        text = QCoreApplication::translate("QuoteDocument", text.c_str()).toStdString();
}

void follow(std::vector<Text>& texts)
{
    for (Text& text : texts)
        follow(text);
}

void follow(std::vector<DocumentField>& fields)
{
    for (DocumentField& field : fields)
        follow(field.label);
}

}  // namespace

void FollowInterfaceLanguage(QuoteDocument& document)
{
    if (currentInterfaceLanguage() == InterfaceLanguage::Chinese)
        return;
    follow(document.title);
    follow(document.dateLabel);
    follow(document.pageFoot);
    follow(document.details);
    follow(document.basis);
    follow(document.rooms.heads);
    follow(document.figures.heads);
    follow(document.signatureLines);
    // The comparison's columns are headed by the grades' names, which the catalogue leaves
    // as the grades are called everywhere in the quote.
    follow(document.columnHeads);
    if (document.chart) {
        follow(document.chart->title);
        follow(document.chart->valueAxis);
    }
}

}  // namespace rq

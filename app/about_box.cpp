#include "app/about_box.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QtGlobal>
#include <curl/curl.h>

#include "project/project_file.h"
#include "qtcore/qt_text.h"

namespace rq {

QString programName()
{
    // The core's kProgramChineseName, as the windows call the program.
    return QCoreApplication::translate("AboutBox", "装修报价评估工具");
}

QString aboutText()
{
    return QCoreApplication::translate("AboutBox",
        "<h3>%5 %1</h3>"
        "<p>%5：快速估算，或按房间逐项计算、修改详细报价单，并保存为项目。</p>"
        "<p>本程序由青禾空间装饰免费提供给业主使用；报价仅供参考。</p>"
        "<p>本程序是自由软件：可以按自由软件基金会发布的 GNU 通用公共许可证第 3 版，"
        "或（由您选择）任何更新的版本，再发布和修改本程序（GPL-3.0-or-later）。"
        "发布本程序是希望它有用，但不提供任何担保。许可证全文随程序附带"
        "（LICENSE；Debian 系统上在 /usr/share/common-licenses/GPL-3）。</p>"
        "<p>本程序使用了以下程序库，各按其许可证使用：</p>"
        "<ul>"
        "<li>Qt %2 — GNU LGPL 第 3 版</li>"
        "<li>%3 — curl 许可证（MIT 类）</li>"
        "<li>%4 — MIT 许可证</li>"
        "<li>libxlsxwriter（导出 XLSX）— BSD 类许可证</li>"
        "<li>Qt WebEngine（若已安装）— GNU LGPL 第 3 版，其中的 Chromium 为 BSD 类许可证</li>"
        "</ul>")
        .arg(QStringLiteral(RENOQUOTE_VERSION), QString::fromLatin1(qVersion()),
            // The version built against: the library itself is loaded only for a download.
            QStringLiteral("libcurl " LIBCURL_VERSION), toQString(ProjectLibraryName()), programName());
}

void showAboutBox(QWidget* parent)
{
    QMessageBox::about(parent, QCoreApplication::translate("AboutBox", "关于") + programName(), aboutText());
}

} // namespace rq

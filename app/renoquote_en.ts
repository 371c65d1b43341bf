<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>AboutBox</name>
    <message>
        <source>装修报价评估工具</source>
        <translation>Renovation Quote Estimator</translation>
    </message>
    <message>
        <source>&lt;h3&gt;%5 %1&lt;/h3&gt;&lt;p&gt;%5：快速估算，或按房间逐项计算、修改详细报价单，并保存为项目。&lt;/p&gt;&lt;p&gt;本程序由青禾空间装饰免费提供给业主使用；报价仅供参考。&lt;/p&gt;&lt;p&gt;本程序是自由软件：可以按自由软件基金会发布的 GNU 通用公共许可证第 3 版，或（由您选择）任何更新的版本，再发布和修改本程序（GPL-3.0-or-later）。发布本程序是希望它有用，但不提供任何担保。许可证全文随程序附带（LICENSE；Debian 系统上在 /usr/share/common-licenses/GPL-3）。&lt;/p&gt;&lt;p&gt;本程序使用了以下程序库，各按其许可证使用：&lt;/p&gt;&lt;ul&gt;&lt;li&gt;Qt %2 — GNU LGPL 第 3 版&lt;/li&gt;&lt;li&gt;%3 — curl 许可证（MIT 类）&lt;/li&gt;&lt;li&gt;%4 — MIT 许可证&lt;/li&gt;&lt;li&gt;libxlsxwriter（导出 XLSX）— BSD 类许可证&lt;/li&gt;&lt;li&gt;Qt WebEngine（若已安装）— GNU LGPL 第 3 版，其中的 Chromium 为 BSD 类许可证&lt;/li&gt;&lt;/ul&gt;</source>
        <translation>&lt;h3&gt;%5 %1&lt;/h3&gt;&lt;p&gt;%5: a quick estimate, or a detailed quote sheet priced room by room, edited and saved as a project.&lt;/p&gt;&lt;p&gt;Provided free to home owners by Qinghe Space Decoration; quotes are for reference only.&lt;/p&gt;&lt;p&gt;This program is free software: you can redistribute it and/or modify it under the terms of the GNU General Public License as published by the Free Software Foundation, either version 3 of the License, or (at your option) any later version (GPL-3.0-or-later). It is distributed in the hope that it will be useful, but WITHOUT ANY WARRANTY. The full licence comes with the program (LICENSE; on Debian in /usr/share/common-licenses/GPL-3).&lt;/p&gt;&lt;p&gt;Libraries used, each under its own licence:&lt;/p&gt;&lt;ul&gt;&lt;li&gt;Qt %2 — GNU LGPL version 3&lt;/li&gt;&lt;li&gt;%3 — curl licence (MIT-style)&lt;/li&gt;&lt;li&gt;%4 — MIT licence&lt;/li&gt;&lt;li&gt;libxlsxwriter (XLSX export) — BSD-style licence&lt;/li&gt;&lt;li&gt;Qt WebEngine (if installed) — GNU LGPL version 3, its Chromium under BSD-style licences&lt;/li&gt;&lt;/ul&gt;</translation>
    </message>
    <message>
        <source>关于</source>
        <translation>About </translation>
    </message>
</context>
<context>
    <name>AddItemDialog</name>
    <message>
        <source>添加项目</source>
        <translation>Add item</translation>
    </message>
    <message>
        <source>项目名称：</source>
        <translation>Item:</translation>
    </message>
    <message>
        <source>数   量：</source>
        <translation>Qty:</translation>
    </message>
    <message>
        <source>单   价：</source>
        <translation>Price:</translation>
    </message>
    <message>
        <source>项目名称</source>
        <translation>Item</translation>
    </message>
    <message>
        <source>数量</source>
        <translation>Qty</translation>
    </message>
    <message>
        <source>单价</source>
        <translation>Unit price</translation>
    </message>
    <message>
        <source>确定添加</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>BrowserView</name>
    <message>
        <source>&lt;!DOCTYPE html&gt;&lt;html&gt;&lt;head&gt;&lt;meta charset=&quot;utf-8&quot;&gt;&lt;title&gt;载入失败&lt;/title&gt;&lt;/head&gt;&lt;body style=&quot;margin:0&quot;&gt;&lt;div style=&quot;position:absolute;left:%1px;top:%2px;width:%3px;height:%4px;display:flex;flex-direction:column;align-items:center;justify-content:center;font-family:sans-serif;font-size:14px;color:#333&quot;&gt;&lt;p style=&quot;font-size:16px;font-weight:bold&quot;&gt;网页载入失败&lt;/p&gt;&lt;p&gt;无法打开这个网页，请检查网络连接后再试。&lt;/p&gt;&lt;p style=&quot;word-break:break-all;max-width:90%&quot;&gt;%5&lt;/p&gt;&lt;p&gt;&lt;a href=&quot;%6&quot;&gt;重试&lt;/a&gt;&lt;/p&gt;&lt;/div&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;!DOCTYPE html&gt;&lt;html&gt;&lt;head&gt;&lt;meta charset=&quot;utf-8&quot;&gt;&lt;title&gt;Load failed&lt;/title&gt;&lt;/head&gt;&lt;body style=&quot;margin:0&quot;&gt;&lt;div style=&quot;position:absolute;left:%1px;top:%2px;width:%3px;height:%4px;display:flex;flex-direction:column;align-items:center;justify-content:center;font-family:sans-serif;font-size:14px;color:#333&quot;&gt;&lt;p style=&quot;font-size:16px;font-weight:bold&quot;&gt;The page did not load&lt;/p&gt;&lt;p&gt;The page could not be opened. Check the network connection and try again.&lt;/p&gt;&lt;p style=&quot;word-break:break-all;max-width:90%&quot;&gt;%5&lt;/p&gt;&lt;p&gt;&lt;a href=&quot;%6&quot;&gt;Retry&lt;/a&gt;&lt;/p&gt;&lt;/div&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;a href=&quot;open&quot;&gt;在浏览器中打开&lt;/a&gt;</source>
        <translation>&lt;a href=&quot;open&quot;&gt;Open in browser&lt;/a&gt;</translation>
    </message>
</context>
<context>
    <name>ComparisonWindow</name>
    <message>
        <source>半包 工程总造价</source>
        <translation>Half: total</translation>
    </message>
    <message>
        <source>与所选相差</source>
        <translation>vs. chosen</translation>
    </message>
    <message>
        <source>全包 全包总价格</source>
        <translation>Full: total</translation>
    </message>
    <message>
        <source>快速估算 半包</source>
        <translation>Estimate, half</translation>
    </message>
    <message>
        <source>快速估算 全包</source>
        <translation>Estimate, full</translation>
    </message>
    <message>
        <source>双击一个方案，打开它的详细报价单</source>
        <translation>Double-click an option to open its detailed quote sheet</translation>
    </message>
    <message>
        <source>各方案的钱花在哪里(元)：</source>
        <translation>Where the money goes in each option (yuan):</translation>
    </message>
    <message>
        <source>打印(&amp;P)…</source>
        <translation>&amp;Print…</translation>
    </message>
    <message>
        <source>预览并打印方案对比 (Ctrl+P)</source>
        <translation>Preview and print the comparison (Ctrl+P)</translation>
    </message>
    <message>
        <source>导出(&amp;E)…</source>
        <translation>&amp;Export…</translation>
    </message>
    <message>
        <source>把方案对比存为 PDF、Excel 或 CSV 文件</source>
        <translation>Save the comparison as a PDF, Excel or CSV file</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>正在计算 %1 个房间的十种方案…</source>
        <translation>Computing ten options for %1 rooms…</translation>
    </message>
    <message>
        <source>%1 个房间，客餐厅铺%2，价格表「%3」。双击一个方案打开它的详细报价单。</source>
        <translation>%1 rooms, living room floor: %2, price book &quot;%3&quot;. Double-click an option to open its detailed quote sheet.</translation>
    </message>
    <message>
        <source>地板</source>
        <translation>Wood</translation>
    </message>
    <message>
        <source>瓷砖</source>
        <translation>Tiles</translation>
    </message>
    <message>
        <source>当前方案</source>
        <translation>Chosen</translation>
    </message>
    <message>
        <source>合计</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>至少要添加1房间！</source>
        <translation>Add at least one room first.</translation>
    </message>
</context>
<context>
    <name>ContactWindow</name>
    <message>
        <source>我要做精确报价以及设计</source>
        <translation>Exact quote and design</translation>
    </message>
    <message>
        <source>精确报价请联系我们：（限汀湖）</source>
        <translation>For an exact quote, contact us (Tinghu only):</translation>
    </message>
    <message>
        <source>在线客服</source>
        <translation>Online chat</translation>
    </message>
    <message>
        <source>打开与设计师在线交谈的页面</source>
        <translation>Open the page for chatting with a designer</translation>
    </message>
    <message>
        <source>预约设计师：
0123-4567890</source>
        <translation>Book a designer:
0123-4567890</translation>
    </message>
    <message>
        <source>网址：</source>
        <translation>Web:</translation>
    </message>
    <message>
        <source>优惠活动</source>
        <translation>Offers</translation>
    </message>
    <message>
        <source>案例欣赏</source>
        <translation>Our work</translation>
    </message>
</context>
<context>
    <name>DocumentActions</name>
    <message>
        <source>PDF 文件 (*.pdf)</source>
        <translation>PDF file (*.pdf)</translation>
    </message>
    <message>
        <source>Excel 工作簿 (*.xlsx)</source>
        <translation>Excel workbook (*.xlsx)</translation>
    </message>
    <message>
        <source>CSV 文件，UTF-8 (*.csv)</source>
        <translation>CSV file, UTF-8 (*.csv)</translation>
    </message>
    <message>
        <source>打印…</source>
        <translation>Print…</translation>
    </message>
    <message>
        <source>预览并打印%1 (Ctrl+P)</source>
        <translation>Preview and print the %1 (Ctrl+P)</translation>
    </message>
    <message>
        <source>导出…</source>
        <translation>Export…</translation>
    </message>
    <message>
        <source>把%1存为 PDF、Excel 或 CSV 文件</source>
        <translation>Save the %1 as a PDF, Excel or CSV file</translation>
    </message>
    <message>
        <source>无法打印（%1）</source>
        <translation>Cannot print (%1)</translation>
    </message>
    <message>
        <source>正在排版打印的页面…</source>
        <translation>Laying out the pages…</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>打印</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>导出报价</source>
        <translation>Export quote</translation>
    </message>
    <message>
        <source>正在导出 %1 …</source>
        <translation>Exporting %1 …</translation>
    </message>
    <message>
        <source>导出</source>
        <translation>Export</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>详细报价&gt;&gt;</source>
        <translation>Details &gt;&gt;</translation>
    </message>
    <message>
        <source>估算报价&lt;&lt;</source>
        <translation>Estimate &lt;&lt;</translation>
    </message>
    <message>
        <source>带“*”号的必填。
因为没有牵涉到设计，所以本软件做出的报价仅供参考。本报价由汀南青禾空间装饰提供。如果您需要做出具体的设计、以及报价，请登陆官方网址  </source>
        <translation>Fields marked * are required.
Without a design, quotes are for reference only. For a design and an exact quote, visit  </translation>
    </message>
    <message>
        <source>  或点击上面的在线客服。</source>
        <translation>  or Online chat.</translation>
    </message>
    <message>
        <source>快速估算报价</source>
        <translation>Quick estimate</translation>
    </message>
    <message>
        <source>按房间做详细报价</source>
        <translation>Detailed quote room by room</translation>
    </message>
    <message>
        <source>打开家装小工具</source>
        <translation>Open the home tools</translation>
    </message>
    <message>
        <source>添加房间</source>
        <translation>Add room</translation>
    </message>
    <message>
        <source>修改选中的房间</source>
        <translation>Modify the selected room</translation>
    </message>
    <message>
        <source>删除选中的房间</source>
        <translation>Delete the selected room</translation>
    </message>
    <message>
        <source>半包装修详细报价</source>
        <translation>Half-package detailed quote</translation>
    </message>
    <message>
        <source>全包装修详细报价</source>
        <translation>Full-package detailed quote</translation>
    </message>
    <message>
        <source>这张%1报价单算好以后，房间、装修类型或地面改过了。
</source>
        <translation>The rooms, grade or floor changed after this %1 quote sheet was computed.
</translation>
    </message>
    <message>
        <source>这张报价单用的是价格表“%1”，新报价选用的是“%2”。
</source>
        <translation>This quote sheet uses the price book &quot;%1&quot;; new quotes use &quot;%2&quot;.
</translation>
    </message>
    <message>
        <source>要按现在的房间和“%1”重新计算吗？</source>
        <translation>Recompute with the rooms as they are now and &quot;%1&quot;? </translation>
    </message>
    <message>
        <source>要按现在的房间重新计算吗？</source>
        <translation>Recompute with the rooms as they are now? </translation>
    </message>
    <message>
        <source>原报价单及其中的修改将被丢弃。</source>
        <translation>The old quote sheet and its edits will be discarded.</translation>
    </message>
    <message>
        <source>重新计算(&amp;R)</source>
        <translation>&amp;Recompute</translation>
    </message>
    <message>
        <source>打开原来的报价单(&amp;O)</source>
        <translation>&amp;Open the old sheet</translation>
    </message>
    <message>
        <source>取消(&amp;C)</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>计算%1报价</source>
        <translation>Compute %1 quote</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>改为毫米(&amp;M)</source>
        <translation>Use &amp;millimetres</translation>
    </message>
    <message>
        <source>按原样(&amp;A)</source>
        <translation>Keep &amp;as typed</translation>
    </message>
    <message>
        <source>修改房间</source>
        <translation>Modify room</translation>
    </message>
    <message>
        <source>删除房间</source>
        <translation>Delete room</translation>
    </message>
    <message>
        <source>报价详情(&amp;D)…</source>
        <translation>Quote &amp;details…</translation>
    </message>
    <message>
        <source>价格表(&amp;P)…</source>
        <translation>&amp;Price books…</translation>
    </message>
    <message>
        <source>帮助(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>关于(&amp;A)</source>
        <translation>&amp;About</translation>
    </message>
    <message>
        <source>报价(&amp;Q)</source>
        <translation>&amp;Quote</translation>
    </message>
    <message>
        <source>方案对比(&amp;C)…</source>
        <translation>&amp;Compare options…</translation>
    </message>
    <message>
        <source>五种装修类型的半包和全包总价对比</source>
        <translation>Half- and full-package totals of the five grades side by side</translation>
    </message>
    <message>
        <source>编辑(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>撤销</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>重做</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>修改%1</source>
        <translation>Change %1</translation>
    </message>
    <message>
        <source>修改装修类型</source>
        <translation>Change grade</translation>
    </message>
    <message>
        <source>修改地面</source>
        <translation>Change floor</translation>
    </message>
    <message>
        <source>报价详情</source>
        <translation>Quote details</translation>
    </message>
    <message>
        <source>半包</source>
        <translation>half-package</translation>
    </message>
    <message>
        <source>全包</source>
        <translation>full-package</translation>
    </message>
    <message>
        <source>至少要添加1房间！</source>
        <translation>Add at least one room first.</translation>
    </message>
    <message>
        <source>重新计算并保留修改(&amp;K)</source>
        <translation>Recompute and &amp;keep edits</translation>
    </message>
    <message>
        <source>“重新计算”：原报价单及其中的修改将被丢弃。</source>
        <translation>“Recompute”: the old quote sheet and its edits will be discarded.</translation>
    </message>
    <message>
        <source>“重新计算并保留修改”：在新报价单上重做原来的 %1 项修改，做不了的逐项列出。</source>
        <translation>“Recompute and keep edits”: the %1 edits of the old sheet are made again on the new one; any that cannot be made are listed.</translation>
    </message>
    <message>
        <source>“打开原来的报价单”：不重新计算。</source>
        <translation>“Open the old sheet”: nothing is recomputed.</translation>
    </message>
    <message>
        <source>计算%1报价并保留修改</source>
        <translation>Compute %1 quote keeping the edits</translation>
    </message>
</context>
<context>
    <name>MainWindowForm</name>
    <message>
        <source>汀湖装饰公司装修报价评估工具----青禾空间装饰 青禾改变生活</source>
        <translation>Tinghu Renovation Quote Estimator -- Qinghe Space Decoration</translation>
    </message>
    <message>
        <source> 输入几室几厅 实际面积 装修类型即可预算装修报价</source>
        <translation> Enter rooms, floor area and grade for a renovation estimate</translation>
    </message>
    <message>
        <source>青禾空间装饰 青禾改变生活</source>
        <translation>Qinghe Space Decoration</translation>
    </message>
    <message>
        <source>室的数量</source>
        <translation>Number of bedrooms</translation>
    </message>
    <message>
        <source>室</source>
        <translation>bed</translation>
    </message>
    <message>
        <source>厅的数量</source>
        <translation>Number of living rooms</translation>
    </message>
    <message>
        <source>厅</source>
        <translation>living</translation>
    </message>
    <message>
        <source>厨的数量</source>
        <translation>Number of kitchens</translation>
    </message>
    <message>
        <source>厨</source>
        <translation>kitchen</translation>
    </message>
    <message>
        <source>卫的数量</source>
        <translation>Number of bathrooms</translation>
    </message>
    <message>
        <source>卫</source>
        <translation>bath</translation>
    </message>
    <message>
        <source>阳台的数量</source>
        <translation>Number of balconies</translation>
    </message>
    <message>
        <source>阳台</source>
        <translation>balcony</translation>
    </message>
    <message>
        <source>实际面积：</source>
        <translation>Floor area:</translation>
    </message>
    <message>
        <source>实际面积（平方米）</source>
        <translation>Floor area (square metres)</translation>
    </message>
    <message>
        <source>平方米</source>
        <translation>m²</translation>
    </message>
    <message>
        <source>选择装修类型：</source>
        <translation>Finish grade:</translation>
    </message>
    <message>
        <source>装修类型</source>
        <translation>Finish grade</translation>
    </message>
    <message>
        <source>在线客服</source>
        <translation>Online chat</translation>
    </message>
    <message>
        <source>打开与设计师在线交谈的页面</source>
        <translation>Open the page for chatting with a designer</translation>
    </message>
    <message>
        <source>家装小工具</source>
        <translation>Home tools</translation>
    </message>
    <message>
        <source>估算报价</source>
        <translation>Estimate</translation>
    </message>
    <message>
        <source>详细报价&gt;&gt;</source>
        <translation>Details &gt;&gt;</translation>
    </message>
    <message>
        <source>装修省钱秘籍</source>
        <translation>Saving tips</translation>
    </message>
    <message>
        <source>装修流程</source>
        <translation>Process</translation>
    </message>
    <message>
        <source>精确报价和设计</source>
        <translation>Exact quote</translation>
    </message>
    <message>
        <source>设计师博客</source>
        <translation>Blog</translation>
    </message>
    <message>
        <source>*房屋类型：</source>
        <translation>*Room:</translation>
    </message>
    <message>
        <source>房屋类型</source>
        <translation>Room</translation>
    </message>
    <message>
        <source>必填；要添加的房间</source>
        <translation>Required; the room to add</translation>
    </message>
    <message>
        <source>*房间长宽高：</source>
        <translation>*Room size:</translation>
    </message>
    <message>
        <source>房间长宽高</source>
        <translation>Room size</translation>
    </message>
    <message>
        <source>必填；毫米，写作 长*宽*高</source>
        <translation>Required; millimetres, as length*width*height</translation>
    </message>
    <message>
        <source>窗户长高：</source>
        <translation>Window:</translation>
    </message>
    <message>
        <source>窗户长高</source>
        <translation>Window size</translation>
    </message>
    <message>
        <source>毫米，写作 长*高</source>
        <translation>Millimetres, as width*height</translation>
    </message>
    <message>
        <source>添加</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>门的类型：</source>
        <translation>Door:</translation>
    </message>
    <message>
        <source>门的类型</source>
        <translation>Door type</translation>
    </message>
    <message>
        <source>*墙  面  数：</source>
        <translation>*Walls:</translation>
    </message>
    <message>
        <source>墙面数</source>
        <translation>Walls</translation>
    </message>
    <message>
        <source>必填</source>
        <translation>Required</translation>
    </message>
    <message>
        <source>门的扇数：</source>
        <translation>Leaves:</translation>
    </message>
    <message>
        <source>门的扇数</source>
        <translation>Door leaves</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>修改</source>
        <translation>Modify</translation>
    </message>
    <message>
        <source>房间列表</source>
        <translation>Rooms</translation>
    </message>
    <message>
        <source>已添加的房间；选中一行可修改或删除</source>
        <translation>Rooms added; select a row to modify or delete it</translation>
    </message>
    <message>
        <source>带“*”号的必填。
因为没有牵涉到设计，所以本软件做出的报价仅供参考。本报价由汀南青禾空间装饰提供。如果您需要做出具体的设计、以及报价，请登陆官方网址  www.qinghe-space.example  或点击上面的在线客服。</source>
        <translation>Fields marked * are required.
Without a design, quotes are for reference only. For a design and an exact quote, visit  www.qinghe-space.example  or Online chat.</translation>
    </message>
    <message>
        <source>客餐厅铺</source>
        <translation>Main floor</translation>
    </message>
    <message>
        <source>地板</source>
        <translation>Wood</translation>
    </message>
    <message>
        <source>瓷砖</source>
        <translation>Tiles</translation>
    </message>
    <message>
        <source>半包装修</source>
        <translation>Half package</translation>
    </message>
    <message>
        <source>全包装修</source>
        <translation>Full package</translation>
    </message>
</context>
<context>
    <name>MessageBox</name>
    <message>
        <source>……（共 %1 行，完整内容在详细信息中）</source>
        <translation>…… (%1 lines in all; the full text is under Details)</translation>
    </message>
    <message>
        <source>信息：</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>“%1”已存在。
要替换它吗？</source>
        <translation>&quot;%1&quot; already exists.
Replace it?</translation>
    </message>
    <message>
        <source>替换(&amp;R)</source>
        <translation>&amp;Replace</translation>
    </message>
    <message>
        <source>取消(&amp;C)</source>
        <translation>&amp;Cancel</translation>
    </message>
</context>
<context>
    <name>OpenLink</name>
    <message>
        <source>无法打开网页浏览器。
网址已复制到剪贴板，可粘贴到浏览器的地址栏中打开：
</source>
        <translation>Cannot open a web browser.
The address was copied to the clipboard; paste it into a browser&apos;s address bar:
</translation>
    </message>
</context>
<context>
    <name>PriceAdjustDialog</name>
    <message>
        <source>调价</source>
        <translation>Adjust prices</translation>
    </message>
    <message>
        <source>整个价格表</source>
        <translation>Whole price book</translation>
    </message>
    <message>
        <source>取整到元(&amp;Y)</source>
        <translation>Whole &amp;yuan</translation>
    </message>
    <message>
        <source>保留一位小数（0.1 元）(&amp;T)</source>
        <translation>One decimal (0.1 yuan) (&amp;T)</translation>
    </message>
    <message>
        <source>调整(&amp;S)：</source>
        <translation>&amp;Scope:</translation>
    </message>
    <message>
        <source>幅度(&amp;P)：</source>
        <translation>&amp;Percent:</translation>
    </message>
    <message>
        <source>单价：</source>
        <translation>Unit prices:</translation>
    </message>
    <message>
        <source>正数涨价，负数降价；费用的费率不变。</source>
        <translation>Positive raises prices, negative lowers them; fee rates stay.</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>PriceBookModel</name>
    <message>
        <source>各等级</source>
        <translation>All</translation>
    </message>
    <message>
        <source>分类</source>
        <translation>Category</translation>
    </message>
    <message>
        <source>项目</source>
        <translation>Item</translation>
    </message>
    <message>
        <source>单位</source>
        <translation>Unit</translation>
    </message>
    <message>
        <source>等级</source>
        <translation>Grade</translation>
    </message>
    <message>
        <source>单价</source>
        <translation>Unit price</translation>
    </message>
</context>
<context>
    <name>PriceBookWindow</name>
    <message>
        <source>默认价格表是程序自带的，不能修改：点“另存为…”复制一份再改。</source>
        <translation>The default price book comes with the program and cannot be changed: &quot;Save as…&quot; a copy to edit it.</translation>
    </message>
    <message>
        <source>双击单价修改，改动立即保存。</source>
        <translation>Double-click a unit price to change it; changes are saved at once.</translation>
    </message>
    <message>
        <source>快速估算用的是按档次拟合的系数，不取自价格表。</source>
        <translation>The quick estimate uses rates fitted per grade, not the price book.</translation>
    </message>
    <message>
        <source>价格表</source>
        <translation>Price books</translation>
    </message>
    <message>
        <source>价格表(&amp;B)：</source>
        <translation>Price &amp;book:</translation>
    </message>
    <message>
        <source>新报价用这个价格表(&amp;U)</source>
        <translation>&amp;Use for new quotes</translation>
    </message>
    <message>
        <source>另存为(&amp;A)…</source>
        <translation>Save &amp;as…</translation>
    </message>
    <message>
        <source>删除(&amp;D)</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>搜索分类、项目或单位</source>
        <translation>Search categories, items or units</translation>
    </message>
    <message>
        <source>搜索(&amp;F)：</source>
        <translation>&amp;Find:</translation>
    </message>
    <message>
        <source>调价(&amp;P)…</source>
        <translation>Adjust &amp;prices…</translation>
    </message>
    <message>
        <source>恢复默认价格(&amp;R)</source>
        <translation>&amp;Restore defaults</translation>
    </message>
    <message>
        <source>导入(&amp;I)…</source>
        <translation>&amp;Import…</translation>
    </message>
    <message>
        <source>导出(&amp;E)…</source>
        <translation>&amp;Export…</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>无法保存价格表“%1”，改动已撤回：%2</source>
        <translation>Cannot save the price book &quot;%1&quot;; the change was taken back: %2</translation>
    </message>
    <message>
        <source>无法记下新报价用的价格表：</source>
        <translation>Cannot record the price book for new quotes: </translation>
    </message>
    <message>
        <source>把价格表“%1”的每一个单价和费率都恢复为默认价格表的吗？</source>
        <translation>Restore every unit price and fee rate of the price book &quot;%1&quot; to the default book&apos;s?</translation>
    </message>
    <message>
        <source>恢复(&amp;R)</source>
        <translation>&amp;Restore</translation>
    </message>
    <message>
        <source>取消(&amp;C)</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>价格表 (*.renoquote-prices *.json *.csv *.xlsx);;所有文件 (*)</source>
        <translation>Price books (*.renoquote-prices *.json *.csv *.xlsx);;All files (*)</translation>
    </message>
    <message>
        <source>导出价格表</source>
        <translation>Export price book</translation>
    </message>
    <message>
        <source>价格表 (*.renoquote-prices);;JSON (*.json);;CSV (*.csv);;Excel 工作簿 (*.xlsx)</source>
        <translation>Price book (*.renoquote-prices);;JSON (*.json);;CSV (*.csv);;Excel workbook (*.xlsx)</translation>
    </message>
    <message>
        <source>导入价格表</source>
        <translation>Import price book</translation>
    </message>
    <message>
        <source>价格表的名字</source>
        <translation>Price book name</translation>
    </message>
    <message>
        <source>价格表的名字(&amp;N)：</source>
        <translation>Price book &amp;name:</translation>
    </message>
    <message>
        <source>已经有一个叫“%1”的价格表，要替换它吗？</source>
        <translation>A price book called &quot;%1&quot; already exists. Replace it?</translation>
    </message>
    <message>
        <source>替换(&amp;R)</source>
        <translation>&amp;Replace</translation>
    </message>
    <message>
        <source>换个名字(&amp;N)</source>
        <translation>Other &amp;name</translation>
    </message>
    <message>
        <source>无法保存价格表“%1”：%2</source>
        <translation>Cannot save the price book &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>没有导入，价格表有问题：
</source>
        <translation>Nothing imported; the price book has a problem:
</translation>
    </message>
    <message>
        <source>无法导出价格表：</source>
        <translation>Cannot export the price book: </translation>
    </message>
    <message>
        <source>删除价格表“%1”吗？已经报好的项目仍保留它们自己的价格。</source>
        <translation>Delete the price book &quot;%1&quot;? Projects already quoted keep their own prices.</translation>
    </message>
</context>
<context>
    <name>ProjectSession</name>
    <message>
        <source>装修报价项目 (*.renoquote);;所有文件 (*)</source>
        <translation>Renovation quote projects (*.renoquote);;All files (*)</translation>
    </message>
    <message>
        <source>未命名</source>
        <translation>Untitled</translation>
    </message>
    <message>
        <source>文件(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>新建(&amp;N)</source>
        <translation>&amp;New</translation>
    </message>
    <message>
        <source>打开(&amp;O)…</source>
        <translation>&amp;Open…</translation>
    </message>
    <message>
        <source>保存(&amp;S)</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>另存为(&amp;A)…</source>
        <translation>Save &amp;as…</translation>
    </message>
    <message>
        <source>最近打开的项目(&amp;R)</source>
        <translation>&amp;Recent projects</translation>
    </message>
    <message>
        <source>退出(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>（只读）</source>
        <translation> (read-only)</translation>
    </message>
    <message>
        <source>项目“%1”有尚未保存的修改。要保存吗？</source>
        <translation>The project &quot;%1&quot; has unsaved changes. Save them?</translation>
    </message>
    <message>
        <source>不保存(&amp;N)</source>
        <translation>&amp;Don&apos;t save</translation>
    </message>
    <message>
        <source>取消(&amp;C)</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>打开项目</source>
        <translation>Open project</translation>
    </message>
    <message>
        <source>保存项目</source>
        <translation>Save project</translation>
    </message>
    <message>
        <source>正在打开项目“%1”…</source>
        <translation>Opening the project &quot;%1&quot;…</translation>
    </message>
    <message>
        <source>无法打开项目“%1”：
%2</source>
        <translation>Cannot open the project &quot;%1&quot;:
%2</translation>
    </message>
    <message>
        <source>项目“%1”已在另一个%2窗口中打开。
两个窗口都修改并保存时，先保存的修改会被后保存的覆盖。</source>
        <translation>The project &quot;%1&quot; is already open in another %2 window.
If both windows change and save it, the later save overwrites the earlier one.</translation>
    </message>
    <message>
        <source>只读打开(&amp;R)</source>
        <translation>Open &amp;read-only</translation>
    </message>
    <message>
        <source>仍然打开(&amp;A)</source>
        <translation>Open &amp;anyway</translation>
    </message>
    <message>
        <source>项目“%1”是以只读方式打开的，不能保存到原来的文件。
修改仍在窗口中，要另存为别的文件吗？</source>
        <translation>The project &quot;%1&quot; was opened read-only and cannot be saved to its file.
The changes are still in the window. Save them as another file?</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>项目文件“%1”在打开之后已被其他程序修改。
保存会覆盖那些修改。</source>
        <translation>The project file &quot;%1&quot; was changed by another program after it was opened.
Saving will overwrite those changes.</translation>
    </message>
    <message>
        <source>覆盖(&amp;O)</source>
        <translation>&amp;Overwrite</translation>
    </message>
    <message>
        <source>
窗口中尚未保存的修改将丢失。</source>
        <translation>
The unsaved changes in the window will be lost.</translation>
    </message>
    <message>
        <source>项目文件“%1”已被其他程序修改。
要重新打开它吗？%2</source>
        <translation>The project file &quot;%1&quot; was changed by another program.
Open it again?%2</translation>
    </message>
    <message>
        <source>重新打开(&amp;R)</source>
        <translation>&amp;Reopen</translation>
    </message>
    <message>
        <source>保留窗口中的内容(&amp;K)</source>
        <translation>&amp;Keep the window&apos;s content</translation>
    </message>
    <message>
        <source>“%1”是只读文件，不能覆盖。
修改仍在窗口中，要另存为别的文件吗？</source>
        <translation>&quot;%1&quot; is read-only and cannot be overwritten.
The changes are still in the window. Save them as another file?</translation>
    </message>
    <message>
        <source>无法保存项目到“%1”：%2。
%3修改仍在窗口中，可以另存到别处。</source>
        <translation>Cannot save the project to &quot;%1&quot;: %2.
%3The changes are still in the window and can be saved elsewhere.</translation>
    </message>
    <message>
        <source>原来的文件没有改动，</source>
        <translation>The original file is unchanged. </translation>
    </message>
    <message>
        <source>%3上次没有正常退出。
项目“%1”有未保存的修改，自动保存于 %2。
要恢复这些修改吗？</source>
        <translation>%3 did not exit normally last time.
The project &quot;%1&quot; has unsaved changes, autosaved at %2.
Recover them?</translation>
    </message>
    <message>
        <source>项目“%1”有一份比文件更新的未保存副本（%3上次没有正常退出，自动保存于 %2）。
要恢复这些修改吗？</source>
        <translation>The project &quot;%1&quot; has an unsaved copy newer than its file (%3 did not exit normally; autosaved at %2).
Recover these changes?</translation>
    </message>
    <message>
        <source>
（共有 %1 份未保存的副本，这是第 %2 份。）</source>
        <translation>
(There are %1 unsaved copies; this is number %2.)</translation>
    </message>
    <message>
        <source>
恢复的修改将在一个新窗口中打开。</source>
        <translation>
The recovered changes open in a new window.</translation>
    </message>
    <message>
        <source>恢复(&amp;R)</source>
        <translation>&amp;Recover</translation>
    </message>
    <message>
        <source>不恢复(&amp;N)</source>
        <translation>&amp;Don&apos;t recover</translation>
    </message>
    <message>
        <source>以后再说(&amp;L)</source>
        <translation>&amp;Later</translation>
    </message>
    <message>
        <source>无法打开新窗口来恢复这份副本；它会在下次启动时再次提供。</source>
        <translation>Cannot open a new window to recover this copy; it will be offered again at the next start.</translation>
    </message>
    <message>
        <source>自动保存的副本无法读取：%1</source>
        <translation>The autosaved copy cannot be read: %1</translation>
    </message>
    <message>
        <source>自动保存的副本“%1”已不存在，可能已在别的窗口中恢复。</source>
        <translation>The autosaved copy &quot;%1&quot; is gone; it may have been recovered in another window.</translation>
    </message>
</context>
<context>
    <name>QuoteDetailsDialog</name>
    <message>
        <source>报价详情</source>
        <translation>Quote details</translation>
    </message>
    <message>
        <source>打印或导出报价单时写在表头的内容，都可以不填。</source>
        <translation>Printed at the head of the quote; all optional.</translation>
    </message>
    <message>
        <source>客户(&amp;C)：</source>
        <translation>&amp;Customer:</translation>
    </message>
    <message>
        <source>地址(&amp;A)：</source>
        <translation>&amp;Address:</translation>
    </message>
    <message>
        <source>电话(&amp;P)：</source>
        <translation>&amp;Phone:</translation>
    </message>
    <message>
        <source>日期(&amp;D)：</source>
        <translation>&amp;Date:</translation>
    </message>
    <message>
        <source>报价单号(&amp;Q)：</source>
        <translation>&amp;Quote no.:</translation>
    </message>
    <message>
        <source>有效期(&amp;V)：</source>
        <translation>&amp;Valid for:</translation>
    </message>
    <message>
        <source>备注(&amp;R)：</source>
        <translation>&amp;Remarks:</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>例如 2024年5月1日</source>
        <translation>e.g. 1 May 2024</translation>
    </message>
    <message>
        <source>例如 30 天</source>
        <translation>e.g. 30 days</translation>
    </message>
</context>
<context>
    <name>QuoteDocument</name>
    <message>
        <source>半包装修详细报价</source>
        <translation>Half-package detailed quote</translation>
    </message>
    <message>
        <source>全包装修详细报价</source>
        <translation>Full-package detailed quote</translation>
    </message>
    <message>
        <source>快速预算报价</source>
        <translation>Quick estimate</translation>
    </message>
    <message>
        <source>方案对比</source>
        <translation>Options compared</translation>
    </message>
    <message>
        <source>序号</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>项目名称</source>
        <translation>Item</translation>
    </message>
    <message>
        <source>单位</source>
        <translation>Unit</translation>
    </message>
    <message>
        <source>数量</source>
        <translation>Qty</translation>
    </message>
    <message>
        <source>单价</source>
        <translation>Unit price</translation>
    </message>
    <message>
        <source>总计</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>说明</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>房屋类型</source>
        <translation>Room</translation>
    </message>
    <message>
        <source>长*宽*高</source>
        <translation>L*W*H</translation>
    </message>
    <message>
        <source>窗户</source>
        <translation>Window</translation>
    </message>
    <message>
        <source>门</source>
        <translation>Door</translation>
    </message>
    <message>
        <source>扇数</source>
        <translation>Doors</translation>
    </message>
    <message>
        <source>墙面数</source>
        <translation>Walls</translation>
    </message>
    <message>
        <source>项目</source>
        <translation>Item</translation>
    </message>
    <message>
        <source>金额（元）</source>
        <translation>Amount (yuan)</translation>
    </message>
    <message>
        <source>客户：</source>
        <translation>Customer:</translation>
    </message>
    <message>
        <source>地址：</source>
        <translation>Address:</translation>
    </message>
    <message>
        <source>电话：</source>
        <translation>Phone:</translation>
    </message>
    <message>
        <source>报价单号：</source>
        <translation>Quote no.:</translation>
    </message>
    <message>
        <source>有效期：</source>
        <translation>Valid until:</translation>
    </message>
    <message>
        <source>备注：</source>
        <translation>Notes:</translation>
    </message>
    <message>
        <source>价格表：</source>
        <translation>Price list:</translation>
    </message>
    <message>
        <source>日期：</source>
        <translation>Date:</translation>
    </message>
    <message>
        <source>装修类型：</source>
        <translation>Grade: </translation>
    </message>
    <message>
        <source>承包方式：</source>
        <translation>Package: </translation>
    </message>
    <message>
        <source>客餐厅地面：</source>
        <translation>Living/dining floor: </translation>
    </message>
    <message>
        <source>户型：</source>
        <translation>Layout: </translation>
    </message>
    <message>
        <source>实际面积：</source>
        <translation>Floor area: </translation>
    </message>
    <message>
        <source>所选方案：</source>
        <translation>Chosen option:</translation>
    </message>
    <message>
        <source>客餐厅铺：</source>
        <translation>Living/dining floor:</translation>
    </message>
    <message>
        <source>房屋：</source>
        <translation>Dwelling:</translation>
    </message>
    <message>
        <source>各方案总价</source>
        <translation>Total of each option</translation>
    </message>
    <message>
        <source>元</source>
        <translation>yuan</translation>
    </message>
    <message>
        <source>业主签字：____________________    日期：______________</source>
        <translation>Owner&apos;s signature: ____________________    Date: ______________</translation>
    </message>
    <message>
        <source>公司盖章：____________________    日期：______________</source>
        <translation>Company stamp: ____________________    Date: ______________</translation>
    </message>
    <message>
        <source>第 %1 页 共 %2 页</source>
        <translation>Page %1 of %2</translation>
    </message>
</context>
<context>
    <name>QuoteSheetModel</name>
    <message>
        <source>序号</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>项目名称</source>
        <translation>Item</translation>
    </message>
    <message>
        <source>单位</source>
        <translation>Unit</translation>
    </message>
    <message>
        <source>数量</source>
        <translation>Qty</translation>
    </message>
    <message>
        <source>单价</source>
        <translation>Price</translation>
    </message>
    <message>
        <source>总计</source>
        <translation>Total</translation>
    </message>
</context>
<context>
    <name>QuoteSheetWindow</name>
    <message>
        <source>青禾空间装饰   青禾改变生活</source>
        <translation>Qinghe Space Decoration</translation>
    </message>
    <message>
        <source>报价单</source>
        <translation>quote sheet</translation>
    </message>
    <message>
        <source>选中一行，在右边修改或删除这一项</source>
        <translation>Select a row to modify or delete it on the right</translation>
    </message>
    <message>
        <source>设计师专线：
0123-4567890</source>
        <translation>Designer line:
0123-4567890</translation>
    </message>
    <message>
        <source>在线客服</source>
        <translation>Online chat</translation>
    </message>
    <message>
        <source>打开与设计师在线交谈的页面</source>
        <translation>Open the page for chatting with a designer</translation>
    </message>
    <message>
        <source>
选汀湖装饰公司首选青禾空间装饰 

承接：家庭装饰、办公室装修、别墅装修、酒店装修、厂房装修等。 装饰热线：0123-4567890

网址：www.qinghe-space.example

*注：单击表项出现详情
     由于没有设计，装修报价供参考与对比</source>
        <translation>
Qinghe Space Decoration, Tinghu

Homes, offices, villas, hotels and factories. Hotline: 0123-4567890

Web: www.qinghe-space.example

*Click an item for its details.
 Without a design, quotes are for reference.</translation>
    </message>
    <message>
        <source>报价不够详细，设计师免费帮忙</source>
        <translation>Free help from a designer</translation>
    </message>
    <message>
        <source>项目名称：</source>
        <translation>Item:</translation>
    </message>
    <message>
        <source>项目名称</source>
        <translation>Item</translation>
    </message>
    <message>
        <source>单    位：</source>
        <translation>Unit:</translation>
    </message>
    <message>
        <source>单位</source>
        <translation>Unit</translation>
    </message>
    <message>
        <source>数    量：</source>
        <translation>Qty:</translation>
    </message>
    <message>
        <source>数量</source>
        <translation>Qty</translation>
    </message>
    <message>
        <source>单    价：</source>
        <translation>Price:</translation>
    </message>
    <message>
        <source>单价</source>
        <translation>Unit price</translation>
    </message>
    <message>
        <source>删除此项</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>修改</source>
        <translation>Modify</translation>
    </message>
    <message>
        <source>添加项</source>
        <translation>Add item</translation>
    </message>
    <message>
        <source>半包装修详细报价</source>
        <translation>Half-package detailed quote</translation>
    </message>
    <message>
        <source>全包装修详细报价</source>
        <translation>Full-package detailed quote</translation>
    </message>
    <message>
        <source>报价详情…</source>
        <translation>Details…</translation>
    </message>
    <message>
        <source>复制</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>在此房间添加项…</source>
        <translation>Add item to this room…</translation>
    </message>
    <message>
        <source>撤销</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>重做</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>打印…</source>
        <translation>Print…</translation>
    </message>
    <message>
        <source>导出…</source>
        <translation>Export…</translation>
    </message>
    <message>
        <source>确定添加</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>在此房间添加项</source>
        <translation>Add item to room</translation>
    </message>
</context>
<context>
    <name>ResultWindow</name>
    <message>
        <source>快速预算显示结果</source>
        <translation>Quick estimate result</translation>
    </message>
    <message>
        <source>估算结果</source>
        <translation>estimate</translation>
    </message>
    <message>
        <source>我要做精确报价</source>
        <translation>Exact quote</translation>
    </message>
    <message>
        <source>家装装修设计效果图</source>
        <translation>Design pictures</translation>
    </message>
    <message>
        <source>欢迎进入我的空间</source>
        <translation>Visit my space</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>RoomListModel</name>
    <message>
        <source>房屋类型</source>
        <translation>Room</translation>
    </message>
    <message>
        <source>房间长宽高</source>
        <translation>Room size</translation>
    </message>
    <message>
        <source>窗户长高</source>
        <translation>Window size</translation>
    </message>
    <message>
        <source>门的类型</source>
        <translation>Door type</translation>
    </message>
    <message>
        <source>门的扇数</source>
        <translation>Door leaves</translation>
    </message>
    <message>
        <source>墙面数</source>
        <translation>Walls</translation>
    </message>
</context>
<context>
    <name>ToolsWindow</name>
    <message>
        <source>家装小工具（计算器）</source>
        <translation>Home tools (calculators)</translation>
    </message>
</context>
<context>
    <name>VideoWindow</name>
    <message>
        <source>装修省钱，动画教程！让你装修不中招！</source>
        <translation>Renovation savings: short animated tutorials</translation>
    </message>
    <message>
        <source>正在载入，请稍后。。。</source>
        <translation>Loading…</translation>
    </message>
    <message>
        <source>播放第 1 段装修教程</source>
        <translation>Play tutorial 1</translation>
    </message>
    <message>
        <source>播放第 2 段装修教程</source>
        <translation>Play tutorial 2</translation>
    </message>
    <message>
        <source>播放第 3 段装修教程</source>
        <translation>Play tutorial 3</translation>
    </message>
    <message>
        <source>播放第 4 段装修教程</source>
        <translation>Play tutorial 4</translation>
    </message>
    <message>
        <source>播放第 5 段装修教程</source>
        <translation>Play tutorial 5</translation>
    </message>
    <message>
        <source>播放第 6 段装修教程</source>
        <translation>Play tutorial 6</translation>
    </message>
    <message>
        <source>更多&gt;&gt;</source>
        <translation>More &gt;&gt;</translation>
    </message>
    <message>
        <source>载入完毕！</source>
        <translation>Loaded.</translation>
    </message>
    <message>
        <source>载入失败！</source>
        <translation>Load failed.</translation>
    </message>
</context>
</TS>

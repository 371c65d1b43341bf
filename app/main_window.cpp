#include "app/main_window.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMenuBar>
#include <QScopedValueRollback>
#include <QShortcut>
#include <QStyle>
#include <QTextLayout>
#include <QUndoStack>
#include <QUrl>
#include <QVBoxLayout>

#include "app/about_box.h"
#include "app/project_history.h"
#include "app/project_session.h"
#include "app/quote_details_dialog.h"
#include "app/room_list_model.h"
#include "compare/comparison_window.h"
#include "estimate/quick_estimate.h"
#include "estimate/result_window.h"
#include "online/contact_window.h"
#include "online/endpoints.h"
#include "online/online_links.h"
#include "online/tools_window.h"
#include "online/video_window.h"
#include "prices/price_book_window.h"
#include "quote/engine.h"
#include "sheet/quote_sheet_window.h"
#include "ui/application_look.h"
#include "ui/button_keys.h"
#include "ui/combo_boxes.h"
#include "ui/message_box.h"
#include "qtcore/qt_text.h"
#include "ui_main_window.h"

namespace rq {

namespace {

// The toggle's two captions; which one it shows says which half of the window is open.
constexpr char kShowDetailCaption[] = QT_TRANSLATE_NOOP("MainWindow", "详细报价>>");
constexpr char kHideDetailCaption[] = QT_TRANSLATE_NOOP("MainWindow", "估算报价<<");

// The core's refusal of a quote without rooms, in the window's language; the command line
// keeps the core's words.
constexpr char kNoRoomsText[] = QT_TRANSLATE_NOOP("MainWindow", "至少要添加1房间！");
static_assert(std::string_view(kNoRoomsText) == kNoRoomsMessage);

// 半包 or 全包 as the window's questions and its undo names call the package.
QString packageName(Package package)
{
    return package == Package::Half ? QCoreApplication::translate("MainWindow", "半包")
                                    : QCoreApplication::translate("MainWindow", "全包");
}

// The notice under the room list names the site the user can go to for a real design.
QString noticeText()
{
    return QCoreApplication::translate("MainWindow",
               "带“*”号的必填。\n因为没有牵涉到设计，所以本软件做出的报价仅供参考。"
               "本报价由汀南青禾空间装饰提供。如果您需要做出具体的设计、以及报价，请登陆官方网址  ")
        + companySiteAddress() + QCoreApplication::translate("MainWindow", "  或点击上面的在线客服。");
}

// An editable combo box shows the text; when it is one of the list items, that item is
// also the current one, so the open list points at it.
void setComboText(QComboBox* box, const QString& text)
{
    const int item = box->findText(text, Qt::MatchExactly);
    if (item >= 0)
        box->setCurrentIndex(item);
    box->setEditText(text);
}

// Where the notice draws the site address: the link label lies exactly over it, so the
// address in the running text is what the user clicks. QLabel lays out wrapped plain text
// line by line from the top of its contents; this follows the same steps.
QRect addressRectInNotice(const QLabel* notice, const QString& address)
{
    QString text = notice->text();
    const int start = text.indexOf(address);
    if (start < 0)
        return {};
    text.replace(QLatin1Char('\n'), QChar::LineSeparator);
    const QRect room = notice->contentsRect();
    const QFontMetricsF metrics(notice->font());
    QTextLayout layout(text, notice->font());
    QTextOption option(notice->alignment());
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    qreal height = 0;
    QRectF found;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(room.width());
        height += metrics.leading();
        line.setPosition(QPointF(0, height));
        const int end = start + static_cast<int>(address.size());
        if (found.isNull() && start >= line.textStart() && start < line.textStart() + line.textLength()) {
            if (end > line.textStart() + line.textLength())
                break;  // the address is split over two lines: no single box covers it
            const qreal left = line.cursorToX(start);
            found = QRectF(left, line.y(), line.cursorToX(end) - left, line.height());
        }
        height += line.height();
    }
    layout.endLayout();
    return found.toAlignedRect().translated(notice->geometry().topLeft() + room.topLeft());
}

QWidget* makeSideWindow(MainWindow::SideWindow kind)
{
    // Without owner: each lives beside the main window, not on top of it.
    switch (kind) {
    case MainWindow::SideWindow::Tools:
        return new ToolsWindow(nullptr);
    case MainWindow::SideWindow::Contact:
        return new ContactWindow(nullptr);
    case MainWindow::SideWindow::Video:
        return new VideoWindow(nullptr);
    }
    return nullptr;
}

}  // namespace

MainWindow::MainWindow(QWidget* parent)
    : QWidget(parent), m_form(std::make_unique<Ui::MainWindowForm>()), m_makeSideWindow(makeSideWindow)
{
    // The menu bar on top; below it the catalogued area, where every control keeps the
    // place the form gives it.
    m_menuBar = new QMenuBar(this);
    m_area = new QWidget(this);
    m_form->setupUi(m_area);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(m_menuBar);
    layout->addWidget(m_area);
    m_baseTitle = m_area->windowTitle();
    setUpLinks();
    fitCaptionsToBoxes(m_area);
    keepTypedTexts(m_area);
    nameComboBoxParts(m_area);
    returnPressesFocusedButton(m_area);
    setUpRoomList();
    connectHandlers();
    setUpKeys();
    m_session = new ProjectSession(
        {this, [this] { return currentProject(); }, [this](const Project& project) { showProject(project); }}, this);
    setUpMenus();
    m_choices = currentChoices();
    watchForChanges();
    updateTitle();

    // The creation step: one look for every window, only the quick estimate in view.
    // (Switching to the style the application already has would only re-polish every widget.)
    useApplicationStyle();
    setCatalogueHeight(kStartHeight);
    setDetailAreaVisible(false);
    show();
    estimateButton()->setFocus();
}

MainWindow::~MainWindow() = default;

// The controls by role: the form's own names for them appear here and nowhere else.
// clang-format off
QPushButton* MainWindow::estimateButton() const { return m_form->按钮1; }
QPushButton* MainWindow::detailToggleButton() const { return m_form->按钮2; }
QPushButton* MainWindow::toolsButton() const { return m_form->按钮3; }
QPushButton* MainWindow::addRoomButton() const { return m_form->按钮4; }
QPushButton* MainWindow::halfPackageButton() const { return m_form->按钮5; }
QPushButton* MainWindow::fullPackageButton() const { return m_form->按钮6; }
QPushButton* MainWindow::deleteRoomButton() const { return m_form->按钮7; }
QPushButton* MainWindow::modifyRoomButton() const { return m_form->按钮8; }
SpinEditBox* MainWindow::bedroomsEdit() const { return m_form->室; }
SpinEditBox* MainWindow::livingRoomsEdit() const { return m_form->厅; }
SpinEditBox* MainWindow::kitchensEdit() const { return m_form->厨; }
SpinEditBox* MainWindow::bathroomsEdit() const { return m_form->卫; }
SpinEditBox* MainWindow::balconiesEdit() const { return m_form->阳; }
SpinEditBox* MainWindow::areaEdit() const { return m_form->平方; }
QComboBox* MainWindow::gradeBox() const { return m_form->组合框1; }
QComboBox* MainWindow::roomTypeBox() const { return m_form->组合框2; }
QLineEdit* MainWindow::roomSizeEdit() const { return m_form->编辑框5; }
QComboBox* MainWindow::windowSizeBox() const { return m_form->组合框3; }
QComboBox* MainWindow::doorTypeBox() const { return m_form->组合框4; }
SpinEditBox* MainWindow::doorLeavesEdit() const { return m_form->编辑框1; }
QComboBox* MainWindow::wallsBox() const { return m_form->组合框5; }
QTableView* MainWindow::roomListView() const { return m_form->超级列表框1; }
HyperlinkLabel* MainWindow::contactLink() const { return m_form->超级链接框1; }
HyperlinkLabel* MainWindow::videoLink() const { return m_form->超级链接框2; }
HyperlinkLabel* MainWindow::siteLink() const { return m_form->超级链接框3; }
HyperlinkLabel* MainWindow::processArticleLink() const { return m_form->超级链接框4; }
HyperlinkLabel* MainWindow::designerSpaceLink() const { return m_form->超级链接框5; }
QLabel* MainWindow::bannerLabel() const { return m_form->标签1; }
QLabel* MainWindow::noticeLabel() const { return m_form->标签14; }
QFrame* MainWindow::detailSeparator() const { return m_form->外形框1; }
QRadioButton* MainWindow::boardsButton() const { return m_form->单选框1; }
QRadioButton* MainWindow::tilesButton() const { return m_form->单选框2; }
// clang-format on

void MainWindow::setUpLinks()
{
    processArticleLink()->setTarget(QString::fromLatin1(endpoints::kProcessArticle));
    designerSpaceLink()->setTarget(QString::fromLatin1(endpoints::kDesignerSpace));
    siteLink()->setTarget(QString::fromLatin1(endpoints::kCompanySite));
    siteLink()->setText(companySiteAddress());
    noticeLabel()->setText(noticeText());
    // The site address is longer than the box the form gives its link; the link moves onto
    // the address in the notice, where the form meant it to be, and covers the plain copy.
    const QRect address = addressRectInNotice(noticeLabel(), companySiteAddress());
    if (address.isValid()) {
        siteLink()->setGeometry(address);
        siteLink()->setAutoFillBackground(true);
        siteLink()->raise();
    }

    // The banner's face where it is installed, else the application's Chinese font.
    QFont bannerFont = bannerLabel()->font();
    bannerFont.setFamilies(QStringList{QStringLiteral("Microsoft YaHei"), QStringLiteral("微软雅黑")}
                           + QApplication::font().families());
    bannerFont.setBold(true);
    bannerFont.setPixelSize(16);
    bannerLabel()->setFont(bannerFont);
}

void MainWindow::setUpRoomList()
{
    // After the catalogued types, the rooms home owners name (主卧, 客卫) in the form that
    // is priced as its type.
    // The box keeps its catalogued width, so its list opens wide enough to show them whole.
    int widest = 0;
    for (const std::string_view named : kNamedRoomTypes) {
        roomTypeBox()->addItem(toQString(named));
        widest = std::max(widest, roomTypeBox()->fontMetrics().horizontalAdvance(toQString(named)));
    }
    roomTypeBox()->view()->setMinimumWidth(widest + 4 * roomTypeBox()->style()->pixelMetric(QStyle::PM_DefaultFrameWidth)
                                           + roomTypeBox()->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 8);
    m_roomModel = new RoomListModel(m_rooms, this);
    QTableView* list = roomListView();
    list->setModel(m_roomModel);
    for (int column = 0; column + 1 < kRoomColumnCount; ++column)
        list->setColumnWidth(column, RoomListModel::kColumnWidths[column]);
    list->verticalHeader()->setDefaultSectionSize(list->fontMetrics().height() + 4);
    list->horizontalHeader()->setHighlightSections(false);
    list->horizontalHeader()->resizeSection(kRoomColumnCount - 1, list->horizontalHeader()->minimumSectionSize());
    list->horizontalHeader()->setStretchLastSection(true);
    // The core keeps the selected room; the table only reports which row the user picked.
    // Whatever moved the selection, mouse or keys, the fields show the selected room, so
    // "修改" writes what the user sees over the row the user sees selected.
    connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        const QModelIndexList rows = roomListView()->selectionModel()->selectedRows();
        m_rooms.selectRow(rows.isEmpty() ? -1 : rows.front().row());
        showSelectedRoom();
    });
}

void MainWindow::setUpKeys()
{
    // The captions stay as the company wrote them; the keys are told in the tooltips.
    giveButtonKey(estimateButton(), QKeySequence(Qt::CTRL | Qt::Key_E),
        QCoreApplication::translate("MainWindow", "快速估算报价"));
    giveButtonKey(detailToggleButton(), QKeySequence(Qt::CTRL | Qt::Key_R),
        QCoreApplication::translate("MainWindow", "按房间做详细报价"));
    giveButtonKey(
        toolsButton(), QKeySequence(Qt::CTRL | Qt::Key_T), QCoreApplication::translate("MainWindow", "打开家装小工具"));
    giveButtonKey(addRoomButton(), QKeySequence(Qt::CTRL | Qt::Key_Return),
        QCoreApplication::translate("MainWindow", "添加房间"));
    giveButtonKey(modifyRoomButton(), QKeySequence(Qt::CTRL | Qt::Key_M),
        QCoreApplication::translate("MainWindow", "修改选中的房间"));
    giveButtonKey(deleteRoomButton(), QKeySequence(Qt::CTRL | Qt::Key_Delete),
        QCoreApplication::translate("MainWindow", "删除选中的房间"));
    giveButtonKey(halfPackageButton(), QKeySequence(Qt::CTRL | Qt::Key_1),
        QCoreApplication::translate("MainWindow", "半包装修详细报价"));
    giveButtonKey(fullPackageButton(), QKeySequence(Qt::CTRL | Qt::Key_2),
        QCoreApplication::translate("MainWindow", "全包装修详细报价"));
    // In the room list, Delete removes the selected room as desktop lists do.
    auto* deleteInList = new QShortcut(QKeySequence::Delete, roomListView(), nullptr, nullptr, Qt::WidgetShortcut);
    connect(deleteInList, &QShortcut::activated, deleteRoomButton(), &QPushButton::click);
    // A room typed in is added with Return, wherever in its fields the cursor is.
    returnInFieldsPresses(addRoomButton(),
                          {roomTypeBox(), roomSizeEdit(), windowSizeBox(), doorTypeBox(), doorLeavesEdit(), wallsBox()});
}

void MainWindow::connectHandlers()
{
    connect(estimateButton(), &QPushButton::clicked, this, &MainWindow::onEstimateClicked);
    connect(detailToggleButton(), &QPushButton::clicked, this, &MainWindow::onDetailToggleClicked);
    connect(toolsButton(), &QPushButton::clicked, this, &MainWindow::onToolsClicked);
    connect(addRoomButton(), &QPushButton::clicked, this, &MainWindow::onAddRoomClicked);
    connect(halfPackageButton(), &QPushButton::clicked, this, &MainWindow::onHalfPackageClicked);
    connect(fullPackageButton(), &QPushButton::clicked, this, &MainWindow::onFullPackageClicked);
    connect(deleteRoomButton(), &QPushButton::clicked, this, &MainWindow::onDeleteRoomClicked);
    connect(modifyRoomButton(), &QPushButton::clicked, this, &MainWindow::onModifyRoomClicked);
    connect(doorTypeBox(), &QComboBox::activated, this, &MainWindow::onDoorTypeChosen);
    connect(doorLeavesEdit(), &QLineEdit::textChanged, this, &MainWindow::onDoorLeavesChanged);
    connect(roomListView(), &QAbstractItemView::pressed, this, [this] {
        if (QGuiApplication::mouseButtons() & Qt::LeftButton)
            showSelectedRoom();
    });
    connect(videoLink(), &HyperlinkLabel::pressed, this, &MainWindow::onVideoLinkPressed);
    connect(contactLink(), &HyperlinkLabel::pressed, this, &MainWindow::onContactLinkPressed);
}

void MainWindow::onEstimateClicked()
{
    // One estimate at a time: the button stays off until its result or refusal is closed.
    estimateButton()->setEnabled(false);
    Q_EMIT counterRefreshRequested();
    const EstimateInputs inputs { fromQString(bedroomsEdit()->text()), fromQString(livingRoomsEdit()->text()),
        fromQString(kitchensEdit()->text()), fromQString(bathroomsEdit()->text()), fromQString(balconiesEdit()->text()),
        fromQString(areaEdit()->text()), fromQString(gradeBox()->currentText()) };
    const EstimateResult result = RunQuickEstimate(inputs, EstimateReport());
    if (result.refusal) {
        showMessage(this, toQString(*result.refusal), QMessageBox::Warning);
    } else {
        SetEstimateReport(result.report);
        ResultWindow window(EstimateReport());
        window.setDetailsSource([this] { return m_details; });
        window.setInputs(inputs);
        window.exec();
    }
    estimateButton()->setEnabled(true);
}

void MainWindow::setQuickEstimateEnabled(bool enabled)
{
    for (QWidget* control : { static_cast<QWidget*>(estimateButton()), static_cast<QWidget*>(bedroomsEdit()),
             static_cast<QWidget*>(livingRoomsEdit()), static_cast<QWidget*>(kitchensEdit()),
             static_cast<QWidget*>(bathroomsEdit()), static_cast<QWidget*>(balconiesEdit()),
             static_cast<QWidget*>(areaEdit()) })
        control->setEnabled(enabled);
}

void MainWindow::setDetailAreaVisible(bool visible)
{
    // The short window's bottom edge would cut through the first row of entry fields, so
    // everything from the separator line down is put away while the window is short.
    const int top = detailSeparator()->y();
    for (QWidget* control : m_area->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        // A spinner comes and goes with its edit box.
        if (control->y() >= top && !qobject_cast<SpinnerButtons*>(control))
            control->setVisible(visible);
    }
}

void MainWindow::onDetailToggleClicked()
{
    const bool showDetail
        = detailToggleButton()->text() == QCoreApplication::translate("MainWindow", kShowDetailCaption);
    setCatalogueHeight(showDetail ? kDetailedHeight : kShortHeight);
    setDetailAreaVisible(showDetail);
    setQuickEstimateEnabled(!showDetail);
    detailToggleButton()->setText(
        QCoreApplication::translate("MainWindow", showDetail ? kHideDetailCaption : kShowDetailCaption));
}

void MainWindow::openOrRaise(QPointer<QWidget>& window, SideWindow kind)
{
    if (!window) {
        window = m_makeSideWindow(kind);
        if (!window)
            return;
        window->setAttribute(Qt::WA_DeleteOnClose);
    }
    window->show();
    window->raise();
    window->activateWindow();
}

void MainWindow::onToolsClicked() { openOrRaise(m_toolsWindow, SideWindow::Tools); }

void MainWindow::onVideoLinkPressed() { openOrRaise(m_videoWindow, SideWindow::Video); }

void MainWindow::onContactLinkPressed() { openOrRaise(m_contactWindow, SideWindow::Contact); }

void MainWindow::onHalfPackageClicked() { startPackage(Package::Half); }

void MainWindow::onFullPackageClicked() { startPackage(Package::Full); }

std::optional<KeptSheet>& MainWindow::keptSheet(Package package)
{
    return package == Package::Half ? m_halfSheet : m_fullSheet;
}

void MainWindow::startPackage(Package package)
{
    if (m_rooms.empty()) {
        showMessage(this, QCoreApplication::translate("MainWindow", kNoRoomsText), QMessageBox::Warning);
        return;
    }
    std::optional<KeptSheet>& kept = keptSheet(package);
    const QuoteInputs inputs = quoteInputs();
    bool buildNew = !kept;
    bool keepEdits = false;
    // A project without a sheet yet takes the book chosen for new quotes; one with sheets
    // keeps the prices they were made with until the user says otherwise.
    PriceBook chosen = m_shelf.ChosenBook();
    const bool otherBook = !(chosen == m_prices);
    PriceBook prices = !m_halfSheet && !m_fullSheet ? chosen : m_prices;
    // The kept sheet holds the user's edits; a sheet of the rooms as they are now would not,
    // unless the edits the project kept are made again on it.
    if (kept && (kept->builtFrom != inputs || otherBook)) {
        const QString changed = kept->builtFrom != inputs
            ? QCoreApplication::translate("MainWindow", "这张%1报价单算好以后，房间、装修类型或地面改过了。\n")
                  .arg(packageName(package))
            : QString();
        const QString repriced = otherBook
            ? QCoreApplication::translate("MainWindow", "这张报价单用的是价格表“%1”，新报价选用的是“%2”。\n")
                  .arg(toQString(m_prices.name()), toQString(chosen.name()))
            : QString();
        const QString recompute = otherBook
            ? QCoreApplication::translate("MainWindow", "要按现在的房间和“%1”重新计算吗？")
                  .arg(toQString(chosen.name()))
            : QCoreApplication::translate("MainWindow", "要按现在的房间重新计算吗？");
        // Edits are offered to be kept only when the project holds them: a sheet edited
        // before edits were kept, or never edited, has none to make again.
        const bool canKeep = !kept->edits.empty();
        enum { kRecompute, kRecomputeKeeping, kOpenKept, kCancel };
        QStringList answers { QCoreApplication::translate("MainWindow", "重新计算(&R)"),
            QCoreApplication::translate("MainWindow", "重新计算并保留修改(&K)"),
            QCoreApplication::translate("MainWindow", "打开原来的报价单(&O)"),
            QCoreApplication::translate("MainWindow", "取消(&C)") };
        const QString question = changed + repriced + recompute
            + (canKeep ? QStringLiteral("\n\n")
                        + QCoreApplication::translate("MainWindow", "“重新计算”：原报价单及其中的修改将被丢弃。")
                        + QLatin1Char('\n')
                        + QCoreApplication::translate(
                            "MainWindow", "“重新计算并保留修改”：在新报价单上重做原来的 %1 项修改，做不了的逐项列出。")
                              .arg(static_cast<qlonglong>(kept->edits.size()))
                        + QLatin1Char('\n')
                        + QCoreApplication::translate("MainWindow", "“打开原来的报价单”：不重新计算。")
                       : QCoreApplication::translate("MainWindow", "原报价单及其中的修改将被丢弃。"));
        if (!canKeep)
            answers.removeAt(kRecomputeKeeping);
        int answer = askQuestion(this, question, answers, canKeep ? kOpenKept : kOpenKept - 1, answers.size() - 1);
        if (!canKeep && answer >= kRecomputeKeeping)
            ++answer;
        if (answer != kRecompute && answer != kRecomputeKeeping && answer != kOpenKept)
            return;
        buildNew = answer != kOpenKept;
        keepEdits = answer == kRecomputeKeeping;
        if (buildNew)
            prices = std::move(chosen);
    }
    if (buildNew) {
        std::optional<Text> outOfRange;
        KeptSheet built = BuildKeptSheet(inputs, package, outOfRange, prices);
        // A sheet whose totals would show wrapped-round yuan is not opened at all: the
        // message names the room to correct, and the rooms stay as they are.
        if (outOfRange) {
            showMessage(this, toQString(*outOfRange), QMessageBox::Warning);
            return;
        }
        ReplayOutcome replayed;
        if (keepEdits) {
            replayed = ReplayKeptEdits(
                built.quote.sheet, built.quote.caption, kept->edits, kept->builtFrom.rooms, inputs.rooms, prices);
            built.edits = std::move(replayed.kept);
        }
        const QString name = keepEdits
            ? QCoreApplication::translate("MainWindow", "计算%1报价并保留修改").arg(packageName(package))
            : QCoreApplication::translate("MainWindow", "计算%1报价").arg(packageName(package));
        // The project keeps one book: a sheet repriced with another one takes the other sheet
        // of the project to the new prices the next time it is opened; undo gives both back.
        using SheetAndPrices = std::pair<std::optional<KeptSheet>, PriceBook>;
        SheetAndPrices before { std::exchange(kept, std::move(built)), std::exchange(m_prices, std::move(prices)) };
        m_session->history().push(new ProjectChange<SheetAndPrices>(name, std::move(before), SheetAndPrices { kept, m_prices },
            [this, package](const SheetAndPrices& state) {
                keptSheet(package) = state.first;
                m_prices = state.second;
            }));
        // Said once the new sheet stands, before it opens: the user knows what to redo by hand.
        if (!replayed.lost.empty())
            showMessage(this, toQString(LostEditsMessage(replayed.lost)), QMessageBox::Information);
    }
    openQuoteSheetWindow(package);
    Q_EMIT counterRefreshRequested();
}

void MainWindow::openQuoteSheetWindow(Package package)
{
    KeptSheet& kept = *keptSheet(package);
    QuoteSheetWindow sheet(kept.quote, this,
        m_loadChatPictures ? QuoteSheetWindow::ChatPicture::Load : QuoteSheetWindow::ChatPicture::Skip, m_prices);
    m_openSheet = &sheet;
    m_openPackage = package;
    updateComparison();
    sheet.setHistory(
        &m_session->history(),
        [this, package](const SheetChange& change, const KeptEdit& edit, QuoteSheetWindow::Move move) {
            applySheetChange(package, change, edit, move);
        },
        static_cast<int>(package) + 1);
    connect(&sheet, &QuoteSheetWindow::detailsRequested, this, [this, &sheet] { editQuoteDetails(&sheet); });
    // The rows are edited here, and the "文件" menu is out of reach while this window is
    // open: Ctrl+S saves the project, this sheet's edits with it, from here as well.
    auto* save = new QAction(QCoreApplication::translate("MainWindow", "保存"), &sheet);
    save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    sheet.addAction(save);
    connect(save, &QAction::triggered, m_session, [this] { m_session->save(); });
    // What it prints says what the details dialog says at the time of printing.
    sheet.setDetailsSource([this] { return m_details; });
    sheet.setBuiltFrom(kept.builtFrom);
    sheet.exec();
    // Closing the window keeps its sheet, edits and all, with the project.
    kept.quote = DetailedQuote { sheet.caption(), sheet.sheet() };
    m_openSheet = nullptr;
}

RoomRecord MainWindow::entryTexts() const
{
    return RoomRecord { {
        fromQString(roomTypeBox()->currentText()),
        fromQString(roomSizeEdit()->text()),
        fromQString(windowSizeBox()->currentText()),
        fromQString(doorTypeBox()->currentText()),
        fromQString(doorLeavesEdit()->text()),
        fromQString(wallsBox()->currentText()),
    } };
}

bool MainWindow::settleSizesInMetres(RoomRecord& entry)
{
    const std::optional<MetreSizes> metres = FindSizesInMetres(entry);
    if (!metres)
        return true;
    enum { kToMillimetres, kAsTyped, kCancel };
    const int answer = askQuestion(this, toQString(metres->question),
        { QCoreApplication::translate("MainWindow", "改为毫米(&M)"),
            QCoreApplication::translate("MainWindow", "按原样(&A)"),
            QCoreApplication::translate("MainWindow", "取消(&C)") },
        kToMillimetres, kCancel);
    if (answer == kCancel)
        return false;
    if (answer == kToMillimetres) {
        entry = metres->suggested;
        roomSizeEdit()->setText(toQString(entry.size()));
        setComboText(windowSizeBox(), toQString(entry.window()));
    }
    return true;
}

bool MainWindow::settleRoomType(RoomRecord& entry)
{
    const Text& typed = entry.type();
    if (typed.empty() || IsPricedRoomType(typed))
        return true;
    QStringList buttons;
    for (const std::string_view type : kRoomTypes)
        buttons << toQString(type);
    const int asIs = static_cast<int>(buttons.size());
    buttons << QCoreApplication::translate("MainWindow", "按原样(&A)")
            << QCoreApplication::translate("MainWindow", "取消(&C)");
    const std::optional<std::string_view> likely = LikelyRoomType(typed);
    int suggested = asIs;
    for (int i = 0; likely && i < asIs; ++i)
        if (kRoomTypes[static_cast<std::size_t>(i)] == *likely)
            suggested = i;
    const int answer = askQuestion(this, toQString(RoomTypeQuestion(typed)), buttons, suggested, asIs + 1);
    if (answer == asIs + 1)
        return false;
    if (answer >= 0 && answer < asIs) {
        entry.cells[kRoomType] = NamedRoomType(kRoomTypes[static_cast<std::size_t>(answer)], typed);
        setComboText(roomTypeBox(), toQString(entry.type()));
    }
    return true;
}

void MainWindow::onAddRoomClicked()
{
    RoomRecord entry = entryTexts();
    // A room the add check refuses is told so at once, before any question about it.
    RoomRecord checked = entry;
    if (!CheckRoomForAdd(checked) && (!settleRoomType(entry) || !settleSizesInMetres(entry)))
        return;
    std::vector<RoomRecord> before = m_rooms.rooms();
    const auto message = m_roomModel->addRoom(entry);
    recordRooms(QCoreApplication::translate("MainWindow", "添加房间"), std::move(before));
    // The check may have given a doorless room "0" leaves; the field shows what was checked.
    const QString leaves = toQString(entry.doorLeaves());
    if (doorLeavesEdit()->text() != leaves)
        doorLeavesEdit()->setText(leaves);
    if (message)
        showMessage(this, toQString(*message), QMessageBox::Information);
}

void MainWindow::onModifyRoomClicked()
{
    RoomRecord entry = entryTexts();
    if (m_rooms.selectedRow() >= 0 && !settleSizesInMetres(entry))
        return;
    std::vector<RoomRecord> before = m_rooms.rooms();
    m_roomModel->modifySelectedRoom(entry);
    recordRooms(QCoreApplication::translate("MainWindow", "修改房间"), std::move(before));
    roomListView()->setFocus();
}

void MainWindow::onDeleteRoomClicked()
{
    std::vector<RoomRecord> before = m_rooms.rooms();
    if (m_roomModel->deleteSelectedRoom())
        roomListView()->selectionModel()->clearSelection();
    recordRooms(QCoreApplication::translate("MainWindow", "删除房间"), std::move(before));
}

void MainWindow::showSelectedRoom()
{
    if (const auto room = m_rooms.RoomToShow())
        fillEntry(*room);
}

void MainWindow::fillEntry(const RoomRecord& room)
{
    // The room is shown as stored, its door type included, whatever its leaves are.
    const QScopedValueRollback keep(m_keepDoorType, true);
    setComboText(roomTypeBox(), toQString(room.type()));
    roomSizeEdit()->setText(toQString(room.size()));
    setComboText(windowSizeBox(), toQString(room.window()));
    setComboText(doorTypeBox(), toQString(room.doorType()));
    doorLeavesEdit()->setText(toQString(room.doorLeaves()));
    setComboText(wallsBox(), toQString(room.walls()));
}

void MainWindow::onDoorTypeChosen()
{
    const QScopedValueRollback keep(m_keepDoorType, true);
    doorLeavesEdit()->setText(toQString(DoorLeavesForDoorType(fromQString(doorTypeBox()->currentText()))));
}

void MainWindow::onDoorLeavesChanged(const QString& text)
{
    const DoorLeafRuleResult rule = ApplyDoorLeafRule(fromQString(text), fromQString(doorTypeBox()->currentText()));
    if (rule.correctedLeaves) {
        // The corrected text comes back through this handler and sets the door type then.
        doorLeavesEdit()->setText(toQString(*rule.correctedLeaves));
        return;
    }
    if (!m_keepDoorType)
        setComboText(doorTypeBox(), toQString(rule.doorType));
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!m_session->maySetAside()) {
        event->ignore();
        return;
    }
    m_session->endCleanly();
    // The main window's end is the program's end: the windows opened from it go with it.
    for (QWidget* window : {m_toolsWindow.data(), m_contactWindow.data(), m_videoWindow.data()})
        if (window)
            window->close();
    QWidget::closeEvent(event);
}

}  // namespace rq

namespace rq {

void MainWindow::setUpMenus()
{
    auto* details = new QAction(QCoreApplication::translate("MainWindow", "报价详情(&D)…"), this);
    connect(details, &QAction::triggered, this, [this] { editQuoteDetails(this); });
    auto* prices = new QAction(QCoreApplication::translate("MainWindow", "价格表(&P)…"), this);
    prices->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P));
    connect(prices, &QAction::triggered, this, &MainWindow::onPriceBooksChosen);
    m_session->addFileMenu(m_menuBar, { details, prices });
    addEditMenu();
    addQuoteMenu();
    connect(m_session, &ProjectSession::quitRequested, this, &QWidget::close);
    connect(m_session, &ProjectSession::stateChanged, this, &MainWindow::updateTitle);
    QMenu* help = m_menuBar->addMenu(QCoreApplication::translate("MainWindow", "帮助(&H)"));
    help->addAction(QCoreApplication::translate("MainWindow", "关于(&A)"), this, &MainWindow::onAboutChosen);
}

void MainWindow::addQuoteMenu()
{
    QMenu* quote = m_menuBar->addMenu(QCoreApplication::translate("MainWindow", "报价(&Q)"));
    QAction* compare = quote->addAction(
        QCoreApplication::translate("MainWindow", "方案对比(&C)…"), this, &MainWindow::openComparison);
    compare->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    compare->setToolTip(QCoreApplication::translate("MainWindow", "五种装修类型的半包和全包总价对比"));
}

ComparisonWindow* MainWindow::comparisonWindow() const { return m_comparison; }

void MainWindow::openComparison()
{
    if (!m_comparison) {
        m_comparison = new ComparisonWindow(this);
        connect(m_comparison, &ComparisonWindow::optionChosen, this, &MainWindow::openOption);
        // The comparison follows the rooms, the grade, the floor and a project opened.
        const auto follow = [this] { updateComparison(); };
        connect(gradeBox(), &QComboBox::currentTextChanged, m_comparison, follow);
        connect(boardsButton(), &QRadioButton::toggled, m_comparison, follow);
        connect(m_roomModel, &QAbstractItemModel::rowsInserted, m_comparison, follow);
        connect(m_roomModel, &QAbstractItemModel::rowsRemoved, m_comparison, follow);
        connect(m_roomModel, &QAbstractItemModel::dataChanged, m_comparison, follow);
        connect(m_roomModel, &QAbstractItemModel::modelReset, m_comparison, follow);
        connect(m_session, &ProjectSession::stateChanged, m_comparison, follow);
        updateComparison();
    }
    m_comparison->show();
    m_comparison->raise();
    m_comparison->activateWindow();
}

void MainWindow::updateComparison()
{
    if (!m_comparison)
        return;
    ComparisonWindow::Inputs inputs;
    const QuoteInputs quote = quoteInputs();
    inputs.rooms = quote.rooms;
    inputs.floor = quote.floor;
    inputs.prices = m_prices;
    // A grade the box does not offer is compared against the grade a new window shows.
    inputs.chosenGrade = static_cast<int>(FindGrade(quote.grade).value_or(Grade::Comfort));
    // The package whose sheet was opened last; a half package before any.
    inputs.chosenPackage = m_openPackage;
    m_comparison->setInputs(std::move(inputs));
}

void MainWindow::openOption(int grade, Package package)
{
    if (grade < 0 || grade >= kGradeCount)
        return;
    gradeBox()->setCurrentText(toQString(kGradeNames[grade]));
    startPackage(package);
}

void MainWindow::addEditMenu()
{
    QMenu* edit = m_menuBar->addMenu(QCoreApplication::translate("MainWindow", "编辑(&E)"));
    QUndoStack& history = m_session->history();
    // "撤销 删除房间": the entries name the change they take back or make again. In a text
    // box the box's own undo comes first (Qt gives it the keys).
    QAction* undo = history.createUndoAction(edit, QCoreApplication::translate("MainWindow", "撤销"));
    undo->setShortcut(QKeySequence::Undo);
    QAction* redo = history.createRedoAction(edit, QCoreApplication::translate("MainWindow", "重做"));
    redo->setShortcuts({ QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y) });
    edit->addAction(undo);
    edit->addAction(redo);
}

void MainWindow::watchForChanges()
{
    const std::pair<QLineEdit*, MergeAs> boxes[] = {
        { bedroomsEdit(), MergeAs::Bedrooms },
        { livingRoomsEdit(), MergeAs::LivingRooms },
        { kitchensEdit(), MergeAs::Kitchens },
        { bathroomsEdit(), MergeAs::Bathrooms },
        { balconiesEdit(), MergeAs::Balconies },
        { areaEdit(), MergeAs::Area },
    };
    for (const auto& [box, mergeAs] : boxes) {
        const QString name = QCoreApplication::translate("MainWindow", "修改%1").arg(box->accessibleName());
        connect(box, &QLineEdit::textChanged, this,
            [this, mergeAs, name] { onChoiceChanged(static_cast<int>(mergeAs), name); });
    }
    connect(gradeBox(), &QComboBox::currentTextChanged, this, [this] {
        onChoiceChanged(static_cast<int>(MergeAs::Grade), QCoreApplication::translate("MainWindow", "修改装修类型"));
    });
    connect(boardsButton(), &QRadioButton::toggled, this, [this] {
        onChoiceChanged(static_cast<int>(MergeAs::Floor), QCoreApplication::translate("MainWindow", "修改地面"));
    });
}

MainWindow::Choices MainWindow::currentChoices() const
{
    return { estimateInputs(), quoteInputs().floor };
}

void MainWindow::showChoices(const Choices& choices)
{
    const QScopedValueRollback showing(m_showingProject, true);
    bedroomsEdit()->setText(toQString(choices.estimate.bedrooms));
    livingRoomsEdit()->setText(toQString(choices.estimate.livingRooms));
    kitchensEdit()->setText(toQString(choices.estimate.kitchens));
    bathroomsEdit()->setText(toQString(choices.estimate.bathrooms));
    balconiesEdit()->setText(toQString(choices.estimate.balconies));
    areaEdit()->setText(toQString(choices.estimate.area));
    setComboText(gradeBox(), toQString(choices.estimate.grade));
    (choices.floor == FloorChoice::Boards ? boardsButton() : tilesButton())->setChecked(true);
    m_choices = choices;
}

void MainWindow::onChoiceChanged(int mergeAs, const QString& name)
{
    if (m_showingProject)
        return;
    Choices now = currentChoices();
    if (now == m_choices)
        return;
    Choices before = std::exchange(m_choices, now);
    m_session->history().push(new ProjectChange<Choices>(name, std::move(before), std::move(now),
        [this](const Choices& choices) { showChoices(choices); }, static_cast<MergeAs>(mergeAs)));
}

void MainWindow::recordRooms(const QString& name, std::vector<RoomRecord> before)
{
    if (before == m_rooms.rooms())
        return;
    m_session->history().push(new ProjectChange<std::vector<RoomRecord>>(name, std::move(before), m_rooms.rooms(),
        [this](const std::vector<RoomRecord>& rooms) { showRooms(rooms); }));
}

void MainWindow::showRooms(const std::vector<RoomRecord>& rooms)
{
    roomListView()->selectionModel()->clearSelection();
    m_roomModel->replaceRooms(rooms);
}

void MainWindow::applySheetChange(
    Package package, const SheetChange& change, const KeptEdit& edit, QuoteSheetWindow::Move move)
{
    using Move = QuoteSheetWindow::Move;
    std::optional<KeptSheet>& kept = keptSheet(package);
    // The history takes edits back last first: the kept list loses or regains its last one,
    // and always names exactly the edits on the sheet.
    if (kept) {
        if (move == Move::Undone && !kept->edits.empty())
            kept->edits.pop_back();
        else if (move != Move::Undone)
            kept->edits.push_back(edit);
    }
    if (move == Move::Made)
        return;
    const bool undo = move == Move::Undone;
    if (m_openSheet && m_openPackage == package) {
        m_openSheet->applyChange(change, undo);
        return;
    }
    if (kept)
        (undo ? UndoChange : RedoChange)(kept->quote.sheet, change, nullptr);
}

void MainWindow::setCatalogueHeight(int height)
{
    // The window grows by the menu bar and nothing else.
    m_area->setFixedSize(kWidth, height);
    setFixedSize(kWidth, height + m_menuBar->sizeHint().height());
}

void MainWindow::updateTitle()
{
    const QScopedValueRollback setting(m_settingTitle, true);
    // A window that never saw a file nor a change keeps its own title.
    const bool named = !m_session->filePath().isEmpty() || m_session->isModified();
    setWindowTitle(named ? m_session->displayName() + QStringLiteral("[*] - ") + m_baseTitle : m_baseTitle);
    setWindowModified(m_session->isModified());
}

void MainWindow::changeEvent(QEvent* event)
{
    // The counter writes its text straight into the title; the project's name stays in front.
    if (event->type() == QEvent::WindowTitleChange && !m_settingTitle) {
        m_baseTitle = windowTitle();
        updateTitle();
    }
    QWidget::changeEvent(event);
}

EstimateInputs MainWindow::estimateInputs() const
{
    return { fromQString(bedroomsEdit()->text()), fromQString(livingRoomsEdit()->text()),
        fromQString(kitchensEdit()->text()), fromQString(bathroomsEdit()->text()), fromQString(balconiesEdit()->text()),
        fromQString(areaEdit()->text()), fromQString(gradeBox()->currentText()) };
}

QuoteInputs MainWindow::quoteInputs() const
{
    return { m_rooms.rooms(), fromQString(gradeBox()->currentText()),
        boardsButton()->isChecked() ? FloorChoice::Boards : FloorChoice::Tiles };
}

Project MainWindow::currentProject() const
{
    Project project;
    project.estimate = estimateInputs();
    project.rooms = m_rooms.rooms();
    project.floor = quoteInputs().floor;
    project.details = m_details;
    project.halfPackage = m_halfSheet;
    project.fullPackage = m_fullSheet;
    project.prices = m_prices;
    if (m_openSheet) {
        std::optional<KeptSheet>& open = project.sheet(m_openPackage);
        if (open)
            open->quote = DetailedQuote { m_openSheet->caption(), m_openSheet->sheet() };
    }
    return project;
}

void MainWindow::showProject(const Project& project)
{
    const QScopedValueRollback showing(m_showingProject, true);
    bedroomsEdit()->setText(toQString(project.estimate.bedrooms));
    livingRoomsEdit()->setText(toQString(project.estimate.livingRooms));
    kitchensEdit()->setText(toQString(project.estimate.kitchens));
    bathroomsEdit()->setText(toQString(project.estimate.bathrooms));
    balconiesEdit()->setText(toQString(project.estimate.balconies));
    areaEdit()->setText(toQString(project.estimate.area));
    setComboText(gradeBox(), toQString(project.estimate.grade));
    (project.floor == FloorChoice::Boards ? boardsButton() : tilesButton())->setChecked(true);
    m_roomModel->replaceRooms(project.rooms);
    m_details = project.details;
    m_choices = currentChoices();
    m_halfSheet = project.halfPackage;
    m_fullSheet = project.fullPackage;
    m_prices = project.prices;
    // A project of rooms is a detailed quote: its rooms come into view.
    if (!project.rooms.empty()
        && detailToggleButton()->text() == QCoreApplication::translate("MainWindow", kShowDetailCaption))
        onDetailToggleClicked();
}

void MainWindow::onPriceBooksChosen()
{
    PriceBookWindow window(m_shelf, this);
    window.exec();
}

void MainWindow::editQuoteDetails(QWidget* parent)
{
    QuoteDetailsDialog dialog(m_details, parent);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QuoteDetails details = dialog.details();
    if (details == m_details)
        return;
    m_session->history().push(new ProjectChange<QuoteDetails>(QCoreApplication::translate("MainWindow", "报价详情"),
        m_details, details, [this](const QuoteDetails& kept) { m_details = kept; }));
    m_details = details;
}

void MainWindow::onAboutChosen() { showAboutBox(this); }

}  // namespace rq

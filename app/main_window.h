// The main window: the quick-estimate inputs at the top and, under "详细报价>>", the room
// entry fields, the room list and the two package buttons.
//
// How a quote comes about: the user types a room into the entry fields; "添加" reads the six
// texts, the core room list checks and stores them, and the room list model tells the table
// to show the new row. A package button takes the stored rooms, the grade text and the floor
// choice to the core quote engine, which returns the whole quote sheet and its caption; the
// quote sheet window shows that sheet modally, and when it closes the counter is refreshed.
// No figure is ever read back from a widget: the widgets show what the core holds.
//
// What the user keeps: the boxes, the rooms, the quote details and each quote sheet opened
// (with its edits) make the project, which the "文件" menu saves and opens through
// ProjectSession; a sheet stays with the project when its window closes.
#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

#include "prices/price_book_shelf.h"
#include "project/project.h"
#include "rooms/room_list.h"
#include "rooms/room_types.h"
#include "sheet/quote_sheet_window.h"
#include "sheet/sheet_change.h"

namespace Ui {
class MainWindowForm;
}

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPushButton;
class QRadioButton;
class QTableView;

namespace rq {

class HyperlinkLabel;
class ComparisonWindow;
class ProjectSession;
class RoomListModel;
class SpinEditBox;

class MainWindow : public QWidget {
    Q_OBJECT

public:
    // The window heights: quick estimate only at start, with the detailed area, and short
    // again after the detailed area was hidden.
    static constexpr int kWidth = 624;
    static constexpr int kStartHeight = 180;
    static constexpr int kDetailedHeight = 469;
    static constexpr int kShortHeight = 185;

    // Creates the window from its form and runs the creation step: the application style,
    // the short height, visible, focus on "估算报价".
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    const RoomList& rooms() const { return m_rooms; }

    // The catalogued controls, placed as the form says, in the area under the menu bar.
    QWidget* catalogueArea() const { return m_area; }
    QMenuBar* menuBar() const { return m_menuBar; }
    ProjectSession& session() const { return *m_session; }
    // The comparison window while it is open.
    ComparisonWindow* comparisonWindow() const;

    // The project as the window holds it now (an open quote sheet with its latest edits),
    // and the window showing another one.
    Project currentProject() const;
    void showProject(const Project& project);

    // Whether the windows opened from here download the chat-status picture (tests: no).
    void setChatPicturesLoaded(bool loaded) { m_loadChatPictures = loaded; }

    // Where the user's price books are kept (tests: a folder of their own).
    void setPriceBookShelf(PriceBookShelf shelf) { m_shelf = std::move(shelf); }
    const PriceBook& prices() const { return m_prices; }

    // The windows the main window opens beside itself. Tests replace the maker so that no
    // browser view or download is started; the program keeps the default.
    enum class SideWindow { Tools, Contact, Video };
    using SideWindowMaker = std::function<QWidget*(SideWindow)>;
    void setSideWindowMaker(SideWindowMaker maker) { m_makeSideWindow = std::move(maker); }

Q_SIGNALS:
    // A quote sheet was closed (or a quick estimate started): time to count the visit again.
    void counterRefreshRequested();

public Q_SLOTS:
    void onEstimateClicked();
    void onDetailToggleClicked();
    void onToolsClicked();
    void onHalfPackageClicked();
    void onFullPackageClicked();
    void onAddRoomClicked();
    void onModifyRoomClicked();
    void onDeleteRoomClicked();
    void showSelectedRoom();
    void onDoorTypeChosen();
    void onDoorLeavesChanged(const QString& text);
    void onVideoLinkPressed();
    void onContactLinkPressed();
    // "报价详情…", from the menu or from the quote sheet window (its parent then).
    void editQuoteDetails(QWidget* parent);
    void onAboutChosen();
    // 报价 → 方案对比…: every grade and package for these rooms, in a window of its own.
    void openComparison();
    // A double-click in the comparison: that grade in the grade box, that package's sheet.
    void openOption(int grade, rq::Package package);
    // "价格表…": the user's price books, one of them chosen for new quotes.
    void onPriceBooksChosen();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // The controls by role. Quick estimate:
    SpinEditBox* bedroomsEdit() const;
    SpinEditBox* livingRoomsEdit() const;
    SpinEditBox* kitchensEdit() const;
    SpinEditBox* bathroomsEdit() const;
    SpinEditBox* balconiesEdit() const;
    SpinEditBox* areaEdit() const;
    QComboBox* gradeBox() const;
    QPushButton* toolsButton() const;
    QPushButton* estimateButton() const;
    QPushButton* detailToggleButton() const;
    QLabel* bannerLabel() const;
    HyperlinkLabel* videoLink() const;
    HyperlinkLabel* processArticleLink() const;
    HyperlinkLabel* contactLink() const;
    HyperlinkLabel* designerSpaceLink() const;
    // The detailed area: room entry, room list, notice and packages.
    QFrame* detailSeparator() const;
    QComboBox* roomTypeBox() const;
    QLineEdit* roomSizeEdit() const;
    QComboBox* windowSizeBox() const;
    QComboBox* doorTypeBox() const;
    SpinEditBox* doorLeavesEdit() const;
    QComboBox* wallsBox() const;
    QPushButton* addRoomButton() const;
    QPushButton* deleteRoomButton() const;
    QPushButton* modifyRoomButton() const;
    QTableView* roomListView() const;
    QLabel* noticeLabel() const;
    HyperlinkLabel* siteLink() const;
    QRadioButton* boardsButton() const;
    QRadioButton* tilesButton() const;
    QPushButton* halfPackageButton() const;
    QPushButton* fullPackageButton() const;

    void connectHandlers();
    void setUpKeys();
    void setUpLinks();
    void setUpRoomList();
    void setQuickEstimateEnabled(bool enabled);
    void setDetailAreaVisible(bool visible);
    void setUpMenus();
    void addQuoteMenu();
    void updateComparison();
    void watchForChanges();
    // The choices of the window (the quick-estimate boxes, the grade, the floor): a change
    // is kept in the history, typing in one box merging into one change.
    struct Choices {
        EstimateInputs estimate;
        FloorChoice floor = FloorChoice::Boards;
        bool operator==(const Choices&) const = default;
    };
    Choices currentChoices() const;
    void showChoices(const Choices& choices);
    void onChoiceChanged(int mergeAs, const QString& name);
    // Keeps a change of the room list made just now (the rooms were `before`) in the history.
    void recordRooms(const QString& name, std::vector<RoomRecord> before);
    void showRooms(const std::vector<RoomRecord>& rooms);
    // Takes an edit of the package's sheet back, or makes it again, wherever the sheet is.
    void applySheetChange(
        Package package, const SheetChange& change, const KeptEdit& edit, QuoteSheetWindow::Move move);
    void addEditMenu();
    void setCatalogueHeight(int height);
    void updateTitle();
    EstimateInputs estimateInputs() const;
    QuoteInputs quoteInputs() const;
    std::optional<KeptSheet>& keptSheet(Package package);
    void startPackage(Package package);
    void openQuoteSheetWindow(Package package);
    RoomRecord entryTexts() const;
    // Asks whether sizes that look typed in metres were meant in millimetres; 改为毫米 corrects
    // `entry` and the fields. False when the user cancelled the add or change.
    bool settleSizesInMetres(RoomRecord& entry);
    // Asks which of the seven types a room named otherwise (主卧) is priced as, and keeps it
    // as "卧室（主卧）"; 按原样 keeps the name alone. False when the user cancelled.
    bool settleRoomType(RoomRecord& entry);
    void fillEntry(const RoomRecord& room);
    void openOrRaise(QPointer<QWidget>& window, SideWindow kind);

    std::unique_ptr<Ui::MainWindowForm> m_form;
    QMenuBar* m_menuBar = nullptr;
    QWidget* m_area = nullptr;
    ProjectSession* m_session = nullptr;
    // The parts of the project that no control shows.
    QuoteDetails m_details;
    std::optional<KeptSheet> m_halfSheet;
    std::optional<KeptSheet> m_fullSheet;
    // The project's prices: new sheets are priced with them and added items take their fees.
    PriceBook m_prices = BuiltInPriceBook();
    // The user's price books; tests point it at a folder of their own.
    PriceBookShelf m_shelf { DefaultPriceBookFolder() };
    // The quote sheet window while it is open, and the package it shows.
    QPointer<QuoteSheetWindow> m_openSheet;
    Package m_openPackage = Package::Half;
    // The title without the project's name: the form's, or the counter's once it came.
    QString m_baseTitle;
    bool m_settingTitle = false;
    // While a project is put into the controls, their changes are not the user's; nor are
    // they while the history puts one side of a change back.
    bool m_showingProject = false;
    // The choices as last kept in the history.
    Choices m_choices;
    RoomList m_rooms;
    RoomListModel* m_roomModel = nullptr;
    // While set, a change of the door leaves made by the window itself keeps the door type
    // shown: a door type the user picked, or the one of the room being shown.
    bool m_keepDoorType = false;
    bool m_loadChatPictures = true;
    // One tools, contact and video window at a time: opening again brings it forward.
    QPointer<QWidget> m_toolsWindow;
    QPointer<QWidget> m_contactWindow;
    QPointer<QWidget> m_videoWindow;
    QPointer<ComparisonWindow> m_comparison;
    SideWindowMaker m_makeSideWindow;
};

}  // namespace rq

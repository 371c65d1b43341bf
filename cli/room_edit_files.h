// The room and edit files of renoquote-cli quote: UTF-8 text, one room or one edit a line,
// fields separated by tabs, refused with the number of the first line that is wrong.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "prices/price_book.h"
#include "convert/outcome.h"
#include "quote/quote_sheet.h"
#include "rooms/room_record.h"
#include "rooms/rooms_alike.h"
#include "sheet/kept_edits.h"
#include "sheet/sheet_edits.h"

namespace rq::cli {

inline constexpr std::string_view kRoomFileName = "房间文件";
inline constexpr std::string_view kEditFileName = "修改文件";

// "修改文件第3行: ", which starts every refusal of a line.
Text LinePrefix(std::string_view fileName, int number);

// Rooms in list order, each checked as the 添加 button checks it unless `unchecked`. A room
// whose sizes look typed in metres is taken as given, with a line about it in `warnings`
// (a script cannot be asked as the window asks).
Outcome<std::vector<RoomRecord>> ReadRoomFile(std::string_view bytes, bool unchecked, std::vector<Text>& warnings);
// The same, the rooms alike kept once: for a quote of many rooms.
Outcome<RoomsAlike> ReadRoomsAlike(std::string_view bytes, bool unchecked, std::vector<Text>& warnings);

enum class EditKind { Modify, Delete, Add, Undo, Redo };

struct Edit {
    int line = 0;  // in the edit file, for a refusal
    EditKind kind = EditKind::Modify;
    int row = -1;
    ItemFields fields;
};

// The edits in file order: "modify", "delete" or "add" and their fields, or "undo" and
// "redo" alone.
Outcome<std::vector<Edit>> ReadEditFile(std::string_view bytes);

// The edits made so far, as the window's history keeps them: "undo" takes back the last one
// not yet taken back, "redo" makes again the last one taken back, until another edit.
struct EditHistory {
    std::vector<SheetChange> changes;
    std::vector<KeptEdit> kept;  // each change as the project keeps it, in step with changes
    std::size_t made = 0;  // changes[0, made) are on the sheet
};

// Makes the edit, or leaves the sheet as it is and returns why not, as the window would. An
// added item rebuilds the fees at the book's rates. "undo" with nothing to take back and
// "redo" with nothing to make again are refused: a script asking for them went wrong.
std::optional<Text> ApplyEdit(QuoteSheet& sheet, std::string_view caption, const Edit& edit, const PriceBook& book,
                              EditHistory& history);

}  // namespace rq::cli

#include "prices/price_book_shelf.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "files/atomic_file.h"
#include "files/capped_read.h"
#include "prices/price_book_json.h"

namespace rq {

namespace {

namespace fs = std::filesystem;

// The one line that says which book new quotes use.
constexpr std::string_view kChosenFile = "chosen-book.txt";

} // namespace

std::string DefaultPriceBookFolder()
{
    const char* data = std::getenv("XDG_DATA_HOME");
    // The desktop's rules: a relative path in the variable counts as unset.
    if (data && data[0] == '/')
        return std::string(data) + "/renoquote/prices";
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "") + "/.local/share/renoquote/prices";
}

std::vector<Text> PriceBookShelf::Names() const
{
    std::vector<Text> names;
    std::error_code error;
    for (fs::directory_iterator entry(m_folder, error), end; !error && entry != end; entry.increment(error)) {
        const fs::path path = entry->path();
        if (path.extension() == ".renoquote-prices" && path.filename().string().front() != '.')
            names.push_back(path.stem().string());
    }
    std::sort(names.begin(), names.end());
    names.insert(names.begin(), Text(kBuiltInBookName));
    return names;
}

std::string PriceBookShelf::PathOf(const Text& name) const
{
    return m_folder + "/" + name + ".renoquote-prices";
}

bool PriceBookShelf::Holds(const Text& name) const
{
    std::error_code error;
    return name == kBuiltInBookName || fs::is_regular_file(PathOf(name), error);
}

Outcome<PriceBook> PriceBookShelf::Load(const Text& name) const
{
    if (name == kBuiltInBookName)
        return BuiltInPriceBook();
    const Outcome<std::string> file = ReadWholeFile(PathOf(name), kMaxPriceBookFileBytes);
    if (!file)
        return Outcome<PriceBook>::Failed("无法读取价格表“" + name + "”：" + file.problem);
    PriceBookReadResult read = ReadPriceBookJson(*file.value);
    if (!read.book) {
        Text problems = "价格表“" + name + "”有问题：";
        for (const Text& problem : read.problems)
            problems += "\n" + problem;
        return Outcome<PriceBook>::Refused(problems);
    }
    // The file's name is the book's name on the shelf, whatever the file says inside.
    read.book->setName(name);
    return std::move(*read.book);
}

std::optional<Text> PriceBookShelf::NameProblem(const Text& name)
{
    if (std::optional<Text> problem = TextProblem(name, kMaxBookNameChars))
        return "价格表的名字" + *problem + "。";
    if (name == kBuiltInBookName)
        return "“" + name + "”是程序自带的价格表，请另取一个名字。";
    if (name.find('/') != Text::npos || name.front() == '.')
        return Text("价格表的名字不能含有“/”，也不能以“.”开头。");
    return std::nullopt;
}

std::optional<Text> PriceBookShelf::Save(const PriceBook& book) const
{
    if (std::optional<Text> problem = NameProblem(book.name()))
        return problem;
    std::error_code error;
    fs::create_directories(m_folder, error);
    if (error)
        return "无法建立价格表文件夹 " + m_folder + "：" + error.message();
    return WriteFileAtomically(PathOf(book.name()), WritePriceBookJson(book));
}

std::optional<Text> PriceBookShelf::Remove(const Text& name) const
{
    if (name == kBuiltInBookName)
        return "“" + name + "”是程序自带的价格表，不能删除。";
    std::error_code error;
    if (!fs::remove(PathOf(name), error) || error)
        return "无法删除价格表“" + name + "”" + (error ? "：" + error.message() : Text());
    return std::nullopt;
}

Text PriceBookShelf::ChosenName() const
{
    const Outcome<std::string> file = ReadWholeFile(m_folder + "/" + Text(kChosenFile), 1024);
    if (!file)
        return Text(kBuiltInBookName);
    Text name = *file.value;
    while (!name.empty() && (name.back() == '\n' || name.back() == '\r'))
        name.pop_back();
    return Holds(name) && !NameProblem(name) ? name : Text(kBuiltInBookName);
}

PriceBook PriceBookShelf::ChosenBook() const
{
    Outcome<PriceBook> book = Load(ChosenName());
    return book ? std::move(*book.value) : BuiltInPriceBook();
}

std::optional<Text> PriceBookShelf::Choose(const Text& name) const
{
    std::error_code error;
    fs::create_directories(m_folder, error);
    if (error)
        return "无法建立价格表文件夹 " + m_folder + "：" + error.message();
    return WriteFileAtomically(m_folder + "/" + Text(kChosenFile), name + "\n");
}

} // namespace rq

// The user's named price books, one .renoquote-prices file each in
// $XDG_DATA_HOME/renoquote/prices (else ~/.local/share/renoquote/prices), and which of them
// new quotes are priced with. The built-in book, 默认价格表, is always there and never a file.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "convert/outcome.h"
#include "prices/price_book.h"

namespace rq {

// Where the books are kept, from the environment as the desktop's rules give it.
std::string DefaultPriceBookFolder();

class PriceBookShelf {
public:
    explicit PriceBookShelf(std::string folder) : m_folder(std::move(folder)) {}
    const std::string& folder() const { return m_folder; }

    // 默认价格表 first, then the kept books by name. A file that is no sound book is still
    // listed, so that opening it says what is wrong with it.
    std::vector<Text> Names() const;

    // The book of that name; 默认价格表 is the built-in one.
    Outcome<PriceBook> Load(const Text& name) const;

    // Keeps the book under its name, replacing a book of the same name; the folder is made
    // when missing. The built-in book's name is not the user's to write over.
    std::optional<Text> Save(const PriceBook& book) const;
    std::optional<Text> Remove(const Text& name) const;
    bool Holds(const Text& name) const;

    // The book new quotes are priced with: the chosen one when it can be read, else the
    // built-in one (a chosen book deleted since is no reason to refuse a quote).
    Text ChosenName() const;
    PriceBook ChosenBook() const;
    std::optional<Text> Choose(const Text& name) const;

    // What is wrong with a name for a kept book (it becomes a file name), or nothing.
    static std::optional<Text> NameProblem(const Text& name);

private:
    std::string PathOf(const Text& name) const;
    std::string m_folder;
};

} // namespace rq

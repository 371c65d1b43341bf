// The language of the window chrome: Chinese, the language the texts are written in, or
// English through the program's compiled translation. Quotes, their items and units and the
// estimate report stay Chinese in both: they go to Chinese contractors.
#pragma once

#include <QString>
#include <optional>

namespace rq {

enum class InterfaceLanguage { Chinese, English };

// A locale's language as the desktop gives it ("zh_CN", "zh-TW", "en_GB"): any Chinese is
// Chinese, every other language English. "C" and "POSIX" name no language (a bare system
// or a session with no language set): the program speaks its own, Chinese.
InterfaceLanguage languageOfLocale(const QString& locale);

// The value of `--lang`: "zh" or "en"; nothing for anything else.
std::optional<InterfaceLanguage> languageOfArgument(const QString& value);

// The language the user's session asks for (LANGUAGE, LC_ALL, LC_MESSAGES, LANG).
InterfaceLanguage systemInterfaceLanguage();

// Puts the windows in `language` from now on: the program's texts, and Qt's own (the
// buttons of its dialogs, the edit boxes' menus) where Qt's translations are installed.
// False when the English catalogue could not be loaded, and the texts stay Chinese.
bool installInterfaceLanguage(InterfaceLanguage language);

// Takes back what installInterfaceLanguage installed: the texts as written.
void removeInterfaceLanguage();

// The language the windows are in now, and its `--lang` value, for a further window the
// program starts for itself.
InterfaceLanguage currentInterfaceLanguage();
QString languageArgument(InterfaceLanguage language);

} // namespace rq

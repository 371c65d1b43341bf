#include "ui/interface_language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace rq {

namespace {

// The program's catalogue, compiled into its resources (see app/CMakeLists.txt), so that
// a package unpacked anywhere finds it.
constexpr char kEnglishCatalogue[] = ":/i18n/renoquote_en.qm";

QTranslator* g_programTexts = nullptr;
QTranslator* g_qtTexts = nullptr;
InterfaceLanguage g_current = InterfaceLanguage::Chinese;

void drop(QTranslator*& translator)
{
    if (!translator)
        return;
    QCoreApplication::removeTranslator(translator);
    delete translator;
    translator = nullptr;
}

} // namespace

InterfaceLanguage languageOfLocale(const QString& locale)
{
    const QString language = locale.section(QLatin1Char('.'), 0, 0);
    if (language.isEmpty() || language == QLatin1String("C") || language == QLatin1String("POSIX")
        || locale.startsWith(QLatin1String("zh"), Qt::CaseInsensitive))
        return InterfaceLanguage::Chinese;
    return InterfaceLanguage::English;
}

std::optional<InterfaceLanguage> languageOfArgument(const QString& value)
{
    if (value == QLatin1String("zh"))
        return InterfaceLanguage::Chinese;
    if (value == QLatin1String("en"))
        return InterfaceLanguage::English;
    return std::nullopt;
}

InterfaceLanguage systemInterfaceLanguage()
{
    // Qt reads LANGUAGE first, then LC_ALL, LC_MESSAGES and LANG, as the desktop does.
    const QStringList languages = QLocale::system().uiLanguages();
    return languageOfLocale(languages.isEmpty() ? QString() : languages.front());
}

bool installInterfaceLanguage(InterfaceLanguage language)
{
    removeInterfaceLanguage();
    bool complete = true;
    if (language == InterfaceLanguage::English) {
        g_programTexts = new QTranslator;
        complete = g_programTexts->load(QString::fromLatin1(kEnglishCatalogue));
        if (complete)
            QCoreApplication::installTranslator(g_programTexts);
        else
            drop(g_programTexts);
    }
    // Qt's own texts are English as written; Chinese comes from its translations.
    if (language == InterfaceLanguage::Chinese || !complete) {
        g_qtTexts = new QTranslator;
        if (g_qtTexts->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qt"), QStringLiteral("_"),
                QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QCoreApplication::installTranslator(g_qtTexts);
        else
            drop(g_qtTexts);
    }
    g_current = complete ? language : InterfaceLanguage::Chinese;
    return complete;
}

void removeInterfaceLanguage()
{
    drop(g_programTexts);
    drop(g_qtTexts);
    g_current = InterfaceLanguage::Chinese;
}

InterfaceLanguage currentInterfaceLanguage() { return g_current; }

QString languageArgument(InterfaceLanguage language)
{
    return language == InterfaceLanguage::English ? QStringLiteral("en") : QStringLiteral("zh");
}

} // namespace rq

#pragma once
// The FAQ and the About page's texts.

#include <array>
#include <string>
#include <string_view>

namespace kvat {

inline constexpr std::u32string_view kSiteAddress = U"https://kvat.example.org/";
inline constexpr std::u32string_view kContactAddress = U"kvat@example.org";
// The subject line of a question sent from the About page.
std::u32string MailSubject();

// The FAQ, lines ended by CR LF; `sample` is the editor's starting quatrain, whose second and
// fourth lines end with a full stop.
std::u32string ShowFaq(const std::array<std::u32string_view, 4>& sample);

struct AboutLine {
    std::u32string_view text;
    bool bold;
    bool red;
};

// The About text, line by line, as the page prints it.
inline constexpr std::array<AboutLine, 14> kAboutText = {{
    {U"В программе использованы:", true, false},
    {U"- соответствие звуков нотам (Велтунов Р. Н.);", false, false},
    {U"- звуко-цветовое соответствие (Листрин О. С.);", false, false},
    {U"- основные мотивные формы (Корбан Д. Л.).", false, false},
    {U"", false, false},
    {U"Для программы разработаны:", true, false},
    {U"- алгоритм автоматического определения", false, false},
    {U"стихотворного размера;", false, false},
    {U"- частотный метод генерации мелодий;", false, false},
    {U"- тональный метод генерации мелодий;", false, false},
    {U"- шаблонный метод генерации мелодий;", false, false},
    {U"- автоматическая гармонизация мелодии.", false, false},
    {U"", false, false},
    {U"", false, true},
}};

// Whose work the program carries and under which licences, for the About page.
inline constexpr std::u32string_view kCredits =
    U"Kvat - свободная программа: её можно распространять и изменять на условиях GNU General "
    U"Public License версии 3 или (по вашему выбору) любой более поздней версии. Программа "
    U"поставляется без каких-либо гарантий.\n\n"
    U"Ударения в режиме «по словарю» берутся из словарей:\n"
    U"- словарь произношения festvox-ru (Московский государственный университет; "
    U"лицензия в стиле BSD, с указанием авторства);\n"
    U"- словарь ударений Мюллера (mueller7accent, GNU GPL 2 или новее);\n"
    U"- слова, которых нет в словарях, - по espeak-ng (GNU GPL 3 или новее).\n\n"
    U"Нотный шрифт KvatSymbols создан на основе шрифта Emmentaler проекта LilyPond "
    U"(SIL Open Font License 1.1).\n\n"
    U"Тексты лицензий: файл COPYING и папка resources в исходных текстах программы.";

} // namespace kvat

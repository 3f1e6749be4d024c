#include "help/help_texts.h"

namespace kvat {
namespace {

// "S." becomes "S ." : the example of characters after a space at a line's end.
std::u32string SpaceBeforeFullStop(std::u32string_view line) {
    std::u32string out(line);
    // Not insert(): GCC 12 inlines it into a memcpy it then wrongly calls overlapping
    // (-Wrestrict).
    if (!out.empty() && out.back() == U'.') {
        out.back() = U' ';
        out.push_back(U'.');
    }
    return out;
}

} // namespace

std::u32string ShowFaq(const std::array<std::u32string_view, 4>& s) {
    const std::u32string q = U"\"";
    const std::u32string site(kSiteAddress);
    const std::u32string S1(s[0]), S2(s[1]), S3(s[2]), S4(s[3]);
    const std::u32string lines[] = {
        U"Kvat-1.05: FAO",
        U"",
        U"1. Если у вас по каким-либо причинам не установился шрифт KvatSymbols, то скачайте файл "
        U"шрифта и установите вручную. Откройте:",
        U"Пуск > Панель управления > Шрифты",
        U"В меню:",
        U"Правка > Установить шрифт...",
        U"Скачать шрифт KvatSymbols можно по адресу:",
        site + U"KvatSymbols.ttf",
        U"",
        U"2. Если при запуске программы система выдает ошибку и объявляет об отсутствии файла "
        U"richtx32.ocx, то скачайте элемент управления ActiveX, установите вручную. Скопируйте "
        U"файл в папку:",
        U"C:\\Windows\\System32",
        U"И обязательно зарегистрируйте:",
        U"Пуск > Выполнить… > Вставить: regsvr32 richtx32.ocx > OK",
        U"Скачать файл richtx32.ocx можно по адресу:",
        site + U"richtx32.ocx",
        U"",
        U"3. Версия 1.05 поддерживает расстановку ударений вручную. Для этого нужно на главной "
        U"странице в пункте \"Размер\" выбрать \"Расстановка иктов вручную\". Но в данное время "
        U"программа не разбирает гласные буквы написанные слитно. Например, в слове \"сбирается\" "
        U"не возможно поставить ударение на букву \"е\".",
        U"Если необходимо установить ударение на подобную букву, то впишите между гласными пробел "
        U"- на мелодию это не повлияет.",
        U"",
        U"4. Данная версия программы не обрабатывает пустые строки, строки без гласных букв, "
        U"символы после пробела в конце строки.",
        U"",
        U"Неправильно (пустая строка):",
        q + S1, S2, U"", S3, S4 + q,
        U"",
        U"Неправильно (строка не содержит гласных букв):",
        q + S1, S2, U" * * * ", S3, S4 + q,
        U"",
        U"Неправильно (окончания строк содержат символ после пробела):",
        q + S1 + U" -", SpaceBeforeFullStop(S2), S3 + U" -", SpaceBeforeFullStop(S4) + q,
        U"",
        U"Правильно:",
        q + S1, S2, S3, S4 + q,
        U"",
        U"Все ошибки будут исправлены со временем. Пишите, если обнаружили другие ошибки.",
    };
    std::u32string faq;
    for (const auto& line : lines) faq += line + U"\r\n";
    return faq;
}

} // namespace kvat

#include "help/help_texts.h"

#include "kvat_version.h"

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

std::u32string MailSubject() {
    return U"Вопрос о программе Kvat-" + std::u32string(kVersionText);
}

std::u32string ShowFaq(const std::array<std::u32string_view, 4>& s) {
    const std::u32string q = U"\"";
    const std::u32string S1(s[0]), S2(s[1]), S3(s[2]), S4(s[3]);
    const std::u32string version(kVersionText);
    const std::u32string lines[] = {
        U"Kvat-" + version + U": FAO",
        U"",
        U"1. Шрифт нотных знаков KvatSymbols встроен в программу: при каждом запуске Kvat "
        U"регистрирует его для себя сам, устанавливать шрифт в систему не нужно.",
        U"Если вместо нот видны пустые квадраты, проверьте, что установлен пакет fontconfig:",
        U"sudo apt install fontconfig",
        U"Если это не помогло, запустите программу из терминала и пришлите нам то, что она "
        U"напишет:",
        U"kvat",
        U"Шрифт можно установить и вручную: он лежит в исходных текстах программы, "
        U"resources/fonts/kvat-symbols/KvatSymbols.ttf",
        U"",
        U"2. Для работы окна нужны библиотеки Qt 6, для звука - FluidSynth и звуковой шрифт "
        U"General MIDI. Если программа не запускается или не звучит, установите их:",
        U"sudo apt install libqt6widgets6 libqt6svg6 libfluidsynth3 fluid-soundfont-gm",
        U"Другой звуковой шрифт (файл .sf2) можно указать в переменной окружения:",
        U"KVAT_SOUNDFONT=/путь/к/шрифту.sf2 kvat",
        U"Без звуковой карты мелодию можно записать в файл и прослушать в любом проигрывателе:",
        U"kvat audio стихи.txt -o мелодия.wav",
        U"",
        U"3. Версия " + version +
            U" поддерживает расстановку ударений вручную. Для этого нужно на главной "
            U"странице в пункте \"Размер\" выбрать \"Расстановка иктов вручную\". Но в данное "
            U"время "
            U"программа не разбирает гласные буквы написанные слитно. Например, в слове "
            U"\"сбирается\" "
            U"не возможно поставить ударение на букву \"е\".",
        U"Если необходимо установить ударение на подобную букву, то впишите между гласными пробел "
        U"- на мелодию это не повлияет.",
        U"",
        U"4. Данная версия программы не обрабатывает пустые строки, строки без гласных букв, "
        U"символы после пробела в конце строки.",
        U"",
        U"Неправильно (пустая строка):",
        q + S1,
        S2,
        U"",
        S3,
        S4 + q,
        U"",
        U"Неправильно (строка не содержит гласных букв):",
        q + S1,
        S2,
        U" * * * ",
        S3,
        S4 + q,
        U"",
        U"Неправильно (окончания строк содержат символ после пробела):",
        q + S1 + U" -",
        SpaceBeforeFullStop(S2),
        S3 + U" -",
        SpaceBeforeFullStop(S4) + q,
        U"",
        U"Правильно:",
        q + S1,
        S2,
        S3,
        S4 + q,
        U"",
        U"Все ошибки будут исправлены со временем. Пишите, если обнаружили другие ошибки.",
    };
    std::u32string faq;
    for (const auto& line : lines) faq += line + U"\r\n";
    return faq;
}

} // namespace kvat

#pragma once
// The loudness and speed choices: the dynamics list (velocity base and the score's dynamics
// mark), the tempo list (beats per minute and the score's Italian term), and the time
// signatures the MIDI file may carry.

#include <array>
#include <optional>
#include <span>
#include <string_view>

namespace kvat {

struct DynamicsItem {
    std::u32string_view item; // the list's text
    int percent;              // the loudness: base velocity, 30..100
    int glyph;                // the mark's code in the symbol font
};

inline constexpr std::array<DynamicsItem, 8> kDynamicsTable = {{
    {U"Форте-фортиссимо", 100, 113},
    {U"Фортиссимо", 90, 112},
    {U"Форте", 80, 111},
    {U"Меццо-форте", 70, 110},
    {U"Меццо-пиано", 60, 108},
    {U"Пиано", 50, 105},
    {U"Пианиссимо", 40, 106},
    {U"Пиано-пианиссимо", 30, 107},
}};

struct TempoItem {
    std::u32string_view item; // the list's text
    std::u32string_view term; // drawn over the score
    int bpm;                  // quarter notes per minute
};

inline constexpr std::array<TempoItem, 39> kTempoTable = {{
    {U"Прэстиссимо", U"Prestissimo", 200},
    {U"Прэсто", U"Presto", 184},
    {U"Вивиче", U"Vivace", 176},
    {U"Виво", U"Vivo", 168},
    {U"Аллегро виваче", U"Allegro vivace", 162},
    {U"Аллегро анимато", U"Allegro animato", 158},
    {U"Аллегро аджитато", U"Allegro agitato", 152},
    {U"Аллегро ассаи", U"Allegro assai", 144},
    {U"Аллегро мольто", U"Allegro molto", 138},
    {U"Аллегро", U"Allegro", 120},
    {U"Аллегро транкуилло", U"Allegro tranquillo", 118},
    {U"Аллегро нон троппо", U"Allegro non troppo", 116},
    {U"Тэмпо ди марча", U"Tempo di marcia", 112},
    {U"Аллегро модерато", U"Allegro moderato", 108},
    {U"Анимато ассаи", U"Animato assai", 104},
    {U"Анимато", U"Animato", 100},
    {U"Аллегрэтто моссо", U"Allegretto mosso", 96},
    {U"Аллегрэтто", U"Allegretto", 92},
    {U"Аллегрэтто модерато", U"Allegretto moderato", 88},
    {U"Кон мото", U"Con moto", 84},
    {U"Модерато", U"Moderato", 80},
    {U"Модерато ассаи", U"Moderato assai", 76},
    {U"Андантино", U"Andantino", 74},
    {U"Андантэ кон мото", U"Andante con moto", 72},
    {U"Андантэ нон троппо", U"Andante non troppo", 70},
    {U"Комодамэнтэ", U"Comodamente", 68},
    {U"Комодо", U"Comodo", 66},
    {U"Андантэ моссо", U"Andante mosso", 64},
    {U"Андантэ маэстозо", U"Andante maestoso", 62},
    {U"Андантэ", U"Andante", 60},
    {U"Адажиэтто", U"Adagietto", 58},
    {U"Андантэ ассаи", U"Andante assai", 56},
    {U"Ларгэтто", U"Larghetto", 54},
    {U"Лентамэнте", U"Lentamente", 52},
    {U"Ленто", U"Lento", 50},
    {U"Адажио", U"Adagio", 48},
    {U"Ларгамэнтэ", U"Largamente", 46},
    {U"Ларго", U"Largo", 44},
    {U"Гравэ", U"Grave", 40},
}};

// The row of a dynamics or tempo list index; nothing for an index off the list.
std::optional<DynamicsItem> DynamicsValue(int index);
std::optional<TempoItem> TempoValue(int index);

// The index of the row nearest a loudness or a tempo (the earlier row of two as near): what
// the lists show for it, and where the score's mark and term come from.
int DynamicsIndex(int percent);
int TempoIndex(int beatsPerMinute);

inline constexpr std::array<int, 6> kNumerators = {2, 3, 4, 6, 9, 12};

// The denominators offered for a numerator, the first of them selected after the change; empty
// for a numerator that is not offered.
std::span<const int> DenominatorsFor(int numerator);

} // namespace kvat

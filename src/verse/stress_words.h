#pragma once
// Short words whose stress the dictionary mode does not take from the lexicons: in verse they
// lean on their neighbours, or take the stress only where the metre puts one.

#include <string_view>

namespace kvat {

// Prepositions, conjunctions and particles of one syllable: never stressed.
inline constexpr std::u32string_view kCliticWords[] = {
    U"в",     U"во",  U"к",    U"ко",   U"с",   U"со",   U"у",      U"о",    U"об",
    U"обо",   U"от",  U"ото",  U"до",   U"за",  U"на",   U"по",     U"из",   U"изо",
    U"без",   U"для", U"при",  U"про",  U"над", U"под",  U"пред",   U"меж",  U"чрез",
    U"средь", U"и",   U"а",    U"но",   U"иль", U"ль",   U"же",     U"ж",    U"бы",
    U"б",     U"ли",  U"не",   U"ни",   U"ка",  U"ведь", U"уж",     U"хоть", U"ну",
    U"коль",  U"мол", U"чтоб", U"лишь", U"вот", U"да",   U"сквозь", U"пусть"};

// Pronouns, short adverbs, link verbs and interjections of one syllable: stressed where the
// metre wants a stress, unstressed elsewhere.
inline constexpr std::u32string_view kMetricalWords[] = {
    U"я",   U"ты",  U"он",   U"мы",   U"вы",    U"их",    U"им",   U"ей",   U"ней",
    U"нем", U"нём", U"них",  U"ним",  U"мне",   U"мной",  U"нам",  U"нас",  U"вас",
    U"вам", U"тех", U"тем",  U"том",  U"той",   U"те",    U"та",   U"тот",  U"то",
    U"ту",  U"все", U"всё",  U"всех", U"всем",  U"всю",   U"вся",  U"весь", U"всей",
    U"сам", U"кто", U"что",  U"чей",  U"чем",   U"где",   U"там",  U"тут",  U"здесь",
    U"так", U"как", U"чуть", U"есть", U"быть",  U"был",   U"мой",  U"твой", U"свой",
    U"наш", U"ваш", U"сей",  U"сих",  U"вновь", U"вдруг", U"будь", U"ах",   U"ох"};

// Prepositions and conjunctions of two syllables: stressed on their own vowel where the metre
// wants a stress there, unstressed elsewhere.
inline constexpr std::u32string_view kMetricalFunctionWords[] = {
    U"или",  U"чтобы", U"через", U"перед", U"среди", U"между",
    U"если", U"после", U"возле", U"около", U"либо",  U"будто"};

// Words joined to the word before them by a hyphen that take no stress of their own
// (кто-то, когда-нибудь, всё-таки).
inline constexpr std::u32string_view kHyphenParticles[] = {U"то",   U"либо", U"нибудь", U"ка",
                                                           U"таки", U"де",   U"с"};

} // namespace kvat

#pragma once
// Words that carry no stress of their own, in the order the analysis applies them. " у " and
// " то " stand twice, as they always have: a run of them is then wholly unstressed.

#include <string_view>

namespace kvat {

inline constexpr std::u32string_view kOneSyllableFunctionWords[] = {
    U"на", U"за",  U"по",  U"из",  U"у",    U"от",   U"для", U"во",  U"без", U"до",
    U"о",  U"со",  U"при", U"про", U"об",   U"ко",   U"над", U"под", U"и",   U"что",
    U"но", U"а",   U"да",  U"у",   U"то",   U"есть", U"не",  U"как", U"же",  U"бы",
    U"ли", U"вот", U"то",  U"ни",  U"лишь", U"ведь", U"вон", U"быть"};

inline constexpr std::u32string_view kTwoSyllableFunctionWords[] = {
    U"хотя", U"когда", U"чтобы", U"если",   U"тоже",   U"или", U"через",
    U"зато", U"будто", U"даже",  U"только", U"нибудь", U"уже", U"либо"};

} // namespace kvat

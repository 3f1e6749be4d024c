#include "cli/manual/manual_page.h"

#include "sound/sound_font.h"

#include <algorithm>
#include <cctype>
#include <span>

namespace kvat::cli {
namespace {

// A term and what it means: a command, an exit status, a variable, a file or an example.
struct Entry {
    std::string_view term;
    std::string_view text;
};

constexpr Entry kCommands[] = {
    {"kvat",
     "opens the window: the verse with its stressed vowels, the metre, the ten melody methods, "
     "the score, playback and every sound setting. It remembers every choice for the next start."},
    {"kvat analyse [FILE] [OPTIONS]",
     "writes the verse analysis as JSON: the metres' scores, the stressed vowels, the rhymes."},
    {"kvat syllables [FILE]", "writes the verse divided into syllables."},
    {"kvat report [FILE] [OPTIONS]", "writes the verse report: metres, stanzas and rhymes."},
    {"kvat melody [FILE] [OPTIONS]", "writes the melody tokens, one per line."},
    {"kvat midi [FILE] -o OUT.mid [OPTIONS]",
     "writes the arranged melody as a Standard MIDI File, the syllables as lyrics; -o - writes "
     "it to standard output."},
    {"kvat audio [FILE] -o OUT.wav [OPTIONS]",
     "sounds the arrangement through FluidSynth into a WAV file."},
    {"kvat score [FILE] -o OUT.EXT [OPTIONS]",
     "draws the score as .png, .svg or .pdf, or writes its layout as .json or the arrangement "
     "as .musicxml, by the extension of OUT."},
    {"kvat midi|audio|score FILE... -d DIR [-f EXT] [OPTIONS]",
     "writes each poem to DIR/NAME.EXT, as many at a time as there are cores. A poem that fails "
     "is reported and the others are still written."},
};

constexpr Entry kExitStatus[] = {
    {"0", "success."},
    {"1",
     "a failure at run time: a file that cannot be read or written, no SoundFont, a text "
     "without a Russian vowel for midi, audio or score, or any poem of a batch failing. Nothing "
     "is left half written."},
    {"2", "bad usage (an unknown option, a value out of range) or input that is not text."},
};

constexpr Entry kEnvironment[] = {
    {"KVAT_SOUNDFONT",
     "the General MIDI SoundFont (.sf2 or .sf3) to play and sound with, before the system's."},
    {"KVAT_DATA_DIR",
     "the folder the score's symbol font is written to for this user; by default Kvat's folder "
     "under $XDG_DATA_HOME (~/.local/share)."},
    {"XDG_CONFIG_HOME", "where the settings live (~/.config when unset)."},
    {"XDG_RUNTIME_DIR",
     "the user's private folder for the file being played and the verse report; without it "
     "they go to Kvat's data and cache folders."},
    {"QT_QPA_PLATFORM",
     "the window system the window opens on; kvat score draws without one when it is unset."},
};

constexpr Entry kFiles[] = {
    {"~/.config/Kvat/Kvat.conf",
     "every choice the window remembers: the settings, its size and place, the last folder, "
     "the recent files and a verse left unsaved (Файл, Сбросить настройки, or --reset-settings "
     "forgets them)."},
    {"~/Music/Kvat/",
     "Kvat's folder in the music folder ($XDG_MUSIC_DIR): the kept copies of the MIDI files "
     "played, when the settings page says to keep them."},
    {"$XDG_RUNTIME_DIR/kvat/file.mid", "the MIDI file being played."},
    {"$XDG_RUNTIME_DIR/kvat-report.txt", "the verse report as last shown."},
};

constexpr Entry kExamples[] = {
    {"The metres and stressed vowels of a poem, with the dictionary's stresses:",
     "kvat analyse poem.txt --stress dictionary"},
    {"A MIDI file by the fourth method, a little slower, with the strings and the drums:",
     "kvat midi poem.txt -o poem.mid --method 3 --tempo 15 \\\n"
     "    --group strings --drums 36,42"},
    {"The score as a PDF with the syllables in their vowels' colours:",
     "kvat score poem.txt -o poem.pdf --colour"},
    {"A line from standard input sounded with another SoundFont:",
     "echo 'Мой дядя самых честных правил' |\n"
     "    KVAT_SOUNDFONT=/usr/share/sounds/sf2/TimGM6mb.sf2 kvat audio -o line.wav"},
    {"Every poem of a folder to MIDI files in another:", "kvat midi poems/*.txt -d music"},
};

bool IsWordChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '.' || c == '_';
}

// Text as roff prints it: backslashes kept, and a hyphen that starts a word (an option, a
// negative number) or sits in an option made a minus, so that it can be copied into a shell.
std::string Escape(std::string_view text) {
    std::string out;
    bool inOption = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool startsWord = i == 0 || !IsWordChar(text[i - 1]);
        if (startsWord) inOption = c == '-';
        if (!IsWordChar(c)) inOption = false;
        if (c == '\\')
            out += "\\e";
        else if (c == '-' && (startsWord || inOption))
            out += "\\-";
        else
            out += c;
    }
    return out;
}

// A line of text that roff must not read as a request.
std::string TextLine(std::string_view text) {
    const std::string escaped = Escape(text);
    const bool control = !escaped.empty() && (escaped[0] == '.' || escaped[0] == '\'');
    return (control ? "\\&" : "") + escaped + "\n";
}

// Options and literal words bold, placeholders (OUT, FILE, N) italic, as man pages write a
// command's form; a remark in brackets stays plain.
std::string Synopsis(std::string_view usage) {
    const std::size_t remark = usage.find(" (");
    const std::string_view form = usage.substr(0, remark);
    std::string out;
    for (std::size_t i = 0; i < form.size();) {
        if (!IsWordChar(form[i]) || form[i] == '.') {
            out += Escape(form.substr(i, 1));
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < form.size() && IsWordChar(form[end]) && form[end] != '.') ++end;
        const std::string_view word = form.substr(i, end - i);
        const auto has = [word](char first, char last) {
            return std::any_of(word.begin(), word.end(),
                               [&](char c) { return c >= first && c <= last; });
        };
        const bool placeholder = has('A', 'Z') && !has('a', 'z');
        out += (placeholder ? "\\fI" : "\\fB") + Escape(word) + "\\fR";
        i = end;
    }
    if (remark != std::string_view::npos) out += Escape(usage.substr(remark));
    return out;
}

std::string Section(std::string_view title) {
    return ".SH " + std::string(title) + "\n";
}

std::string Item(const std::string& tag, std::string_view text) {
    return ".TP\n" + tag + "\n" + TextLine(text);
}

std::string Items(std::span<const Entry> entries, bool synopsis) {
    std::string out;
    for (const auto& entry : entries)
        out += Item(synopsis ? Synopsis(entry.term) : "\\fB" + Escape(entry.term) + "\\fR",
                    entry.text);
    return out;
}

std::string Example(const Entry& example) {
    std::string out = ".PP\n" + TextLine(example.term) + ".PP\n.RS 4\n.EX\n";
    std::string_view lines = example.text;
    while (!lines.empty()) {
        const std::size_t end = lines.find('\n');
        out += TextLine(lines.substr(0, end));
        lines = end == std::string_view::npos ? std::string_view() : lines.substr(end + 1);
    }
    return out + ".EE\n.RE\n";
}

} // namespace

std::string ManualPage(std::string_view version, const std::vector<OptionHelpLine>& options) {
    // The first line tells man which encoding the Russian examples are in.
    std::string page = "'\\\" -*- coding: UTF-8 -*-\n";
    page += ".TH KVAT 1 \"\" \"Kvat " + std::string(version) + "\" \"User Commands\"\n";
    // Options and paths are not to be hyphenated or stretched.
    page += ".nh\n.ad l\n";
    page += Section("NAME") + "kvat \\- make music from Russian verse\n";
    page += Section("SYNOPSIS");
    for (const auto& command : kCommands) page += Synopsis(command.term) + "\n.br\n";
    page += "\\fBkvat \\-\\-help\\fR | \\fB\\-\\-version\\fR\n";
    page += Section("DESCRIPTION");
    page += TextLine(
        "Kvat makes music from Russian verse: it finds the stressed vowels of a poem, scores its "
        "lines against the five classical metres, turns every vowel into a note by one of ten "
        "methods, draws the melody as a one-line score with the syllables under the notes, and "
        "writes it as a Standard MIDI File with harmony voices, accompaniment and drums.");
    page += ".PP\n";
    page += TextLine(
        "Without a command kvat opens its window. With one it writes what the window would, "
        "without a display. FILE is UTF-8 text; when it is absent or - the verse is read from "
        "standard input. Messages go to standard error, one line each.");
    page += Section("COMMANDS") + Items(kCommands, true);
    page += Section("OPTIONS");
    for (const auto& option : options) page += Item(Synopsis(option.usage), option.help);
    page += Item(Synopsis("-h, --help"), "print the commands and options, then exit.");
    page += Item(Synopsis("--version"), "print the version, then exit.");
    page += Section("EXIT STATUS") + Items(kExitStatus, false);
    page += Section("ENVIRONMENT") + Items(kEnvironment, false);
    page += Section("FILES") + Items(kFiles, false);
    page += Item("\\fB/usr/share/sounds/\\fR",
                 "the SoundFonts looked for when KVAT_SOUNDFONT names none, in this order:");
    for (const auto place : kSoundFontPlaces) page += ".br\n" + TextLine(place);
    page += Section("EXAMPLES");
    for (const auto& example : kExamples) page += Example(example);
    return page;
}

} // namespace kvat::cli

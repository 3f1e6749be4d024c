#pragma once
// The main page: the verse editor, the metre and method lists, the score with its scroll bar,
// the colour lamp and the play controls. It owns the verse's analysis and its metre state; the
// settings the melody needs from the other pages come in as values.

#include "melody/melody.h"
#include "piece/piece.h"
#include "score/score_layout.h"
#include "verse/analysis.h"
#include "verse/metre.h"

#include <QFrame>
#include <array>
#include <string>
#include <utility>
#include <vector>

class QComboBox;
class QResizeEvent;
class QScrollBar;

namespace kvat {

class DictionaryWarmUp;
class PictureButton;
class PlaybackController;
class ScoreViewport;
class VerseEditor;

class MainPage : public QFrame {
    Q_OBJECT

public:
    // A clicked control hands the keyboard focus back to the editor, so typing goes on.
    explicit MainPage(QWidget* parent);

    // Analyses the verse: fills the metre list, chooses the metre found and colours the vowels.
    void AnalyseVerse();
    // Where the stresses come from; a change analyses the verse anew, as a new text does. The
    // dictionary applies once its first analysis, on a worker, is done: till then the rule.
    void SetStressMode(StressMode mode);
    void Apply(const MelodySettings& settings); // chooses the method
    void ReadInto(MelodySettings& settings) const;

    struct Drawing {
        int scrollMaximum = 0;
        std::vector<std::u32string> messages; // the orthography messages, to show afterwards
    };
    // Lays the piece's score out as wide as the score's viewport now is, and draws it.
    Drawing DrawScore(const Piece& piece);

    // Binds the play controls, the marker, the score's scroll and the lamp to playback.
    void BindPlayback(PlaybackController& playback);
    int ScrollMaximum() const;
    int ScrollValue() const;

    const MetreState& Metre() const { return metre_; }
    // The metre state with the hand-placed pattern read afresh from the red vowels, so that a
    // line added since the last click has its pattern: what the melody is made from.
    const MetreState& FreshMetre();
    // The lines' stress strings as the last analysis found them, the red vowels put in when the
    // ictuses are placed by hand.
    std::vector<std::string> FreshStress() const;
    // The verse as the editor holds it (lines end in \n), and a whole new verse put in as it
    // stands.
    QString VerseText() const;
    Lines VerseLines() const;
    void LoadVerse(const QString& text);
    // The whole score as last drawn, and the width of its viewport, which grows with the window
    // and its zoom.
    ScoreLayout Layout() const;
    float ScoreWidth() const;
    // The colour list of the last drawing, one "&H…" line per drawn syllable.
    QString ColourList() const;
    // The report of the help menu: the ictuses as the editor's colours hold them, and the
    // stanzas' rhyme schemes.
    std::u32string VerseReport() const;
    // The rhymes' column beside the editor, shown or not.
    void ShowRhymeColumn(bool shown);

signals:
    void scoreOutdated(); // the verse, its metre or its ictuses changed
    void methodChosen(int index);
    void playClicked();
    void verseEdited();               // any change of the editor's text or colours
    void playFromClicked(int column); // a note of the score was clicked

protected:
    // The editor and the score share the room the page gains (main_page_stretch.cpp).
    void resizeEvent(QResizeEvent* event) override;
    // The page comes back ready for typing, whichever page held the focus before.
    void showEvent(QShowEvent* event) override;

private:
    void BuildVerseControls();
    void BuildScoreControls();
    void OnMetreChosen(int index);
    void OnIctusToggled();
    void OnPaste(const QString& clipboard);
    // Puts the text in at the cursor (a long one a part at a time) and analyses the verse.
    void PutText(const QString& text);
    void ColourEditor();
    void ReadHandPattern();
    void FindRhymesAgain();
    void LightLamp(int index);
    void PaintLamp(const QColor& colour);
    void RecordStretch();
    void Arrange();
    void Zoom(int steps); // 0 returns to the zoom the page's size gives

    PlaybackController* playback_ = nullptr;
    MetreState metre_;
    std::vector<std::string> stress_; // the last analysis's
    // The dictionary's word by word answers, so that an analysis at every key asks only about
    // the words typed anew.
    WordStressMemo stressMemo_;
    StressMode stressMode_ = StressMode::kRule;
    DictionaryWarmUp* warmUp_ = nullptr;
    QString messagedText_; // the text whose orthography messages were last given
    VerseEditor* editor_ = nullptr;
    QComboBox* metreList_ = nullptr;
    QComboBox* methodList_ = nullptr;
    ScoreViewport* score_ = nullptr;
    QScrollBar* scoreScroll_ = nullptr;
    QWidget* lamp_ = nullptr;
    std::array<PictureButton*, 3> transport_{}; // play, pause, stop
    // A control's design place, the parts of the page's gained width it grows and moves by, and
    // where it stands between the editor's and the score's parts of the gained height.
    struct Stretch {
        enum class Vertical { kEditor, kUnderEditor, kScore, kUnderScore };
        QWidget* widget;
        QRect design;
        float growX, moveX;
        Vertical vertical;
    };
    std::vector<Stretch> stretch_;
    QSize designSize_;
    int zoomSteps_ = 0;
};

} // namespace kvat

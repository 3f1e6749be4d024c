// Start-up: everything the window shows at first, chosen as if the user had chosen it.

#include "app/main_window.h"
#include "app/symbol_font.h"
#include "app/verse_editor.h"
#include "melody/method_texts.h"
#include "app/widgets.h"

#include <QGroupBox>
#include <chrono>

namespace kvat {

void MainWindow::StartUp() {
    AnalyseVerse();
    deviceList_->clear();
    for (const auto& name : sound_.devices) deviceList_->addItem(QString::fromStdString(name));
    deviceList_->setCurrentIndex(0);
    InstallSymbolFont();

    groupList_->setCurrentIndex(0);
    methodList_->setCurrentIndex(0);
    frame5_->setTitle(Q(MethodCaption(methodList_->currentText().toStdU32String())));
    dynamicsList_->setCurrentIndex(2); // its handler sets the value, the mark, both scroll bars
    tempoList_->setCurrentIndex(13);
    const int programs[] = {2, 4, 6, 8};
    for (int i = 0; i < 4; ++i) voiceLists_[i]->setCurrentIndex(programs[i]);
    drumFirst_->setCurrentIndex(10);
    drumLast_->setCurrentIndex(16);
    accompanimentList_->setCurrentIndex(89);
    numeratorList_->setCurrentIndex(2);
    Takt(numeratorList_->currentText().toInt());
    effectList_->setCurrentIndex(0);
    octaveList_->setCurrentIndex(0);
    for (QCheckBox* check : voiceChecks_) check->setChecked(false);

    DrawScore();
    random_.seed(static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()));
    GenerateNoteMap();
}

} // namespace kvat

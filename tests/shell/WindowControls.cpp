#include "WindowControls.h"

#include <gtest/gtest.h>

namespace zepo::test {
namespace {

template <typename T>
T* Named(MainWindow& w, const QString& name) {
    T* found = w.findChild<T*>(name);
    EXPECT_NE(found, nullptr) << "no control named " << name.toStdString();
    return found;
}

template <size_t N>
void Numbered(MainWindow& w, std::array<QAction*, N>& items, const char* stem, int first, int digits) {
    for (size_t i = 0; i < N; ++i)
        items[i] = Named<QAction>(w, stem + QString("%1").arg(int(i) + first, digits, 10, QChar('0')));
}

}  // namespace

WindowControls::WindowControls(MainWindow& w) {
#define ZEPO_FIND(T, name) name = Named<T>(w, #name)
    ZEPO_FIND(QAction, mnNew), ZEPO_FIND(QAction, mnOpen), ZEPO_FIND(QAction, mnSave);
    ZEPO_FIND(QAction, mnSavePos), ZEPO_FIND(QAction, mnCardMake), ZEPO_FIND(QAction, mnZEPO);
    ZEPO_FIND(QAction, mnSetup), ZEPO_FIND(QAction, mnViewMacro), ZEPO_FIND(QAction, mnExit);
    ZEPO_FIND(QAction, mnUndo), ZEPO_FIND(QAction, mnRedo);
    ZEPO_FIND(QAction, mnNomalScreen), ZEPO_FIND(QAction, mn1024_768), ZEPO_FIND(QAction, mn800_600);
    ZEPO_FIND(QAction, mn640_480), ZEPO_FIND(QAction, mnFullScreen);
    ZEPO_FIND(QAction, mnText1), ZEPO_FIND(QAction, mnTextFile), ZEPO_FIND(QAction, mnBitmap);
    ZEPO_FIND(QAction, mnFrame);
    ZEPO_FIND(QAction, mnAVI), ZEPO_FIND(QAction, mnAvi2), ZEPO_FIND(QAction, mnWave), ZEPO_FIND(QAction, mnCD);
    ZEPO_FIND(QAction, mnMIDI), ZEPO_FIND(QAction, mnRun), ZEPO_FIND(QAction, mnMarker), ZEPO_FIND(QAction, mnSlide);
    ZEPO_FIND(QAction, mnMakeText), ZEPO_FIND(QAction, mnMakeBitmap), ZEPO_FIND(QAction, mnMakeWave);
    ZEPO_FIND(QAction, mnMovieMk), ZEPO_FIND(QAction, mnTool1), ZEPO_FIND(QAction, mnTool2);
    ZEPO_FIND(QAction, mnTool3), ZEPO_FIND(QAction, mnExplorer), ZEPO_FIND(QAction, mnMPlayer);
    ZEPO_FIND(QAction, mnQV), ZEPO_FIND(QAction, mnOpenDir), ZEPO_FIND(QAction, mnQVcnt);
    ZEPO_FIND(QAction, mnAllBMP), ZEPO_FIND(QAction, mnFix), ZEPO_FIND(QAction, mnCaptJPG);
    ZEPO_FIND(QAction, mnAuto256Color), ZEPO_FIND(QAction, mnTlOption);
    ZEPO_FIND(QAction, mnHelpMokuji), ZEPO_FIND(QAction, mnHelpKensaku), ZEPO_FIND(QAction, mnZepoXPHelp);
    ZEPO_FIND(QAction, mnZepoHelp), ZEPO_FIND(QAction, mnHelp1), ZEPO_FIND(QAction, mnHelp2);
    ZEPO_FIND(QAction, mnHelp3), ZEPO_FIND(QAction, mnAboutZEPO);
    ZEPO_FIND(QToolButton, btnCard), ZEPO_FIND(QToolButton, btnOpen), ZEPO_FIND(QToolButton, btnSave);
    ZEPO_FIND(QToolButton, btnZepo), ZEPO_FIND(QToolButton, btnPaint), ZEPO_FIND(QToolButton, btnMove);
    ZEPO_FIND(QToolButton, btnFrontBack), ZEPO_FIND(QToolButton, btnStretch), ZEPO_FIND(QToolButton, btnTxtYoko);
    ZEPO_FIND(QToolButton, btnTextFile), ZEPO_FIND(QToolButton, btnBitmap), ZEPO_FIND(QToolButton, btnFrame);
    ZEPO_FIND(QToolButton, btnAuto256Color);
    ZEPO_FIND(QLabel, stbFile), ZEPO_FIND(QLabel, stbMouse);
#undef ZEPO_FIND
    canvas = Named<CardCanvas>(w, "ImgClient");
    Numbered(w, mnYoko, "mnYoko", 1, 2);
    Numbered(w, mnTextFileN, "mnTextFile", 1, 1);
    Numbered(w, mnBitmapN, "mnBitmap", 1, 1);
    Numbered(w, mnFrameN, "mnFrame", 1, 1);
    Numbered(w, mnButton, "mnButton", 0, 1);
}

}  // namespace zepo::test

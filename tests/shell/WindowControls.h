#pragma once
// The main window's controls as a test finds them: by the object names the window gives them,
// the names users and readers know them by.

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QToolButton>
#include <array>

#include "canvas/CardCanvas.h"
#include "model/Card.h"
#include "shell/MainWindow.h"

namespace zepo::test {

struct WindowControls {
    explicit WindowControls(MainWindow& w);

    QAction *mnNew, *mnOpen, *mnSave, *mnSavePos, *mnCardMake, *mnZEPO, *mnSetup, *mnViewMacro, *mnExit;
    QAction *mnUndo, *mnRedo;
    QAction *mnNomalScreen, *mn1024_768, *mn800_600, *mn640_480, *mnFullScreen;
    QAction *mnText1, *mnTextFile, *mnBitmap, *mnFrame;  // the kinds' submenus, ticked while one is in use
    std::array<QAction*, 20> mnYoko{};
    std::array<QAction*, 5> mnTextFileN{};
    std::array<QAction*, 5> mnBitmapN{};
    std::array<QAction*, 10> mnFrameN{};
    QAction *mnAVI, *mnAvi2, *mnWave, *mnCD, *mnMIDI, *mnRun;
    std::array<QAction*, kButtonCount> mnButton{};
    QAction *mnMarker, *mnSlide;
    QAction *mnMakeText, *mnMakeBitmap, *mnMakeWave, *mnMovieMk, *mnTool1, *mnTool2, *mnTool3, *mnExplorer, *mnMPlayer,
        *mnQV, *mnOpenDir, *mnQVcnt;
    QAction *mnAllBMP, *mnFix, *mnCaptJPG, *mnAuto256Color, *mnTlOption;
    QAction *mnHelpMokuji, *mnHelpKensaku, *mnZepoXPHelp, *mnZepoHelp, *mnHelp1, *mnHelp2, *mnHelp3, *mnAboutZEPO;
    QToolButton *btnCard, *btnOpen, *btnSave, *btnZepo, *btnPaint, *btnMove, *btnFrontBack, *btnStretch, *btnTxtYoko,
        *btnTextFile, *btnBitmap, *btnFrame, *btnAuto256Color;
    CardCanvas* canvas;
    QLabel *stbFile, *stbMouse;
};

}  // namespace zepo::test

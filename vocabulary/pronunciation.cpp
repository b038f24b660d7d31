// SPDX-License-Identifier: GPL-3.0-or-later
// Hearing, recording and showing a word.
#include "shell/tform1.h"

void TForm1::setupPronunciation() {}

void TForm1::finishWordRecording()
{
    if (!wordRecordingOpen)
        return;
    wordRecordingOpen = false;
}

void TForm1::closeWordRecorder()
{
    wordRecordingOpen = false;
}

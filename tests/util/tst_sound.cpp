// SPDX-License-Identifier: GPL-3.0-or-later
#include "util/tools.h"

#include <QProcess>
#include <QTest>

using namespace kadmor;

class SoundTest : public QObject
{
    Q_OBJECT

  private slots:
    void soundDevicePresentWhenServerAnswers();
};

// The sound server's own client decides independently whether there is a server to play through.
void SoundTest::soundDevicePresentWhenServerAnswers()
{
    QProcess pactl;
    pactl.start(QStringLiteral("pactl"), {QStringLiteral("info")});
    const bool serverAnswers =
        pactl.waitForFinished(10'000) && pactl.exitStatus() == QProcess::NormalExit && pactl.exitCode() == 0;
    QCOMPARE(soundDevicePresent(), serverAnswers);
}

QTEST_MAIN(SoundTest)
#include "tst_sound.moc"

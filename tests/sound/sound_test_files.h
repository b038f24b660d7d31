// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// Files of the sound tests: written and read whole, and checked by sox's own reader.
namespace soundtest {

// The end of a play is reported late on a sound server (seconds): wait generously.
constexpr int endTimeout = 20'000;

// A sound file of tests/data/sound.
QString fixture(const QString& name);

QByteArray readFile(const QString& path); // empty when it cannot be read
void writeFile(const QString& path, const QByteArray& bytes);
// What `soxi OPTION FILE` prints, or "soxi failed: " and its error output.
QString soxi(const QString& option, const QString& file);

} // namespace soundtest

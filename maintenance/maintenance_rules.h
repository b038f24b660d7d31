// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// The rules of bulk deletion and of the printed word and phrase lists that need no window.
namespace kadmor::maintenance {

// The caption of the input box that asks for the confirmation number.
QString confirmationCaption();

// The fixed sounds that deleting everything leaves in the sounds folder; the letter case counts.
const QStringList& keptSounds();
bool keptSound(const QString& fileName);

// Deletes every file of the folder whose name keep() refuses; folders and files that cannot be
// deleted stay, without a word. Gives the names of the entries that stayed.
QStringList emptyFolder(const QString& folder, bool (*keep)(const QString& fileName));

// The table files that replace the live ones, in this order, when deleting everything cannot empty
// them in place.
const QStringList& everythingTemplates();

// A printed list: words or phrases.
struct ListKind
{
    QString fileName; // in the current folder when the printer is declined
    QString title;    // the print job's name
    int width;        // the second-language column; a longer text pushes the Czech text on
};
const ListKind& wordList();
const ListKind& phraseList();

// The heading of a list: the lesson box's text as it stands, blanks included.
QString listHeading(const QString& lessonBox);
// One record: the second-language text padded to the width, directly followed by the Czech text.
QString listLine(const QString& foreign, const QString& czech, int width);

} // namespace kadmor::maintenance

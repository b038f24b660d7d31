// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLatin1StringView>
#include <QString>

// The names of the seven tables: each table's file, fields and index tags, written once here and
// used by the layouts (layouts.cpp) and by every page, rule and tool that reads or writes them, so
// that a misspelt name is a compile error. Other dBASE programs and other installations read the
// same files, so these names never change; a new table gets a namespace of its own below.
namespace kadmor::schema {

// A name of a table file, field or tag: a constant from the start of the run, which becomes a
// QString wherever one is wanted.
using Name = QLatin1StringView;

// Lesson numbers (LEK, LE): right-aligned in three characters (lesson_key.h).
inline constexpr int lessonWidth = 3;

// The word table, Table1: one record per word.
namespace words {
inline constexpr Name file{"kadmor.dbf"};
namespace field {
inline constexpr Name lesson{"LEK"};
inline constexpr Name foreign{"ANGL"}; // the word in the second language
inline constexpr Name czech{"CES"};
inline constexpr Name picture{"OBR"}; // a file of the pictures folder
inline constexpr Name sound{"ZVUK"};  // a sound name: the sounds folder's NAME.wav
} // namespace field
namespace tag {
inline constexpr Name lesson{"lek"};
inline constexpr Name foreign{"angl"};
inline constexpr Name czech{"ces"};
} // namespace tag
} // namespace words

// The grade book, Table2: one record per pupil.
namespace grades {
inline constexpr Name file{"znamky.dbf"};
namespace field {
inline constexpr Name ordinal{"POR"}; // "1.", "2.", ... as shown
inline constexpr Name name{"JMENO"};
inline constexpr Name finalGrade{"kon"}; // calculated, never stored
inline constexpr Name count{"CPZ"};      // how many slots hold a grade
inline constexpr Name average{"PRUM"};
} // namespace field
namespace tag {
inline constexpr Name name{"jmeno"};
inline constexpr Name average{"prum"};
} // namespace tag
// The grade slots, in the order grades are received: the book's 3rd to 30th field.
inline constexpr int slotCount = 28;
// The field of the slot, from 0: A … Z, then É and Á.
QString slotField(int slot);
} // namespace grades

// The phrase table, Table3: one record per phrase.
namespace phrases {
inline constexpr Name file{"fraze.dbf"};
namespace field {
inline constexpr Name lesson{"LEK"};
inline constexpr Name foreign{"ANGL"};
inline constexpr Name czech{"CES"};
inline constexpr Name sound{"ZVUK"}; // the phrase's sound number
} // namespace field
namespace tag {
inline constexpr Name lesson{"lek"};
inline constexpr Name sound{"zvuk"};
} // namespace tag
} // namespace phrases

// The configuration table, Table4, in the application folder: rows by position (config_rows.h).
namespace config {
inline constexpr Name file{"konfig.dbf"};
namespace field {
inline constexpr Name name{"NAZEV"};
inline constexpr Name value{"HODNOTA"};
inline constexpr Name remark{"POZN"};
} // namespace field
} // namespace config

// The wrong-answers table, Table5: the words answered wrongly.
namespace wrongAnswers {
inline constexpr Name file{"chtab.dbf"};
namespace field {
inline constexpr Name foreign{"ANGL"};
inline constexpr Name czech{"CESK"};
inline constexpr Name sound{"ZVUK"};
} // namespace field
} // namespace wrongAnswers

// The new-words table, Table6: the words collected for a lesson package (collection_copy.h maps
// them to the word table's fields).
namespace newWords {
inline constexpr Name file{"newwords.dbf"};
namespace field {
inline constexpr Name lesson{"LE"};
inline constexpr Name foreign{"AN"};
inline constexpr Name czech{"CE"};
inline constexpr Name picture{"OB"};
inline constexpr Name sound{"ZV"};
} // namespace field
} // namespace newWords

// The new-phrases table, Table7: the phrases collected for a lesson package.
namespace newPhrases {
inline constexpr Name file{"newfraze.dbf"};
namespace field {
inline constexpr Name lesson{"LE"};
inline constexpr Name foreign{"ANG"};
inline constexpr Name czech{"CE"};
inline constexpr Name sound{"ZVUK"};
} // namespace field
} // namespace newPhrases

} // namespace kadmor::schema

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace kadmor {
class Field;
class Table;
} // namespace kadmor

// The rows of the configuration table (konfig.dbf) by position, and what their value holds.
namespace kadmor::config {

inline constexpr int languageRow = 1;
inline constexpr int dataFolderRow = 2;
// The scrambled teacher password is written into both rows, so that whoever reads the table sees
// one password; the start-up reads the second.
inline constexpr int passwordRows[] = {3, 4};
inline constexpr int teacherPasswordRow = 4;

// The characters the value field (HODNOTA) holds.
int valueWidth();

// Moves the configuration table to the row, counted from 1.
void goToRow(Table& table, int row);

// The current row's value in the raw mode (the stored bytes, as the scrambled passwords are kept)
// for the guard's lifetime; the raw mode is left whatever happens.
class RawValue
{
  public:
    explicit RawValue(Table& table);
    ~RawValue();
    RawValue(const RawValue&) = delete;
    RawValue& operator=(const RawValue&) = delete;
    Field& field() { return m_field; }

  private:
    Field& m_field;
};

// The row's value as stored; and a new stored value written into the row.
QString rawValue(Table& table, int row);
void writeRawValue(Table& table, int row, const QString& value);

enum class ValueFit { Fits, TooLong, OutsideCodePage };
// Whether the text can be stored as a configuration value unchanged: not longer than the field and
// only characters of the table's code page (Windows 1250).
ValueFit valueFit(const QString& text);

// The data folder (row 2) as it is stored: the folder's path, or, for a folder inside the user's
// home folder whose path is too long for the value, "~/" and the path inside the home folder (the
// usual data folder of an installation in ~/.local/share does not fit the value's 30 characters).
QString storedDataFolder(const QString& folder);
// The folder a stored data folder names: "~" and "~/…" stand for the user's home folder; any other
// text is taken as typed.
QString dataFolderFromStored(const QString& stored);

} // namespace kadmor::config

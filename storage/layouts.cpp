// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/layouts.h"

namespace kadmor::layouts {

namespace {

// Widths the description leaves open. A word's answers may list several alternatives
// separated by commas and its sound name is proposed from the second-language word, so
// ANGL, CES, OBR and ZVUK share one width; phrase texts leave room above the editor's 50.
constexpr int kWordWidth = 40;
constexpr int kPhraseWidth = 60;
constexpr int kPhraseSoundWidth = 12; // eight digits with room to grow
constexpr int kLessonWidth = 3;

FieldSpec text(const QString& name, int width)
{
    return FieldSpec{name, FieldType::Character, width};
}

FieldSpec grade(const QString& name)
{
    FieldSpec declared{name, FieldType::Numeric, 1};
    declared.minValue = 1;
    declared.maxValue = 5;
    return declared;
}

QList<FieldSpec> gradeBookFields()
{
    QList<FieldSpec> fields{text(QStringLiteral("POR"), 3), text(QStringLiteral("JMENO"), 25)};
    for (char letter = 'A'; letter <= 'Z'; ++letter)
        fields.append(grade(QString(QLatin1Char(letter))));
    fields.append(grade(QStringLiteral("É")));
    fields.append(grade(QStringLiteral("Á")));
    fields.append(FieldSpec{QStringLiteral("kon"), FieldType::Calculated, 1});
    fields.append(FieldSpec{QStringLiteral("CPZ"), FieldType::Numeric, 2});
    fields.append(FieldSpec{QStringLiteral("PRUM"), FieldType::Float, 4, 2});
    return fields;
}

FieldSpec configValue()
{
    FieldSpec declared = text(QStringLiteral("HODNOTA"), 30);
    declared.required = true;
    return declared;
}

FieldSpec readOnlyText(const QString& name, int width)
{
    FieldSpec declared = text(name, width);
    declared.readOnly = true;
    return declared;
}

} // namespace

const TableLayout& words()
{
    static const TableLayout layout{QStringLiteral("kadmor.dbf"),
                                    {text(QStringLiteral("LEK"), kLessonWidth),
                                     text(QStringLiteral("ANGL"), kWordWidth), text(QStringLiteral("CES"), kWordWidth),
                                     text(QStringLiteral("OBR"), kWordWidth), text(QStringLiteral("ZVUK"), kWordWidth)},
                                    {{QStringLiteral("lek"), QStringLiteral("LEK"), KeyOrder::Plain},
                                     {QStringLiteral("angl"), QStringLiteral("ANGL"), KeyOrder::Unicode},
                                     {QStringLiteral("ces"), QStringLiteral("CES"), KeyOrder::Czech}},
                                    QStringLiteral("angl")};
    return layout;
}

const TableLayout& grades()
{
    static const TableLayout layout{QStringLiteral("znamky.dbf"),
                                    gradeBookFields(),
                                    {{QStringLiteral("jmeno"), QStringLiteral("JMENO"), KeyOrder::Czech},
                                     {QStringLiteral("prum"), QStringLiteral("PRUM"), KeyOrder::Numeric}},
                                    QStringLiteral("jmeno")};
    return layout;
}

const TableLayout& phrases()
{
    static const TableLayout layout{
        QStringLiteral("fraze.dbf"),
        {text(QStringLiteral("LEK"), kLessonWidth), text(QStringLiteral("ANGL"), kPhraseWidth),
         text(QStringLiteral("CES"), kPhraseWidth), text(QStringLiteral("ZVUK"), kPhraseSoundWidth)},
        {{QStringLiteral("lek"), QStringLiteral("LEK"), KeyOrder::Plain},
         {QStringLiteral("zvuk"), QStringLiteral("ZVUK"), KeyOrder::Plain}},
        QStringLiteral("lek")};
    return layout;
}

const TableLayout& config()
{
    static const TableLayout layout{
        QStringLiteral("konfig.dbf"),
        {readOnlyText(QStringLiteral("NAZEV"), 15), configValue(), readOnlyText(QStringLiteral("POZN"), 40)},
        {},
        {}};
    return layout;
}

const TableLayout& wrongAnswers()
{
    static const TableLayout layout{QStringLiteral("chtab.dbf"),
                                    {text(QStringLiteral("ANGL"), kWordWidth), text(QStringLiteral("CESK"), kWordWidth),
                                     text(QStringLiteral("ZVUK"), kWordWidth)},
                                    {},
                                    {}};
    return layout;
}

const TableLayout& newWords()
{
    static const TableLayout layout{QStringLiteral("newwords.dbf"),
                                    {text(QStringLiteral("LE"), kLessonWidth), text(QStringLiteral("AN"), kWordWidth),
                                     text(QStringLiteral("CE"), kWordWidth), text(QStringLiteral("OB"), kWordWidth),
                                     text(QStringLiteral("ZV"), kWordWidth)},
                                    {},
                                    {}};
    return layout;
}

const TableLayout& newPhrases()
{
    static const TableLayout layout{
        QStringLiteral("newfraze.dbf"),
        {text(QStringLiteral("LE"), kLessonWidth), text(QStringLiteral("ANG"), kPhraseWidth),
         text(QStringLiteral("CE"), kPhraseWidth), text(QStringLiteral("ZVUK"), kPhraseSoundWidth)},
        {},
        {}};
    return layout;
}

} // namespace kadmor::layouts

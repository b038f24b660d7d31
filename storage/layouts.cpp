// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/layouts.h"

#include "storage/schema.h"

#include <QFileInfo>

namespace kadmor::layouts {

namespace {

// Widths the description leaves open. A word's answers may list several alternatives
// separated by commas and its sound name is proposed from the second-language word, so
// ANGL, CES, OBR and ZVUK share one width; phrase texts leave room above the editor's 50.
constexpr int kWordWidth = 40;
constexpr int kPhraseWidth = 60;
constexpr int kPhraseSoundWidth = 12; // eight digits with room to grow
constexpr int kLessonWidth = schema::lessonWidth;

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
    namespace field = schema::grades::field;
    QList<FieldSpec> fields{text(field::ordinal, 3), text(field::name, 25)};
    for (int slot = 0; slot < schema::grades::slotCount; ++slot)
        fields.append(grade(schema::grades::slotField(slot)));
    fields.append(FieldSpec{field::finalGrade, FieldType::Calculated, 1});
    fields.append(FieldSpec{field::count, FieldType::Numeric, 2});
    fields.append(FieldSpec{field::average, FieldType::Float, 4, 2});
    return fields;
}

FieldSpec configValue()
{
    FieldSpec declared = text(schema::config::field::value, 30);
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
    namespace field = schema::words::field;
    namespace tag = schema::words::tag;
    static const TableLayout layout{schema::words::file,
                                    {text(field::lesson, kLessonWidth), text(field::foreign, kWordWidth),
                                     text(field::czech, kWordWidth), text(field::picture, kWordWidth),
                                     text(field::sound, kWordWidth)},
                                    {{tag::lesson, field::lesson, KeyOrder::Plain},
                                     {tag::foreign, field::foreign, KeyOrder::Unicode},
                                     {tag::czech, field::czech, KeyOrder::Czech}},
                                    tag::foreign};
    return layout;
}

const TableLayout& grades()
{
    namespace field = schema::grades::field;
    namespace tag = schema::grades::tag;
    static const TableLayout layout{
        schema::grades::file,
        gradeBookFields(),
        {{tag::name, field::name, KeyOrder::Czech}, {tag::average, field::average, KeyOrder::Numeric}},
        tag::name};
    return layout;
}

const TableLayout& phrases()
{
    namespace field = schema::phrases::field;
    namespace tag = schema::phrases::tag;
    static const TableLayout layout{
        schema::phrases::file,
        {text(field::lesson, kLessonWidth), text(field::foreign, kPhraseWidth), text(field::czech, kPhraseWidth),
         text(field::sound, kPhraseSoundWidth)},
        {{tag::lesson, field::lesson, KeyOrder::Plain}, {tag::sound, field::sound, KeyOrder::Plain}},
        tag::lesson};
    return layout;
}

const TableLayout& config()
{
    namespace field = schema::config::field;
    static const TableLayout layout{
        schema::config::file, {readOnlyText(field::name, 15), configValue(), readOnlyText(field::remark, 40)}, {}, {}};
    return layout;
}

const TableLayout& wrongAnswers()
{
    namespace field = schema::wrongAnswers::field;
    static const TableLayout layout{
        schema::wrongAnswers::file,
        {text(field::foreign, kWordWidth), text(field::czech, kWordWidth), text(field::sound, kWordWidth)},
        {},
        {}};
    return layout;
}

const TableLayout& newWords()
{
    namespace field = schema::newWords::field;
    static const TableLayout layout{schema::newWords::file,
                                    {text(field::lesson, kLessonWidth), text(field::foreign, kWordWidth),
                                     text(field::czech, kWordWidth), text(field::picture, kWordWidth),
                                     text(field::sound, kWordWidth)},
                                    {},
                                    {}};
    return layout;
}

const TableLayout& newPhrases()
{
    namespace field = schema::newPhrases::field;
    static const TableLayout layout{schema::newPhrases::file,
                                    {text(field::lesson, kLessonWidth), text(field::foreign, kPhraseWidth),
                                     text(field::czech, kPhraseWidth), text(field::sound, kPhraseSoundWidth)},
                                    {},
                                    {}};
    return layout;
}

QStringList filesOf(const TableLayout& layout)
{
    QStringList files{layout.fileName};
    if (!layout.tags.isEmpty())
        files.append(QFileInfo(layout.fileName).completeBaseName() + QStringLiteral(".mdx"));
    return files;
}

} // namespace kadmor::layouts

// SPDX-License-Identifier: GPL-3.0-or-later
#include "util/lesson_key.h"

#include "storage/schema.h"
#include "util/tools.h"

namespace kadmor::lesson_key {

QString padded(const QString& typed)
{
    QString lesson = typed;
    padLeft(schema::lessonWidth, lesson);
    return lesson;
}

QString chosen(const QString& typed)
{
    return padded(typed).left(schema::lessonWidth);
}

} // namespace kadmor::lesson_key

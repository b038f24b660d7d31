// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/collection_copy.h"

#include "storage/controls_disabled.h"
#include "storage/table.h"

namespace kadmor {

namespace collection {

const QList<CollectedField>& wordFields()
{
    namespace collected = schema::newWords::field;
    namespace word = schema::words::field;
    using Names = CollectedField::Names;
    static const QList<CollectedField> fields = {{collected::lesson, word::lesson},
                                                 {collected::foreign, word::foreign},
                                                 {collected::czech, word::czech},
                                                 {collected::picture, word::picture, Names::Picture},
                                                 {collected::sound, word::sound, Names::Sound}};
    return fields;
}

const QList<CollectedField>& phraseFields()
{
    namespace collected = schema::newPhrases::field;
    namespace phrase = schema::phrases::field;
    static const QList<CollectedField> fields = {{collected::lesson, phrase::lesson},
                                                 {collected::foreign, phrase::foreign},
                                                 {collected::czech, phrase::czech},
                                                 {collected::sound, phrase::sound, CollectedField::Names::Sound}};
    return fields;
}

} // namespace collection

void collect(Table& main, Table& collection, const QList<CollectedField>& fields)
{
    collection.append();
    for (const CollectedField& field : fields)
        collection.fieldByName(field.collection).setAsString(main.fieldByName(field.main).asString());
    collection.post();
}

void readBack(Table& collection, Table& main, const QList<CollectedField>& fields, const StoredName& storedName)
{
    ControlsDisabled suspended(collection);
    for (collection.first(); !collection.eof(); collection.next()) {
        main.append();
        for (const CollectedField& field : fields) {
            const QString value = collection.fieldByName(field.collection).asString();
            if (field.names == CollectedField::Names::Text) {
                main.fieldByName(field.main).setAsString(value);
                continue;
            }
            const QString stored = value.isEmpty() ? QString() : storedName(field.names, value);
            if (!stored.isEmpty())
                main.fieldByName(field.main).setAsString(stored);
        }
        main.refresh(); // stores the record
    }
}

QString collectedName(Table& collection, const QList<CollectedField>& fields, CollectedField::Names names)
{
    for (const CollectedField& field : fields) {
        if (field.names == names)
            return collection.fieldByName(field.collection).asString();
    }
    return {};
}

} // namespace kadmor

// SPDX-License-Identifier: GPL-3.0-or-later
#include "install/installer.h"

#include "base/error.h"
#include "install/config_table.h"
#include "install/data_tables.h"
#include "storage/config_rows.h"
#include "storage/layouts.h"
#include "util/zoom_store.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace kadmor::install {

namespace {

const QString secondLanguage = QStringLiteral("anglický");
const QString programName = QStringLiteral("kadmor");
const QString dataFolderName = QStringLiteral("data");
const QString templatesFolderName = QStringLiteral("empty_tables");
const QStringList payloadFiles = {"kadmor.bmp", "zak.bmp", "dobre.wav", "spatne.wav"};
const QStringList payloadFolders = {"sounds", "pictures", "doc"};
const QStringList contentFiles = {"words.tsv", "phrases.tsv", "pupils.tsv"};
const QString configFileName = layouts::config().fileName;

// Every name an installation puts into the application folder.
QStringList installedEntries()
{
    return QStringList{programName, configFileName, dataFolderName} + payloadFiles + payloadFolders;
}

void checkDataFolderPath(const QString& dataFolder)
{
    switch (config::valueFit(dataFolder)) {
    case config::ValueFit::Fits:
        return;
    case config::ValueFit::TooLong:
        throw Error(QStringLiteral("Cesta ke složce dat \"%1\" má %2 znaků, do konfigurace se jich vejde nejvýše %3. "
                                   "Zvolte pro instalaci složku s kratší cestou. Nic nebylo změněno.")
                        .arg(dataFolder)
                        .arg(dataFolder.size())
                        .arg(config::valueWidth()));
    case config::ValueFit::OutsideCodePage:
        throw Error(QStringLiteral("Cestu ke složce dat \"%1\" nelze zapsat do konfigurace: obsahuje znaky mimo "
                                   "středoevropskou znakovou sadu. Zvolte jinou složku. Nic nebylo změněno.")
                        .arg(dataFolder));
    }
}

void checkPayload(const QString& payloadFolder)
{
    const QString missing = missingPayloadEntry(payloadFolder);
    if (!missing.isEmpty()) {
        throw Error(QStringLiteral("Chybí součást instalace \"%1\". Sestavte nejprve cíl kadmor_install_payload.")
                        .arg(QDir(payloadFolder).filePath(missing)));
    }
}

QStringList existingEntries(const QDir& appFolder)
{
    QStringList found;
    for (const QString& entry : installedEntries()) {
        if (QFileInfo::exists(appFolder.filePath(entry))) {
            found << entry;
        }
    }
    return found;
}

void makeFolder(const QString& path)
{
    if (!QDir().mkpath(path)) {
        throw Error(QStringLiteral("Nelze vytvořit složku \"%1\".").arg(path));
    }
}

void copyFile(const QString& source, const QString& target)
{
    if (!QFile::copy(source, target)) {
        throw Error(QStringLiteral("Nelze zkopírovat \"%1\" do \"%2\".").arg(source, target));
    }
}

void copyFolder(const QString& source, const QString& target)
{
    makeFolder(target);
    const QDir from(source);
    QDirIterator it(source, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo entry = it.nextFileInfo();
        const QString to = QDir(target).filePath(from.relativeFilePath(entry.filePath()));
        if (entry.isDir()) {
            makeFolder(to);
        } else {
            copyFile(entry.filePath(), to);
        }
    }
}

void removeEntry(const QString& path)
{
    const QFileInfo info(path);
    const bool removed = info.isDir() && !info.isSymLink() ? QDir(path).removeRecursively() : QFile::remove(path);
    if (!removed) {
        throw Error(QStringLiteral("Nelze odstranit \"%1\" staré instalace.").arg(path));
    }
}

void moveEntry(const QString& from, const QString& to)
{
    if (!QDir().rename(from, to)) {
        throw Error(QStringLiteral("Nelze přesunout \"%1\" na \"%2\".").arg(from, to));
    }
}

// Builds the whole installation in staging; a new configuration names the final data folder.
void layOut(const QDir& staging, const InstallRequest& request, const QString& dataFolder)
{
    const QDir payload(request.payloadFolder);
    for (const QString& file : payloadFiles) {
        copyFile(payload.filePath(file), staging.filePath(file));
    }
    for (const QString& folder : payloadFolders) {
        copyFolder(payload.filePath(folder), staging.filePath(folder));
    }
    if (!request.program.isEmpty()) {
        copyFile(request.program, staging.filePath(programName));
    }
    const QString stagedData = staging.filePath(dataFolderName);
    const QString stagedTemplates = QDir(stagedData).filePath(templatesFolderName);
    makeFolder(stagedTemplates);
    createDataTables(stagedData, payload.filePath("content"));
    createTemplates(stagedTemplates);
    if (request.configTable.isEmpty()) {
        createConfigTable(staging.path(), secondLanguage, dataFolder, defaultTeacherPassword());
    } else {
        copyFile(request.configTable, staging.filePath(configFileName));
    }
}

// Moves the staged entries into the application folder, replacing the old ones of the same name;
// the configuration table comes last, so that it marks a whole installation.
void commit(const QDir& staging, const QDir& appFolder)
{
    QStringList staged = staging.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    staged.move(staged.indexOf(configFileName), staged.size() - 1);
    for (const QString& entry : staged) {
        if (QFileInfo::exists(appFolder.filePath(entry))) {
            removeEntry(appFolder.filePath(entry));
        }
    }
    for (const QString& entry : staged) {
        moveEntry(staging.filePath(entry), appFolder.filePath(entry));
    }
}

void stageAndCommit(const InstallRequest& request, const QDir& appFolder, const QString& dataFolder)
{
    QTemporaryDir staging(appFolder.filePath(".kadmor-install-XXXXXX"));
    if (!staging.isValid()) {
        throw Error(QStringLiteral("Ve složce \"%1\" nelze vytvořit pracovní složku: %2")
                        .arg(appFolder.path(), staging.errorString()));
    }
    layOut(QDir(staging.path()), request, dataFolder);
    commit(QDir(staging.path()), appFolder);
}

} // namespace

QString missingPayloadEntry(const QString& payloadFolder)
{
    const QDir payload(payloadFolder);
    QStringList needed = payloadFiles + payloadFolders;
    for (const QString& file : contentFiles) {
        needed << "content/" + file;
    }
    for (const QString& entry : needed) {
        if (!payload.exists(entry)) {
            return entry;
        }
    }
    return {};
}

QString defaultTeacherPassword()
{
    return QStringLiteral(KADMOR_DEFAULT_PASSWORD);
}

QStringList installApplication(const InstallRequest& request)
{
    const QDir appFolder(QDir::cleanPath(QDir(request.folder).absolutePath()));
    // As the configuration stores it.
    const QString dataFolder = config::storedDataFolder(appFolder.filePath(dataFolderName));
    if (request.configTable.isEmpty()) {
        checkDataFolderPath(dataFolder);
    }
    checkPayload(request.payloadFolder);
    if (QFileInfo info(appFolder.path()); info.exists() && !info.isDir()) {
        throw Error(QStringLiteral("\"%1\" není složka. Nic nebylo změněno.").arg(appFolder.path()));
    }
    const QStringList existing = existingEntries(appFolder);
    if (!existing.isEmpty() && !request.replace) {
        throw Error(QStringLiteral("Ve složce \"%1\" už je instalace programu kadmor (nalezeno: %2). Nic nebylo "
                                   "změněno. Chcete-li ji nahradit, spusťte kadmor-install s volbou --replace; "
                                   "tabulky slovíček, žáků a frází se tím přepíší.")
                        .arg(appFolder.path(), existing.join(", ")));
    }

    const bool folderIsNew = !appFolder.exists();
    makeFolder(appFolder.path());
    try {
        stageAndCommit(request, appFolder, dataFolder);
    } catch (...) {
        if (folderIsNew) {
            QDir().rmdir(appFolder.path());
        }
        throw;
    }

    QStringList notes;
    if (request.program.isEmpty()) {
        notes << QStringLiteral("Program kadmor zatím není sestaven; instalace je bez něj.");
    }
    if (zoomStoreExists()) {
        notes << QStringLiteral("Uložené zvětšení okna zůstává beze změny.");
    } else {
        createZoomStore();
        notes << QStringLiteral("Vytvořeno úložiště zvětšení okna (100 %).");
    }
    return notes;
}

} // namespace kadmor::install
